#!/usr/bin/env python3
"""Keeps docs/naming.md's glossary in step with the code.

Every name the glossary lists must still occur in src/ (in code or in a file name or key the
code uses), and every word of an identifier in src/ that carries a Polish letter cluster
(cz, sz, rz, dz, or a Polish ending) must be covered by a glossary name.

usage: naming_test.py REPOSITORY
"""
import pathlib
import re
import sys

# Polish letter clusters and endings rare in English identifiers.
POLISH = re.compile(r"cz|sz|rz|dz|ych$|aj$|uj$|ie$")
# English words the pattern above also matches.
ENGLISH = {"lie", "tie", "die", "pie"}


def glossary_names(text):
    rows = text.split("## Glossary", 1)[1].splitlines()
    names = []
    for row in rows:
        cells = row.split("|")
        if len(cells) < 3 or cells[1].strip().startswith("word") or "---" in cells[1]:
            continue
        # Names are in backticks; words in italics are the Polish originals, not code.
        for name in re.findall(r"`([^`]+)`", cells[1]):
            names.extend(name.split())
    return names


def main():
    repo = pathlib.Path(sys.argv[1])
    names = glossary_names((repo / "docs/naming.md").read_text(encoding="utf-8"))
    sources = [p.read_text(encoding="utf-8", errors="replace")
               for p in sorted((repo / "src").rglob("*")) if p.suffix in (".h", ".cpp")]
    code = "\n".join(sources)
    lower = code.lower()
    failures = []
    for name in names:
        if name.lower() not in lower:
            failures.append(f"docs/naming.md lists `{name}`, which no file in src/ uses")
    covered = " ".join(names).lower()
    words = set()
    for ident in re.findall(r"[A-Za-z_][A-Za-z0-9_]*", re.sub(r"//[^\n]*", "", code)):
        words.update(w.lower() for w in re.findall(r"[A-Z]?[a-z]+|[A-Z]+(?![a-z])", ident))
    for word in sorted(words):
        if POLISH.search(word) and word not in ENGLISH and word not in covered:
            failures.append(f"the Polish word `{word}` in src/ is missing from docs/naming.md")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
