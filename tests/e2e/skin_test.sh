#!/usr/bin/env bash
# Skins on a real desktop: the default "pixos.urf" finds PixOS.urf and the window draws its own
# frame (no window-manager frame, 100 twips taller); its title bar moves it; in Settings the
# no-skin choice gives the window manager's frame back and LE4 takes it away again; the drawn
# close button ends the program, which keeps LE4.urf in face.txt.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/window_steps.sh"
exe="$1"
[[ -n "${DISPLAY:-}" ]] || { echo "no display: skipped"; exit 77; }
command -v openbox >/dev/null && command -v xdotool >/dev/null && command -v xwininfo >/dev/null || { echo "openbox/xdotool/xwininfo missing: skipped"; exit 77; }

work="$(mktemp -d)"
cleanup() { kill "${app_pid:-}" "${wm_pid:-}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
bin="$(dirname "$exe")"
cp "$exe" "$work/tessivo"
cp "$bin/wwbb11.dat" "$bin/wwbb11cz.dat" "$bin"/*.urf "$work/"
ln -s "$bin/bmp" "$work/bmp"
export XDG_RUNTIME_DIR="$work/runtime"; mkdir -m 700 "$XDG_RUNTIME_DIR"

openbox >/dev/null 2>&1 & wm_pid=$!
sleep 0.5
"$work/tessivo" & app_pid=$!
find_main_window
[[ -n "$win" ]] || { echo "FAIL: the main window did not appear"; exit 1; }
sleep 0.5

# info ID: X Y (absolute client position), W H, and whether a window-manager frame is around it.
info() {
  local i; i="$(xwininfo -id "$1")"
  X="$(sed -n 's/ *Absolute upper-left X: *//p' <<<"$i")"; Y="$(sed -n 's/ *Absolute upper-left Y: *//p' <<<"$i")"
  W="$(sed -n 's/ *Width: *//p' <<<"$i")"; H="$(sed -n 's/ *Height: *//p' <<<"$i")"
  framed=0; [[ "$(sed -n 's/ *Relative upper-left Y: *//p' <<<"$i")" -gt 0 ]] && framed=1
  return 0
}
click() { info "$1"; xdotool mousemove --sync $((X + $2)) $((Y + $3)) click 1; sleep 0.4; }
expect() { [[ "$2" == "$3" ]] || { echo "FAIL: $1 is $2, expected $3"; exit 1; }; }

info "$win"
expect "the skinned window's frame (0: drawn by itself)" "$framed" 0
expect "the skinned window's size" "${W}x$H" "452x199"  # 6780 x 2990 twips

# Dragging the drawn title bar moves the window.
x0=$X; y0=$Y
xdotool mousemove --sync $((X + 150)) $((Y + 12)) mousedown 1
sleep 0.3
for step in 1 2 3 4; do xdotool mousemove --sync $((x0 + 150 + 10 * step)) $((y0 + 12 + 8 * step)); sleep 0.1; done
xdotool mouseup 1
sleep 0.5
info "$win"
[[ $((X - x0)) -ge 20 && $((Y - y0)) -ge 15 ]] || { echo "FAIL: the title bar did not move the window ($x0,$y0 -> $X,$Y)"; exit 1; }

# Settings: "设置" lies in the code row, below the drawn title bar.
read -r L T BW BH < <("$work/tessivo" --widget-map | awk '$1 == "Command4" { print $2, $3, $4, $5 }')
click "$win" $((3 + L + BW / 2)) $((26 + T + BH / 2))
setup=""
for _ in $(seq 1 50); do
  setup="$(xdotool search --onlyvisible --name '^ 设置$' 2>/dev/null | head -1 || true)"
  [[ -n "$setup" ]] && break; sleep 0.1
done
[[ -n "$setup" ]] || { echo "FAIL: the Settings window did not open"; exit 1; }
sleep 0.3
info "$setup"
expect "the skinned Settings window's height" "$H" 236  # 3540 twips

# No skin: the window manager's frame comes back and the window is 6780 x 2890 twips again.
click "$setup" $((3 + 69)) $((26 + 91))
info "$win"
expect "the unskinned window's frame (1: the window manager's)" "$framed" 1
expect "the unskinned window's client size" "${W}x$H" "446x170"

# LE4 (the Settings window has the window manager's frame now too).
click "$setup" 128 131
info "$win"
expect "the frame under LE4" "$framed" 0
expect "the size under LE4" "${W}x$H" "452x199"

# " 确  定" closes Settings; the drawn close button closes the program.
info "$setup"
click "$setup" $((3 + 168)) $((26 + 185))
xdotool search --onlyvisible --name '^ 设置$' >/dev/null 2>&1 && { echo "FAIL: Settings is still open"; exit 1; }
info "$win"
click "$win" $((W - 3 - 3 - 10)) 13
for _ in $(seq 1 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then echo "FAIL: the drawn close button did not end the program"; exit 1; fi
wait "$app_pid" || { echo "FAIL: the program ended with an error"; exit 1; }
cmp -s "$work/face.txt" <(printf 'LE4.urf\r\n') || { echo "FAIL: face.txt holds '$(cat -A "$work/face.txt")'"; exit 1; }
echo "ok"
