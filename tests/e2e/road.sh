#!/usr/bin/env bash
# The whole road as a user takes it, in a real X window: Xvfb with openbox,
# the controller simulator on a free port, and the program over an empty data
# folder, driven with xdotool. It adds a controller through the dialog, reads
# its configuration, changes it, writes it back, checks for an update and
# closes; then it checks the simulator's stored document, mqtt.json and the
# settings file. Screenshots of every window go to build/e2e/.
# Every wait is for a window or a file, with a time-out; nothing sleeps blindly.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
BUILD=${BUILD_DIR:-build}
APP=$ROOT/$BUILD/zoren-mqtt
SIM=$ROOT/$BUILD/tools/zoren-sim/zoren-sim
OUT=$ROOT/$BUILD/e2e
WAIT=${E2E_WAIT:-60}
for tool in Xvfb openbox xdotool xwininfo setxkbmap wmctrl import iconv; do
  command -v "$tool" >/dev/null || { echo "road: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
[ -x "$APP" ] && [ -x "$SIM" ] || { echo "road: build $APP and $SIM first" >&2; exit 1; }

rm -rf "$OUT"
mkdir -p "$OUT"
WORK=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

step() { echo "road: $*"; }
shot() { import -window root "$OUT/$1.png" 2>/dev/null || echo "road: no screenshot $1" >&2; }
fail() {
  echo "road: FAIL: $*" >&2
  shot failure
  [ -f "$WORK/app.log" ] && { echo "--- program output"; cat "$WORK/app.log"; } >&2
  [ -f "$WORK/sim.log" ] && { echo "--- simulator output"; cat "$WORK/sim.log"; } >&2
  echo "road: screenshots in $OUT" >&2
  exit 1
}
# Prints the id of the first visible window whose name matches, polling for
# WAIT seconds. Polled rather than --sync: a window destroyed while xdotool
# walks the tree (a menu closing) makes it give up with an X error.
window() {
  local end=$((SECONDS + WAIT)) id
  while :; do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}
need_window() {
  local id
  id=$(window "$1") || true
  [ -n "$id" ] || fail "no window named '$1' appeared within $WAIT s ($2)"
  echo "$id"
}
# Waits until no visible window of that name is left.
gone() {
  local end=$((SECONDS + WAIT))
  while xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || fail "window '$1' did not close within $WAIT s ($2)"
    sleep 0.1
  done
}
until_true() {  # WHAT, command...
  local what=$1 end=$((SECONDS + WAIT)); shift
  until "$@"; do
    [ $SECONDS -lt $end ] || fail "$what not within $WAIT s"
    sleep 0.1
  done
}
# Answers a message window: checks its caption, keeps a screenshot, presses Enter.
message() {  # caption, screenshot name, what
  local id
  id=$(need_window "^$1\$" "$3")
  xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
  shot "$2"
  xdotool key Return
  gone "^$1\$" "$3"
}
# Opens the table's context menu from the keyboard and picks the n-th command.
context_command() {  # n, what
  xdotool windowactivate --sync "$MAIN" >/dev/null 2>&1 || true
  xdotool key Menu
  until_true "the context menu for $2" menu_open
  for ((i = 0; i < $1; i++)); do xdotool key Down; done
  xdotool key Return
}
# The program's visible windows other than those named, one id a line.
other_windows() {
  local ids id known
  ids=$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null || true)
  for id in $ids; do
    known=0
    for k in "$@"; do [ "$id" = "$k" ] && known=1; done
    [ $known = 1 ] || echo "$id"
  done
}
menu_open() { [ -n "$(other_windows "$MAIN" ${EXTRA:-})" ]; }
# Waits for a new window of the program besides the ones named; prints its id.
need_new_window() {  # what, known ids...
  local what=$1 end=$((SECONDS + WAIT)) id; shift
  while :; do
    id=$(other_windows "$@" | head -n1)
    [ -n "$id" ] && { echo "$id"; return; }
    [ $SECONDS -lt $end ] || fail "no $what appeared within $WAIT s"
    sleep 0.1
  done
}
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
gone_id() {  # id, what
  local end=$((SECONDS + WAIT))
  while viewable "$1"; do
    [ $SECONDS -lt $end ] || fail "$2 did not close within $WAIT s"
    sleep 0.1
  done
}

