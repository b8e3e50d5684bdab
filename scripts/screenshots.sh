#!/usr/bin/env bash
# Pictures of the desktop windows: starts stundenwerk-gui under a virtual display, opens the
# example school, runs the initial plan and each stage for a few seconds, and saves a PNG of the
# main window, the master-data dialogs (subjects, a special room with its subjects, the input
# window of a new room, a teacher and his lock grid, classes, a course with three teachers), the
# lesson window (a course block selected, the block dialog, a unit with a fixed
# time, a refused time choice, the room dialog, the special separations), every tab of the
# planning window, the plan grid ("Schnappschuß": its three views, a
# move with its framed targets, a refused move, the popup, the legend and the room dialog), the
# general settings, the program options, the export options, the substitution window (two absent
# teachers, the lessons of their day, one substitute and one "Ausfall"; the chooser "Vertretung
# für" with its rows; the sheet written as vertretungsplan.docx) and the message boxes on the way.
# Usage: scripts/screenshots.sh [FOLDER] [SCHOOL]   (default: screenshots/ examples/gymnasium.sch)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-screenshots}"
school="${2:-examples/gymnasium.sch}"
build="${BUILD_DIR:-build}"
if [[ ! -x "$build/stundenwerk-gui" ]]; then
  cmake -S . -B "$build" -G Ninja >/dev/null
  cmake --build "$build" --target stundenwerk-gui
fi
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/stundenwerk-gui" --screenshots "$out" "$school"
ls "$out"
