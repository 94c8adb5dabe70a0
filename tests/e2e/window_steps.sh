# Steps shared by the end-to-end window tests; sourced, not run.

# find_main_window: sets win to the main window's id once it is shown (up to 10 s); empty if not.
find_main_window() {
  win=""
  for _ in $(seq 1 100); do
    win="$(xdotool search --onlyvisible --name '^ Tessivo$' 2>/dev/null | head -1 || true)"
    [[ -n "$win" ]] && return
    sleep 0.1
  done
}

# close_main_window PID: closes the window as its title bar button does and waits up to 10 s for
# the program to end; fails, instead of leaving the caller to wait for ever, if it does not.
close_main_window() {
  # On a busy machine the window manager may never report the activation --sync waits for:
  # activate without waiting, then send the key.
  if ! timeout 3 xdotool windowactivate --sync "$win" key --clearmodifiers alt+F4; then
    xdotool windowactivate "$win" 2>/dev/null || true
    sleep 0.5
    xdotool key --clearmodifiers alt+F4 || true
  fi
  for _ in $(seq 1 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  echo "FAIL: the program did not end within 10 s of closing its window"
  return 1
}
