#!/usr/bin/env bash
# Release check: builds the Debian package from the committed state (HEAD)
# in a scratch folder, installs it, starts the installed program once the
# way its menu entry starts it, and removes the package again.
#
# As root the package is installed with apt-get, so that its dependencies
# are resolved as on a user's machine; without root, or when lohnwippe is
# already installed here, it is only unpacked into a scratch root.
# Uncommitted changes are not part of the check.
set -euo pipefail
cd "$(dirname "$0")/.."
quelle_repo="$PWD"
beginn=$SECONDS

bash tools/pakete.sh g++ cmake ninja-build qt6-base-dev libcups2-dev dpkg-dev desktop-file-utils \
    libcli11-dev libcsv-dev nlohmann-json3-dev libzip-dev libexpat1-dev

arbeit=$(mktemp -d /tmp/lohnwippe-release.XXXXXX)
installiert=0
programm_pid=
aufraeumen() {
    if [ -n "$programm_pid" ] && kill -0 "$programm_pid" 2>/dev/null; then
        kill "$programm_pid" 2>/dev/null || true
        wait "$programm_pid" 2>/dev/null || true
    fi
    if [ "$installiert" -eq 1 ]; then
        echo "== removing the package =="
        apt-get purge -y -qq lohnwippe >/dev/null 2>&1 || echo "could not remove lohnwippe" >&2
    fi
    rm -rf "$arbeit"
}
trap aufraeumen EXIT
fehler() {
    echo "release check FAILED: $*" >&2
    exit 1
}
# Runs a step quietly; shows what it said only when it fails.
leise() {
    "$@" >"$arbeit/schritt.log" 2>&1 || {
        cat "$arbeit/schritt.log" >&2
        fehler "$*"
    }
}

stand=$(git -C "$quelle_repo" rev-parse --short HEAD)
echo "== release check of $stand in $arbeit =="
if [ -n "$(git -C "$quelle_repo" status --porcelain --untracked-files=no)" ]; then
    echo "note: the working tree has uncommitted changes; they are not checked"
fi
mkdir "$arbeit/quelle"
git -C "$quelle_repo" archive HEAD | tar -x -C "$arbeit/quelle"

echo "== build (Release, without tests and benchmarks) =="
leise cmake -S "$arbeit/quelle" -B "$arbeit/bau" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DLOHNWIPPE_TESTS=OFF -DLOHNWIPPE_BENCH=OFF
leise cmake --build "$arbeit/bau" -j2

echo "== package =="
leise cpack -G DEB --config "$arbeit/bau/CPackConfig.cmake" -B "$arbeit/paket"
pakete=("$arbeit"/paket/*.deb)
[ ${#pakete[@]} -eq 1 ] && [ -f "${pakete[0]}" ] || fehler "expected one package, found: ${pakete[*]}"
paket=${pakete[0]}
echo "$(basename "$paket"): $(dpkg-deb -f "$paket" Depends)"

id=example.lohnwippe.Lohnwippe
if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W -f='${Status}' lohnwippe 2>/dev/null | grep -q 'ok installed'; then
    echo "== install with apt-get =="
    installiert=1
    export DEBIAN_FRONTEND=noninteractive DEBCONF_NOWARNINGS=yes
    # Stale package lists can hide a dependency; then read them afresh.
    if ! apt-get install -y -qq "$paket" >"$arbeit/apt.log" 2>&1; then
        leise apt-get update -qq
        leise apt-get install -y -qq "$paket"
    fi
    wurzel=
else
    echo "== unpack into a scratch root (not root, or lohnwippe is installed already) =="
    wurzel="$arbeit/wurzel"
    dpkg-deb -x "$paket" "$wurzel"
fi
eintrag="$wurzel/usr/share/applications/$id.desktop"
[ -f "$eintrag" ] || fehler "menu entry $eintrag missing"
[ -f "$wurzel/usr/share/icons/hicolor/scalable/apps/$id.svg" ] || fehler "icon missing"
[ -f "$wurzel/usr/share/metainfo/$id.metainfo.xml" ] || fehler "metainfo missing"
[ -f "$wurzel/usr/share/lohnwippe/Lohnwippe-Info.html" ] || fehler "information page missing"
desktop-file-validate "$eintrag" || fehler "menu entry not valid"

# The command of the menu entry, field codes dropped, the program taken
# from the installed (or unpacked) bin folder.
read -r -a exec_zeile <<<"$(sed -n 's/^Exec=//p' "$eintrag" | head -n 1)"
befehl=()
for wort in "${exec_zeile[@]}"; do
    [[ "$wort" == %? ]] || befehl+=("$wort")
done
befehl[0]="$wurzel/usr/bin/${befehl[0]}"
[ -x "${befehl[0]}" ] || fehler "${befehl[0]} is not executable"

echo "== start as from the menu: ${befehl[*]} =="
heim="$arbeit/heim"
start="$arbeit/start"
mkdir -p "$heim" "$start"
daten="$heim/.local/share/lohnwippe"
(cd "$start" && exec env -u XDG_DATA_HOME HOME="$heim" QT_QPA_PLATFORM=offscreen \
    "${befehl[@]}" >"$arbeit/programm.log" 2>&1) &
programm_pid=$!

laenge() { stat -c %s "$1" 2>/dev/null || echo 0; }
fertig=0
for _ in $(seq 1 600); do  # at most a minute
    if [ "$(laenge "$daten/SV.dat")" -eq 123012 ] && [ "$(laenge "$daten/U12.dat")" -eq 8448 ]; then
        fertig=1
        break
    fi
    kill -0 "$programm_pid" 2>/dev/null || break
    sleep 0.1
done
if ! kill -0 "$programm_pid" 2>/dev/null; then
    wait "$programm_pid" && code=0 || code=$?
    cat "$arbeit/programm.log" >&2
    fehler "the program ended by itself (exit code $code)"
fi
[ "$fertig" -eq 1 ] || fehler "no complete data files in $daten: $(ls -l "$daten" 2>&1)"
[ ! -e "$start/SV.dat" ] || fehler "data files were written into the start folder"
echo "running (pid $programm_pid); $daten: SV.dat $(laenge "$daten/SV.dat") bytes," \
    "U12.dat $(laenge "$daten/U12.dat") bytes"
kill "$programm_pid"
wait "$programm_pid" 2>/dev/null || true
programm_pid=

# The calculator from the installed package, with the libraries it pulled
# in: the new data folder out as a spreadsheet file and calculated again.
rechner="$wurzel/usr/bin/lohnwippe-rechner"
[ -x "$rechner" ] || fehler "$rechner is not executable"
echo "== $rechner: export to .xlsx and back =="
env -u XDG_DATA_HOME HOME="$heim" "$rechner" export --jahr 2012 --alle -o "$arbeit/2012.xlsx" ||
    fehler "export to .xlsx failed"
"$rechner" rechnen "$arbeit/2012.xlsx" -o "$arbeit/nochmal.xlsx" || fehler "rechnen .xlsx failed"
"$rechner" rechnen "$arbeit/nochmal.xlsx" -o "$arbeit/nochmal.csv" || fehler "reading .xlsx failed"
zeilen=$(wc -l <"$arbeit/nochmal.csv")
[ "$zeilen" -eq 121 ] || fehler "expected 120 cases and a header, found $zeilen lines"

echo "== release check passed in $((SECONDS - beginn)) s =="
