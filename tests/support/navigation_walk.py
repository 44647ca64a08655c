#!/usr/bin/env python3
"""Prints what qpdf's JSON (read on stdin, --json=2) says about a document's navigation,
one line per item, for tests to compare as text.

  outlines     depth|title|page, walking the outline tree depth first
  annotations  page|subtype|rect|action|value|p-is-page|dest for every page's annotations;
               a script's value is its stream data (needs --json-stream-data=inline), CR as
               "\\r"
"""
import base64
import json
import sys


def text(value):
    # qpdf writes strings as "u:..." (Unicode) or "b:..." (hex bytes).
    if isinstance(value, str) and value[:2] in ("u:", "b:"):
        return value[2:]
    return value


def walk_outlines(items, depth):
    for item in items:
        print(f"{depth}|{item['title']}|{item['destpageposfrom1']}")
        walk_outlines(item["kids"], depth + 1)


def main():
    mode = sys.argv[1]
    data = json.load(sys.stdin)
    if mode == "outlines":
        walk_outlines(data["outlines"], 0)
        return
    objects = data["qpdf"][1]

    def resolve(ref):
        return objects["obj:" + ref]["value"]

    for number, page in enumerate(data["pages"], start=1):
        annots = resolve(page["object"]).get("/Annots", [])
        if isinstance(annots, str):
            annots = resolve(annots)
        for ref in annots:
            annot = resolve(ref)
            rect = " ".join(f"{float(v):g}" for v in annot["/Rect"])
            action = annot.get("/A", {})
            kind = action.get("/S", "")
            value = ""
            if kind == "/URI":
                value = text(action["/URI"])
            elif kind == "/GoToR":
                value = text(action["/F"])
            elif kind == "/JavaScript":
                data = objects["obj:" + action["/JS"]]["stream"]["data"]
                value = base64.b64decode(data).decode("latin-1").replace("\r", "\\r")
            on_page = annot.get("/P") == page["object"]
            dest = annot.get("/Dest", "")
            print(f"{number}|{annot['/Subtype']}|{rect}|{kind}|{value}|{on_page}|{dest}")


main()
