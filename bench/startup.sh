#!/usr/bin/env bash
# Start-up of the main window beside a minimal Qt Widgets window, measured from outside by
# bench/paint_probe: the clock starts before exec and stops at the first drawing that reaches the
# window; resident memory is read a moment later. The two programs run in turns, so both see
# the same machine. Needs a display (bench/run.sh starts Xvfb and a window manager):
#   bench/startup.sh BUILD_DIR [ROUNDS]
set -euo pipefail
build="${1:-build}"; rounds="${2:-31}"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
# A private copy: its settings and lock never touch the build's.
cp "$build/bin/tessivo" "$build/bin/wwbb11.dat" "$build/bin/wwbb11cz.dat" "$work/"
ln -s "$(cd "$build/bin" && pwd)/bmp" "$work/bmp"
probe="$build/bench/paint_probe"
: >"$work/tessivo.txt"; : >"$work/minimal.txt"
for _ in $(seq 1 "$rounds"); do
  "$probe" "$work/tessivo" >>"$work/tessivo.txt"
  "$probe" "$build/bench/minimal_qt_window" >>"$work/minimal.txt"
done
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
column() { awk -v c="$2" '{print $c}' "$1" | median; }
for f in mapped:1 paint:2 rss:3; do
  name="${f%%:*}"; c="${f##*:}"
  t="$(column "$work/tessivo.txt" "$c")"; m="$(column "$work/minimal.txt" "$c")"
  unit=ms; [[ "$name" == rss ]] && unit=KB
  printf '%-34s tessivo %8s %s   minimal Qt window %8s %s   ratio %s\n' \
    "start-up, exec -> window $name:" "$t" "$unit" "$m" "$unit" "$(awk -v a="$t" -v b="$m" 'BEGIN {printf "%.2f", a / b}')"
done
