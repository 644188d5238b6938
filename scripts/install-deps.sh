#!/bin/sh
# Installs the Debian packages Kestrin needs to build, test and run.
# Does nothing when every package is already present.
set -eu

PACKAGES="cmake g++ make ninja-build flex libfl-dev antlr libantlr-dev default-jre-headless
qt6-base-dev libgl-dev libgtest-dev libgmock-dev xvfb xauth fonts-dejavu-core
clang-format-14"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" != "0" ]; then
    SUDO="sudo"
fi

echo "Installing:$missing"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
