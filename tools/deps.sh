#!/bin/sh
# Installs what the build and the tests need on a Debian 12 machine, when it is missing.
# As root it uses apt-get; otherwise it names the packages to install and fails.
set -eu

packages="make cmake g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
wine wine64 wine64-tools xvfb xauth imagemagick
googletest clang libclang-rt-14-dev openjdk-17-jdk-headless nsis zip unzip"

missing=""
for p in $packages; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" != 0 ]; then
    echo "These packages are missing:$missing" >&2
    echo "Install them with: sudo apt-get install --no-install-recommends$missing" >&2
    exit 1
fi

echo "Installing:$missing" >&2
export DEBIAN_FRONTEND=noninteractive
# shellcheck disable=SC2086
if ! apt-get install -y --no-install-recommends $missing >/dev/null; then
    apt-get update >/dev/null
    apt-get install -y --no-install-recommends $missing >/dev/null
fi
