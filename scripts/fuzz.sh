#!/usr/bin/env bash
# Runs the fuzz targets built with -DTESSIVO_FUZZ=ON (see fuzz/CMakeLists.txt).
#   scripts/fuzz.sh [SECONDS] [TARGET...]   fuzz each target (default: all) for SECONDS (default 60)
#   scripts/fuzz.sh --replay [FILE...]      run the saved inputs (default: fuzz/regressions/*) once
#                                           each through the target their name starts with
# The build folder is TESSIVO_FUZZ_BUILD_DIR (default build-fuzz). Each target keeps the inputs
# it found in <build>/fuzz-corpus/<target> and starts from the seeds of scripts/fuzz-seeds.sh,
# made on first use. A crash is written to <build>/fuzz-crashes/ and the script exits 1.
# TESSIVO_FUZZ_RUNS caps the executions per target (0: no cap).
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TESSIVO_FUZZ_BUILD_DIR:-$root/build-fuzz}"
bin="$build/bin"
runs="${TESSIVO_FUZZ_RUNS:-0}"

if [[ ! -d "$bin" ]] || ! compgen -G "$bin/tessivo_fuzz_*" >/dev/null; then
  echo "no fuzz targets in $bin: build them first, for example" >&2
  echo "  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTESSIVO_FUZZ=ON -DTESSIVO_PREBUILT_DATA=build/prebuilt" >&2
  echo "  cmake --build build-fuzz --target tessivo_fuzz_all" >&2
  exit 2
fi

# Qt wants a private runtime folder; root shells often have none.
if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
  export XDG_RUNTIME_DIR="/tmp/tessivo-runtime-$(id -u)"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
fi
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

if [[ "${1:-}" == --replay ]]; then
  shift
  files=("$@")
  ((${#files[@]})) || files=("$root"/fuzz/regressions/*)
  failed=0
  for file in "${files[@]}"; do
    target="$(basename "$file")"
    target="${target%%-*}"
    printf '%-48s ' "$(basename "$file")"
    if "$bin/tessivo_fuzz_$target" "$file" >"$build/replay-$target.log" 2>&1; then
      echo "ok"
    else
      echo "FAILED (tessivo_fuzz_$target; log: $build/replay-$target.log)"
      failed=1
    fi
  done
  exit "$failed"
fi

seconds="${1:-60}"
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
  for exe in "$bin"/tessivo_fuzz_*; do targets+=("${exe##*/tessivo_fuzz_}"); done
fi

[[ -d "$build/fuzz-seeds" ]] || "$root/scripts/fuzz-seeds.sh" "$build" >/dev/null
mkdir -p "$build/fuzz-crashes"

printf '%-22s %12s %8s\n' target executions crashes
status=0
for target in "${targets[@]}"; do
  exe="$bin/tessivo_fuzz_$target"
  if [[ ! -x "$exe" ]]; then
    echo "$target: no such fuzz target" >&2
    status=1
    continue
  fi
  corpus="$build/fuzz-corpus/$target"
  mkdir -p "$corpus" "$build/fuzz-seeds/$target"
  log="$build/fuzz-$target.log"
  # Every input gets 10 s and 2.5 GB; the target's own state (scratch files) stays in its folder.
  "$exe" -max_total_time="$seconds" -runs="$((runs > 0 ? runs : -1))" -timeout=10 -rss_limit_mb=2560 \
    -max_len=8192 -print_final_stats=1 -artifact_prefix="$build/fuzz-crashes/$target-" \
    "$corpus" "$build/fuzz-seeds/$target" >"$log" 2>&1
  rc=$?
  executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  crashes=0
  if ((rc != 0)); then
    crashes=1
    status=1
  fi
  printf '%-22s %12s %8s\n' "$target" "${executions:-?}" "$crashes"
  if ((rc != 0)); then
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -5 | sed 's/^/    /'
  fi
done
exit "$status"
