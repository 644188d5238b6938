#!/bin/sh
# Installs what is missing, builds everything and runs every test twice: in
# the CI build (warnings are errors, build/) and in the sanitizer build
# (AddressSanitizer and UndefinedBehaviorSanitizer, build-asan/).
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
jobs="$(nproc)"
for preset in ci asan; do
    echo "== $preset build"
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done
