#!/usr/bin/env bash
# Renders the handout of 200 High systems with census, some Rumoured, some
# Secret and some with notes for the players, in headless Chromium and with
# rsvg-convert, and fails on any console message or SVG warning.
#   scripts/check_handout.sh [BUILD_DIR] [SCREENSHOT.png]
# With a screenshot named, Chromium also saves the page's top, 1000x1200.
set -euo pipefail
build=${1:-build}
screenshot=${2:-}
cli="$build/cli/nexmar-cli"
work=$(mktemp -d)
trap 'cp "$work/chromium.log" /tmp/pv_chromium.log 2>/dev/null; rm -rf "$work"' EXIT

mkdir "$work/reports" "$work/pictures"
"$cli" --seed 20261208 --systems 200 --detail high --census --dir "$work/reports" --json "$work/run.json"
python3 - "$work/run.json" "$work/sector.json" <<'EOF'
import json, sys
sector = json.load(open(sys.argv[1]))
for number, system in enumerate(sector["systems"], 1):
    if number % 11 == 0:
        system["visibility"] = "Secret"
    elif number % 7 == 2:
        system["visibility"] = "Rumoured"
    if number % 3 == 1:
        system["playerNotes"] = "Traders speak of a beacon here.\nAsk at the docks."
json.dump(sector, open(sys.argv[2], "w"))
EOF
"$cli" --from-json "$work/sector.json" --handout "$work/handout.html" --player --svg "$work/pictures" \
    --dir "$work/reports"

chrome=(chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking
        --disable-component-update --disable-sync --user-data-dir="$work/profile"
        --enable-logging=stderr --v=0 --window-size=1000,1200)
"${chrome[@]}" --dump-dom "file://$work/handout.html" >"$work/dom.html" 2>"$work/chromium.log"
if grep -E "CONSOLE|Uncaught|:INFO:CONSOLE|Refused|Failed to load|Not allowed" "$work/chromium.log"; then
    echo "check_handout: Chromium reported the lines above" >&2
    exit 1
fi
if [[ -n "$screenshot" ]]; then
    "${chrome[@]}" --hide-scrollbars --screenshot="$screenshot" "file://$work/handout.html" 2>/dev/null
fi

# Each inline SVG of the page as a document of its own, then each picture file.
python3 - "$work/handout.html" "$work/inline" <<'EOF'
import os, re, sys
os.makedirs(sys.argv[2])
page = open(sys.argv[1], encoding="utf-8").read()
for index, svg in enumerate(re.findall(r"<svg\b.*?</svg>", page, re.S)):
    if "xmlns=" not in svg[:200]:
        svg = svg.replace("<svg", '<svg xmlns="http://www.w3.org/2000/svg"', 1)
    open(os.path.join(sys.argv[2], f"{index:03}.svg"), "w", encoding="utf-8").write(svg)
EOF
count=0
for svg in "$work"/inline/*.svg "$work"/pictures/*.svg; do
    if ! rsvg-convert "$svg" -o "$work/out.png" 2>"$work/rsvg.log" || [[ -s "$work/rsvg.log" ]]; then
        cat "$work/rsvg.log" >&2
        echo "check_handout: rsvg-convert warned on $svg" >&2
        exit 1
    fi
    count=$((count + 1))
done
echo "check_handout: $(grep -c '<section' "$work/handout.html") sections, $count SVG documents, no warning"
