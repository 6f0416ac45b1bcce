#!/usr/bin/env python3
"""What the players are handed holds nothing they may not see.

At each level, a seeded sector is edited so that every text the players must
not see holds a marker word of its own: the name and the player notes of a
Secret system, the referee's notes on a system and on an object, and the name
of a system whose name is hidden. The handout (--handout), the players'
pictures (--svg --player), their sheet (--svg-sheet --player) and their
sector map (--map --player) must hold none of the markers in any byte, nor
the Secret system's picture, nor the run's seed; every field of a Known
system must be there, each hidden value as "?"; the map draws the five
systems they know of, the Rumoured one as uncertain; the handout heads each
with its number, its name unless hidden and its hex, a referee's move
included; and xmllint must read
every picture and rsvg-convert draw it without a word on standard error, a
name holding the edge characters of XML among them. A name or note holding
what XML forbids, or a noncharacter, is refused in one line; and a players'
run into a folder holding a picture it does not write (a Secret system's,
another run's, a user's file or a link of that name) is refused in one line,
the folder left as it was.

Usage: handout_leaks.py NEXMAR_CLI SCRATCH_DIR
"""
import glob
import json
import os
import re
import shutil
import subprocess
import sys

cli, scratch = sys.argv[1:3]
shutil.rmtree(scratch, ignore_errors=True)
SEED = 987654321  # long enough that no coordinate holds its digits
MARKERS = ["QZSECRETNAME", "QZSECRETPLAYER", "QZREFSYSTEM", "QZREFOBJECT", "QZHIDDENNAME"]
failures = []


def run(*args):
    result = subprocess.run([cli, *args], capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"nexmar-cli {' '.join(args)}: status {result.returncode}: {result.stderr}")


def objects(system):
    if "objects" in system:
        return system["objects"]
    return [obj for component in system.get("components", []) for obj in component["objects"]]


# The edges of what XML may hold, each allowed in a name.
EDGE_NAME = "Edge \ud7ff\ue000\ufffd\U00010000\U0010fffd"
# What no XML output could carry, each refused wherever a name or note is read.
REFUSED_TEXTS = ["A\ufffe", "A\uffff", "A\ufdd0", "A\U0001ffff", "A\U0010ffff"]


def edit(document):
    known, secret, rumoured, nameless = document["systems"][:4]
    known["name"] = EDGE_NAME
    known["notes"] = "Pirates QZREFSYSTEM"
    known["playerNotes"] = "Fuel <for sale> & QZPLAYERSEE"
    for obj in objects(known)[:1]:
        obj["notes"] = "Cache QZREFOBJECT"
        obj["playerNotes"] = "Beacon QZPLAYERSEEOBJ"
    secret["name"] = "QZSECRETNAME"
    secret["visibility"] = "Secret"
    secret["playerNotes"] = "QZSECRETPLAYER"
    rumoured["visibility"] = "Rumoured"
    rumoured["notes"] = "QZREFSYSTEM again"
    nameless["name"] = "QZHIDDENNAME"
    nameless["hidden"] = ["name", "capacity", "special"]
    # Moved by the referee to a free hex of subsector A, which every map holds.
    held = {system["hex"] for system in document["systems"]}
    known["hex"] = next(hex for hex in (f"{column:02d}{row:02d}" for column in range(1, 9) for row in range(1, 11))
                        if hex not in held)
    return known


def known_texts(level, known):
    """The values of the Known system that the handout must show."""
    if level == "low":
        return [known["size"], known["importance"], str(known["capacity"]), str(known["raw"]), known["special"]]
    texts = []
    for obj in objects(known):
        texts += [obj["type"], str(obj["capacity"]), str(obj["raw"]), obj["special"]]
        if level == "high":
            texts.append(obj["size"])
    return texts


