#!/usr/bin/env python3
"""Writes res/OBSC32.HLP: a WinHelp 4.0 file (uncompressed, Shift-JIS) with one topic saying the help is
still to come and pointing to OBSC32.TXT. With --check, writes nothing and fails when res/OBSC32.HLP is not
what this script gives.

Layout: the 16-byte file header, then the internal files |SYSTEM, |FONT, |CONTEXT, |KWBTREE, |KWDATA and
|TOPIC, each behind its 9-byte file header, and last the internal directory (a one-page B+ tree of file names and offsets)."""
import struct, sys

TITLE = '真っ黒すみかげ ヘルプ'
CONTEXT_ID = 'contents'
HEADING = '真っ黒すみかげ（OBSC32）のヘルプ'
BODY = [
    'このヘルプは、まだ準備中です。',
    '',
    '使い方は、プログラムと同じフォルダーにある',
    '説明書 OBSC32.TXT をお読みください。',
    'メモ帳などのテキストエディターで開けます。',
]
KEYWORDS = ['OBSC32.TXT', '説明書', 'ヘルプ']   # the keyword index, all leading to the one topic
FACE = 'ＭＳ ゴシック'
SHIFTJIS_CHARSET = 128
LCID_JAPANESE = 0x0411
TOPIC_BLOCK = 4096           # uncompressed files of format 1.33 use 4 KB topic blocks
NIL = 0xFFFFFFFF


def sjis(text):
    data = text.encode('cp932')
    # The viewer escapes '\', '{' and '}' byte by byte, which would break a double-byte character.
    for i in range(len(data)):
        if data[i] >= 0x80 and i + 1 < len(data) and data[i + 1] in b'\\{}':
            raise SystemExit(f'{text!r}: a trail byte the viewer cannot pass through')
    return data


def internal_file(content, reserved=None):
    reserved = max(reserved or 0, len(content))
    return struct.pack('<IIB', reserved + 9, len(content), 4) + content + bytes(reserved - len(content))


def btree(structure, entries, page_size, directory=False):
    """A B+ tree of one leaf page; entries are already sorted and packed."""
    body = b''.join(entries)
    free = page_size - 8 - len(body)
    if free < 0:
        raise SystemExit('B+ tree page overflow')
    flags = 0x0002 | (0x0400 if directory else 0)
    header = struct.pack('<HHH16shhhhhhi', 0x293B, flags, page_size, structure.encode(), 0, 0, 0, -1, 1, 1,
                         len(entries))
    page = struct.pack('<Hhhh', free, len(entries), -1, -1) + body + bytes(free)
    return header + page


def context_hash(name):
    h = 0
    for c in name:
        if 'A' <= c <= 'Z':
            x = ord(c) - ord('A') + 17
        elif 'a' <= c <= 'z':
            x = ord(c) - ord('a') + 17
        elif '1' <= c <= '9':
            x = ord(c) - ord('0')
        else:
            x = {'0': 10, '.': 12, '_': 13}.get(c, 0)
        h = (h * 43 + x) & 0xFFFFFFFF
    return h


def system_file(contents_offset):
    records = [
        (1, sjis(TITLE) + b'\0'),
        (3, struct.pack('<I', contents_offset)),
        (9, struct.pack('<hhhhH', 0, 0, 0, 0, LCID_JAPANESE)),
        (11, struct.pack('<H', SHIFTJIS_CHARSET)),
    ]
    # Magic, format 1.33 (Help Workshop 4.0), build date 0 (reproducible), flags 0 (no compression).
    out = struct.pack('<HHHIH', 0x036C, 33, 1, 0, 0)
    for kind, data in records:
        out += struct.pack('<HH', kind, len(data)) + data
    return out


def font_file():
    face_len = 20
    faces = sjis(FACE).ljust(face_len, b'\0')
    descriptors = [  # attributes, size in half points, family (swiss), face, colour, unused colour
        struct.pack('<BBBH3s3s', 0, 20, 3, 0, b'\0\0\0', b'\0\0\0'),
        struct.pack('<BBBH3s3s', 1, 28, 3, 0, b'\0\0\x80', b'\0\0\0'),
    ]
    return struct.pack('<HHHH', 1, len(descriptors), 8, 8 + face_len) + faces + b''.join(descriptors)


