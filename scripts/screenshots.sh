#!/usr/bin/env bash
# Takes screenshots of both programs as a user sees them: the Release build on
# a real X display (Xvfb) with a window manager, driven by keys. Not part of
# test.sh; look at the pictures after a change to what the programs show.
#
#   scripts/screenshots.sh [FOLDER]        pictures go to FOLDER (default build/screenshots)
#
#   PELKO_DISPLAY   the X display to use (default :15); Xvfb and openbox are
#                   started there unless an X server already answers
#   PELKO_BUILD     the build folder with bin/Pelko32 (default build)
#
# The programs run with options, registry and desktop folders of their own in
# a temporary folder, so nothing of the user's is read or changed. Nothing is
# installed: a missing tool is named and the script stops.
set -euo pipefail
cd "$(dirname "$0")/.."

display=${PELKO_DISPLAY:-:15}
build=${PELKO_BUILD:-build}
out=${1:-$build/screenshots}

missing=()
for tool in Xvfb:xvfb openbox:openbox xdotool:xdotool import:imagemagick; do
  command -v "${tool%%:*}" >/dev/null || missing+=("${tool%%:*} (Debian package ${tool#*:})")
done
if [ ${#missing[@]} -gt 0 ]; then
  printf 'missing: %s\n' "${missing[@]}" >&2
  exit 1
fi
for program in Pelko32 PelkoHelp; do
  if [ ! -x "$build/bin/$program" ]; then
    echo "no $build/bin/$program: build it first (./run.sh, or cmake --build $build)" >&2
    exit 1
  fi
done

tmp=$(mktemp -d)
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

export DISPLAY=$display
if ! xdotool getdisplaygeometry >/dev/null 2>&1; then
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
  started+=($!)
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
  xdotool getdisplaygeometry >/dev/null 2>&1 || { cat "$tmp/xvfb.log" >&2; exit 1; }
  openbox >"$tmp/openbox.log" 2>&1 &
  started+=($!)
  sleep 1
fi

export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data XDG_RUNTIME_DIR=$tmp/run
export PELKO_REGISTRY=$tmp/registry.reg QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$out"
chmod 700 "$XDG_RUNTIME_DIR"
# Not a first start: that would open the help viewer's first steps.
printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
  '[HKEY_CURRENT_USER\Software\Pelko32]' '"Pelko noch nie gestartet"=dword:00000000' >"$PELKO_REGISTRY"

# Waits until a window whose title contains $1 is shown.
wait_for() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "no window \"$1\" appeared" >&2
  return 1
}
shot() {
  sleep 1
  import -window root "$out/$1.png"
  echo "$out/$1.png"
}
key() { xdotool key --delay 100 "$@"; }

"$build/bin/Pelko32" "$build/bin/Beispiele/Englisch-Beispiel.PLK" >"$tmp/pelko32.log" 2>&1 &
started+=($!)
wait_for "Pelko32, Version"
sleep 2  # the splash
shot 01-hauptfenster

key F4  # the entry editor; its toolbar button stays down while it is open
shot 02-eingabemaske
key Escape

key ctrl+o
wait_for "ffnen"
shot 03-oeffnen
key Escape

key ctrl+f
wait_for "Vokabel suchen"
shot 03-suchen
key Escape

key alt+d o
wait_for "Optionen"
shot 04-optionen
key Escape

key ctrl+p
wait_for "Drucken"
# The print dialog aside, so the print window with its printer shows too.
sleep 1
xdotool getactivewindow windowmove 420 430
shot 05-drucken
key Escape

key F7
shot 06-abfragen
key Return
shot 07-abfragen
# A wrong answer: the verdict page with its three marked lines.
xdotool type --delay 100 "falsch"
key Return
shot 08-bewertung

"$build/bin/PelkoHelp" >"$tmp/pelkohelp.log" 2>&1 &
started+=($!)
wait_for "Pelko32 Hilfe"
shot 09-hilfe
