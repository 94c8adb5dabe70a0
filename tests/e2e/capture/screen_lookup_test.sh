#!/usr/bin/env bash
# Screen lookup end to end: a private X server, window manager, session bus and accessibility
# bus; a GTK 3 window and a Qt window with known Chinese text; the pointer moved by xdotool.
# Hover mode looks up the pointed character (read from what the window's code row shows);
# click mode looks up on a click and not on a mere rest; an arrow or a Latin letter looks
# nothing up; text drawn into a picture is read from the screen (OCR); the program switches the
# accessibility flag on.
#   screen_lookup_test.sh TESSIVO QT_WINDOW GTK_WINDOW.py
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../window_steps.sh"
exe="$1"; qt_window="$2"; gtk_window="$3"
for tool in Xvfb openbox xdotool dbus-daemon dbus-send; do
  command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
[[ -x /usr/libexec/at-spi-bus-launcher ]] || { echo "at-spi2-core missing: skipped"; exit 77; }
/usr/bin/python3 -c 'import gi; gi.require_version("Gtk", "3.0"); from gi.repository import Gtk' 2>/dev/null ||
  { echo "python3-gi with GTK 3 missing: skipped"; exit 77; }

source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

a11y_enabled() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Get \
    string:org.a11y.Status string:IsEnabled 2>/dev/null | grep -q 'boolean true'
}
# The flag off, as on a desktop without a screen reader: the program must switch it on.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
  string:org.a11y.Status string:IsEnabled variant:boolean:false >/dev/null
a11y_enabled && { echo "FAIL: the accessibility flag could not be switched off for the check"; exit 1; }

bin="$(dirname "$exe")"
mkdir "$work/prog"
cp "$exe" "$bin/wwbb11.dat" "$bin/wwbb11cz.dat" "$work/prog/"
ln -s "$bin/bmp" "$work/prog/bmp"
dump="$work/widgets.txt"

code_line() { "$work/prog/tessivo" --lookup "$1" | /usr/bin/python3 -c 'import json,sys; print(json.load(sys.stdin)["code_line"])'; }
shown() { sed -n 's/^Label10\t//p' "$dump" 2>/dev/null; }
start_tessivo() {  # MODE
  rm -f "$dump"
  TESSIVO_LOOKUP_MODE="$1" TESSIVO_WIDGET_DUMP="$dump" "$work/prog/tessivo" 2>"$work/tessivo.err" & app_pid=$!; pids+=($app_pid)
  find_main_window
  for _ in $(seq 50); do [[ -s "$dump" ]] && break; sleep 0.1; done
  [[ -n "$win" && -s "$dump" ]] || { echo "FAIL: the main window did not appear"; cat "$work/tessivo.err"; exit 1; }
}
# A warp (xdotool's absolute move) produces no raw motion event, a real pointer does: end each
# move with a one-pixel relative step, as a hand on a mouse would.
point_at() { xdotool mousemove "$(($1 - 1))" "$2" mousemove_relative 1 0; }
expect_shown() {  # CHAR WHAT
  local want; want="$(code_line "$1")"
  for _ in $(seq 50); do [[ "$(shown)" == "$want" ]] && return; sleep 0.1; done
  cat "$work/tessivo.err"
  echo "read there: $("$work/prog/tessivo" --capture-at "$(xdotool getmouselocation | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1,\2/')")"
  echo "FAIL: $2: the code row shows '$(shown)', not '$want' ($1)"; exit 1
}
expect_unchanged() {  # BEFORE WHAT
  sleep 1.5  # a read that met the bus's time-out is made once more
  [[ "$(shown)" == "$1" ]] || { echo "FAIL: $2: the code row changed to '$(shown)'"; exit 1; }
}

start_tessivo hover
for _ in $(seq 50); do a11y_enabled && break; sleep 0.1; done
a11y_enabled || { echo "FAIL: the program did not switch the accessibility flag on"; exit 1; }

sleep 2  # as above, before the first read
# The windows sit below the program's own (centred) window.
/usr/bin/python3 "$gtk_window" "我们的中文A↑字" 20,700 >"$work/gtk.txt" 2>/dev/null & pids+=($!)
"$qt_window" "天地玄黄宇宙" "春眠不觉晓处" 18 640,680 >"$work/qt.txt" 2>/dev/null & pids+=($!)
for _ in $(seq 100); do grep -q READY "$work/gtk.txt" && grep -q READY "$work/qt.txt" && break; sleep 0.1; done
grep -q READY "$work/gtk.txt" && grep -q READY "$work/qt.txt" || { echo "FAIL: the test windows did not show"; exit 1; }
pos() { awk -v c="$2" '$(NF-2) == c { print $(NF-1), $NF; exit }' "$1"; }

point_at $(pos "$work/gtk.txt" 中); expect_shown 中 "hover over a GTK label"
point_at $(pos "$work/qt.txt" 玄); expect_shown 玄 "hover over a Qt text box"
point_at $(pos "$work/gtk.txt" 们); expect_shown 们 "hover over the next GTK character"
# Text drawn into a picture exposes nothing: the screen's pixels are read.
point_at $(pos "$work/qt.txt" 春); expect_shown 春 "hover over text in a picture (OCR)"
point_at $(pos "$work/qt.txt" 觉); expect_shown 觉 "hover over the next character in the picture (OCR)"
before="$(shown)"
point_at $(pos "$work/gtk.txt" A); expect_unchanged "$before" "hover over a Latin letter"
point_at $(pos "$work/gtk.txt" ↑); expect_unchanged "$before" "hover over an arrow"
close_main_window "$app_pid"; wait "$app_pid" 2>/dev/null || true

# Click mode (every run starts in it): resting looks nothing up, a click does.
start_tessivo click
# While a freshly started program registers with the accessibility bus, reads may wait for the
# bus's time-out; let that pass before the clicks.
sleep 2
before="$(shown)"
point_at $(pos "$work/gtk.txt" 文); expect_unchanged "$before" "a mere rest in the click mode"
xdotool click 1; expect_shown 文 "a left click in the click mode"
point_at $(pos "$work/qt.txt" 宇); sleep 1.5
xdotool click 3; expect_shown 宇 "a right click in the click mode"
before="$(shown)"
point_at $(pos "$work/gtk.txt" A); sleep 1.5
xdotool click 1; expect_unchanged "$before" "a click on a Latin letter"
close_main_window "$app_pid"; wait "$app_pid" 2>/dev/null || true
echo "ok"
