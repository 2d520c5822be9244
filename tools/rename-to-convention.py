#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Renames private and protected data members and parameters to the project's convention.

    tools/rename-to-convention.py [--dry-run] [build-dir]

clang-tidy's readability-identifier-naming (configured in .clang-tidy) finds every declaration
that breaks the convention and every reference to it, across all translation units of the
compile database. Its own fix would only append the suffix ("fColor" -> "fColor_"), so this
script takes the places from clang-tidy and chooses the names itself:

    data member   fColor, FLines, RelativeIdList_, lastTotal  ->  color_, lines_, relativeIdList_, lastTotal_
    parameter     dialogs_                                    ->  dialogs

It refuses to apply anything when two renames meet at one place with different names, and it
reports new names that a file already uses for something else. Build and run the tests after.
"""
import json
import os
import re
import subprocess
import sys
import tempfile
from collections import defaultdict
from concurrent.futures import ThreadPoolExecutor

import yaml

SOURCE_DIRS = ("app", "bench", "cli", "disc", "engine", "fuzz", "platform", "tests", "tools",
               "widgets")


def camel_back(name):
    """lowerCamelCase of a CamelCase, camelBack or snake_case name."""
    parts = [p for p in name.split("_") if p]
    if not parts:
        return name
    name = parts[0] + "".join(p[:1].upper() + p[1:] for p in parts[1:])
    caps = re.match(r"[A-Z]+", name)
    if not caps:
        return name
    run = caps.group(0)
    rest = name[len(run):]
    if len(run) > 1 and rest[:1].islower():
        run = run[:-1].lower() + run[-1]  # "URLCache" -> "urlCache"
    else:
        run = run.lower()  # "Lines" -> "lines", "ID" -> "id"
    return run + rest


def member_name(old):
    base = old.rstrip("_")
    if re.match(r"[fF][A-Z]", base):  # the f/F field prefix
        base = base[1:]
    return camel_back(base) + "_"


def parameter_name(old):
    return camel_back(old.rstrip("_"))


def translation_units(build):
    root = os.path.dirname(os.path.abspath(__file__)).rsplit("/tools", 1)[0]
    with open(os.path.join(build, "compile_commands.json")) as f:
        entries = json.load(f)
    units = []
    for e in entries:
        path = os.path.realpath(os.path.join(e["directory"], e["file"]))
        rel = os.path.relpath(path, root)
        # C sources keep C's own naming.
        if rel.split("/")[0] in SOURCE_DIRS and "/boundaries/" not in rel and rel.endswith(".cpp"):
            units.append(path)
    return root, sorted(set(units))


def run_tidy(build, unit, out):
    subprocess.run(["clang-tidy", "-p", build, "--quiet",
                    "--extra-arg=-Wno-unknown-warning-option",  # GCC's flags, read by clang
                    "--checks=-*,readability-identifier-naming",
                    "--export-fixes=" + out, unit],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if not os.path.exists(out):
        return []
    with open(out) as f:
        data = yaml.safe_load(f) or {}
    return data.get("Diagnostics") or []


KINDS = {"private member": member_name, "protected member": member_name,
         "parameter": parameter_name}


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    dry = "--dry-run" in sys.argv
    build = os.path.abspath(args[0] if args else "build/asan")
    root, units = translation_units(build)
    print(f"{len(units)} translation units", file=sys.stderr)
    with tempfile.TemporaryDirectory() as tmp:
        jobs = [(u, os.path.join(tmp, f"{i}.yaml")) for i, u in enumerate(units)]
        with ThreadPoolExecutor(os.cpu_count() or 2) as pool:
            results = list(pool.map(lambda j: run_tidy(build, *j), jobs))

    edits = defaultdict(dict)  # file -> offset -> (length, old, new)
    renames = set()
    unfixed = set()
    for diagnostics in results:
        for d in diagnostics:
            message = d["DiagnosticMessage"]
            m = re.match(r"invalid case style for (.+) '(\w+)'", message["Message"])
            if not m or m.group(1) not in KINDS:
                continue
            kind, old = m.groups()
            new = KINDS[kind](old)
            if new == old:
                continue
            renames.add((kind, old, new))
            if not message.get("Replacements"):
                where = os.path.relpath(os.path.realpath(message["FilePath"]), root)
                unfixed.add(f"{where}: clang-tidy offers no fix for {kind} '{old}'")
            for r in message.get("Replacements") or []:
                path = os.path.realpath(r["FilePath"])
                if not path.startswith(root + "/") or "/build" in path[len(root):]:
                    continue
                offset, length = r["Offset"], r["Length"]
                known = edits[path].get(offset)
                if known and known[2] != new:
                    sys.exit(f"{path}:{offset}: '{old}' would become both {known[2]} and {new}")
                edits[path][offset] = (length, old, new)

    for kind, old, new in sorted(renames):
        print(f"{kind:17} {old:28} -> {new}")
    for line in sorted(unfixed):
        print(line, file=sys.stderr)
    new_names = {new for _, _, new in renames}
    old_names = {old for _, old, _ in renames}
    for path, places in sorted(edits.items()):
        with open(path, encoding="utf-8") as f:
            text = f.read()
        data = text.encode("utf-8")
        taken = set(re.findall(rb"\b\w+\b", data))
        for name in sorted(new_names):
            if name.encode() in taken and name not in old_names:
                if any(new == name for _, _, new in places.values()):
                    print(f"note: {os.path.relpath(path, root)} already uses '{name}'",
                          file=sys.stderr)
        for offset in sorted(places, reverse=True):
            length, old, new = places[offset]
            found = data[offset:offset + length].decode()
            if found != old:
                sys.exit(f"{path}:{offset}: expected '{old}', found '{found}'")
            data = data[:offset] + new.encode() + data[offset + length:]
        if not dry:
            with open(path, "wb") as f:
                f.write(data)
    print(f"{sum(len(p) for p in edits.values())} places in {len(edits)} files"
          + (" (dry run)" if dry else ""), file=sys.stderr)


if __name__ == "__main__":
    main()
