#!/usr/bin/env python3
"""Checks that no label of the pictures outgrows the room the layout gave it,
as Qt SVG (the dialog's picture pane), librsvg (rsvg-convert) and Chromium
draw it with the fonts of this machine:

  check_label_widths.py SOURCE_DIR NEXMAR_SVG_PNG WORK_DIR PICTURE.svg...

Every distinct label of the pictures given (digits counted as one, since the
faces set them all alike wide) is drawn alone on a row of probe pages, with
the pictures' own stylesheet and its own classes and attributes; each
renderer draws the pages. The ink of each row must lie inside the width the
layout reckons for its text, from the glyph table of picture/picture_style.h,
and be as wide in each renderer as in Qt SVG but for what hinting moves (two
pixels, or 3% of a long label). Prints the widest ink against its room for
each renderer; exits 1 if any label is outside its room or drawn unlike.
"""

import html
import os
import re
import subprocess
import sys
import tempfile

PAD = 10            # left of every row
SLACK = 1           # a pixel of antialiasing past the room
PAGE_HEIGHT = 6000  # well under the largest image each renderer makes
INK = 160           # a grey level darker than this is ink
INKED = bytes(1 if level < INK else 0 for level in range(256))


def style_numbers(source_dir):
    header = open(os.path.join(source_dir, "picture", "picture_style.h"), encoding="utf-8").read()
    table = re.search(r"glyphAdvance = \{([^}]*)\}", header).group(1)
    advances = [int(n) for n in re.findall(r"\b\d+\b", re.sub(r"//[^\n]*", "", table))]
    assert len(advances) == 95, len(advances)

    def number(name):
        return float(re.search(name + r" = ([\d.]+);", header).group(1))

    sizes = {"title": number("titleSize"), "headline": number("headlineSize"), "label": number("labelSize")}
    return advances, number("otherGlyphAdvance"), number("lineHeight"), number("baselineDrop"), sizes


def text_width(text, size, advances, other):
    ems = 0.0
    for c in text:
        ems += advances[ord(c) - 0x20] / 100 if 0x20 <= ord(c) < 0x7F else other
    return ems * size


def labels_of(paths):
    found = {}
    style = None
    pattern = re.compile(r'<text class="([^"]*)"([^>]*)>([^<]*)</text>')
    for path in paths:
        svg = open(path, encoding="utf-8").read()
        style = style or re.search(r"<style>.*?</style>", svg, re.S).group(0)
        for css_class, attributes, text in pattern.findall(svg):
            text = html.unescape(text)
            attributes = re.sub(r' [xy]="[^"]*"', "", attributes)
            found[(css_class, attributes, re.sub(r"\d", "0", text))] = text
    return style, sorted(found.items())


def probe_pages(labels, style, numbers):
    advances, other, line_height, baseline_drop, sizes = numbers
    rows = []
    for (css_class, attributes, _), text in labels:
        size = sizes[css_class.split()[0]]
        rows.append((css_class, attributes, text, size, text_width(text, size, advances, other),
                     int(line_height * size) + 8))
    width = int(PAD + max(row[4] for row in rows) + 80)
    pages, page, top = [], [], 0
    for row in rows:
        if top + row[5] > PAGE_HEIGHT:
            pages.append((page, top))
            page, top = [], 0
        page.append((top,) + row)
        top += row[5]
    pages.append((page, top))
    documents = []
    for page, height in pages:
        # A centred label is centred on the middle of its room.
        body = "".join('<text class="%s" x="%.2f" y="%.2f"%s>%s</text>\n' %
                       (c, PAD + (room / 2 if "middle" in c.split() or "middle" in attributes else 0),
                        top + 4 + baseline_drop * size,
                        attributes, html.escape(text))
                       for top, c, attributes, text, size, room, _ in page)
        documents.append(('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d">\n%s\n'
                          '<rect x="0" y="0" width="%d" height="%d" fill="#ffffff"/>\n%s</svg>\n'
                          % (width, height, style, width, height, body), page, width, height))
    return documents


def render(renderer, svg_path, png_path, width, height, tools):
    if renderer == "Qt SVG":
        command = [tools["qt"], "1", svg_path, png_path]
    elif renderer == "librsvg":
        command = ["rsvg-convert", "-o", png_path, svg_path]
    else:
        profile = tempfile.mkdtemp(prefix="chromium-")
        command = ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                   "--disable-background-networking", "--disable-component-update", "--disable-sync",
                   "--hide-scrollbars", "--force-device-scale-factor=1", "--user-data-dir=" + profile,
                   "--window-size=%d,%d" % (width, height), "--screenshot=" + png_path, "file://" + svg_path]
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def grey_pixels(png_path, width, height):
    raw = subprocess.run(["convert", png_path, "-background", "white", "-flatten", "-crop",
                          "%dx%d+0+0" % (width, height), "-colorspace", "Gray", "-depth", "8", "gray:-"],
                         check=True, stdout=subprocess.PIPE).stdout
    assert len(raw) == width * height, (png_path, len(raw))
    return raw


def ink_of(renderer, documents, work, tools):
    """Where the ink of each label lies from the left of its room, as renderer draws it."""
    ink = {}
    for index, (document, page, width, height) in enumerate(documents):
        svg_path = os.path.join(work, "probe-%d.svg" % index)
        png_path = os.path.join(work, "probe-%d-%s.png" % (index, renderer.replace(" ", "-")))
        open(svg_path, "w", encoding="utf-8").write(document)
        render(renderer, svg_path, png_path, width, height, tools)
        pixels = grey_pixels(png_path, width, height)
        for top, css_class, attributes, text, _, room, row_height in page:
            left, right = width, 0
            for y in range(top, top + row_height):
                line = pixels[y * width:(y + 1) * width].translate(INKED)
                if line.find(1) >= 0:
                    left = min(left, line.find(1))
                    right = max(right, line.rfind(1) + 1)
            ink[(css_class, attributes, text)] = (left - PAD, right - PAD, room)
    return ink


def main():
    if len(sys.argv) < 5:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    source_dir, qt_tool, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    style, labels = labels_of(sys.argv[4:])
    documents = probe_pages(labels, style, style_numbers(source_dir))
    renderers = ("Qt SVG", "librsvg", "Chromium")
    inks = {r: ink_of(r, documents, os.path.abspath(work), {"qt": qt_tool}) for r in renderers}
    amiss = 0
    for renderer in renderers:
        ink = inks[renderer]
        outside = [(key, ink[key]) for key in ink if ink[key][0] < -SLACK or ink[key][1] > ink[key][2] + SLACK]
        # Alike: each label's ink as wide as the first renderer's, but for
        # what hinting moves: two pixels, or 3% of a long label.
        unlike = [(key, ink[key]) for key in ink
                  if abs((ink[key][1] - ink[key][0]) - (inks[renderers[0]][key][1] - inks[renderers[0]][key][0]))
                  > max(2, 0.03 * ink[key][2])]
        key, (left, right, room) = max(ink.items(), key=lambda item: item[1][1] / item[1][2])
        print("%s: %d labels; widest ink %d px of %.1f px room (%.0f%%), %s '%s'; %d outside their room, "
              "%d unlike %s" % (renderer, len(ink), right, room, 100 * right / room, key[0], key[2], len(outside),
                                len(unlike), renderers[0]))
        for (css_class, _, text), (left, right, room) in (outside + unlike)[:5]:
            print("  %s '%s': ink from %d to %d px, room 0 to %.1f px" % (css_class, text, left, right, room))
        amiss += len(outside) + len(unlike)
    return 1 if amiss else 0


if __name__ == "__main__":
    sys.exit(main())
