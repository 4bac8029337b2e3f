#!/usr/bin/env python3
"""zip64 by size: lays out a sparse file of more than 4 GiB (make), checks the archives that
Zip64SizeTest made of it (check) and removes everything (clean).
Usage: zip64-size.py make|check|clean FOLDER

check reads the central directory itself and requires the sizes and offsets that pass 32 bits to
come from zip64 extra fields (the 32-bit fields holding 0xFFFFFFFF), in the central directory and
in the large entry's local header; then unzip -t and Python's zipfile, whose extracted bytes must
equal the files on disk (each reader passes over 4 GiB, so the slower 7z is left out here)."""
import pathlib
import shutil
import struct
import subprocess
import sys
import zipfile

FOUR_GIB = 1 << 32
LARGE_SIZE = FOUR_GIB + (3 << 20) + 17  # not a whole number of 1 MiB blocks
# Non-zero bytes in the sparse file, so that a misplaced block changes the CRC.
MARKERS = {0: b"inizio", 1 << 31: b"met\xc3\xa0", FOUR_GIB + (1 << 20): b"oltre 4 GiB", LARGE_SIZE - 4: b"fine"}
AFTER = b"dopo il file grande\r\n"
ARCHIVES = {
    "stored.zip": {"grande.bin": (0, LARGE_SIZE), "dopo.txt": (0, len(AFTER))},
}


def make(folder):
    folder.mkdir(parents=True, exist_ok=True)
    with open(folder / "grande.bin", "wb") as f:
        f.truncate(LARGE_SIZE)
        for offset, data in MARKERS.items():
            f.seek(offset)
            f.write(data)
    (folder / "dopo.txt").write_bytes(AFTER)


def zip64_extra(extra, wanted):
    """The 64-bit values of the zip64 extra field (id 1), as many as `wanted`."""
    at = 0
    while at + 4 <= len(extra):
        kind, size = struct.unpack_from("<HH", extra, at)
        if kind == 1:
            if size < 8 * wanted:
                raise AssertionError(f"zip64 extra field of {size} bytes, {wanted} values wanted")
            return list(struct.unpack_from("<" + "Q" * wanted, extra, at + 4))
        at += 4 + size
    raise AssertionError("no zip64 extra field")


def central_entries(data_file):
    """Name -> (method, size, compressed size, offset) from the central directory, through the
    zip64 end records and the zip64 extra fields."""
    with open(data_file, "rb") as f:
        f.seek(-22, 2)
        end = f.read(22)
        assert end[:4] == b"PK\x05\x06", "no end record at the end"
        f.seek(-22 - 20, 2)
        locator = f.read(20)
        assert locator[:4] == b"PK\x06\x07", "no zip64 end locator"
        (zip64_end_at,) = struct.unpack_from("<Q", locator, 8)
        f.seek(zip64_end_at)
        zip64_end = f.read(56)
        assert zip64_end[:4] == b"PK\x06\x06", "no zip64 end record"
        count, cd_size, cd_offset = struct.unpack_from("<QQQ", zip64_end, 32)
        f.seek(cd_offset)
        cd = f.read(cd_size)
    entries = {}
    at = 0
    for _ in range(count):
        assert cd[at:at + 4] == b"PK\x01\x02", "central header signature"
        method, = struct.unpack_from("<H", cd, at + 10)
        compressed, size = struct.unpack_from("<II", cd, at + 20)
        name_len, extra_len, comment_len = struct.unpack_from("<HHH", cd, at + 28)
        offset, = struct.unpack_from("<I", cd, at + 42)
        name = cd[at + 46:at + 46 + name_len].decode("utf-8")
        extra = cd[at + 46 + name_len:at + 46 + name_len + extra_len]
        wide = [v for v in (size, compressed, offset) if v == 0xFFFFFFFF]
        values = zip64_extra(extra, len(wide)) if wide else []
        if size == 0xFFFFFFFF:
            size = values.pop(0)
        if compressed == 0xFFFFFFFF:
            compressed = values.pop(0)
        if offset == 0xFFFFFFFF:
            offset = values.pop(0)
        entries[name] = (method, size, compressed, offset, extra)
        at += 46 + name_len + extra_len + comment_len
    return entries


def local_sizes(archive, offset):
    """Sizes of the local header at `offset`, from its zip64 extra field when the 32-bit ones are full."""
    with open(archive, "rb") as f:
        f.seek(offset)
        header = f.read(30)
        assert header[:4] == b"PK\x03\x04", "local header signature"
        compressed, size = struct.unpack_from("<II", header, 18)
        name_len, extra_len = struct.unpack_from("<HH", header, 26)
        f.seek(offset + 30 + name_len)
        extra = f.read(extra_len)
    assert (compressed, size) == (0xFFFFFFFF, 0xFFFFFFFF), "local sizes not in the zip64 extra field"
    size, compressed = zip64_extra(extra, 2)
    return size, compressed


def same_content(z, info, path):
    with z.open(info) as entry, open(path, "rb") as disk:
        while True:
            a = entry.read(1 << 22)
            b = disk.read(1 << 22)
            if a != b:
                return False
            if not a:
                return True


def check(folder):
    problems = []
    for name, expected in ARCHIVES.items():
        archive = folder / name
        if not archive.exists():
            problems.append(f"{name}: missing")
            continue
        try:
            entries = central_entries(archive)
            if sorted(entries) != sorted(expected):
                raise AssertionError(f"entries {sorted(entries)}")
            for entry, (method, size) in expected.items():
                got_method, got_size, compressed, offset, _ = entries[entry]
                if (got_method, got_size) != (method, size):
                    raise AssertionError(f"{entry}: method {got_method} size {got_size}")
                if size > FOUR_GIB and local_sizes(archive, offset) != (size, compressed):
                    raise AssertionError(f"{entry}: local zip64 sizes differ from the central ones")
            if name == "stored.zip":
                if archive.stat().st_size <= FOUR_GIB or entries["dopo.txt"][3] <= FOUR_GIB:
                    raise AssertionError("archive or the entry after the large one not past 4 GiB")
        except AssertionError as e:
            problems.append(f"{name}: {e}")
            continue
        done = subprocess.run(["unzip", "-tq", str(archive)], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              text=True, errors="replace")
        if done.returncode != 0:
            problems.append(f"{name}: unzip -t exited {done.returncode}: {done.stdout.strip()[-400:]}")
        with zipfile.ZipFile(archive) as z:
            for info in z.infolist():
                if info.file_size != expected[info.filename][1]:
                    problems.append(f"{name}: zipfile reads size {info.file_size} for {info.filename}")
                elif not same_content(z, info, folder / info.filename):
                    problems.append(f"{name}: content of {info.filename} differs")
    for p in problems:
        print(p)
    print(f"{len(ARCHIVES) - len({p.split(':')[0] for p in problems})} passed, "
          f"{len({p.split(':')[0] for p in problems})} failed")
    return 1 if problems else 0


def main():
    action, folder = sys.argv[1], pathlib.Path(sys.argv[2])
    if action == "make":
        make(folder)
    elif action == "check":
        return check(folder)
    elif action == "clean":
        shutil.rmtree(folder, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
