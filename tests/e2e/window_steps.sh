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
# the program to end.
close_main_window() {
  xdotool windowactivate --sync "$win" key --clearmodifiers alt+F4
  for _ in $(seq 1 100); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
}
