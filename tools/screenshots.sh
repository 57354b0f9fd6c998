#!/usr/bin/env bash
# Takes the pictures of the README: the main window with a worked case
# (docs/bilder/hauptfenster.png), the first page of its printed report
# (docs/bilder/bericht.png) and the master-data window
# (docs/bilder/stammdaten.png).
#
# The program runs on a virtual X server in a temporary folder of its own,
# so the user's data files, printers, browser and screen stay untouched.
# The case is typed in with the keyboard alone, along the window's tab
# chain, as a user without a mouse would.
#
# Usage: tools/screenshots.sh [PROGRAM]   (default build/release/src/app/lohnwippe,
#                                          built first if it is missing)
#   MASSSTAB=2 tools/screenshots.sh     the screen scaled by 2 (QT_SCALE_FACTOR)
#   BILDER=/tmp/x tools/screenshots.sh  the pictures into another folder
set -euo pipefail
cd "$(dirname "$0")/.."
quelle=$PWD
massstab=${MASSSTAB:-1}
bilder=$(realpath -m "${BILDER:-docs/bilder}")

bash tools/pakete.sh xvfb xdotool imagemagick poppler-utils fonts-liberation qt6-qpa-plugins

programm=${1:-build/release/src/app/lohnwippe}
if [ ! -x "$programm" ]; then
    bash tools/pakete.sh g++ cmake ninja-build qt6-base-dev libgtest-dev libbenchmark-dev \
        libcups2-dev libcli11-dev libcsv-dev nlohmann-json3-dev libzip-dev libexpat1-dev
    cmake --preset release >/dev/null
    cmake --build --preset release --target lohnwippe
fi
programm=$(realpath "$programm")

