#!/usr/bin/env bash
# Kills the program with SIGKILL while it ends, ROUNDS times (200 unless told), and checks after
# every kill that no setting was lost or emptied: face.txt still names the skin, ji.txt holds the
# old count or the next one, and the next start removes any temporary file the kill left.
# Needs an X display with no window manager running (run it under xvfb-run), openbox and xdotool.
# The whole exit write takes well under a millisecond, so when strace is installed each rename
# of the exit write is held back SLOW_RENAME_MS (20 unless told; 0 to run the program bare),
# and the kills land inside the write as well as before and after it.
#
#   xvfb-run -a -s '-screen 0 1280x1024x24' scripts/kill-during-exit.sh build [ROUNDS]
set -euo pipefail
build="${1:?usage: kill-during-exit.sh BUILD_DIR [ROUNDS]}"
rounds="${2:-200}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/tests/e2e/window_steps.sh"
[[ -n "${DISPLAY:-}" ]] || { echo "no display: run it under xvfb-run"; exit 2; }

work="$(mktemp -d)"
cleanup() { kill -9 "${app_pid:-}" 2>/dev/null || true; wait "${runner_pid:-}" 2>/dev/null || true; kill "${wm_pid:-}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

# A private program folder with a skin that is applied, so the exit write has a name to keep.
bin="$build/bin"
cp "$bin/tessivo" "$bin/wwbb11.dat" "$bin/wwbb11cz.dat" "$work/"
ln -s "$(cd "$bin" && pwd)/bmp" "$work/bmp"
printf 'QWidget { background: #ddeeff; }\n' >"$work/LE4.urf"
printf 'LE4.urf\r\n' >"$work/face.txt"
printf '34\r\n' >"$work/ji.txt"
export XDG_RUNTIME_DIR="$work/runtime"; mkdir -m 700 "$XDG_RUNTIME_DIR"

openbox >/dev/null 2>&1 & wm_pid=$!
sleep 0.5

slow_ms="${SLOW_RENAME_MS:-20}"
command -v strace >/dev/null || slow_ms=0
# launch: starts the program, sets app_pid to its process and runner_pid to the child to wait for.
launch() {
  if [[ "$slow_ms" -gt 0 ]]; then
    strace -f -qq -o /dev/null -e trace=rename,renameat,renameat2 \
      -e inject=rename,renameat,renameat2:delay_enter=$((slow_ms * 1000)) "$work/tessivo" 2>/dev/null &
    runner_pid=$!
    app_pid=""
    for _ in $(seq 1 100); do app_pid="$(pgrep -P "$runner_pid" || true)"; [[ -n "$app_pid" ]] && break; sleep 0.05; done
  else
    "$work/tessivo" 2>/dev/null & runner_pid=$!; app_pid=$runner_pid
  fi
}

count() { local c; c="$(tr -d '\r\n' <"$work/ji.txt")"; [[ "$c" =~ ^[0-9]+$ ]] && echo "$c" || echo "bad:$c"; }
leftovers() { find "$work" -maxdepth 1 -regextype posix-extended -regex '.*/(face|ji)\.txt\.[A-Za-z0-9]{6}' | wc -l; }

# How long a clean exit takes once the close request is sent: the kills are spread over that time.
launch
find_main_window
xdotool windowactivate --sync "$win"
xdotool key --clearmodifiers alt+F4
start=$(date +%s%N)
wait "$runner_pid" || true
span_ms=$(( ($(date +%s%N) - start) / 1000000 + 2 ))
echo "a clean exit takes under ${span_ms} ms; kills are spread over that time"

before=0 during=0 after=0 left=0
for round in $(seq 1 "$rounds"); do
  old="$(count)"; old_face="$(stat -c %y "$work/face.txt")"
  [[ "$(leftovers)" -eq 0 ]] || { echo "FAIL round $round: a start did not remove the temporary files"; exit 1; }
  launch
  find_main_window
  [[ -n "$win" ]] || { echo "FAIL round $round: no window"; exit 1; }
  [[ "$(leftovers)" -eq 0 ]] || { echo "FAIL round $round: the start kept temporary files"; exit 1; }
  xdotool windowactivate --sync "$win"
  xdotool key --clearmodifiers alt+F4
  r=$(( RANDOM % span_ms )); sleep "$(( r / 1000 )).$(printf '%03d' $(( r % 1000 )))"
  kill -9 "$app_pid" 2>/dev/null || true
  wait "$runner_pid" 2>/dev/null || true
  cmp -s "$work/face.txt" <(printf 'LE4.urf\r\n') || { echo "FAIL round $round: face.txt holds '$(cat -A "$work/face.txt")'"; exit 1; }
  new="$(count)"
  [[ "$new" == "$old" || "$new" == "$((old + 1))" ]] || { echo "FAIL round $round: ji.txt went from $old to $new"; exit 1; }
  n="$(leftovers)"; left=$(( left + (n > 0 ? 1 : 0) ))
  if [[ "$new" == "$((old + 1))" ]]; then after=$((after + 1))
  elif [[ $n -gt 0 || "$(stat -c %y "$work/face.txt")" != "$old_face" ]]; then during=$((during + 1))
  else before=$((before + 1)); fi
  # The next start clears what the kill left; the check at the top of the loop sees it.
  if [[ $n -gt 0 ]]; then
    launch; find_main_window; kill -9 "$app_pid"; wait "$runner_pid" 2>/dev/null || true
  fi
done
echo "ok: $rounds kills: $before before the exit write, $during inside it, $after after it;" \
     "$left left a temporary file, removed by the next start; face.txt and ji.txt always whole"
