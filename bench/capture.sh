#!/usr/bin/env bash
# Screen lookup figures on a private Xvfb desktop (not part of the test suite):
#   bench/capture.sh BUILD_DIR [ROUNDS]
# 1. pointer at rest on a character -> lookup shown, median and 90th percentile, for the
#    accessible text (GTK and Qt windows) and for OCR (text drawn into a picture);
# 2. OCR accuracy on every pointed character of lines drawn at 12, 14, 16 and 20 px;
# 3. the idle window's CPU use over one minute in the click mode, and its wake-ups.
set -euo pipefail
build="$(cd "$1" && pwd)"; rounds="${2:-5}"
exe="$build/bin/tessivo"; qt_window="$build/tests/tessivo_capture_window"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/tests/e2e/capture/session.sh"
cp "$exe" "$build/bin/wwbb11.dat" "$build/bin/wwbb11cz.dat" "$work/" && ln -s "$build/bin/bmp" "$work/bmp"
point_at() { xdotool mousemove "$(($1 - 1))" "$2" mousemove_relative 1 0; }
pos_list() { awk -v k="$2" 'NF >= 3 && ($1 == k || k == "") { print $(NF-1), $NF }' "$1"; }
stats() {  # label, numbers on stdin
  /usr/bin/python3 -c '
import statistics, sys
v = sorted(float(x) for x in sys.stdin.read().split())
if not v: print(sys.argv[1], "no samples"); sys.exit()
p90 = v[min(len(v) - 1, int(round(0.9 * (len(v) - 1))))]
print(f"{sys.argv[1]}: n={len(v)} median={statistics.median(v):.1f} ms p90={p90:.1f} ms max={v[-1]:.1f} ms")' "$1"
}

# 1. Latency, in the hover mode with one trace line per report.
TESSIVO_LOOKUP_MODE=hover TESSIVO_CAPTURE_TRACE=1 "$work/tessivo" 2>"$work/trace.txt" & pids+=($!)
sleep 3
/usr/bin/python3 "$here/tests/e2e/capture/gtk_window.py" "天地玄黄宇宙洪荒日月盈昃" 20,700 >"$work/gtk.txt" 2>/dev/null & pids+=($!)
"$qt_window" "寒来暑往秋收冬藏闰余成岁" "春眠不觉晓处处闻啼鸟夜来风雨声" 16 640,680 >"$work/qt.txt" 2>/dev/null & pids+=($!)
sleep 3
for _ in $(seq "$rounds"); do
  while read -r x y; do point_at "$x" "$y"; sleep 0.25; done < <(pos_list "$work/gtk.txt" ""; pos_list "$work/qt.txt" TEXT)
  while read -r x y; do point_at "$x" "$y"; sleep 0.4; done < <(pos_list "$work/qt.txt" PICTURE)
done
sed -n 's/.*backend=atspi .*rest_to_shown_ms=\([0-9.]*\).*/\1/p' "$work/trace.txt" | stats "accessible text, rest -> shown"
sed -n 's/.*backend=atspi .*read_ms=\([0-9.]*\).*/\1/p' "$work/trace.txt" | stats "accessible text, read alone"
sed -n 's/.*backend=ocr .*rest_to_shown_ms=\([0-9.]*\).*/\1/p' "$work/trace.txt" | stats "OCR, rest -> shown"
sed -n 's/.*backend=ocr .*read_ms=\([0-9.]*\).*/\1/p' "$work/trace.txt" | stats "OCR, read alone"
kill "${pids[-1]}" "${pids[-2]}" "${pids[-3]}"; wait "${pids[-1]}" "${pids[-2]}" "${pids[-3]}" 2>/dev/null || true
pids=("${pids[@]:0:${#pids[@]}-3}")

# 2. OCR accuracy: every character of a line, pointed once, read by the command line.
line="春眠不觉晓处处闻啼鸟夜来风雨声花落知多少"
right=0; total=0
for size in 12 14 16 20; do
  "$qt_window" "一" "$line" "$size" 40,600 >"$work/ocr.txt" 2>/dev/null & win=$!
  for _ in $(seq 50); do grep -q READY "$work/ocr.txt" && break; sleep 0.1; done
  ok=0; n=0
  while read -r c x y; do
    got="$("$work/tessivo" --capture-at "$x,$y" | /usr/bin/python3 -c 'import json,sys; print(json.load(sys.stdin)["character"])')"
    n=$((n + 1)); [[ "$got" == "$c" ]] && ok=$((ok + 1))
  done < <(awk '$1 == "PICTURE" { print $2, $3, $4 }' "$work/ocr.txt")
  echo "OCR accuracy at $size px: $ok/$n"
  right=$((right + ok)); total=$((total + n))
  kill "$win"; wait "$win" 2>/dev/null || true
done
echo "OCR accuracy, all sizes: $right/$total"

# 3. Idle CPU in the click mode: user + system time and context switches over one minute.
"$work/tessivo" 2>/dev/null & app=$!; pids+=($app)
sleep 3
ticks() { awk '{ print $14 + $15 }' "/proc/$app/stat"; }
switches() { cat /proc/"$app"/task/*/status | awk '/voluntary_ctxt_switches/ { s += $2 } END { print s }'; }
t0=$(ticks); s0=$(switches); sleep 60; t1=$(ticks); s1=$(switches)
hz=$(getconf CLK_TCK)
echo "idle click mode, 60 s: cpu $(( (t1 - t0) * 1000 / hz )) ms ($(awk -v t=$((t1 - t0)) -v hz="$hz" 'BEGIN { printf "%.3f", t / hz / 60 * 100 }')% of a core), context switches $((s1 - s0))"
