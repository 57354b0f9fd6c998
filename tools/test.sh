#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in the
# release build and under AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/pakete.sh g++ cmake ninja-build qt6-base-dev libgtest-dev libbenchmark-dev fonts-liberation poppler-utils
export QT_QPA_PLATFORM=offscreen

for preset in release asan; do
    echo "== $preset =="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