def compressed_long(v):
    if -16384 <= v < 16384:
        return struct.pack('<H', v * 2 + 0x8000)
    return struct.pack('<I', (v + 0x40000000) * 2 + 1)


def compressed_ushort(v):
    return bytes([v * 2]) if v < 128 else struct.pack('<H', v * 2 + 1)


def text_record():
    """LinkData1 and LinkData2 of one display-text record: heading in font 1, then the body in font 0."""
    strings = [b'', sjis(HEADING), b'', b'']
    commands = [b'\x80' + struct.pack('<H', 1), b'\x82', b'\x82', b'\x80' + struct.pack('<H', 0)]
    for line in BODY:
        strings.append(sjis(line))
        commands.append(b'\x82')
    strings.append(b'')
    commands.append(b'\xff')
    data2 = b''.join(s + b'\0' for s in strings)
    para = bytes([0, 0x80]) + struct.pack('<HH', 0, 0)   # unknowns, id, no paragraph options
    data1 = compressed_long(len(data2)) + compressed_ushort(len(data2)) + para + b''.join(commands)
    return data1, data2


def topic_link(kind, prev, nxt, data1, data2):
    size1 = 21 + len(data1)
    return struct.pack('<IIIIIB', size1 + len(data2), len(data2), prev, nxt, size1, kind) + data1 + data2


def topic_file():
    data1, data2 = text_record()
    title = sjis(TITLE) + b'\0'
    header_len = 21 + 28 + len(title)
    text_len = 21 + len(data1) + len(data2)
    first, second = 12, 12 + header_len        # TOPICPOS: block 0, offsets behind the block header
    topic_header = struct.pack('<IIIiIII', header_len + text_len, NIL, NIL, 0, NIL, second, NIL)
    links = topic_link(2, NIL, second, topic_header, title) + topic_link(0x20, first, NIL, data1, data2)
    block = struct.pack('<III', NIL, first, first) + links
    if len(block) > TOPIC_BLOCK:
        raise SystemExit('the topic does not fit one block')
    return block + bytes(TOPIC_BLOCK - len(block))


def keyword_files(topic_offset):
    """|KWBTREE (keyword, count, offset into |KWDATA) and |KWDATA (the topic offsets), keywords in byte order."""
    words = sorted(sjis(k) for k in KEYWORDS)
    entries = [w + b'\0' + struct.pack('<hI', 1, 4 * i) for i, w in enumerate(words)]
    return btree('F24', entries, 2048), struct.pack('<I', topic_offset) * len(words)


def help_file():
    contents_offset = 0                        # TOPICOFFSET of the one topic: block 0, character 0
    kwbtree, kwdata = keyword_files(contents_offset)
    files = {
        '|SYSTEM': system_file(contents_offset),
        '|FONT': font_file(),
        '|CONTEXT': btree('L4', [struct.pack('<II', context_hash(CONTEXT_ID), contents_offset)], 2048),
        '|KWBTREE': kwbtree,
        '|KWDATA': kwdata,
        '|TOPIC': topic_file(),
    }
    body, offsets, pos = b'', {}, 16
    for name, content in files.items():
        offsets[name] = pos
        chunk = internal_file(content)
        body += chunk
        pos += len(chunk)
    entries = [name.encode() + b'\0' + struct.pack('<I', offsets[name]) for name in sorted(files)]
    directory = internal_file(btree('z4', entries, 1024, directory=True))
    total = pos + len(directory)
    return struct.pack('<IiiI', 0x00035F3F, pos, -1, total) + body + directory


if __name__ == '__main__':
    target = 'res/OBSC32.HLP'
    if '--check' in sys.argv[1:]:
        if open(target, 'rb').read() != help_file():
            raise SystemExit(f'{target} is out of date: run scripts/make-help.py')
    else:
        with open(sys.argv[1] if len(sys.argv) > 1 else target, 'wb') as f:
            f.write(help_file())
