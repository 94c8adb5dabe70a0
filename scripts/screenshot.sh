#!/usr/bin/env bash
# Screenshots of the main window under Xvfb with a window manager, for looking at the layout:
#   scripts/screenshot.sh BUILD_DIR OUT_DIR [CHARACTER...]
# Writes OUT_DIR/collapsed.png, OUT_DIR/expanded.png and one OUT_DIR/expanded-<character>.png
# for each character typed into the character input; an argument pinyin:READING types a reading
# into the pinyin chooser, strokes:GLYPHS (five glyphs, "_" for blank) sets the stroke choosers.
set -euo pipefail
export LC_ALL=C.UTF-8
build="$(cd "${1:-build}" && pwd)"; out="${2:-shots}"; shift 2 || true
mkdir -p "$out"; out="$(cd "$out" && pwd)"
work="$(mktemp -d)"
display=":$((90 + RANDOM % 100))"
cleanup() { kill "${app:-}" "${wm:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
cp "$build/bin/tessivo" "$build/bin/wwbb11.dat" "$build/bin/wwbb11cz.dat" "$work/"
ln -s "$build/bin/bmp" "$work/bmp"
export XDG_RUNTIME_DIR="$work/runtime"; mkdir -m 700 "$XDG_RUNTIME_DIR"
Xvfb "$display" -screen 0 800x600x24 >/dev/null 2>&1 & xvfb=$!
export DISPLAY="$display"
sleep 0.5
openbox >/dev/null 2>&1 & wm=$!
sleep 0.5
"$work/tessivo" & app=$!
for _ in $(seq 1 100); do
  win="$(xdotool search --onlyvisible --name '^ Tessivo$' 2>/dev/null | head -1 || true)"
  [[ -n "$win" ]] && break; sleep 0.1
done
sleep 0.5
shot() { import -window root "$1"; }
geometry() {
  # The client area's absolute position (xdotool's own report is off by the frame on openbox).
  X="$(xwininfo -id "$win" | sed -n 's/ *Absolute upper-left X: *//p')"
  Y="$(xwininfo -id "$win" | sed -n 's/ *Absolute upper-left Y: *//p')"
  WIDTH="$(xwininfo -id "$win" | sed -n 's/ *Width: *//p')"
  HEIGHT="$(xwininfo -id "$win" | sed -n 's/ *Height: *//p')"
}
crop() { geometry; import -window root -crop "$((WIDTH + 20))x$((HEIGHT + 40))+$((X - 10))+$((Y - 30))" "$1"; }
crop "$out/collapsed.png"
# Expand: the button sits in the code row; click it through its position in the window.
geometry
xdotool mousemove --sync $((X + 330)) $((Y + 125)) click 1
sleep 0.5
crop "$out/expanded.png"
typeAt() {  # typeAt X Y TEXT: click a box at client position X,Y and replace its text
  geometry
  xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
  xdotool key --clearmodifiers ctrl+a BackSpace
  [[ "$3" == "_" ]] && xdotool type " " || xdotool type --delay 50 "$3"
}
for c in "$@"; do
  case "$c" in
    pinyin:*) typeAt 380 182 "${c#pinyin:}" ;;
    strokes:*)
      # Chosen with the mouse from each chooser's list, as a user does (every choice moves the
      # keyboard focus to the result list). Items are about 16.7 pixels apart below the box.
      glyphs="${c#strokes:}"; arrows=(126 188 251 313 376); order="一丨丿丶乙_"
      for k in 0 1 2 3 4; do
        g="${glyphs:$k:1}"; prefix="${order%%"$g"*}"; item=${#prefix}
        geometry; xdotool mousemove --sync $((X + ${arrows[$k]})) $((Y + 206)) click 1; sleep 0.3
        xdotool mousemove --sync $((X + ${arrows[$k]} - 20)) $((Y + 225 + item * 167 / 10)) click 1; sleep 0.2
      done ;;
    *) typeAt 150 182 "$c" ;;
  esac
  sleep 0.4
  crop "$out/expanded-$c.png"
done
