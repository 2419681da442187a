#!/usr/bin/env python3
"""Fails when a text of the program's would look different on a Japanese Windows than it did.

The program's literals are UTF-8 and shown through the wide functions; they used to be compiled to
Shift-JIS and shown through the ANSI ones, which read code page 932. The two show the same only for
characters that code page 932 has and gives back unchanged (U+00AC, say, went in as 0x81CA and came out
as U+FFE2), so every character of every string and character literal under src/ must be such a one.
"""
import pathlib
import sys

root = pathlib.Path(__file__).resolve().parent.parent


def literals(text):
    """The contents of the string and character literals of a C++ source, comments skipped."""
    i, n = 0, len(text)
    while i < n:
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
        elif text.startswith("/*", i):
            i = text.find("*/", i + 2)
            i = n if i < 0 else i + 2
        elif text[i] in "\"'":
            quote, j = text[i], i + 1
            while j < n and text[j] != quote:
                j += 2 if text[j] == "\\" else 1
            yield text[i + 1 : j]
            i = j + 1
        else:
            i += 1


def main():
    bad = []
    for path in sorted((root / "src").rglob("*")):
        if path.suffix not in (".cpp", ".hpp"):
            continue
        for literal in literals(path.read_text(encoding="utf-8")):
            for ch in literal:
                if ord(ch) < 0x80:
                    continue
                try:
                    same = ch.encode("cp932").decode("cp932") == ch
                except UnicodeError:
                    same = False
                if not same:
                    bad.append(f"{path.relative_to(root)}: U+{ord(ch):04X} {ch!r} in {literal!r}")
    for line in bad:
        print(line)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
