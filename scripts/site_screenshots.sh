#!/usr/bin/env bash
# Publishes the example school as a web site and takes pictures of it as a browser shows it:
# the index while a name is typed into its search, a class at desktop width and the same class
# at phone width (390 px, the grid turned into a list per day), a day of the whole school and a
# substitution page. Needs the built tool (build/stundenwerk) and Debian's chromium.
#   scripts/site_screenshots.sh [FOLDER]     (default: build/site-screenshots)
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${1:-$ROOT/build/site-screenshots}
TOOL=$ROOT/build/stundenwerk
BROWSER=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$BROWSER" ]; then
  echo "site_screenshots: chromium fehlt (scripts/setup.sh installiert es)" >&2
  exit 1
fi
mkdir -p "$OUT"
"$TOOL" plan "$ROOT/examples/gymnasium.sch" -o "$OUT/plan.pdt" --seed 7 --jobs 1 \
  --stages 2,3 --stage-seconds 2 >/dev/null 2>&1
"$TOOL" publish "$OUT/plan.pdt" -o "$OUT/web" --vertretung 2027-03-15 --abwesend HOF,BEC

shot() { # width height page picture
  "$BROWSER" --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size="$1,$2" \
    --screenshot="$OUT/$4" "file://$OUT/web/$3" >/dev/null 2>&1
  echo "$OUT/$4"
}
# The index with "mü" typed into the search: a copy whose field starts with that text.
sed 's/id="suche" type="search"/id="suche" value="mü" type="search"/' "$OUT/web/index.html" \
  >"$OUT/web/index-suche.html"
shot 1100 520 index-suche.html webseite_suche.png
shot 1280 760 klasse-5a.html webseite_klasse.png
shot 390 844 klasse-5a.html webseite_handy.png
shot 1400 900 tag-montag.html webseite_tag.png
shot 1100 700 vertretung-2027-03-15.html webseite_vertretung.png
rm "$OUT/web/index-suche.html"
