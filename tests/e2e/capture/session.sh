# A private desktop for the screen lookup checks and benchmark; sourced, not run. Starts an X
# server (on a free display number), a session bus, the accessibility bus and openbox, all
# ended with the caller; sets work, pids and the environment.
launcher=/usr/libexec/at-spi-bus-launcher
work="$(mktemp -d)"
pids=()
cleanup() {
  local pid
  # Last started, first ended: the windows before the buses and the X server.
  for pid in $(printf '%s\n' "${pids[@]}" | tac); do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$work/runtime"; mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY
export OMP_THREAD_LIMIT=1 NO_AT_BRIDGE=0

# The X server picks a free display number and tells it.
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
read -r -t 10 -u "$fd" number || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$number"
dbus-daemon --session --nofork --address="unix:path=$work/bus" >/dev/null 2>&1 & pids+=($!)
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
for _ in $(seq 50); do [[ -S "$work/bus" ]] && break; sleep 0.1; done
"$launcher" --launch-immediately >/dev/null 2>&1 & pids+=($!)
openbox >/dev/null 2>&1 & pids+=($!)
sleep 0.5

