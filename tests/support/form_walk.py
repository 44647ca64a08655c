#!/usr/bin/env python3
"""Prints qpdf's view of a document's form (--json=2 --json-key=acroform, on stdin), one
line per field: name|type|flags|value|default|choices|page|tooltip, choices joined by ","."""
import json
import sys


def text(value):
    # Strings come as "u:..." (Unicode) or "b:..." (hex bytes); names as "/...".
    if value is None:
        return "-"
    if isinstance(value, str) and value[:2] in ("u:", "b:"):
        return value[2:]
    return value


def main():
    data = json.loads(sys.stdin.buffer.read().decode("utf-8", errors="replace"))
    for field in data["acroform"]["fields"]:
        choices = ",".join(text(c) for c in field["choices"])
        print("|".join(str(part) for part in (
            field["fullname"], field["fieldtype"], field["fieldflags"], text(field["value"]),
            text(field["defaultvalue"]), choices, field["pageposfrom1"],
            field["alternativename"])))


main()
