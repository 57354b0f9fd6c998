#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it as the desktop
# menu does: with its data files in the user's data folder
# (~/.local/share/lohnwippe), created when missing.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/pakete.sh g++ cmake ninja-build qt6-base-dev qt6-translations-l10n libgtest-dev libbenchmark-dev fonts-liberation \
    libcups2-dev libcli11-dev libcsv-dev nlohmann-json3-dev libzip-dev libexpat1-dev
cmake --preset release >/dev/null
cmake --build --preset release --target lohnwippe
exec build/release/src/app/lohnwippe --benutzerordner