tmp=$(mktemp -d /tmp/lohnwippe-bilder.XXXXXX)
xvfb_pid=
programm_pid=
aufraeumen() {
    [ -n "$programm_pid" ] && kill "$programm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap aufraeumen EXIT

# The program opens the PDF file and, at closing, its homepage with the
# desktop's default handler: here a handler that does nothing.
mkdir -p "$tmp/bin" "$tmp/arbeit" "$tmp/home"
for werkzeug in xdg-open gio sensible-browser x-www-browser; do
    printf '#!/bin/sh\nexit 0\n' >"$tmp/bin/$werkzeug"
    chmod +x "$tmp/bin/$werkzeug"
done

# A screen that holds the scaled window.
breite=$(awk -v m="$massstab" 'BEGIN { printf "%d", 1280 * (m < 1 ? 1 : m) }')
hoehe=$(awk -v m="$massstab" 'BEGIN { printf "%d", 1024 * (m < 1 ? 1 : m) }')
Xvfb -displayfd 3 -screen 0 "${breite}x${hoehe}x24" -dpi 96 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do
    [ -s "$tmp/display" ] && break
    sleep 0.1
done
[ -s "$tmp/display" ] || { echo "Xvfb did not start:" >&2; cat "$tmp/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$tmp/display")"

# No print service: CUPS_SERVER names a socket that does not exist, so no
# default printer is found and "Drucken" writes a PDF file instead.
(
    cd "$tmp/arbeit"
    exec env HOME="$tmp/home" XDG_DATA_HOME="$tmp/home/.local/share" \
        XDG_CONFIG_HOME="$tmp/home/.config" XDG_RUNTIME_DIR="$tmp/home" \
        PATH="$tmp/bin:$PATH" BROWSER=true CUPS_SERVER="$tmp/kein-druckdienst.sock" \
        QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$massstab" LANG=de_DE.UTF-8 "$programm"
) >"$tmp/programm.log" 2>&1 &
programm_pid=$!

fenster=$(timeout 30 xdotool search --sync --onlyvisible --name '^Lohnwippe \(' | head -1)
[ -n "$fenster" ] || { echo "The window did not appear:" >&2; cat "$tmp/programm.log" >&2; exit 1; }
xdotool windowfocus --sync "$fenster"
sleep 1

# The tab chain of the main window; the focus starts on the first entry.
reihe=(Hilfe Jahr Monat Minijobber Teilmonat Kassen Speichern Drucken Internet Schliessen)
for i in 1 2 3 4; do
    reihe+=("Arbeitgeber$i" "Entgelt$i" "Spielen$i" "KV$i" "KG$i" "PV$i" "U1$i" "RV$i" "U2$i"
        "AV$i" "U3$i")
done
reihe+=(RV_Befreiung Kinderlos Sachsen)
# `zu` takes the shorter way round, forwards with Tab or backwards with
# Shift+Tab. An amount box empties when it gets the focus, so the way is
# planned not to pass through the amounts already typed.
hier=0
zu() {
    local ziel n=${#reihe[@]}
    for ziel in "${!reihe[@]}"; do
        [ "${reihe[$ziel]}" = "$1" ] && break
    done
    local vor=$(((ziel - hier + n) % n))
    local taste=Tab schritte=$vor
    if [ $((n - vor)) -lt "$vor" ]; then
        taste=shift+Tab schritte=$((n - vor))
    fi
    for _ in $(seq "$schritte"); do
        xdotool key --delay 30 "$taste"
    done
    hier=$ziel
}
taste() { xdotool key --delay 60 "$@"; }
tippen() { xdotool type --delay 40 "$1"; }

# A fresh folder shows January 2012 for person 1, every switch on. Three
# steps down the month list: April.
zu Monat
taste Down Down Down
sleep 0.5
zu Kinderlos
taste space

zu Arbeitgeber1
taste ctrl+a
tippen "Stadtwerke Neckartal"
taste Return
zu Entgelt1
tippen "500"
taste Return

# The mini-job beside it: free of unemployment insurance, no sick pay.
zu Arbeitgeber2
taste ctrl+a
tippen "Gasthaus zur Linde"
taste Return
zu KG2
taste space
zu AV2
taste space
zu Entgelt2
tippen "200"
taste Return
# On the scroll bar beside it the focus draws no caret into the picture.
zu Spielen2
sleep 1

mkdir -p "$bilder"
import -window "$fenster" "$tmp/hauptfenster.png"
convert "$tmp/hauptfenster.png" -strip "$bilder/hauptfenster.png"

zu Drucken
taste space
# The message that tells where the PDF file went.
meldung=$(timeout 30 xdotool search --sync --onlyvisible --name '^Drucken$' | head -1)
xdotool windowfocus --sync "$meldung"
taste Return

pdf=
for _ in $(seq 100); do
    pdf=$(find "$tmp/arbeit" -maxdepth 1 -name 'Lohnwippe *.pdf' | head -1)
    [ -n "$pdf" ] && break
    sleep 0.1
done
[ -n "$pdf" ] || { echo "No PDF file was written:" >&2; cat "$tmp/programm.log" >&2; exit 1; }
echo "Report: $(basename "$pdf")"
pdftoppm -png -f 1 -l 1 -singlefile -scale-to-x 1000 -scale-to-y -1 "$pdf" "$tmp/bericht"
convert "$tmp/bericht.png" -strip "$bilder/bericht.png"

# The master-data window, opened by "Vorgaben" beside the main window.
xdotool windowfocus --sync "$fenster"
zu Hilfe
taste space
stammdaten=$(timeout 30 xdotool search --sync --onlyvisible --name '^Stammdaten anlegen$' | head -1)
sleep 1
import -window "$stammdaten" "$tmp/stammdaten.png"
convert "$tmp/stammdaten.png" -strip "$bilder/stammdaten.png"

# Close the program the ordinary way; the master-data window goes with it.
xdotool windowfocus --sync "$fenster"
zu Schliessen
taste space
for _ in $(seq 50); do
    kill -0 "$programm_pid" 2>/dev/null || break
    sleep 0.1
done

cd "$quelle"
echo "Written: $bilder/hauptfenster.png $bilder/bericht.png $bilder/stammdaten.png"
