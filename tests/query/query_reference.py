#!/usr/bin/env python3
"""Random queries over seeded runs: the systems that nexmar-cli --where keeps
in its JSON document are exactly those this filter keeps of the whole run's
document, and each is the whole run's system, under the same number.

The filter below is written from docs/query.md and the document's schema, not
from the engine: a system matches when the query holds for one choice of the
parts it names (a component, one of its stars, one of its objects, one of that
object's moons); where a part has none to choose its fields are absent, and a
comparison with an absent field fails. Texts compare letter case aside.

Usage: query_reference.py NEXMAR_CLI SCRATCH_DIR
"""
import concurrent.futures
import json
import os
import random
import subprocess
import sys

cli, scratch = sys.argv[1:3]
os.makedirs(scratch, exist_ok=True)

NUMBER, TEXT, FLAG = "number", "text", "flag"
# name -> (part, key in the part's JSON object, kind); key None: the moon's own text.
LOW_FIELDS = {name: ("system", name, kind) for name, kind in [
    ("number", NUMBER), ("size", TEXT), ("importance", TEXT), ("capacity", NUMBER), ("raw", NUMBER),
    ("census", NUMBER), ("morale", NUMBER), ("productivity", NUMBER), ("special", TEXT)]}
OBJECT_FIELDS = [("number", NUMBER), ("zone", TEXT), ("type", TEXT), ("capacity", NUMBER), ("raw", NUMBER),
                 ("census", NUMBER), ("morale", NUMBER), ("productivity", NUMBER), ("special", TEXT),
                 ("moons", NUMBER)]
MEDIUM_FIELDS = {"system.number": ("system", "number", NUMBER), "moon": ("moon", None, TEXT),
                 "value": ("object", "value", TEXT),
                 **{name: ("object", name, kind) for name, kind in OBJECT_FIELDS}}
HIGH_FIELDS = {"system.number": ("system", "number", NUMBER), "component.letter": ("component", "letter", TEXT),
               **{"star." + key: ("star", key, TEXT)
                  for key in ("colour", "size", "spectralClass", "luminosityClass", "description")},
               **{name: ("object", name, kind) for name, kind in OBJECT_FIELDS},
               "size": ("object", "size", TEXT), "specialRoll": ("object", "specialRoll", NUMBER),
               "gaiaWorld": ("object", "gaiaWorld", FLAG),
               **{"moon." + key: ("moon", key, NUMBER) for key in ("number", "capacity", "raw")}}
FIELDS = {"Low": LOW_FIELDS, "Medium": MEDIUM_FIELDS, "High": HIGH_FIELDS}


def field_value(field, binding):
    part, key, _ = field
    item = binding.get(part)
    if item is None:
        return None
    if key is None:
        return item
    if key == "moons":
        return len(item["moons"])
    return item.get(key)


def holds(node, fields, binding):
    kind = node[0]
    if kind == "and":
        return all(holds(operand, fields, binding) for operand in node[1])
    if kind == "or":
        return any(holds(operand, fields, binding) for operand in node[1])
    if kind == "not":
        return not holds(node[1], fields, binding)
    value = field_value(fields[node[1]], binding)
    if kind == "flag":
        return value is True
    _, _, op, wanted = node
    if value is None:
        return False
    if isinstance(wanted, str):
        value, wanted = value.lower(), wanted.lower()
        return {"=": value == wanted, "!=": value != wanted, "~": wanted in value}[op]
    return {"=": value == wanted, "!=": value != wanted, "<": value < wanted, "<=": value <= wanted,
            ">": value > wanted, ">=": value >= wanted}[op]


def parts_named(node, fields, named):
    if node[0] in ("and", "or"):
        for operand in node[1]:
            parts_named(operand, fields, named)
    elif node[0] == "not":
        parts_named(node[1], fields, named)
    else:
        named.add(fields[node[1]][0])
    return named


def choices(named, part, items):
    if part not in named:
        return [None]
    return items if items else [None]


def keeps(node, level, system):
    fields = FIELDS[level]
    named = parts_named(node, fields, set())
    if "moon" in named:
        named.add("object")
    if level == "High" and named & {"star", "object"}:
        named.add("component")
    if level == "Low":
        return holds(node, fields, {"system": system})
    if level == "Medium":
        return any(holds(node, fields, {"system": system, "object": obj, "moon": moon})
                   for obj in choices(named, "object", system["objects"])
                   for moon in choices(named, "moon", obj["moons"] if obj else []))
    return any(holds(node, fields, {"system": system, "component": comp, "star": star, "object": obj, "moon": moon})
               for comp in choices(named, "component", system["components"])
               for star in choices(named, "star", comp["stars"] if comp else [])
               for obj in choices(named, "object", comp["objects"] if comp else [])
               for moon in choices(named, "moon", obj["moons"] if obj else []))


def seen_values(level, document):
    """Every value each field takes in the run, to draw the queries' values from."""
    seen = {name: set() for name in FIELDS[level]}

    def note(binding):
        for name, field in FIELDS[level].items():
            value = field_value(field, binding)
            if value is not None and binding.get(field[0]) is not None:
                seen[name].add(value)

    for system in document["systems"]:
        if level == "Low":
            note({"system": system})
        for obj in system.get("objects", []):
            note({"system": system, "object": obj})
            for moon in obj["moons"]:
                note({"system": system, "object": obj, "moon": moon})
        for comp in system.get("components", []):
            for star in comp["stars"]:
                note({"system": system, "component": comp, "star": star})
            for obj in comp["objects"]:
                note({"system": system, "component": comp, "object": obj})
                for moon in obj["moons"]:
                    note({"system": system, "component": comp, "object": obj, "moon": moon})
    return {name: sorted(values, key=str) for name, values in seen.items()}


