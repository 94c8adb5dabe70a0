#!/usr/bin/env bash
# The window opens topmost and clears what an earlier kill left of its exit write; a second
# copy, even with another runtime folder, ends silently without touching the settings or those
# leftovers; closing the window writes face.txt and advances ji.txt; with a full disk the old
# settings stay and a message box says they were not saved.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/window_steps.sh"
exe="$1"
[[ -n "${DISPLAY:-}" ]] || { echo "no display: skipped"; exit 77; }
command -v openbox >/dev/null && command -v xdotool >/dev/null && command -v xprop >/dev/null || { echo "openbox/xdotool/xprop missing: skipped"; exit 77; }

work="$(mktemp -d)"
cleanup() { kill "${app_pid:-}" "${wm_pid:-}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

# A private program folder, so the build's own settings are left alone.
bin="$(dirname "$exe")"
cp "$exe" "$(dirname "$exe")"/tessivo-*.so "$work/"
cp "$bin/wwbb11.dat" "$bin/wwbb11cz.dat" "$work/"
ln -s "$bin/bmp" "$work/bmp"
export XDG_RUNTIME_DIR="$work/runtime"; mkdir -m 700 "$XDG_RUNTIME_DIR"

# What a kill during an earlier exit write leaves behind, and a file that only looks like it.
touch "$work/face.txt.Ab12Cd" "$work/ji.txt.Ab12Cd7"

openbox >/dev/null 2>&1 & wm_pid=$!
sleep 0.5

"$work/tessivo" 2>"$work/stderr.txt" & app_pid=$!
find_main_window
[[ -n "$win" ]] || { echo "FAIL: the main window did not appear"; exit 1; }
xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || { echo "FAIL: the window is not kept above others"; xprop -id "$win" _NET_WM_STATE; exit 1; }
cmp -s "$work/face.txt" <(printf 'pixos.urf\r\n') || { echo "FAIL: face.txt was not created with pixos.urf"; exit 1; }

[[ ! -e "$work/face.txt.Ab12Cd" ]] || { echo "FAIL: the stale temporary face.txt.Ab12Cd was kept"; exit 1; }
[[ -e "$work/ji.txt.Ab12Cd7" ]] || { echo "FAIL: ji.txt.Ab12Cd7 is no temporary file of the exit write, yet it was removed"; exit 1; }

# A second copy, started as su or cron would with another runtime folder: ends at once,
# status 0, no second window, settings untouched, and it removes no temporary file of the
# copy that runs.
before="$(cat "$work/face.txt")"
touch "$work/ji.txt.Zz99Yy"
mkdir -m 700 "$work/runtime2"
status=0; XDG_RUNTIME_DIR="$work/runtime2" timeout 20 "$work/tessivo" || status=$?
[[ $status -eq 0 ]] || { echo "FAIL: the second copy ended with $status"; exit 1; }
count="$(xdotool search --onlyvisible --name '^ Tessivo$' | wc -l)"
[[ "$count" -eq 1 ]] || { echo "FAIL: $count windows after a second copy"; exit 1; }
[[ ! -e "$work/ji.txt" && "$(cat "$work/face.txt")" == "$before" ]] || { echo "FAIL: the second copy wrote settings"; exit 1; }
[[ -e "$work/ji.txt.Zz99Yy" ]] || { echo "FAIL: the second copy removed a temporary file of the running copy"; exit 1; }

# Closing the window: face.txt holds the skin name actually used, ji.txt 31.
# Ask the window manager to close it, as the title bar button does.
close_main_window "$app_pid"
if kill -0 "$app_pid" 2>/dev/null; then echo "FAIL: the program did not end when its window closed"; exit 1; fi
wait "$app_pid" || { echo "FAIL: the program ended with an error"; exit 1; }
# The record files are checked on a thread started before the application object: Qt must still
# take the thread that made the application as its main thread.
if grep -q "not created in the main() thread" "$work/stderr.txt"; then echo "FAIL: Qt took a worker for the main thread"; exit 1; fi
cmp -s "$work/ji.txt" <(printf '31\r\n') || { echo "FAIL: ji.txt holds '$(cat "$work/ji.txt")'"; exit 1; }
iconv -f GBK -t UTF-8 "$work/face.txt" | grep -q '^取消皮肤.urf' || { echo "FAIL: face.txt does not hold the no-skin name"; exit 1; }

# A full disk at exit: no file may grow (writes fail as with ENOSPC). The settings stay as they
# were, and a message box says so before the program ends.
face_before="$(cat "$work/face.txt")"
( trap '' XFSZ; ulimit -f 0; exec "$work/tessivo" ) & app_pid=$!
find_main_window
[[ -n "$win" ]] || { echo "FAIL: the program did not start with a full disk"; exit 1; }
main="$win"
xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4
box=""
for _ in $(seq 1 100); do
  box="$(xdotool search --onlyvisible --name '^ Tessivo$' 2>/dev/null | grep -vx "$main" | head -1 || true)"
  [[ -n "$box" ]] && break
  sleep 0.1
done
[[ -n "$box" ]] || { echo "FAIL: no message box told that the settings were not saved"; exit 1; }
xdotool windowactivate --sync "$box" key Return
for _ in $(seq 1 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then echo "FAIL: the program did not end after the message box"; exit 1; fi
wait "$app_pid" || { echo "FAIL: the program ended with an error after a failed save"; exit 1; }
cmp -s "$work/ji.txt" <(printf '31\r\n') || { echo "FAIL: with a full disk ji.txt became '$(cat -A "$work/ji.txt")'"; exit 1; }
[[ "$(cat "$work/face.txt")" == "$face_before" ]] || { echo "FAIL: with a full disk face.txt became '$(cat -A "$work/face.txt")'"; exit 1; }
echo "ok"