# --- a display of our own, with a window manager
step "starting Xvfb and openbox"
exec 3>"$WORK/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
until_true "Xvfb" test -s "$WORK/display"
export DISPLAY=:$(head -n1 "$WORK/display")
# Openbox announces itself (_NET_SUPPORTING_WM_CHECK) before it can manage
# windows; a window mapped in between is never shown. Its startup command runs
# once it is ready.
openbox --startup "touch '$WORK/wm-ready'" >"$WORK/openbox.log" 2>&1 &
pids+=($!)
until_true "openbox" test -e "$WORK/wm-ready"
# Cyrillic keys of their own: without them xdotool remaps a spare key for each
# letter while it types, and the program sometimes reads the old mapping.
setxkbmap -layout us,ru || fail "setxkbmap could not load the us,ru layouts"

# --- the simulator with a document and an update folder of our own
mkdir -p "$WORK/update" "$WORK/data"
printf '{"mqtt":{"broker":"10.0.0.1","port":1883},"buildings":[{"name":"road","devices":[]}]}\r\n' >"$WORK/doc.json"
printf '1.0.0.0 (01.12.2026)\r\n+ The release this program is\r\n' >"$WORK/update/release_r.txt"
cp "$WORK/doc.json" "$WORK/served.json"
step "starting the simulator"
"$SIM" --port 0 --document "$WORK/doc.json" --update-dir "$WORK/update" >"$WORK/sim.log" 2>&1 &
pids+=($!)
until_true "the simulator's port" grep -q '^listening on ' "$WORK/sim.log"
ADDR=$(sed -n 's/^listening on \(127\.0\.0\.1:[0-9]*\).*/\1/p' "$WORK/sim.log" | head -n1)
step "simulator on $ADDR"

# The program starts on an empty data folder; only the update server's address
# is set, since the simulator's port is chosen at run time.
export XDG_DATA_HOME=$WORK/data
mkdir -p "$XDG_DATA_HOME/ZorEN_MQTT"
printf '[Update]\r\nServer=http://%s\r\n' "$ADDR" >"$XDG_DATA_HOME/ZorEN_MQTT/ZorEN_MQTT.ini"
INI=$XDG_DATA_HOME/ZorEN_MQTT/ZorEN_MQTT.ini

step "starting the program"
"$APP" >"$WORK/app.log" 2>&1 &
APP_PID=$!
pids+=($APP_PID)
MAIN=$(need_window 'MQTT$' "the main window")
xdotool windowactivate --sync "$MAIN" >/dev/null 2>&1 || true
shot 01-main-empty

# --- add a controller: right click in the empty table, "Добавить ..."
step "adding a controller"
eval "$(xdotool getwindowgeometry --shell "$MAIN")"
xdotool mousemove --window "$MAIN" $((WIDTH / 2)) $((HEIGHT / 2)) click 3
until_true "the context menu" menu_open
for i in 1 2 3 4 5; do xdotool key Down; done
xdotool key Return
EDITOR=$(need_window '^ЗОРЕН-RF$' "the controller editor")
xdotool windowactivate --sync "$EDITOR" >/dev/null 2>&1 || true
NAME="Котельная 5"
xdotool type --delay 20 "$NAME"
xdotool key Tab
xdotool type --delay 20 "$ADDR"
shot 02-controller-editor
# Tab order: name, address, object, number, comment, login, password, box, OK.
for i in 1 2 3 4 5 6 7; do xdotool key Tab; done
xdotool key space
gone '^ЗОРЕН-RF$' "the controller editor after OK"
FOLDER=$XDG_DATA_HOME/ZorEN_MQTT/Objects/$NAME
until_true "the controller's folder" test -d "$FOLDER"
shot 03-main-with-controller

