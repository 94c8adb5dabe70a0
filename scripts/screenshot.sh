#!/usr/bin/env bash
# Screenshots of the main window under Xvfb with a window manager, for looking at the layout:
#   scripts/screenshot.sh BUILD_DIR OUT_DIR [CHARACTER...]
# Writes OUT_DIR/collapsed.png, OUT_DIR/expanded.png and one OUT_DIR/expanded-<character>.png
# for each character typed into the character input; an argument pinyin:READING types a reading
# into the pinyin chooser, strokes:GLYPHS (five glyphs, "_" for blank) sets the stroke choosers,
# settings opens the Settings window and writes OUT_DIR/settings.png.
# With TESSIVO_SKIN=NAME.urf the program starts with that skin (its face.txt names it); without
# it the skins are left out and the window is unskinned.
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
# A skinned window draws its frame inside itself: its controls sit lower and to the right.
# Without TESSIVO_SKIN there are no skin files, so the run is unskinned.
dx=0; dy=0
if [[ -n "${TESSIVO_SKIN:-}" ]]; then
  cp "$build"/bin/*.urf "$work/"
  printf '%s\r\n' "$TESSIVO_SKIN" | iconv -f UTF-8 -t GBK > "$work/face.txt"
  [[ "$TESSIVO_SKIN" == "取消皮肤.urf" ]] || { dx=3; dy=26; }
fi
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
# Widgets are found by their control names: the program prints each one's rectangle in the
# client area ("Text5 74 172 195 20").
map="$("$work/tessivo" --widget-map)"
rect() {  # rect NAME: sets L T W H of the widget
  read -r L T W H < <(awk -v n="$1" '$1 == n { print $2, $3, $4, $5 }' <<<"$map")
  [[ -n "$L" ]] || { echo "no widget $1" >&2; exit 1; }
}
clickAt() { geometry; xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1; }
clickOn() { rect "$1"; clickAt $((L + dx + W / 2)) $((T + dy + H / 2)); }
crop "$out/collapsed.png"
clickOn Command1
sleep 0.5
crop "$out/expanded.png"
typeInto() {  # typeInto NAME TEXT: click a box and replace its text
  clickOn "$1"
  xdotool key --clearmodifiers ctrl+a BackSpace
  [[ "$2" == "_" ]] && xdotool type " " || xdotool type --delay 50 "$2"
}
for c in "$@"; do
  case "$c" in
    pinyin:*) typeInto Combo6 "${c#pinyin:}" ;;
    strokes:*)
      # Chosen from each chooser's open list, as a user does (every choice moves the keyboard
      # focus to the result list): a click on the arrow, the last few pixels of the chooser, opens
      # the list; Home, Down and Return pick the item.
      glyphs="${c#strokes:}"; order="一丨丿丶乙_"
      for k in 1 2 3 4 5; do
        g="${glyphs:$((k - 1)):1}"; prefix="${order%%"$g"*}"; item=${#prefix}
        rect "Combo$k"
        clickAt $((L + dx + W - 5)) $((T + dy + H / 2)); sleep 0.3
        xdotool key Home; for _ in $(seq 1 "$item"); do xdotool key Down; done
        xdotool key Return; sleep 0.2
      done ;;
    settings)
      clickOn Command4
      for _ in $(seq 1 50); do
        setup="$(xdotool search --onlyvisible --name '^ 设置$' 2>/dev/null | head -1 || true)"
        [[ -n "$setup" ]] && break; sleep 0.1
      done
      sleep 0.5
      shot "$out/settings.png"
      xdotool windowactivate --sync "$win" 2>/dev/null || true
      continue ;;
    *) typeInto Text5 "$c" ;;
  esac
  sleep 0.4
  crop "$out/expanded-$c.png"
done
