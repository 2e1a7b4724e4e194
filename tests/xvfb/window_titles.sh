#!/usr/bin/env bash
# The program on a real X server: the captions the user reads in the title bars, exactly as the windows
# set them (a platform may add the application's name to a caption, the offscreen platform never does).
#   window_titles.sh PROGRAM ZEMLO_CLI HELP_FILE
# Starts PROGRAM in a folder of its own with the help file and a demo database, then checks the main
# window, the help viewer (F1), the help viewer over the modal service information window and the close
# question (Escape), answers the question with keypad Enter and expects a clean exit.
# Exits 77 (skipped) when Xvfb or xdotool is missing.
set -uo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 PROGRAM ZEMLO_CLI HELP_FILE" >&2
  exit 2
fi
source "$(dirname "$0")/lib.sh"
start_program

expect_window "Pavenda 2024"
main=$found_window

press "$main" F1
expect_window "Pavenda 2024 Help" "$main"
viewer=$found_window
press "$viewer" Escape
wait_until "the help viewer to close" window_gone "$viewer"

# Help from a modal window: the viewer comes up in front of it and takes keys while the window is open.
press "$main" alt+h i
expect_window "Over Pavenda 2024" "$main"
about=$found_window
press "$about" F1
expect_window "Pavenda 2024 Help" "$main" "$about"
viewer=$found_window
press "$viewer" Escape
wait_until "the help viewer over the service information to close" window_gone "$viewer"
program_windows | grep -qx "$about" || fail "Escape in the help viewer closed the service information window"
press "$about" Escape
wait_until "the service information window to close" window_gone "$about"

close_program "$main"
