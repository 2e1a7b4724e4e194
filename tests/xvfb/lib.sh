# The program under Xvfb, driven with xdotool: the shared part of the scripts in this folder. A script sets
# its usage and arguments, then sources this file, which restarts it under xvfb-run, and calls start_program.
# Exits 77 (skipped) when Xvfb or xdotool is missing.

readonly SKIPPED=77
readonly WAIT_SECONDS=20

for tool in xvfb-run Xvfb xauth xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps installs it)"
    exit $SKIPPED
  fi
done

if [ -z "${ZEMLO_XVFB_DISPLAY_READY:-}" ]; then
  ZEMLO_XVFB_DISPLAY_READY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

program=$1
cli=$2
help_file=$3
work=$(mktemp -d)
pid=""

cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    echo "open windows of the program:"
    for w in $(program_windows); do echo "  $w \"$(xdotool getwindowname "$w" 2>/dev/null)\""; done
  fi
  if [ -s "$work/program.log" ]; then
    echo "program output:"
    sed 's/^/  /' "$work/program.log"
  fi
  exit 1
}

# The visible top-level windows of the program, one id a line.
program_windows() { xdotool search --all --onlyvisible --pid "$pid" --name '.*' 2>/dev/null; }

# Polls the command until it succeeds; fails after WAIT_SECONDS or when the program has ended.
wait_until() {
  local what=$1
  shift
  local deadline=$((SECONDS + WAIT_SECONDS))
  until "$@"; do
    kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for $what"
    [ "$SECONDS" -lt "$deadline" ] || fail "waited $WAIT_SECONDS seconds for $what"
    sleep 0.1
  done
}

# Sets found_window to a visible window of the program, not among the given ids, whose title is exactly
# the expected one. A title with anything added times out, and the failure lists the titles there are.
found_window=""
new_window_titled() {
  local expected=$1 w k known
  shift
  for w in $(program_windows); do
    known=0
    for k in "$@"; do [ "$w" = "$k" ] && known=1; done
    if [ $known -eq 0 ] && [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$expected" ]; then
      found_window=$w
      return 0
    fi
  done
  return 1
}

window_gone() { ! program_windows | grep -qx "$1"; }

# Waits for the window titled exactly as expected; its id in found_window.
expect_window() {
  local expected=$1
  shift
  wait_until "a window titled \"$expected\"" new_window_titled "$expected" "$@"
  echo "ok: window titled \"$expected\""
}

# Without a window manager a window gets the keyboard only when it is given the focus.
press() {
  local window=$1
  shift
  xdotool windowfocus --sync "$window" || fail "cannot focus window $window"
  xdotool key --clearmodifiers "$@"
}


# Copies the program, its help file and a new demo database into a folder of its own and starts it there.
start_program() {
  cp "$program" "$work/Zemlo2024"
  cp "$help_file" "$work/Zemlo2024.CHM"
  "$cli" demo "$work/Zemlo2024.mdb" >"$work/demo.log" 2>&1 || { cat "$work/demo.log"; fail "zemlo-cli demo failed"; }
  mkdir "$work/tmp"
  mkdir -m 700 "$work/runtime"
  # Its own temporary folder: the lock against a second copy and the help file's copy stay in the test.
  TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb "$work/Zemlo2024" >"$work/program.log" 2>&1 &
  pid=$!
}

# Escape, then keypad Enter on the close question's focused "Ja": the program must end with exit code 0.
close_program() {
  local main=$1 deadline status
  press "$main" Escape
  expect_window "Pavenda" "$main"
  press "$found_window" KP_Enter
  deadline=$((SECONDS + WAIT_SECONDS))
  while kill -0 "$pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end after Ja on the close question"
    sleep 0.1
  done
  wait "$pid"
  status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "the program ended with exit code $status"
  echo "ok: the program closed with exit code 0"
}