def random_case(rng, word):
    return "".join(c.upper() if rng.random() < 0.3 else c for c in word) if rng.random() < 0.3 else word


def random_condition(rng, level, seen):
    fields = FIELDS[level]
    name = rng.choice(sorted(fields))
    kind = fields[name][2]
    if kind == FLAG:
        return ("flag", name)
    values = seen[name] or ([0] if kind == NUMBER else ["x"])
    if kind == NUMBER:
        value = rng.choice(values) + rng.choice([-1, 0, 0, 0, 1])
        return ("cmp", name, rng.choice(["=", "!=", "<", "<=", ">", ">="]), value)
    value = rng.choice(values)
    op = rng.choice(["=", "=", "!=", "~", "~"])
    if op == "~" and len(value) > 1:
        start = rng.randrange(len(value))
        value = value[start:rng.randrange(start + 1, len(value) + 1)]
    return ("cmp", name, op, random_case(rng, value))


def random_query(rng, level, seen, depth=0):
    roll = rng.random()
    if depth >= 3 or roll < 0.45:
        return random_condition(rng, level, seen)
    if roll < 0.85:
        return ("and" if roll < 0.68 else "or",
                [random_query(rng, level, seen, depth + 1) for _ in range(rng.randint(2, 3))])
    return ("not", random_query(rng, level, seen, depth + 1))


def render_name(rng, level, name):
    if name == "gaiaWorld" and rng.random() < 0.5:
        name = "gaia"
    elif "." not in name and name != "moon" and rng.random() < 0.15:
        name = ("system." if level == "Low" else "object.") + name
    return random_case(rng, name)


def render_value(rng, value):
    if isinstance(value, int):
        return str(value)
    bare = value and not any(c.isspace() or c in "()=!<>~\"'" for c in value) \
        and value.lower() not in ("and", "or", "not")
    if bare and rng.random() < 0.6:
        return value
    quote = "'" if '"' in value or rng.random() < 0.3 else '"'
    return quote + value + quote


def render(rng, level, node):
    kind = node[0]
    space = rng.choice([" ", " ", "  ", "\t"])
    if kind in ("and", "or"):
        keyword = random_case(rng, kind)
        return (space + keyword + space).join(render_operand(rng, level, operand) for operand in node[1])
    if kind == "not":
        return random_case(rng, "not") + " " + render_operand(rng, level, node[1])
    if kind == "flag":
        return render_name(rng, level, node[1])
    _, name, op, value = node
    tight = rng.random() < 0.3
    return render_name(rng, level, name) + ("" if tight else space) + op + ("" if tight else space) \
        + render_value(rng, value)


def render_operand(rng, level, node):
    text = render(rng, level, node)
    return "(" + text + ")" if node[0] in ("and", "or") or rng.random() < 0.1 else text


RUNS = [("Low", 11, 200, True), ("Low", 12, 120, False), ("Medium", 13, 60, True), ("Medium", 14, 60, False),
        ("High", 15, 40, True), ("High", 16, 40, False)]
QUERIES_PER_RUN = 300


def run_document(arguments, query=None):
    """The JSON document of a run, of the systems query keeps when given."""
    where = [] if query is None else ["--where", query]
    done = subprocess.run([cli, *arguments, *where, "--json", "-", "--dir", scratch], capture_output=True, text=True)
    if done.returncode != 0:
        raise RuntimeError(f"nexmar-cli {arguments} --where {query!r}: status {done.returncode}: {done.stderr}")
    return json.loads(done.stdout)


failures = 0
with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
    for level, seed, systems, census in RUNS:
        arguments = ["--detail", level.lower(), "--seed", str(seed), "--systems", str(systems)]
        arguments += ["--census"] if census else []
        document = run_document(arguments)
        by_number = {system["number"]: system for system in document["systems"]}
        seen = seen_values(level, document)
        rng = random.Random(seed)
        queries = [random_query(rng, level, seen) for _ in range(QUERIES_PER_RUN)]
        texts = [render(rng, level, query) for query in queries]
        answers = pool.map(lambda text: run_document(arguments, text), texts)
        selective = 0
        for query, text, answer in zip(queries, texts, answers):
            expected = [system["number"] for system in document["systems"] if keeps(query, level, system)]
            kept = [system["number"] for system in answer["systems"]]
            if kept != expected:
                failures += 1
                print(f"FAIL {level} seed {seed}: {text!r}\n  --where:   {kept}\n  reference: {expected}")
            elif any(system != by_number[system["number"]] for system in answer["systems"]) \
                    or {**answer, "systems": []} != {**document, "systemsRolled": systems, "systems": []}:
                failures += 1
                print(f"FAIL {level} seed {seed}: {text!r}: the document is not the whole run's, cut")
            selective += 0 < len(expected) < systems
        print(f"{level} seed {seed}: {len(texts)} queries, {selective} keep some systems but not all")
        if selective < QUERIES_PER_RUN // 4:
            failures += 1
            print(f"FAIL {level} seed {seed}: too few queries tell systems apart to test anything")
sys.exit(1 if failures else 0)