# --- read its configuration
step "reading the configuration"
context_command 1 "Прочитать конфигурацию"
message 'Внимание' 04-read-done "the read's message"
cmp -s "$FOLDER/mqtt.json" "$WORK/served.json" || fail "mqtt.json is not the document the simulator served"

# --- change it in the editor: a member typed after the first brace, then "Файл", "Сохранить"
if [ -f src/editor/TFormJsonEditor.h ]; then
  step "editing the configuration"
  context_command 2 "Редактировать конфигурацию"
  JSONED=$(need_new_window "configuration editor" "$MAIN")
  xdotool windowactivate --sync "$JSONED" >/dev/null 2>&1 || true
  eval "$(xdotool getwindowgeometry --shell "$JSONED")"
  xdotool mousemove --window "$JSONED" $((WIDTH / 2)) $((HEIGHT / 3)) click 1
  xdotool key ctrl+Home Right
  xdotool type --delay 20 '"e2e":1,'
  shot 05-editor
  xdotool mousemove --window "$JSONED" 20 10 click 1
  EXTRA=$JSONED until_true "the editor's file menu" menu_open
  xdotool key Down Down Return
  until_true "the edited mqtt.json" grep -q '^{"e2e":1,"mqtt"' "$FOLDER/mqtt.json"
  wmctrl -i -c "$JSONED"
  gone_id "$JSONED" "the configuration editor"
else
  step "no editor yet: changing mqtt.json on disk instead"
  sed -i 's/^{/{"e2e":1,/' "$FOLDER/mqtt.json"
fi
cmp -s <(sed 's/^{/{"e2e":1,/' "$WORK/served.json") "$FOLDER/mqtt.json" ||
  fail "mqtt.json after the edit is not the served document with the typed member"
cp "$FOLDER/mqtt.json" "$WORK/edited.json"

# --- write it back
step "writing the configuration"
context_command 3 "Записать конфигурацию"
message 'Внимание' 06-write-done "the write's verdict"
cmp -s "$WORK/doc.json" "$WORK/edited.json" || fail "the simulator did not store the written document"

# --- check for an update: "Помошь", "Проверить обновление ..."
step "checking for an update"
xdotool windowactivate --sync "$MAIN" >/dev/null 2>&1 || true
if [ -f src/update/ReleaseHistory.h ]; then
  xdotool mousemove --window "$MAIN" 70 10 click 1
  until_true "the help menu" menu_open
  xdotool key Down Return
  message 'Внимание' 07-no-update "the update check's message"
  shot 08-main-after-update-check
else
  echo "road: no update check in this tree yet"
fi

# --- close as the user does
step "closing"
xdotool windowactivate --sync "$MAIN" >/dev/null 2>&1 || true
xdotool key alt+F4
end=$((SECONDS + WAIT))
while kill -0 "$APP_PID" 2>/dev/null; do
  [ $SECONDS -lt $end ] || fail "the program did not end within $WAIT s of its close"
  sleep 0.1
done
wait "$APP_PID" || fail "the program ended with status $?"

# --- what the run left on disk
# The settings file is 1251 with CR LF line ends.
iconv -f CP1251 -t UTF-8 "$INI" | tr -d '\r' >"$WORK/ini.txt" || fail "the settings file is not 1251 text"
has() { grep -qxF "$1" "$WORK/ini.txt" || fail "the settings file has no line '$1'"; }
has "[OBJECT0]"
has "Name=$NAME"
has "Ip=$ADDR"
has "Path=$FOLDER"
has "Server=http://$ADDR"
cmp -s "$FOLDER/mqtt.json" "$WORK/edited.json" || fail "mqtt.json changed after the write"
cp "$INI" "$FOLDER/mqtt.json" "$WORK/sim.log" "$OUT/"
step "passed; screenshots in $OUT"
