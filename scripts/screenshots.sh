#!/usr/bin/env bash
# Pictures of the desktop windows: starts the tour tool stundenwerk-rundgang (built beside
# stundenwerk-gui, not part of the program) under a virtual display, opens the
# example school, runs the initial plan and each stage for a few seconds, and saves a PNG of the
# main window (and its menu "&Datei" open), the master-data dialogs (subjects, a special room with
# its subjects, the input window of a new room, a teacher with his lock grid and his rules, classes
# and the rules of one, a course with three teachers), the lesson window (a course block selected,
# the block dialog, a unit with a fixed time, a refused time choice, the room dialog, the rules and
# relations of a block with the relation dialog, the special separations), every tab of the
# planning window, the plan grid ("Schnappschuß": its three views, a
# move with its framed targets, a refused move, the popup, the legend and the room dialog), the
# general settings with breaks, the program options, the export options, the substitution window (two absent
# teachers, the lessons of their day, one substitute and one "Ausfall"; the chooser "Vertretung
# für" with its rows; the sheet written as vertretungsplan.docx), the master data written as
# tables into tabellen/ and imported again (the import report, the main window after it) and the
# message boxes on the way.
# Usage: scripts/screenshots.sh [FOLDER] [SCHOOL]   (default: screenshots/ examples/gymnasium.sch)
#
# scripts/screenshots.sh --new-school [FOLDER] goes instead the road of a new school through the
# windows (general settings, subjects, rooms, teachers, classes, a course, lessons, the initial
# plan and every stage, a move and its undo in the plan grid, saving and reopening the plan file,
# the export, the substitutions of a day) with a picture of every step, schule_NN_STEP.png, and
# leaves the plan file, the timetables and the substitution sheet it wrote in the folder.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=--screenshots
if [[ "${1:-}" == --new-school ]]; then
  mode=--neue-schule
  shift
fi
out="${1:-screenshots}"
school="${2:-examples/gymnasium.sch}"
build="${BUILD_DIR:-build}"
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S . -B "$build" -G Ninja >/dev/null
fi
# Always built: the pictures show the windows as the sources have them now.
cmake --build "$build" --target stundenwerk-rundgang >/dev/null
if [[ "$mode" == --neue-schule ]]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/stundenwerk-rundgang" --neue-schule "$out"
else
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/stundenwerk-rundgang" --screenshots "$out" "$school"
fi
ls "$out"
