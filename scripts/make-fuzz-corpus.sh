#!/usr/bin/env bash
# Makes the fuzzers' seed corpus (fuzz/corpus/<target>/) from the example designs and the
# shipped data files. Run again after either changes, and commit the result.
set -euo pipefail
cd "$(dirname "$0")/.."
corpus=fuzz/corpus
rm -rf "$corpus" && mkdir -p "$corpus"/{fuzz_configreader,fuzz_datafiles,fuzz_profilefile}
data=data/Tarvex
cp examples/*.QMR "$corpus/fuzz_configreader/"
# Each loop of each example also stands alone, with the file's other sections: small designs
# that the fuzzer mutates many times faster than a whole hospital.
python3 - "$corpus/fuzz_configreader" examples/*.QMR <<'PY'
import os, re, sys
out = sys.argv[1]
for path in sys.argv[2:]:
    parts = re.split(rb"(?m)^(?=\[)", open(path, "rb").read())
    common = [p for p in parts if not p.startswith(b"[Loop")]
    name = os.path.splitext(os.path.basename(path))[0]
    for part in parts:
        if part.startswith(b"[Loop"):
            loop = re.match(rb"\[Loop(\d+)\]", part).group(1).decode()
            with open(f"{out}/{name}-Loop{loop}.QMR", "wb") as f:
                f.write(b"".join(common) + part)
PY
cp examples/*.QMR "$data"/Devices/*.dat "$data"/Panels/*.dat "$data"/Cables/*.dat \
  "$data"/Batteries/*.dat "$corpus/fuzz_profilefile/"
# The data-file target's input: the device, panel and cable files' lengths (16-bit
# little-endian), then the device, panel, cable and battery files.
python3 - "$data" "$corpus/fuzz_datafiles/shipped" <<'PY'
import sys
root, out = sys.argv[1], sys.argv[2]
parts = [open(f"{root}/{name}", "rb").read()
         for name in ("Devices/Devices.dat", "Panels/stdpan.dat", "Cables/Cables.dat",
                      "Batteries/Batteries.dat")]
with open(out, "wb") as f:
    f.write(b"".join(len(part).to_bytes(2, "little") for part in parts[:3]))
    f.write(b"".join(parts))
PY
