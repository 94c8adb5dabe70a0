#!/usr/bin/env bash
# One-command set-up for a fresh Debian 12 machine (run as root):
#   scripts/setup.sh run    install what is missing, build, generate the data and start Tessivo
#   scripts/setup.sh test   install what is missing, build and run the whole test suite
#                           (normal build, then an AddressSanitizer + UBSan build), then build
#                           the fuzz targets, fuzz each briefly and replay the saved crash inputs
set -euo pipefail

mode="${1:-run}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TESSIVO_BUILD_DIR:-$root/build}"
asan_build="${TESSIVO_ASAN_BUILD_DIR:-$root/build-asan}"
fuzz_build="${TESSIVO_FUZZ_BUILD_DIR:-$root/build-fuzz}"
jobs="$(nproc)"

debian_packages=(
  g++ cmake ninja-build pkg-config make
  clang libclang-rt-14-dev
  libgtest-dev googletest libbenchmark-dev
  qt6-base-dev libgl-dev libfontconfig-dev
  rime-data-wubi rime-data-stroke rime-data-pinyin-simp python3-jieba unicode-data bzip2
  fonts-noto-cjk
  nodejs npm
  xvfb xauth openbox xdotool x11-utils imagemagick
  # Printing the radical chart for real: a private CUPS scheduler with a PDF printer, and the
  # tools that check the printed page (pdfinfo, pdftoppm).
  cups cups-client printer-driver-cups-pdf poppler-utils
  # Screen lookup: X11 pointer and XInput2 events, other programs' text through the
  # accessibility bus (and its D-Bus activation), OCR with the Simplified-Chinese model; the
  # end-to-end check's session bus and GTK 3 window.
  libx11-dev libxi-dev libatspi2.0-dev at-spi2-core dbus dbus-x11
  libtesseract-dev tesseract-ocr-chi-sim
  python3-gi gir1.2-gtk-3.0
  # the benchmarks: start-up seen as drawing reaches the window, keys typed through the server
  libxdamage-dev libxtst-dev
)

step() { printf '\n==> %s\n' "$*"; }

install_debian_packages() {
  local missing=()
  for p in "${debian_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      # npm from another source is as good as Debian's.
      if [[ "$p" == npm || "$p" == nodejs ]] && command -v "${p/nodejs/node}" >/dev/null; then continue; fi
      missing+=("$p")
    fi
  done
  if ((${#missing[@]} == 0)); then
    echo "all Debian packages present"
    return
  fi
  step "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! apt-get install -y --no-install-recommends "${missing[@]}"; then
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

install_npm_packages() {
  local dir="$root/datagen/npm"
  if [[ -f "$dir/node_modules/hanzi-writer-data/package.json" && -f "$dir/node_modules/cnchar-order/package.json" ]]; then
    echo "npm packages present"
    return
  fi
  step "installing the npm packages the data generator reads"
  (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error)
}

configure_and_build() {
  local dir="$1"; shift
  step "building in $dir"
  # CI sets TESSIVO_WERROR=ON: a new warning fails there, never in a user's build.
  cmake -S "$root" -B "$dir" -G Ninja -DTESSIVO_WERROR="${TESSIVO_WERROR:-OFF}" "$@"
  cmake --build "$dir" -j "$jobs"
}

runtime_dir() {
  # Qt wants a private runtime folder; root shells often have none.
  if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
    export XDG_RUNTIME_DIR="/tmp/tessivo-runtime-$(id -u)"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  fi
}

# The fuzz targets (clang, libFuzzer with ASan + UBSan) over the data of the normal build: each
# runs a few seconds, then every saved crash input is replayed. Both run before either failure
# counts, so that one report shows them all.
fuzz_briefly() {
  step "building the fuzz targets in $fuzz_build"
  CC=clang CXX=clang++ cmake -S "$root" -B "$fuzz_build" -G Ninja -DTESSIVO_WERROR="${TESSIVO_WERROR:-OFF}" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 -DTESSIVO_FUZZ=ON -DTESSIVO_PREBUILT_DATA="$build/prebuilt"
  cmake --build "$fuzz_build" -j "$jobs" --target tessivo_fuzz_all
  local status=0
  step "fuzzing each target for ${TESSIVO_FUZZ_SECONDS:-5} s"
  TESSIVO_FUZZ_BUILD_DIR="$fuzz_build" "$root/scripts/fuzz.sh" "${TESSIVO_FUZZ_SECONDS:-5}" || status=1
  step "replaying the saved crash inputs"
  TESSIVO_FUZZ_BUILD_DIR="$fuzz_build" "$root/scripts/fuzz.sh" --replay || status=1
  return "$status"
}

run_tests() {
  local dir="$1"; shift
  step "testing $dir"
  # The end-to-end tests need an X server and a window manager; Xvfb and openbox provide both.
  xvfb-run -a -s '-screen 0 1280x1024x24' \
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 600 "$@"
}

install_debian_packages
install_npm_packages
runtime_dir

case "$mode" in
  run)
    configure_and_build "$build" -DCMAKE_BUILD_TYPE=Release
    if [[ -n "${DISPLAY:-}" ]] && command -v xdpyinfo >/dev/null && xdpyinfo >/dev/null 2>&1; then
      step "starting Tessivo"
      exec "$build/bin/tessivo"
    fi
    echo
    echo "No display is available, so the window cannot open. Lookups work from the command line:"
    echo "  $build/bin/tessivo --lookup 中"
    "$build/bin/tessivo" --lookup 中
    echo "  $build/bin/tessivo --pinyin zhuang"
    "$build/bin/tessivo" --pinyin zhuang || true
    echo "To see the window on this machine without a display: xvfb-run -a $build/bin/tessivo"
    ;;
  test)
    configure_and_build "$build" -DCMAKE_BUILD_TYPE=Release
    run_tests "$build"
    # The sanitizer build reuses the generated data: generating it again under ASan only costs time.
    mkdir -p "$build/prebuilt"
    rm -rf "$build/prebuilt/bin" "$build/prebuilt/generated"
    mkdir -p "$build/prebuilt/bin"
    cp -a "$build/bin/." "$build/prebuilt/bin/"
    # Only data: the program and its modules are built again with the sanitizers.
    rm -f "$build/prebuilt/bin/tessivo" "$build/prebuilt/bin/"tessivo-*.so "$build/prebuilt/bin/face.txt" "$build/prebuilt/bin/ji.txt"
    cp -a "$build/generated" "$build/prebuilt/generated"
    # -O1 keeps the sanitizer build quick to compile while the tests still run at a fair speed.
    configure_and_build "$asan_build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 \
      -DTESSIVO_SANITIZE=ON -DTESSIVO_PREBUILT_DATA="$build/prebuilt"
    # Leak checking is off: Qt and fontconfig keep process-lifetime caches that LeakSanitizer reports.
    # The two sweeps over every character ran in the normal build; under the sanitizers they
    # would take minutes and find nothing the smaller cases do not reach.
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
      run_tests "$asan_build" -E 'DecomposerCoverage\.EveryCharacter|RendererGenerated\.WrittenPointsFillOnlyTheirRadicalForAllCharacters'
    fuzz_briefly
    step "all tests passed"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
