#!/usr/bin/env python3
"""Writes SHA256SUMS into a staged release folder, over every other file in it, and packs the folder into a zip
that depends on nothing but the files' contents and SOURCE_DATE_EPOCH: entries in name order, each dated
SOURCE_DATE_EPOCH in UTC, with the same attributes and no extra fields (no owner, no other times). The zip is
written beside ARCHIVE and then renamed to it, so that ARCHIVE holds a whole archive or none.

usage: SOURCE_DATE_EPOCH=SECONDS pack.py FOLDER ARCHIVE
"""

import hashlib
import os
import sys
import time
import zipfile


def main(folder, archive):
    date = time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"]))[:6]
    names = sorted(name for name in os.listdir(folder) if name != "SHA256SUMS")
    contents = {}
    for name in names:
        with open(os.path.join(folder, name), "rb") as file:
            contents[name] = file.read()
    contents["SHA256SUMS"] = "".join(f"{hashlib.sha256(contents[n]).hexdigest()}  {n}\n" for n in names).encode()
    with open(os.path.join(folder, "SHA256SUMS"), "wb") as sums:
        sums.write(contents["SHA256SUMS"])
    partial = archive + ".partial"
    try:
        with zipfile.ZipFile(partial, "w") as packed:
            for name in sorted(contents):
                entry = zipfile.ZipInfo(f"{os.path.basename(folder)}/{name}", date)
                entry.create_system = 3  # Unix, so that the attributes below mean the same to every unzip
                entry.external_attr = 0o100644 << 16
                entry.compress_type = zipfile.ZIP_DEFLATED
                packed.writestr(entry, contents[name], compresslevel=9)
        os.replace(partial, archive)
    finally:
        if os.path.exists(partial):
            os.remove(partial)


if __name__ == "__main__":
    if len(sys.argv) != 3 or "SOURCE_DATE_EPOCH" not in os.environ:
        sys.exit(__doc__.strip().splitlines()[-1])
    main(*sys.argv[1:])
