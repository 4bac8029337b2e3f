#!/usr/bin/env python3
"""Help strings for enumeration members, which widl refuses to compile.

  strip IN.idl OUT.idl      writes the IDL without the [helpstring(...)] of enum members
  patch IN.idl TLB          writes those help strings into the type library widl made from OUT.idl

The type library is in the MSFT format. Each enum member is a variable record; a record may carry
optional fields after its fixed part, the first two being the help context and the offset of the
help string in the string table. The patch appends the strings to the string table, lengthens each
member's record by those two fields, and moves every offset that lies after what grew.
"""
import re
import struct
import sys

MEMBER = re.compile(r'\[\s*helpstring\s*\(\s*"((?:[^"\\]|\\.)*)"\s*\)\s*\]\s*(\w+)(\s*=)')
ENUM = re.compile(r'\benum\b[^{]*\{(.*?)\}', re.S)


def member_help(idl):
    found = {}
    for body in ENUM.findall(idl):
        for text, name, _ in MEMBER.findall(body):
            found[name] = text
    return found


def strip(idl):
    return ENUM.sub(lambda m: m.group(0).replace(m.group(1), MEMBER.sub(r'\2\3', m.group(1))), idl)


def encode_string(text):
    raw = text.encode('cp1252')
    data = struct.pack('<H', len(raw)) + raw
    if len(raw) < 3:
        data += b'W' * (3 - len(raw))
    while len(data) % 4:
        data += b'W'
    return data


def patch(tlb, help_of):
    d = bytearray(tlb)
    if d[:4] != b'MSFT':
        raise SystemExit('not an MSFT type library')
    varflags, = struct.unpack_from('<i', d, 0x14)
    ntypeinfos, = struct.unpack_from('<i', d, 0x20)
    pos = 0x54 + (4 if varflags & 0x100 else 0)
    typeinfo_offsets_at = pos
    segdir = pos + 4 * ntypeinfos
    segs = [list(struct.unpack_from('<iiii', d, segdir + 16 * i)) for i in range(15)]
    typeinfo_tab, name_tab, string_tab = segs[0][0], segs[7][0], segs[8]

    def name_at(offset):
        length = d[name_tab + offset + 8]
        return d[name_tab + offset + 12:name_tab + offset + 12 + length].decode('cp1252')

    # New strings go at the end of the string table.
    new_strings = bytearray()
    string_offset = {}
    for name, text in help_of.items():
        string_offset[name] = string_tab[1] + len(new_strings)
        new_strings += encode_string(text)
    grow_strings = len(new_strings)
    strings_end = string_tab[0] + string_tab[1]

    # Element blocks to rewrite: (absolute offset, old length, new bytes).
    rewrites = []
    for t in range(ntypeinfos):
        base = typeinfo_tab + 0x64 * t
        typekind, memoffset = struct.unpack_from('<ii', d, base)
        celement, = struct.unpack_from('<i', d, base + 0x18)
        nfuncs, nvars = celement & 0xffff, celement >> 16
        if typekind & 0xf != 0 or nvars == 0 or nfuncs != 0:  # TKIND_ENUM only
            continue
        infolen, = struct.unpack_from('<i', d, memoffset)
        n = nvars
        tail_at = memoffset + 4 + infolen
        ids = list(struct.unpack_from('<%di' % n, d, tail_at))
        names = list(struct.unpack_from('<%di' % n, d, tail_at + 4 * n))
        offs = list(struct.unpack_from('<%di' % n, d, tail_at + 8 * n))
        records = bytearray()
        new_offs = []
        for i in range(n):
            start = memoffset + 4 + offs[i]
            size = struct.unpack_from('<H', d, start)[0]
            record = bytearray(d[start:start + size])
            member = name_at(names[i])
            if member in string_offset:
                if size < 0x1c:
                    record += b'\0' * (0x1c - size)
                    struct.pack_into('<i', record, 0x14, 0)
                struct.pack_into('<i', record, 0x18, string_offset[member])
                struct.pack_into('<H', record, 0, len(record))
                del help_of_left[member]
            new_offs.append(len(records))
            records += record
        block = struct.pack('<i', len(records)) + records
        block += struct.pack('<%di' % n, *ids) + struct.pack('<%di' % n, *names)
        block += struct.pack('<%di' % n, *new_offs)
        old_len = 4 + infolen + 12 * n
        rewrites.append((memoffset, old_len, bytes(block)))

    def moved(offset):
        """Where a byte at this old absolute offset lands."""
        shift = grow_strings if offset >= strings_end else 0
        for at, old_len, new in rewrites:
            if offset >= at + old_len:
                shift += len(new) - old_len
        return offset + shift

    out = bytearray(d)
    for at, old_len, new in sorted(rewrites, reverse=True):
        out[at:at + old_len] = new
    out[strings_end:strings_end] = new_strings
    # Offsets stored in the file that point after what grew.
    for t in range(ntypeinfos):
        base = typeinfo_tab + 0x64 * t
        memoffset, = struct.unpack_from('<i', d, base + 4)
        struct.pack_into('<i', out, moved(base) + 4, moved(memoffset))
    for i, (offset, length, r8, rc) in enumerate(segs):
        if offset >= 0:
            new_length = length + (grow_strings if i == 8 else 0)
            struct.pack_into('<iiii', out, moved(segdir) + 16 * i, moved(offset) if i != 8 else offset,
                             new_length, r8, rc)
    return bytes(out)


def main():
    global help_of_left
    mode, idl_path, target = sys.argv[1:4]
    idl = open(idl_path, encoding='utf-8').read()
    if mode == 'strip':
        open(target, 'w', encoding='utf-8').write(strip(idl))
    elif mode == 'patch':
        help_of = member_help(idl)
        help_of_left = dict(help_of)
        data = patch(open(target, 'rb').read(), help_of)
        if help_of_left:
            raise SystemExit('members not found in the type library: ' + ', '.join(help_of_left))
        open(target, 'wb').write(data)
    else:
        raise SystemExit(__doc__)


if __name__ == '__main__':
    main()
