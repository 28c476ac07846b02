#!/bin/sh
# The release zip, unpacked: every file is in SHA256SUMS and matches, and both programs carry the
# version of the file VERSION.
set -eu
build=$1 root=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
zip=$(sh "$root/tools/dist" "$build" "$out")
version=$(cat "$root/VERSION")
cd "$out" && unzip -q "$zip" && cd "qivstart-$version"
sha256sum --quiet -c SHA256SUMS
[ "$(wc -l < SHA256SUMS)" -eq "$(find . -type f ! -name SHA256SUMS | wc -l)" ] || { echo "files missing in SHA256SUMS"; exit 1; }
quad=$version
while [ "$(printf '%s' "$quad" | tr -cd . | wc -c)" -lt 3 ]; do quad=$quad.0; done
for program in qivstart.exe cleanup.exe TestJvm.class qivpack setup.nsi docs/control-file.md; do
    [ -f "$program" ] || { echo "$program missing"; exit 1; }
done
for program in qivstart.exe cleanup.exe; do
    strings -el "$program" | grep -qx "$quad" || { echo "$program does not carry version $quad"; exit 1; }
done
# The release's qivpack refuses a package without its control file, in one line per problem.
mkdir empty
if ./qivpack empty out.exe 2>problems.txt; then echo "qivpack packed an empty package"; exit 1; fi
grep -qx "empty: qiv.control: missing; the program needs it to start" problems.txt || { cat problems.txt; exit 1; }
