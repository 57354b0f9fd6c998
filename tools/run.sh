#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. The program
# keeps its data files in the folder it is started in: ~/Lohnwippe.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/pakete.sh g++ cmake ninja-build qt6-base-dev libgtest-dev libbenchmark-dev fonts-liberation \
    libcups2-dev
cmake --preset release >/dev/null
cmake --build --preset release --target lohnwippe

daten="$HOME/Lohnwippe"
mkdir -p "$daten"
programm="$PWD/build/release/src/app/lohnwippe"
cd "$daten"
exec "$programm"
