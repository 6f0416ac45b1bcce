#!/bin/sh
# The package that build_test_package.sh made in $1 holds nothing of where or
# when it was built, so any build of the same commit gives the same bytes: no
# file names the folders of the source or the build; every member of the
# .deb, every file it unpacks and Qt's compiled resources carry
# SOURCE_DATE_EPOCH, never the time of the source files, which
# build_test_package.sh set apart from it; the manual pages are dated from it.
set -eu
scratch=$(cd "$1" && pwd)
deb=$(ls "$scratch"/nexmar/build-release/nexmar_*.deb)
root=$scratch/root
read -r source_date files_time <"$scratch/dates"
status=0

# The source folder's path holds the build folder's.
if grep -r -l -F "$scratch/nexmar" "$root"; then
    echo "these files name the folder the package was built in, $scratch/nexmar"
    status=1
fi

python3 - "$deb" "$source_date" <<'PYTHON' || status=1
import io, subprocess, sys, tarfile
deb, date = sys.argv[1], int(sys.argv[2])
wrong = []
with open(deb, "rb") as f:
    data = f.read()
position = 8
while position < len(data):
    header = data[position:position + 60]
    name, when, size = header[:16].decode().strip(), int(header[16:28]), int(header[48:58])
    # An archiver that dates no member writes 0, which says nothing of the build either.
    if when not in (date, 0):
        wrong.append(f"{name} in the .deb: {when}")
    position += 60 + size + size % 2
for option in ("--ctrl-tarfile", "--fsys-tarfile"):
    tar = subprocess.run(["dpkg-deb", option, deb], check=True, capture_output=True).stdout
    with tarfile.open(fileobj=io.BytesIO(tar)) as members:
        wrong += [f"{member.name}: {member.mtime}" for member in members if member.mtime != date]
for line in wrong:
    print("dated otherwise than SOURCE_DATE_EPOCH", date, ":", line)
sys.exit(1 if wrong else 0)
PYTHON

# Qt's resource compiler writes each file's time in milliseconds, big-endian.
python3 - "$root/usr/bin/nexmar" "$source_date" "$files_time" <<'PYTHON' || status=1
import sys
program = open(sys.argv[1], "rb").read()
source_date, files_time = int(sys.argv[2]) * 1000, int(sys.argv[3]) * 1000
if files_time.to_bytes(8, "big") in program:
    sys.exit("nexmar's compiled resources carry the source files' time, not SOURCE_DATE_EPOCH")
if source_date.to_bytes(8, "big") not in program:
    sys.exit("nexmar's compiled resources do not carry SOURCE_DATE_EPOCH")
PYTHON

month=$(LC_ALL=C date -u -d "@$source_date" '+%B %Y')
for page in "$root"/usr/share/man/man1/*.1.gz; do
    gzip -dc "$page" | grep -q "^\.TH .*\"$month\"" || {
        echo "$page is not dated $month, the month of SOURCE_DATE_EPOCH"
        status=1
    }
done
exit "$status"
