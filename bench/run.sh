#!/usr/bin/env bash
# Every performance figure beside its reference, from one run on one display:
#   start-up (exec -> first paint, memory) against a minimal Qt window,
#   a key typed into the character input -> window painted, against a bare QLineEdit,
#   the hand-over chain against its in-memory floor,
#   a command-line lookup against a bare QCoreApplication,
#   the idle window's CPU over a minute.
# Starts its own Xvfb, openbox and, as every desktop session has one, a session bus (Qt asks it
# whether accessibility is on when a window first shows text; without one, Qt would start a bus
# of its own each time and every start would be slower by that).
# bench/run.sh [BUILD_DIR]   (IDLE_SECONDS=60 ROUNDS=31 KEYS=300)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="$(cd "${1:-build}" && pwd)"
if [[ -z "${TESSIVO_BENCH_DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" env TESSIVO_BENCH_DISPLAY=1 dbus-run-session -- "$0" "$@"
fi
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
openbox >/dev/null 2>&1 & wm=$!
trap 'kill $wm 2>/dev/null || true' EXIT
sleep 1

"$here/startup.sh" "$build" "${ROUNDS:-31}"

# The key benchmark focuses its windows itself; a window manager would ask the user first.
kill "$wm" 2>/dev/null || true; wait "$wm" 2>/dev/null || true
"$build/bench/tessivo_bench_keystroke" "${KEYS:-300}" "$build/bin" 2>/dev/null

"$build/bench/tessivo_bench_chain" "$build/bin" 2>/dev/null | tail -n +2

# Command-line lookup: wall time of the whole process, in turns with a bare QCoreApplication.
ms() { local t0 t1; t0=$(date +%s%N); "$@" >/dev/null 2>&1; t1=$(date +%s%N); echo $(( (t1 - t0) / 1000 )); }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
: >/tmp/tessivo-cli.$$; : >/tmp/qcore-cli.$$
for _ in $(seq 1 "${ROUNDS:-31}"); do
  ms "$build/bin/tessivo" --lookup 中 >>/tmp/tessivo-cli.$$
  ms "$build/bench/minimal_qcore" >>/tmp/qcore-cli.$$
done
t=$(median </tmp/tessivo-cli.$$); q=$(median </tmp/qcore-cli.$$); rm -f /tmp/tessivo-cli.$$ /tmp/qcore-cli.$$
printf 'tessivo --lookup 中, whole process: %.1f ms   bare QCoreApplication %.1f ms   ratio %.2f\n' \
  "$(awk -v v="$t" 'BEGIN {print v / 1000}')" "$(awk -v v="$q" 'BEGIN {print v / 1000}')" "$(awk -v a="$t" -v b="$q" 'BEGIN {print a / b}')"

# Idle CPU of the open window (click mode, nothing happening), from the kernel's account.
work="$(mktemp -d)"
cp "$build/bin/tessivo" "$build/bin/wwbb11.dat" "$build/bin/wwbb11cz.dat" "$work/"
cp "$build"/bin/tessivo-*.so "$work/" 2>/dev/null || true
ln -s "$build/bin/bmp" "$work/bmp"
"$work/tessivo" >/dev/null 2>&1 & pid=$!
sleep 3
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
idle="${IDLE_SECONDS:-60}"; before=$(ticks); sleep "$idle"; after=$(ticks)
kill "$pid"; wait "$pid" 2>/dev/null || true; rm -rf "$work"
printf 'idle window over %s s: %s CPU ticks (%s per s), %.3f%% of a core\n' "$idle" "$((after - before))" \
  "$(getconf CLK_TCK)" "$(awk -v d="$((after - before))" -v s="$idle" -v hz="$(getconf CLK_TCK)" 'BEGIN {print 100 * d / hz / s}')"
