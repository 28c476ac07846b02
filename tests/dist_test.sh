#!/bin/sh
# The release zip, unpacked: every file is in SHA256SUMS and matches, both programs carry the version of
# the file VERSION, and its qivpack refuses incomplete packages with one line per problem.
set -eu
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
version=$(cat "$2/VERSION")
cd "$out" && unzip -q "$(sh "$2/tools/dist" "$1" "$out")" && cd "qivstart-$version"
sha256sum --quiet -c SHA256SUMS && [ "$(wc -l < SHA256SUMS)" -eq "$(find . -type f ! -name SHA256SUMS | wc -l)" ] || exit 1
strings -el qivstart.exe | grep -qx "$version.0" && strings -el cleanup.exe | grep -qx "$version.0" || exit 1
mkdir none long archive plugin && touch long/install.jar archive/install.jar && printf 'jvmName=java plug-in\n' > plugin/qiv.control
printf 'jvmName=%0201d\njvmMinVersion=x\n' 0 > long/qiv.control && printf 'jvmSelfExtractor=jre/a.exe\n' > archive/qiv.control
for package in none long archive; do ! ./qivpack $package out.exe --add-testjvm 2>>problems.txt >&2 || exit 1; done
./qivpack plugin out.exe --add-testjvm >/dev/null 2>&1 # a Java Plug-in package needs no install.jar
[ "$(cat problems.txt)" = "none: qiv.control: missing; the program needs it to start
none: install.jar: missing; the wizard cannot start without it
long: qiv.control: the value of jvmName has 201 characters; at most 200 fit
long: qiv.control: jvmMinVersion=x is not a version (such as 1.6 or 1.4.2_05)
archive: jre/a.exe: missing; jvmSelfExtractor names it as the package's JVM" ] || { cat problems.txt; exit 1; }
