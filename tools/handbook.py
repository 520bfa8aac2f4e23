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
pre {{ background: #f3f3f3; padding: .6em .8em; overflow-x: auto; }}
code {{ font-family: "Liberation Mono", monospace; }}
table {{ border-collapse: collapse; }}
td, th {{ border: 1px solid #999; padding: .25em .6em; text-align: left; vertical-align: top; }}
h2 {{ margin-top: 1.8em; border-bottom: 1px solid #ccc; }}
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
