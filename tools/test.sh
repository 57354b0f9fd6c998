#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in a
# release build (without link-time optimisation, which only the shipped
# program needs; the release check below builds that one) and under
# AddressSanitizer + UndefinedBehaviorSanitizer;
# then the static checks (tools/statisch.sh: clang-tidy, cppcheck) and the
# release check of the committed state (tools/release-check.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

# qt6-translations-l10n: Qt's own texts (edit menus, dialog buttons) in German.
# cups and libcups2-dev: the print output hands its documents to CUPS, and
# the print tests start a private scheduler of their own (as root; without
# root they skip, in CI they fail) and read what arrived with poppler-utils.
# dpkg-dev, desktop-file-utils and appstream: the package tests build the
# Debian package and check the menu entry and the software-centre data.
# libcli11-dev, libcsv-dev and nlohmann-json3-dev: options, CSV and JSON
# lines of lohnwippe-rechner; libzip-dev and libexpat1-dev: its
# spreadsheet files in and out.
bash tools/pakete.sh g++ cmake ninja-build qt6-base-dev qt6-translations-l10n libgtest-dev libbenchmark-dev fonts-liberation poppler-utils \
    cups libcups2-dev dpkg-dev desktop-file-utils appstream libcli11-dev libcsv-dev nlohmann-json3-dev \
    libzip-dev libexpat1-dev
export QT_QPA_PLATFORM=offscreen

for preset in tests asan; do
    echo "== $preset =="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

bash tools/statisch.sh

# The committed state as a user gets it: package, install, first start.
bash tools/release-check.sh
