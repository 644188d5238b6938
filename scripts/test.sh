#!/bin/sh
# Installs what is missing, checks that the C++ files are formatted, builds
# everything and runs every test twice: in the CI build (build-ci/) and in
# the sanitizer build (AddressSanitizer and UndefinedBehaviorSanitizer,
# build-asan/); warnings are errors in both.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/check-format.sh
jobs="$(nproc)"
for preset in ci asan; do
    echo "== $preset build"
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done
