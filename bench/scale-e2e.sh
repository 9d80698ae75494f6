#!/bin/sh
# End to end at scale: a generated project of 65,535 blocks, 20,000 of them with a symbol, in
# 500 categories, and the prjsnap commands that change many blocks at once. Prints the wall time
# and the peak memory of each command (GNU time).
#
#   bench/scale-e2e.sh [PRJSNAP] [WORKDIR]     # defaults: build-bench/apps/prjsnap/prjsnap, a temp dir
#
# Commands timed: copy of the whole program into an empty project, export of it and import of
# that file into another empty project, and edit delete-block of 4,000 blocks.
set -eu

PRJSNAP=${1:-build-bench/apps/prjsnap/prjsnap}
WORK=${2:-$(mktemp -d)}
TIME=/usr/bin/time

python3 - "$WORK/big.prj.xml" "$WORK/empty.prj.xml" <<'PY'
import sys
types = ["OB", "FB", "FC", "DB", "UDT"]
limits = {"OB": 255}
blocks = []
count = {t: 0 for t in types}
while len(blocks) < 65535:
    for t in types:
        if len(blocks) == 65535:
            break
        if count[t] >= limits.get(t, 65535):
            continue
        count[t] += 1
        blocks.append(f"{t}{count[t]}")
with open(sys.argv[1], "w") as out:
    out.write('<project name="Big" guid="{5CA1E000-0000-0000-0000-000000065535}">\n')
    out.write('<symbols name="Symbols">\n')
    for i, name in enumerate(blocks[:20000]):
        out.write(f'<symbol address="{name}" name="Symbol{i + 1}"/>\n')
    out.write('</symbols>\n<program name="Program" default-category="1">\n')
    for c in range(500):
        members = "".join(f'<member block="{b}"/>' for b in blocks[c::500])
        out.write(f'<category id="{c + 1}" name="Category {c + 1}">{members}</category>\n')
    for name in blocks:
        t = name.rstrip("0123456789")
        out.write(f'<block type="{t}" number="{name[len(t):]}" header="Generated" '
                  f'size="128" modified="2026-11-02 08:15:00"/>\n')
    out.write('</program>\n</project>\n')
with open(sys.argv[2], "w") as out:
    out.write('<project name="Empty" guid="{5CA1E000-0000-0000-0000-000000000000}">'
              '<symbols name="Symbols"/><program name="Program" default-category="1">'
              '<category id="1" name="Blocks"/></program></project>\n')
PY

measure() {
  label=$1
  shift
  $TIME -f "$label: %e s wall, %M kB peak" "$@" >/dev/null
}

cp "$WORK/empty.prj.xml" "$WORK/copy.prj.xml"
measure "copy" "$PRJSNAP" copy "$WORK/big.prj.xml" Program --to "$WORK/copy.prj.xml" \
  --answers ignore:all
measure "export" "$PRJSNAP" export "$WORK/big.prj.xml" Program -o "$WORK/program.transfer"
cp "$WORK/empty.prj.xml" "$WORK/import.prj.xml"
measure "import" "$PRJSNAP" import "$WORK/import.prj.xml" "$WORK/program.transfer" \
  --answers ignore:all
cp "$WORK/big.prj.xml" "$WORK/delete.prj.xml"
doomed=$(python3 -c 'print(" ".join(f"FC{n}" for n in range(1, 4001)))')
# shellcheck disable=SC2086 # one argument per block
measure "delete-block 4000" "$PRJSNAP" edit "$WORK/delete.prj.xml" delete-block $doomed
