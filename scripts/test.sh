#!/bin/sh
# Installs what is missing, builds everything into build/ and runs every test.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
