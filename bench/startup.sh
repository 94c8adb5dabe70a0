#!/usr/bin/env bash
# Start-up time from main() to the first paint of the main window, median of N runs, for
# Tessivo without a skin, Tessivo with a skin (its face.txt names LE4.urf), and a minimal Qt
# Widgets window on the same display. Needs a display (run it under
# xvfb-run) and a built tree: bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build="${1:-build}"; runs="${2:-21}"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
cp "$build/bin/tessivo" "$build/bin/wwbb11.dat" "$build/bin/wwbb11cz.dat" "$work/"
ln -s "$(cd "$build/bin" && pwd)/bmp" "$work/bmp"
# The same program folder with the skins beside it and one chosen.
mkdir "$work/skinned"
cp "$work/tessivo" "$work/wwbb11.dat" "$work/wwbb11cz.dat" "$build"/bin/*.urf "$work/skinned/"
ln -s "$(cd "$build/bin" && pwd)/bmp" "$work/skinned/bmp"
printf 'LE4.urf\r\n' > "$work/skinned/face.txt"
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
measure() {
  for _ in $(seq 1 "$runs"); do "$@" | sed -n 's/first paint after \([0-9.]*\) ms/\1/p'; done | median
}
echo "tessivo:           $(measure "$work/tessivo" --quit-after-paint) ms (median of $runs)"
echo "tessivo, skinned:   $(measure "$work/skinned/tessivo" --quit-after-paint) ms (median of $runs)"
echo "minimal Qt window: $(measure "$build/bench/minimal_qt_window") ms (median of $runs)"
