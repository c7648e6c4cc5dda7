#!/usr/bin/env bash
# Makes the README's pictures in docs/images/ from the real programs: the editor's windows under
# a virtual X server (Xvfb), driven with xdotool as a person would, on the sample document in
# examples/house/, and its web site in Debian's headless Chromium at two widths. Needs no display
# of its own; run it again at any time to refresh the pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh xvfb xauth xdotool imagemagick
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

images=docs/images
document=examples/house
pagemaker=./build/editor/pagemaker
pagetool=./build/tool/pagetool
mkdir -p "$images"
work=$(mktemp -d)
server=""
editor=""
cleanup() {
  [[ -n $editor ]] && kill "$editor" 2>/dev/null || true
  [[ -n $server ]] && kill "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A virtual screen of its own, on the first free display number.
display=90
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1440x1000x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
export DISPLAY=":$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# The editor as a new user starts it: no recovery copies, its own language.
export XDG_STATE_HOME=$work/state
export LANGUAGE="" LC_ALL="" LC_MESSAGES=""

# The window of the editor whose title starts with $1, once it is shown.
window_titled() {
  local id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --class pagemaker 2>/dev/null); do
      [[ $(xdotool getwindowname "$id") == "$1"* ]] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  echo "no window titled $1" >&2
  return 1
}

# Raises the window and writes what the screen shows of it to $2.
shoot() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  xdotool windowraise "$1"
  sleep 0.8
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
  echo "$2"
}

# Presses keys in the window.
press() {
  xdotool windowfocus --sync "$1"
  shift
  xdotool key "$@"
}

start_editor() {
  LANG=$1 "$pagemaker" "$document/page1.pag" >/dev/null 2>&1 &
  editor=$!
}

stop_editor() {
  kill "$editor" 2>/dev/null || true
  wait "$editor" 2>/dev/null || true
  editor=""
}

# The editor in Japanese: the main window, the page view, the document window, reading mode.
start_editor ja_JP.UTF-8
main=$(window_titled "もけぽんたす ページメーカー")
shoot "$main" "$images/main-window.png"
press "$main" ctrl+l
view=$(window_titled "ページ表示")
press "$view" Tab
shoot "$view" "$images/page-view.png"
press "$view" ctrl+d
documents=$(window_titled "ドキュメント")
sleep 3  # the document is read and laid out meanwhile
shoot "$documents" "$images/document-window.png"

# Reading: the pointer over the front door, link 0, whose slot picture then shows. The page lies
# in the middle of the page view's drawing area, under its menu and tool bar.
press "$view" F5
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$view")"
read -r left top right bottom < <("$pagetool" info "$document/page1.pag" |
  sed -n 's/^link 0: left \([0-9]*\), top \([0-9]*\), right \([0-9]*\), bottom \([0-9]*\),.*/\1 \2 \3 \4/p')
page_width=800
page_height=600
bars=46   # menu and tool bar
status=22 # status line
xdotool mousemove $((X + (WIDTH - page_width) / 2 + (left + right) / 2)) \
  $((Y + bars + (HEIGHT - bars - status - page_height) / 2 + (top + bottom) / 2))
shoot "$view" "$images/reading-mode.png"
stop_editor

# The main window in English.
start_editor en_US.UTF-8
shoot "$(window_titled "Mokepontasu Page Maker")" "$images/main-window-en.png"
stop_editor

# The web site in a browser, wide and narrow.
"$pagetool" site "$document/page%d.pag" "$work/site" >/dev/null
browse() {
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/chromium" --hide-scrollbars --window-size="$2" \
    --screenshot="$3" "file://$work/site/$1" >/dev/null 2>&1
  echo "$3"
}
browse page-1.html 1280,860 "$images/site-wide.png"
browse page-1.html 420,420 "$images/site-narrow.png"
browse index.html 1280,1000 "$images/site-index.png"
