#!/usr/bin/env bash
# A clerk's keyboard run on a real X server, without a window manager: every key goes to the window that
# has the focus, so each modal window must take the focus as it opens and hand it back when it closes.
#   employer_keyboard.sh PROGRAM ZEMLO_CLI HELP_FILE
# On the demo database: Insert adds an employer, typing its number in the list finds it, Enter opens it,
# the wage sum tab gets a wage sum for all periods, the cost tab a cost entry through the pick window, and
# Delete is refused while the employer holds them. After the program closed, the database must hold them.
set -uo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 PROGRAM ZEMLO_CLI HELP_FILE" >&2
  exit 2
fi
source "$(dirname "$0")/lib.sh"
command -v sqlite3 >/dev/null 2>&1 || { echo "SKIPPED: sqlite3 is not installed"; exit $SKIPPED; }
start_program

focused_on() { [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$1" ]; }
# Waits for a new window with the title to hold the focus; its id in found_window.
expect_focused_window() {
  expect_window "$@"
  local window=$found_window
  wait_until "the focus on \"$1\"" focused_on "$window"
  found_window=$window
}
keys() { xdotool key --clearmodifiers --delay 30 "$@"; }
typed() { xdotool type --delay 30 "$1"; }

expect_window "Pavenda 2024"
main=$found_window
xdotool windowfocus --sync "$main"

keys Insert
expect_focused_window "Toevoegen -  werkgever" "$main"
add=$found_window
typed 12345678201
keys Tab
typed "Bakkerij Toetsenbord"
keys Tab
typed M
keys Tab alt+o
wait_until "the new employer's window to close" window_gone "$add"
wait_until "the focus back on the main window" focused_on "$main"

typed 123456782L01
sleep 1  # the list's search runs once typing pauses
keys Return
expect_focused_window "Wijzigen -  werkgever" "$main"
edit=$found_window
keys alt+l alt+t
expect_focused_window "Toevoegen -  loonsom" "$main" "$edit"
sum=$found_window
typed A
keys Tab Tab
typed 1000
keys alt+o
wait_until "the wage sum window to close" window_gone "$sum"
wait_until "the focus back on the employer window" focused_on "$edit"

# A cost entry: "reis" is no whole word of any category, so the pick window opens on all of them, at the
# first that begins with it.
keys alt+k alt+t
expect_focused_window "Toevoegen -  kosten" "$main" "$edit"
cost=$found_window
typed reis
keys Tab
expect_focused_window "Kostencategorieën" "$main" "$edit" "$cost"
pick=$found_window
keys Return
wait_until "the pick window to close" window_gone "$pick"
wait_until "the focus back on the cost window" focused_on "$cost"
typed f
keys Tab Tab
typed E
keys Tab
typed 150
keys alt+o
wait_until "the cost window to close" window_gone "$cost"
wait_until "the focus back on the employer window" focused_on "$edit"
keys alt+a
wait_until "the employer window to close" window_gone "$edit"
wait_until "the focus back on the main window" focused_on "$main"

keys Delete
expect_focused_window "Verwijderen -  werkgever" "$main"
remove=$found_window
keys alt+o
sleep 0.5
warning=""
for w in $(program_windows); do
  [ "$w" = "$main" ] || [ "$w" = "$remove" ] || warning=$w
done
[ -n "$warning" ] || fail "no warning after OK on the employer with wage sums"
wait_until "the focus on the warning" focused_on "$warning"
keys Return
wait_until "the warning to close" window_gone "$warning"
keys alt+a
wait_until "the employer window to close" window_gone "$remove"
wait_until "the focus back on the main window" focused_on "$main"
close_program "$main"

sums=$(sqlite3 "$work/Zemlo2024.mdb" "SELECT COUNT(*) FROM Loonsommen L, Werkgevers W WHERE L.WerkgeverId = W.WerkgeverId \
  AND W.Loonheffingennummer = '123456782L01' AND W.Naam = 'Bakkerij Toetsenbord' AND L.Bedrag = 1000 AND L.Proforma")
[ "$sums" = "12" ] || fail "the database holds $sums wage sums of 1000 for the new employer instead of 12"
echo "ok: the new employer is stored with twelve wage sums of 1000"
costs=$(sqlite3 "$work/Zemlo2024.mdb" "SELECT C.Omschrijving || ':' || K.Periode || ':' || K.KostenTypeId || ':' || K.Bedrag \
  FROM Kosten K, Werkgevers W, Kostencategorieen C WHERE K.WerkgeverId = W.WerkgeverId \
  AND K.KostenCategorieId = C.KostencategorieId AND W.Loonheffingennummer = '123456782L01'")
[ "$costs" = "Reiskostenvergoeding boven 0,23 per km:2:1:150.0" ] || fail "the new employer's costs are \"$costs\""
echo "ok: the cost entry is stored under its category, period and type"
