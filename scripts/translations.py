#!/usr/bin/env python3
"""Keeps the station's translations whole.

  translations.py check LUPDATE SOURCES_LIST TS...   lupdate the sources into copies of the .ts
      files and fail when any text lacks a translation or a translation is no longer used
  translations.py update LUPDATE SOURCES_LIST TS...  lupdate the .ts files themselves (new texts
      arrive unfinished, for Qt Linguist)

SOURCES_LIST names every source and form file, one per line (the build writes it)."""

import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def run_lupdate(lupdate, sources_list, ts_files):
    cmd = [lupdate, "-locations", "none", "-no-ui-lines", "-no-obsolete", "@" + sources_list,
           "-ts", *ts_files]
    result = subprocess.run(cmd, capture_output=True, text=True)
    if result.returncode != 0:
        sys.stderr.write(result.stdout + result.stderr)
        sys.exit(f"lupdate failed ({result.returncode})")


def problems(ts_file):
    found = []
    root = ET.parse(ts_file).getroot()
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else "missing"
            numerus = message.get("numerus") == "yes"
            empty = translation is None or (
                not numerus and not (translation.text or "").strip()) or (
                numerus and not all((f.text or "").strip() for f in translation.iter("numerusform")))
            if kind in ("unfinished", "missing") or empty:
                found.append(f"{os.path.basename(ts_file)}: {name}: not translated: {source!r}")
            elif kind in ("vanished", "obsolete"):
                found.append(f"{os.path.basename(ts_file)}: {name}: no longer used: {source!r}")
    return found


def main():
    if len(sys.argv) < 5 or sys.argv[1] not in ("check", "update"):
        sys.exit(__doc__)
    mode, lupdate, sources_list, ts_files = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    if mode == "update":
        run_lupdate(lupdate, sources_list, ts_files)
        return
    with tempfile.TemporaryDirectory() as tmp:
        copies = []
        for ts in ts_files:
            copy = os.path.join(tmp, os.path.basename(ts))
            shutil.copyfile(ts, copy)
            copies.append(copy)
        run_lupdate(lupdate, sources_list, copies)
        found = [p for copy in copies for p in problems(copy)]
    for p in found:
        print(p)
    if found:
        sys.exit(f"{len(found)} texts need work in Qt Linguist: run ./korvane.sh translations")
    print(f"every text is translated in {len(ts_files)} languages")


if __name__ == "__main__":
    main()
