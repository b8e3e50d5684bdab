#!/usr/bin/env bash
# Renders an export of the example Gymnasium so that a person can look at it: plans the school,
# exports the timetables as .docx, converts the document with LibreOffice (headless) to PDF and
# the pages with pdftoppm to PNG. Not part of the tests.
#
#   scripts/export_preview.sh [OUTDIR] [export options ...]
#
# OUTDIR defaults to /tmp/stundenwerk-preview; the export options default to "--classes all"
# (see `stundenwerk export --help`). With "substitutions" as the first option it renders a
# substitution sheet instead (the rest as for `stundenwerk substitutions`, default
# "--day 1 --absent Stefan Hoffmann,Frank Weber"). BUILD names the build folder (default: build).
# Installs libreoffice-writer-nogui and poppler-utils with apt-get when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

OUT="${1:-/tmp/stundenwerk-preview}"
shift || true
EXPORT_ARGS=("$@")
if [ ${#EXPORT_ARGS[@]} -eq 0 ]; then EXPORT_ARGS=(--classes all); fi
BUILD="${BUILD:-build}"

install_missing() {
  local missing=()
  command -v libreoffice >/dev/null 2>&1 || missing+=(libreoffice-writer-nogui)
  command -v pdftoppm >/dev/null 2>&1 || missing+=(poppler-utils)
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "preview: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

install_missing
mkdir -p "$OUT"
rm -f "$OUT"/seite-*.png "$OUT"/plaene.pdf "$OUT"/plaene.docx

if [ ! -d "$BUILD" ]; then cmake -S . -B "$BUILD" -G Ninja >/dev/null; fi
cmake --build "$BUILD" --target stundenwerk test_export >/dev/null

# A plan of the example school: from the planner when it can make one, else the export tests'
# randomly placed one.
PLAN="$OUT/gymnasium.pdt"
if ! "$BUILD/stundenwerk" plan examples/gymnasium.sch -o "$PLAN" --seed 1 >/dev/null 2>&1; then
  echo "preview: planner unavailable, using a randomly placed plan" >&2
  STUNDENWERK_EXPORT_KEEP="$OUT" "$BUILD/tests/test_export" \
    --gtest_filter=ExportRun.ExampleSchoolGivesOneTablePerClass >/dev/null
fi

if [ "${EXPORT_ARGS[0]}" = substitutions ]; then
  SUB_ARGS=("${EXPORT_ARGS[@]:1}")
  if [ ${#SUB_ARGS[@]} -eq 0 ]; then SUB_ARGS=(--day 1 --absent "Stefan Hoffmann,Frank Weber"); fi
  "$BUILD/stundenwerk" substitutions "$PLAN" -o "$OUT/plaene.docx" "${SUB_ARGS[@]}" >/dev/null
else
  "$BUILD/stundenwerk" export "$PLAN" -o "$OUT/plaene.docx" --no-open "${EXPORT_ARGS[@]}"
fi

# A profile of its own, so that a running LibreOffice of the user does not get in the way.
libreoffice -env:UserInstallation="file://$OUT/lo-profile" --headless \
  --convert-to pdf --outdir "$OUT" "$OUT/plaene.docx" >/dev/null 2>&1
pdftoppm -png -r 50 "$OUT/plaene.pdf" "$OUT/seite"

pages=$(pdfinfo "$OUT/plaene.pdf" | awk '/^Pages:/ {print $2}')
echo "preview: $pages Seiten in $OUT/plaene.pdf, Bilder: $OUT/seite-*.png"
