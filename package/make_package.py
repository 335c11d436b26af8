#!/usr/bin/env python3
"""The release package: what a RadASM user downloads.

  make_package.py VERSION README OUT.zip FILE...     write the package
  make_package.py --check OUT.zip FOLDER             check it and unpack it

Writing: every FILE goes into Addins/ under its own name, and README becomes
ORVA.txt at the top, with @VERSION@ replaced and Windows line ends, so that
Notepad shows it as written. OUT.zip.sha256 gets the line "<hash>  <name>",
the form sha256sum writes and checks. Both are written to a temporary name
first and then renamed, so a failed run never leaves half a package.

Checking (the package test): the checksum matches, the zip holds exactly the
files a user installs and nothing else, ORVA.txt has Windows line ends and
names the version; then the zip is unpacked into FOLDER, emptied first.
"""

import hashlib
import os
import shutil
import sys
import zipfile

MODULES = ("ML.dll", "CVTRES.dll", "NMAKE.dll", "linklib.dll", "rcc.dll", "rcw.dll")
CONTENTS = (["Addins/orvara.dll"] + [f"Addins/{m}" for m in MODULES]
            + ["Addins/orva-lookup.exe", "ORVA.txt"])


def read_me(template, version):
    with open(template, encoding="utf-8") as f:
        text = f.read().replace("@VERSION@", version)
    if "\t" in text:
        raise SystemExit(f"{template}: a tab in the read-me")
    lines = text.rstrip("\n").split("\n")
    return ("\r\n".join(line.rstrip() for line in lines) + "\r\n").encode("cp1252")


def entry(name, when):
    info = zipfile.ZipInfo(name, when)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0        # made on Windows, as far as an unpacker cares
    info.external_attr = 0x20     # the archive attribute, nothing read-only
    return info


def sha256_of(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for chunk in iter(lambda: f.read(1 << 16), b""):
            digest.update(chunk)
    return digest.hexdigest()


def write_package(version, template, out, files):
    names = sorted(f"Addins/{os.path.basename(f)}" for f in files) + ["ORVA.txt"]
    if sorted(names) != sorted(CONTENTS):
        raise SystemExit(f"the package would hold {names}, not {list(CONTENTS)}")
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    partial = out + ".partial"
    with zipfile.ZipFile(partial, "w") as z:
        for path in files:
            when = zipfile.ZipInfo.from_file(path).date_time
            with open(path, "rb") as f:
                z.writestr(entry(f"Addins/{os.path.basename(path)}", when), f.read())
        newest = max(zipfile.ZipInfo.from_file(p).date_time for p in files)
        z.writestr(entry("ORVA.txt", newest), read_me(template, version))
    os.replace(partial, out)
    with open(out + ".sha256.partial", "w", newline="\n") as f:
        f.write(f"{sha256_of(out)}  {os.path.basename(out)}\n")
    os.replace(out + ".sha256.partial", out + ".sha256")
    print(f"{out}: {os.path.getsize(out)} bytes")


def check_package(out, folder):
    faults = []
    with open(out + ".sha256") as f:
        recorded = f.read().split()
    if recorded != [sha256_of(out), os.path.basename(out)]:
        faults.append(f"{out}.sha256 does not match the zip: {recorded}")
    version = os.path.basename(out)[len("orva-"):-len("-win32.zip")]
    with zipfile.ZipFile(out) as z:
        names = z.namelist()
        if sorted(names) != sorted(CONTENTS):
            faults.append(f"the zip holds {sorted(names)}, not {sorted(CONTENTS)}")
        if "ORVA.txt" in names:
            text = z.read("ORVA.txt")
            if text.replace(b"\r\n", b"").count(b"\n") or text.replace(b"\r\n", b"").count(b"\r"):
                faults.append("ORVA.txt has a line end other than CR LF")
            if f"Version {version}\r\n".encode() not in text:
                faults.append(f"ORVA.txt does not name version {version}")
        if z.testzip() is not None:
            faults.append("the zip is damaged")
        shutil.rmtree(folder, ignore_errors=True)
        z.extractall(folder)
    for fault in faults:
        print(f"package: {fault}")
    if not faults:
        print(f"package: {len(names)} files as they should be, unpacked into {folder}")
    return 1 if faults else 0


def main(argv):
    if len(argv) == 4 and argv[1] == "--check":
        return check_package(argv[2], argv[3])
    if len(argv) >= 5 and not argv[1].startswith("-"):
        write_package(argv[1], argv[2], argv[3], argv[4:])
        return 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
