#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Turns the handbook's Markdown into one HTML page (python3-markdown from Debian)."""

import sys

import markdown

PAGE = """<!DOCTYPE html>
<html lang="de">
<head>
<meta charset="utf-8">
<title>Knorzelbart – Handbuch</title>
<style>
body {{ font-family: "Liberation Sans", Arial, sans-serif; max-width: 50em; margin: 2em auto;
       padding: 0 1em; line-height: 1.45; color: #111; }}
pre {{ background: #f3f3f3; padding: .6em .8em; overflow-x: auto; white-space: pre-wrap;
       overflow-wrap: anywhere; }}
code {{ font-family: "Liberation Mono", monospace; overflow-wrap: anywhere; }}
table {{ border-collapse: collapse; max-width: 100%; }}
td, th {{ border: 1px solid #999; padding: .25em .6em; text-align: left; vertical-align: top;
         overflow-wrap: anywhere; }}
h2 {{ margin-top: 1.8em; border-bottom: 1px solid #ccc; }}
img {{ max-width: 100%; height: auto; }}
/* On paper: A4, nothing cut at the right edge; the title and the quick start fill the first
   page, the rest begins on the next. */
@page {{ size: A4; margin: 1.6cm 1.5cm; }}
@media print {{
  body {{ max-width: none; margin: 0; padding: 0; font-size: 10.5pt; line-height: 1.35; }}
  pre {{ overflow: visible; page-break-inside: avoid; }}
  table {{ width: 100%; font-size: 9.5pt; }}
  tr, img {{ page-break-inside: avoid; }}
  img {{ max-width: 75%; max-height: 11cm; }}
  td:first-child code {{ white-space: nowrap; overflow-wrap: normal; }}
  h2, h3 {{ page-break-after: avoid; }}
  h1 {{ margin: 0 0 .3em; font-size: 18pt; }}
  h2#schnellstart-der-erste-tag {{ margin-top: .6em; }}
  h2#inhalt {{ page-break-before: always; margin-top: 0; }}
  a {{ color: inherit; text-decoration: none; }}
}}
</style>
</head>
<body>
{body}
</body>
</html>
"""


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        body = markdown.markdown(f.read(), extensions=["tables", "toc"], output_format="html")
    with open(target, "w", encoding="utf-8") as f:
        f.write(PAGE.format(body=body))


if __name__ == "__main__":
    main()
