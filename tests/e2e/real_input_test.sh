#!/usr/bin/env bash
# A user's first conversion through real mouse clicks and keys (xdotool):
# start the installed Clipvane, add a video through the Add button and the
# file-open dialog, press Start, answer the closing message, close the window.
# The output must be a video of the clip's length. Every wait hand-shakes on a
# window or a file; the limits only guard against a hang.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine=$here/scripts/wine-run
work=$(mktemp -d "$here/build/real-input.XXXXXX")
pid=""
finish() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  "$wine" reg add 'HKCU\Software\Clipvane\destination' /ve /d "$saved" /f >/dev/null 2>&1 || true
  rm -rf -- "$work"
}
saved=$("$wine" reg query 'HKCU\Software\Clipvane\destination' /ve 2>/dev/null | tr -d '\r' |
  sed -n 's/.*REG_SZ[[:space:]]*//p' || true)
trap finish EXIT
windows_path() { echo "Z:$(echo "$1" | tr / '\\')"; }
# A failure lists the windows on the screen, to tell what the clicks met.
fail() {
  echo "real input: $*" >&2
  for window in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
    echo "  window '$(xdotool getwindowname "$window" 2>/dev/null)' $(xdotool getwindowgeometry "$window" 2>/dev/null |
      tr -s '\n ' ' ')" >&2
  done
  exit 1
}
# Waits up to a minute for a condition, checking every tenth of a second.
await() { for _ in $(seq 600); do eval "$1" && return 0; sleep 0.1; done; fail "gave up waiting for: $1"; }

mkdir -p "$work/out"
ffmpeg -v error -y -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=frequency=440 -t 4 \
  -c:v mpeg4 -q:v 5 -c:a libmp3lame "$work/My clip.avi"
"$wine" reg add 'HKCU\Software\Clipvane\destination' /ve /d "$(windows_path "$work/out")\\" /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Clipvane\SkinIni' /ve /d "" /f >/dev/null 2>&1

cd "$here/dist/Clipvane"
"$wine" ./Clipvane.exe &
pid=$!
# The splash is named Clipvane too: the main window is the one of the skin's size.
main_window() {
  for window in $(xdotool search --onlyvisible --name '^Clipvane$' 2>/dev/null); do
    xdotool getwindowgeometry "$window" 2>/dev/null | grep -q "Geometry: 865x602" && return 0
  done
  return 1
}
await main_window

xdotool mousemove 187 557 click 1
open=$(timeout 60 xdotool search --sync --onlyvisible --name '^Open$' | head -1) || fail "no file-open dialog"
# Typed as a user types: into the focused dialog, not sent to a window.
xdotool windowfocus --sync "$open"
xdotool type --delay 20 "$(windows_path "$work/My clip.avi")"
xdotool key Return
await '! xdotool search --onlyvisible --name "^Open$" >/dev/null'

xdotool mousemove 85 560 click 1
await '[ -s "$work/out/My clip.mp4" ]'
# The closing message: the skinned box carries its caption as its window's
# name. Its OK button sits centred, above its bottom edge.
message_box() { xdotool search --onlyvisible --name '^(Information|Warning)$' 2>/dev/null | head -1 | grep .; }
await 'message_box >/dev/null'
box=$(message_box)
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove --window "$box" "$((WIDTH / 2))" "$((HEIGHT - 31))" click 1
await '[ -z "$(message_box)" ]'
xdotool mousemove 834 17 click 1
await '! kill -0 "$pid" 2>/dev/null'
pid=""

duration=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$work/out/My clip.mp4")
awk -v d="$duration" 'BEGIN { exit !(d > 3.5 && d < 4.5) }' || fail "output lasts $duration s"
echo "real input: converted My clip.avi to My clip.mp4 ($duration s)"