def html_text(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;").replace("'", "&#39;")


def check_level(level):
    work = os.path.join(scratch, level)
    os.makedirs(os.path.join(work, "pictures"))
    run("--systems", "6", "--detail", level, "--census", "--seed", str(SEED), "--dir", work,
        "--json", os.path.join(work, "run.json"))
    with open(os.path.join(work, "run.json")) as file:
        document = json.load(file)
    known = edit(document)
    edited = os.path.join(work, "edited.json")
    with open(edited, "w") as file:
        json.dump(document, file)
    handout = os.path.join(work, "handout.html")
    run("--from-json", edited, "--dir", work, "--handout", handout, "--player",
        "--svg", os.path.join(work, "pictures"), "--svg-sheet", os.path.join(work, "sheet.svg"),
        "--map", os.path.join(work, "map.svg"), "--density", "dense", "--jump", "6")
    outputs = [handout, os.path.join(work, "sheet.svg"), os.path.join(work, "map.svg")] + sorted(glob.glob(os.path.join(work, "pictures", "*.svg")))
    for path in outputs:
        with open(path, "rb") as file:
            data = file.read()
        for marker in MARKERS + [str(SEED)]:
            if marker.encode() in data:
                failures.append(f"{level}: {os.path.basename(path)} holds {marker}")
    # System 4 hides its Capacity and specials: none is drawn, each line says "?".
    with open(os.path.join(work, "pictures", "system-0004.svg"), encoding="utf-8") as file:
        nameless = file.read()
    has_capacity = level == "low" or bool(objects(document["systems"][3]))
    if re.search(r"Capacity: \d", nameless) or has_capacity != ("Capacity: ?" in nameless) or 'class="gaia-world"' in nameless:
        failures.append(f"{level}: the picture of System 4 shows a hidden Capacity or special")
    if os.path.exists(os.path.join(work, "pictures", "system-0002.svg")):
        failures.append(f"{level}: the Secret system has a picture")
    with open(os.path.join(work, "map.svg"), encoding="utf-8") as file:
        sector_map = file.read()
    if sector_map.count('class="system"') != 5 or 'class="glyph uncertain"' not in sector_map:
        failures.append(f"{level}: the players' map does not draw the five systems they know of, one uncertain")
    with open(handout, encoding="utf-8") as file:
        page = file.read()
    for text in known_texts(level, known) + ["Fuel &lt;for sale&gt; &amp; QZPLAYERSEE", known["name"]]:
        if html_text(text) not in page and text not in page:
            failures.append(f"{level}: the handout lacks the Known value {text!r}")
    # Each system the players know of is headed by its number, its name
    # unless hidden, and its hex on their map, the referee's move included.
    for system in document["systems"]:
        if system.get("visibility") == "Secret":
            continue
        names = [""] if "name" in system.get("hidden", []) else [": " + html_text(system["name"]), ": " + system["name"]]
        headings = [f"<span>System {system['number']}{name}, hex {system['hex']}</span></h2>" for name in names]
        if not any(heading in page for heading in headings):
            failures.append(f"{level}: the handout lacks the heading {headings[0]!r}")
    if level != "low" and objects(known) and "QZPLAYERSEEOBJ" not in page:
        failures.append(f"{level}: the handout lacks the player notes of an object")
    if '<td class="hidden">?</td>' not in page:
        failures.append(f"{level}: no hidden value is shown as ?")
    if "<script" in page or "src=" in page or "href=" in page:
        failures.append(f"{level}: the handout is not self-contained")
    for svg in outputs[1:]:
        checks = [["xmllint", "--noout", svg], ["rsvg-convert", "--zoom", "0.5", "-o", svg + ".png", svg]]
        for command in checks:
            result = subprocess.run(command, capture_output=True, text=True)
            if result.returncode != 0 or result.stderr:
                failures.append(f"{level}: {command[0]} {os.path.basename(svg)}: {result.stderr.strip()}")


def run_status(*args):
    result = subprocess.run([cli, *args], capture_output=True, text=True)
    return result.returncode, result.stderr


def check_stale_pictures():
    """A players' folder never keeps a picture the run did not write, nor is
    a file the run did not write removed: the run is refused in one line."""
    work = os.path.join(scratch, "stale")
    referee = os.path.join(work, "pictures")
    os.makedirs(referee)
    run("--systems", "4", "--detail", "low", "--seed", str(SEED), "--json", os.path.join(work, "run.json"),
        "--dir", work, "--svg", referee)
    with open(os.path.join(work, "run.json")) as file:
        document = json.load(file)
    document["systems"][2]["visibility"] = "Secret"
    edited = os.path.join(work, "edited.json")
    with open(edited, "w") as file:
        json.dump(document, file)
    users = os.path.join(work, "users")
    os.makedirs(users)
    with open(os.path.join(users, "system-0042.svg"), "w") as file:
        file.write("<svg>a user's own drawing</svg>\n")
    links = os.path.join(work, "links")
    os.makedirs(links)
    os.symlink(os.path.join(referee, "system-0003.svg"), os.path.join(links, "system-00009.svg"))
    clean = os.path.join(work, "clean")
    os.makedirs(clean)
    with open(os.path.join(clean, "system-notes.svg"), "w") as file:
        file.write("not a picture's name")
    # folder | the name it must be refused for, or None
    for folder, stale in ((referee, "system-0003.svg"), (users, "system-0042.svg"), (links, "system-00009.svg"),
                          (clean, None)):
        before = {name: os.readlink(os.path.join(folder, name)) if os.path.islink(os.path.join(folder, name))
                  else open(os.path.join(folder, name), "rb").read() for name in os.listdir(folder)}
        status, error = run_status("--from-json", edited, "--dir", work, "--player", "--svg", folder)
        name = os.path.basename(folder)
        if stale is None:
            if status != 0 or sorted(os.listdir(folder)) != sorted(list(before) + [
                    "system-0001.svg", "system-0002.svg", "system-0004.svg"]):
                failures.append(f"stale: {name}: status {status}, {sorted(os.listdir(folder))}: {error}")
            continue
        after = {name: os.readlink(os.path.join(folder, name)) if os.path.islink(os.path.join(folder, name))
                 else open(os.path.join(folder, name), "rb").read() for name in os.listdir(folder)}
        if status == 0 or error.count("\n") != 1 or stale not in error or after != before:
            failures.append(f"stale: {name}: status {status}, the folder changed: {after != before}: {error!r}")


def check_refused_texts():
    work = os.path.join(scratch, "refused")
    os.makedirs(work)
    run("--systems", "2", "--detail", "low", "--seed", str(SEED), "--json", os.path.join(work, "run.json"),
        "--dir", work)
    with open(os.path.join(work, "run.json")) as file:
        document = json.load(file)
    for key in ("name", "notes", "playerNotes"):
        for text in REFUSED_TEXTS:
            edited = json.loads(json.dumps(document))
            edited["systems"][1][key] = text
            path = os.path.join(work, "edited.json")
            with open(path, "w") as file:
                json.dump(edited, file)  # as \uXXXX escapes
            status, error = run_status("--from-json", path, "--dir", work, "--player", "--svg", work)
            if status != 2 or error.count("\n") != 1 or "noncharacter" not in error:
                failures.append(f"{key} {text!r}: status {status}: {error!r}")


for level in ("low", "medium", "high"):
    check_level(level)
check_stale_pictures()
check_refused_texts()
print("\n".join(failures) if failures else "no marker in any handout output")
sys.exit(1 if failures else 0)
