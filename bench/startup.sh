#!/usr/bin/env bash
# Start-up of the main window, without a skin and with one (its face.txt names LE4.urf), beside
# a minimal Qt Widgets window, measured from outside by bench/paint_probe: the clock starts
# before exec and stops at the first drawing that reaches the window; resident memory is read a
# moment later. The programs run in turns, so all see the same machine. Needs a display
# (bench/run.sh starts Xvfb and a window manager): bench/startup.sh BUILD_DIR [ROUNDS]
set -euo pipefail
build="${1:-build}"; rounds="${2:-31}"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
# Private copies: their settings and locks never touch the build's.
bin="$(cd "$build/bin" && pwd)"
mkdir "$work/plain" "$work/skinned"
cp "$bin/tessivo" "$bin/wwbb11.dat" "$bin/wwbb11cz.dat" "$work/plain/"
ln -s "$bin/bmp" "$work/plain/bmp"
# Without LE4.urf in the build (an older tree), the skinned copy runs unskinned.
cp "$bin/tessivo" "$bin/wwbb11.dat" "$bin/wwbb11cz.dat" "$work/skinned/"
cp "$bin"/*.urf "$work/skinned/" 2>/dev/null || true
ln -s "$bin/bmp" "$work/skinned/bmp"
printf 'LE4.urf\r\n' >"$work/skinned/face.txt"
probe="$build/bench/paint_probe"
for _ in $(seq 1 "$rounds"); do
  "$probe" "$work/plain/tessivo" >>"$work/plain.txt"
  "$probe" "$work/skinned/tessivo" >>"$work/skinned.txt"
  "$probe" "$build/bench/minimal_qt_window" >>"$work/minimal.txt"
done
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
column() { awk -v c="$2" '{print $c}' "$1" | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
for f in mapped:1 painted:2 rss:3; do
  name="${f%%:*}"; c="${f##*:}"; unit=ms; [[ "$name" == rss ]] && unit=KB
  p="$(column "$work/plain.txt" "$c")"; s="$(column "$work/skinned.txt" "$c")"; m="$(column "$work/minimal.txt" "$c")"
  printf 'start-up, exec -> %-8s tessivo %7s %s (%s x)   skinned %7s %s (%s x)   minimal Qt window %7s %s\n' \
    "$name:" "$p" "$unit" "$(ratio "$p" "$m")" "$s" "$unit" "$(ratio "$s" "$m")" "$m" "$unit"
done
