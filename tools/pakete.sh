#!/usr/bin/env bash
# Installs the Debian packages that are missing, and nothing else.
# Usage: tools/pakete.sh PACKAGE...
set -euo pipefail

fehlend=()
for paket in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$paket" 2>/dev/null | grep -q '^install ok installed$'; then
        fehlend+=("$paket")
    fi
done
[ ${#fehlend[@]} -eq 0 ] && exit 0

als_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "Missing packages: ${fehlend[*]}. Install them as root (apt-get install ...) or install sudo." >&2
        exit 1
    fi
    als_root=(sudo)
fi
echo "Installing: ${fehlend[*]}"
"${als_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${als_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
