#!/usr/bin/env python3
"""Writes the user's guide res/OBSC32.TXT (Shift-JIS, CR LF) from its readable source res/OBSC32.utf8.txt.
With --check, writes nothing and fails when res/OBSC32.TXT is not what the source gives."""
import sys

SOURCE, TARGET = 'res/OBSC32.utf8.txt', 'res/OBSC32.TXT'


def guide():
    text = open(SOURCE, encoding='utf-8').read().replace('\r\n', '\n')
    try:
        # Code page 932 as Windows has it; a character outside it stops the build of the guide.
        return text.replace('\n', '\r\n').encode('cp932')
    except UnicodeEncodeError as e:
        line = text.count('\n', 0, e.start) + 1
        raise SystemExit(f'{SOURCE}:{line}: {text[e.start]!r} has no Shift-JIS code')


if __name__ == '__main__':
    data = guide()
    if '--check' in sys.argv[1:]:
        if open(TARGET, 'rb').read() != data:
            raise SystemExit(f'{TARGET} is out of date: run scripts/make-guide.py')
    else:
        open(TARGET, 'wb').write(data)
