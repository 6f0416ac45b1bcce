#!/usr/bin/env python3
"""nexmar-cli --json against docs/nexmar-run.schema.json, with a validator
that is not ours, at every level with census on and off; the document must
hold everything the text report shows: the report rebuilt from the JSON alone
equals TNXT001 byte for byte, so every text survives the JSON escaping.

Usage: json_export_test.py NEXMAR_CLI SCHEMA SCRATCH_DIR
"""
import json
import os
import resource
import shutil
import signal
import subprocess
import sys

import jsonschema

cli, schema_path, scratch = sys.argv[1:4]
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message)


def csv_field(text):
    return '"' + text.replace('"', '""') + '"' if ("," in text or '"' in text) else text


def census_cells(item):
    return [str(item.get(key, 0)) for key in ("census", "morale", "productivity")]


def has_census(item, census):
    present = [key in item for key in ("census", "morale", "productivity")]
    return all(present) if census else not any(present)


def text_report(document):
    """TNXT001 as the run must have written it, from the document alone."""
    census = document["census"]
    lines = []
    if document["detail"] == "Low":
        lines.append("System,Size/Importance,Capacity,Census,Morale,Productivity,RAW,Special")
        for system in document["systems"]:
            if not has_census(system, census):
                fail(f"census values of system {system['number']} do not follow the option")
            lines.append(",".join([str(system["number"]), system["size"] + "/" + system["importance"],
                                   str(system["capacity"]), *census_cells(system), str(system["raw"]),
                                   csv_field(system["special"])]))
        return "".join(line + "\n" for line in lines)
    for system in document["systems"]:
        number = system["number"]
        lines.append(f"System {number}")
        if document["detail"] == "Medium":
            lines.append("Object,Type,Value,Capacity,Census,Morale,Productivity,RAW,Special,Moons")
            for item in system["objects"]:
                if not has_census(item, census):
                    fail(f"census values of object {number}.{item['number']} do not follow the option")
                moons = str(len(item["moons"])) + "".join(
                    (": " if i == 0 else "; ") + moon for i, moon in enumerate(item["moons"]))
                value = "N/A" if item["value"] is None else item["value"]
                lines.append(",".join([f"{number}.{item['number']}", item["type"], value, str(item["capacity"]),
                                       *census_cells(item), str(item["raw"]), csv_field(item["special"]),
                                       moons]))
            lines.append("")
            continue
        for component in system["components"]:
            letter = component["letter"]
            for star in component["stars"]:
                lines.append(f"Star {letter}: {star['description']}")
            lines.append("Object,Type,Capacity,Census,Morale,Productivity,RAW,Special")
            for item in component["objects"]:
                if not has_census(item, census):
                    fail(f"census values of object {number}{letter}.{item['number']} do not follow the option")
                label = f"{number}{letter}.{item['number']}"
                lines.append(",".join([label, item["type"], str(item["capacity"]), *census_cells(item),
                                       str(item["raw"]), csv_field(item["special"])]))
                for moon in item["moons"]:
                    lines.append(f"{label}.{moon['number']},Moon,{moon['capacity']},0,0,0,{moon['raw']},-")
            lines.append("")
    return "".join(line + "\n" for line in lines)


def run(*args, **kwargs):
    return subprocess.run([cli, *args], capture_output=True, **kwargs)


shutil.rmtree(scratch, ignore_errors=True)
os.makedirs(scratch)

# Every level, census on and off; the seeds differ so the runs do.
for seed, (level, census) in enumerate(
        [(level, census) for level in ("low", "medium", "high") for census in (False, True)], start=11):
    name = f"{level}{' --census' if census else ''}"
    args = ["--systems", "200", "--detail", level, "--seed", str(seed), "--dir", scratch, "--json", "-"]
    result = run(*args, *(["--census"] if census else []))
    if result.returncode != 0:
        fail(f"{name}: exit {result.returncode}: {result.stderr!r}")
        continue
    document = json.loads(result.stdout.decode("utf-8"))
    errors = sorted(validator.iter_errors(document), key=lambda e: list(e.path))
    for error in errors[:5]:
        fail(f"{name}: {list(error.path)}: {error.message}")
    expected_head = {"program": "nexmar-cli", "format": 3, "seed": seed, "detail": level.capitalize(),
                     "census": census, "density": 50, "jump": 2}
    head = {key: document.get(key) for key in expected_head}
    if head != expected_head:
        fail(f"{name}: head {head}")
    if [system["number"] for system in document["systems"]] != list(range(1, 201)):
        fail(f"{name}: systems are not numbered 1 to 200")
    hexes = [system.get("hex") for system in document["systems"]]
    if len(set(hexes)) != 200 or "sector" in document["systems"][0]:
        fail(f"{name}: the 200 systems do not lie apart in one sector: {hexes[:5]}...")
    names = [system.get("name") for system in document["systems"]]
    if len(set(names)) != 200 or not all(names):
        fail(f"{name}: the 200 systems are not named apart: {names[:5]}...")
    with open(os.path.join(scratch, "TNXT001"), encoding="utf-8") as f:
        report = f.read()
    rebuilt = text_report(document)
    if rebuilt != report:
        at = next((i for i, (a, b) in enumerate(zip(rebuilt.splitlines(), report.splitlines())) if a != b), None)
        fail(f"{name}: the report rebuilt from the JSON differs at line {at}")

# Standard output cannot carry the document beside the tree or the statistics.
for other in ("--tree", "--stats"):
    result = run("--json", "-", other, "--dir", scratch)
    if result.returncode != 2 or result.stdout or result.stderr.count(b"\n") != 1:
        fail(f"--json - {other}: exit {result.returncode}, stdout {result.stdout[:40]!r}, stderr {result.stderr!r}")

# A document cut short by a full disk never replaces the earlier one, and
# leaves nothing of itself beside it.
target = os.path.join(scratch, "run.json")
with open(target, "w", encoding="utf-8") as f:
    f.write("earlier\n")


def full_disk():
    signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
    resource.setrlimit(resource.RLIMIT_FSIZE, (4096, resource.getrlimit(resource.RLIMIT_FSIZE)[1]))


result = run("--systems", "100", "--detail", "high", "--seed", "1", "--dir", scratch, "--json", target,
             preexec_fn=full_disk)
with open(target, encoding="utf-8") as f:
    kept = f.read()
left = sorted(name for name in os.listdir(scratch) if name.startswith("run.json"))
if result.returncode != 1 or kept != "earlier\n" or left != ["run.json"] or b"run.json" not in result.stderr:
    fail(f"full disk: exit {result.returncode}, file {kept[:20]!r}, files {left}, stderr {result.stderr!r}")

# A link keeps pointing where it did; the file it names gets the document,
# even when that file does not exist yet.
link = os.path.join(scratch, "link.json")
os.symlink("linked.json", link)
result = run("--seed", "1", "--dir", scratch, "--json", link)
if result.returncode != 0 or not os.path.islink(link) or json.load(open(link, encoding="utf-8"))["seed"] != 1:
    fail(f"--json through a link: exit {result.returncode}, link kept {os.path.islink(link)}")

sys.exit(1 if failures else 0)
