#!/usr/bin/env bash
# An installed copy in a read-only folder: it starts, looks up 中, and keeps its settings in the
# user's configuration folder. Run as an ordinary user (nobody when the tests run as root, since
# root may write into read-only folders).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/window_steps.sh"
build="$1"
command -v Xvfb >/dev/null && command -v openbox >/dev/null && command -v xdotool >/dev/null ||
  { echo "Xvfb/openbox/xdotool missing"; exit 1; }

work="$(mktemp -d)"
cleanup() {
  kill "${app_pid:-}" "${wm_pid:-}" "${xvfb_pid:-}" 2>/dev/null || true
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
folder="$(dirname "$(readlink -f "$prefix/bin/tessivo")")"
for f in tessivo tessivo-window.so tessivo-screen-reader.so wwbb11.dat wwbb11cz.dat decomposition.tsv bmp/啊.bmp; do
  [[ -e "$folder/$f" ]] || { echo "FAIL: the installed copy lacks $f"; exit 1; }
done
chmod -R a-w "$prefix"

home="$work/home"
mkdir -m 777 "$home"
as_user() {
  if [[ "$(id -u)" -eq 0 ]]; then
    setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$home" XDG_RUNTIME_DIR="$home/runtime" "$@"
  else
    env HOME="$home" XDG_RUNTIME_DIR="$home/runtime" "$@"
  fi
}
unset XDG_CONFIG_HOME
as_user mkdir -m 700 "$home/runtime"
as_user touch "$folder/probe" 2>/dev/null && { echo "FAIL: the program folder is writable"; exit 1; }

out="$(as_user env QT_QPA_PLATFORM=offscreen "$prefix/bin/tessivo" --lookup 中)"
grep -q '"code_line":"k khk"' <<<"$out" || { echo "FAIL: --lookup 中 gave $out"; exit 1; }

# The window, on a display of its own that the unprivileged user may open.
display=":$((150 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & wm_pid=$!
sleep 0.5
as_user env -u QT_QPA_PLATFORM DISPLAY="$display" "$prefix/bin/tessivo" & app_pid=$!
find_main_window
[[ -n "$win" ]] || { echo "FAIL: the installed copy's window did not appear"; exit 1; }
close_main_window "$app_pid"
wait "$app_pid" || { echo "FAIL: the installed copy ended with an error"; exit 1; }

config="$home/.config/tessivo"
[[ -f "$config/face.txt" && -f "$config/ji.txt" ]] || { echo "FAIL: no settings in $config"; ls -la "$home" "$config" 2>&1; exit 1; }
cmp -s "$config/ji.txt" <(printf '31\r\n') || { echo "FAIL: ji.txt holds '$(cat "$config/ji.txt")'"; exit 1; }
[[ ! -e "$folder/face.txt" && ! -e "$folder/ji.txt" ]] || { echo "FAIL: settings were written beside the program"; exit 1; }
echo "ok"
