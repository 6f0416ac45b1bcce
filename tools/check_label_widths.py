#!/usr/bin/env python3
"""Checks that no label of the pictures outgrows the room the layout gave it,
as Qt SVG (the dialog's picture pane), librsvg (rsvg-convert) and Chromium
draw it with the fonts of this machine:

  check_label_widths.py SOURCE_DIR NEXMAR_SVG_PNG WORK_DIR PICTURE.svg...

Every distinct label of the pictures given (digits counted as one, since the
faces set them all alike wide) is drawn alone on a row of probe pages, with
the pictures' own stylesheet; each renderer draws the pages, and the ink of
each row must end inside the width the layout reckons for its text, from the
glyph table of picture/picture_style.h. Prints the widest ink against its
room for each renderer; exits 1 if any label overflows.
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
    pattern = re.compile(r'<text class="(\w+)"[^>]*>([^<]*)</text>')
    for path in paths:
        svg = open(path, encoding="utf-8").read()
        style = style or re.search(r"<style>.*?</style>", svg, re.S).group(0)
        for css_class, text in pattern.findall(svg):
            text = html.unescape(text)
            found[(css_class, re.sub(r"\d", "0", text))] = text
    return style, sorted(found.items())


def probe_pages(labels, style, numbers):
    advances, other, line_height, baseline_drop, sizes = numbers
    rows = []
    for (css_class, _), text in labels:
        size = sizes[css_class]
        rows.append((css_class, text, size, text_width(text, size, advances, other), int(line_height * size) + 8))
    width = int(PAD + max(row[3] for row in rows) + 80)
    pages, page, top = [], [], 0
    for row in rows:
        if top + row[4] > PAGE_HEIGHT:
            pages.append((page, top))
            page, top = [], 0
        page.append((top,) + row)
        top += row[4]
    pages.append((page, top))
    documents = []
    for page, height in pages:
        body = "".join('<text class="%s" x="%d" y="%.2f">%s</text>\n' %
                       (c, PAD, top + 4 + baseline_drop * size, html.escape(text))
                       for top, c, text, size, _, _ in page)
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


def check(renderer, documents, work, tools):
    worst, overflows, checked = None, [], 0
    for index, (document, page, width, height) in enumerate(documents):
        svg_path = os.path.join(work, "probe-%d.svg" % index)
        png_path = os.path.join(work, "probe-%d-%s.png" % (index, renderer.replace(" ", "-")))
        open(svg_path, "w", encoding="utf-8").write(document)
        render(renderer, svg_path, png_path, width, height, tools)
        pixels = grey_pixels(png_path, width, height)
        for top, css_class, text, size, room, row_height in page:
            right = 0
            for y in range(top, top + row_height):
                right = max(right, pixels[y * width:(y + 1) * width].translate(INKED).rfind(1) + 1)
            if right == 0:
                continue
            checked += 1
            ratio = (right - PAD) / room
            if worst is None or ratio > worst[0]:
                worst = (ratio, css_class, text, right - PAD, room)
            if right > PAD + room + SLACK:
                overflows.append((css_class, text, right - PAD, room))
    return checked, worst, overflows


def main():
    if len(sys.argv) < 5:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    source_dir, qt_tool, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    style, labels = labels_of(sys.argv[4:])
    documents = probe_pages(labels, style, style_numbers(source_dir))
    failed = False
    for renderer in ("Qt SVG", "librsvg", "Chromium"):
        checked, worst, overflows = check(renderer, documents, os.path.abspath(work), {"qt": qt_tool})
        ratio, css_class, text, ink, room = worst
        print("%s: %d of %d labels drawn; widest ink %.1f px of %.1f px room (%.0f%%), %s '%s'; %d overflow"
              % (renderer, checked, len(labels), ink, room, 100 * ratio, css_class, text, len(overflows)))
        for css_class, text, ink, room in overflows[:10]:
            print("  overflow: %s '%s': %d px in %.1f px" % (css_class, text, ink, room))
        failed = failed or bool(overflows) or checked != len(labels)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
