#!/usr/bin/env python3
"""Checks every archive the tests recorded with independent readers: unzip -t, zipinfo, 7z t and
Python's zipfile, whose extracted bytes must equal the manifest's.
Usage: check-archives.py FOLDER [PATTERN], PATTERN choosing the manifests (default: all)."""
import pathlib
import subprocess
import sys
import zipfile


def run(command):
    done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
    return done.returncode, done.stdout


def check(archive, manifest):
    problems = []
    expected = {}
    for line in manifest.read_text().splitlines():
        method, name, content = line.split("\t")
        expected[bytes.fromhex(name).decode("utf-8")] = (method, bytes.fromhex(content))
    code, out = run(["unzip", "-t", "-q", str(archive)])
    # unzip answers 1 for an archive with no entries, which is still a sound archive.
    if code != 0 and not (code == 1 and not expected and "empty" in out):
        problems.append(f"unzip -t exited {code}: {out.strip()}")
    if expected:
        code, out = run(["zipinfo", str(archive)])
        if code != 0:
            problems.append(f"zipinfo exited {code}: {out.strip()}")
    code, out = run(["7z", "t", str(archive)])
    if code != 0:
        problems.append(f"7z t exited {code}: {out.strip()[-400:]}")
    with zipfile.ZipFile(archive) as z:
        bad = z.testzip()
        if bad is not None:
            problems.append(f"zipfile: bad entry {bad}")
        names = [info.filename for info in z.infolist()]
        if sorted(names) != sorted(expected):
            problems.append(f"entries {sorted(names)} expected {sorted(expected)}")
        for info in z.infolist():
            if info.filename not in expected:
                continue
            method, content = expected[info.filename]
            if z.read(info) != content:
                problems.append(f"content of {info.filename} differs")
            wanted = {"stored": zipfile.ZIP_STORED, "deflated": zipfile.ZIP_DEFLATED}.get(method)
            if wanted is not None and info.compress_type != wanted:
                problems.append(f"{info.filename}: method {info.compress_type}, expected {method}")
    return problems


def main():
    folder = pathlib.Path(sys.argv[1])
    pattern = sys.argv[2] if len(sys.argv) > 2 else "*"
    manifests = sorted(folder.glob(pattern + ".manifest"))
    if not manifests:
        print("check-archives: no archive recorded")
        return 1
    failed = 0
    for manifest in manifests:
        archive = manifest.with_suffix(".zip")
        problems = check(archive, manifest) if archive.exists() else ["archive missing"]
        for p in problems:
            print(f"{archive.name}: {p}")
        failed += bool(problems)
    print(f"{len(manifests) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
