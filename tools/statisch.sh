#!/usr/bin/env bash
# Static checks over our own code: clang-tidy with the checked-in
# .clang-tidy over the program, the benchmarks and the fuzz targets, and
# cppcheck over everything including the tests. Any finding fails. The tests
# are left to cppcheck and the compilers' warnings: clang-tidy spends most of
# its time in their Qt and GoogleTest headers, about half of the whole test
# command's time on two cores.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/pakete.sh clang-tidy cppcheck python3
# The debug build's compile commands: no link-time optimisation flags that
# clang does not know.
cmake --preset debug >/dev/null
wurzel="$(pwd)"

echo "== clang-tidy =="
protokoll="$(mktemp)"
trap 'rm -f "$protokoll"' EXIT
if ! run-clang-tidy -p build/debug -quiet -j"$(nproc)" "^${wurzel}/(src|bench|fuzz)/" \
    >"$protokoll" 2>&1; then
    grep -E "(error|warning):" -A4 "$protokoll" | grep -v "^clang-tidy-" || cat "$protokoll"
    exit 1
fi

echo "== cppcheck =="
# The same compile commands without the generated moc files, which cppcheck
# would otherwise want built (and with them half the debug build).
befehle="$(mktemp -d)"
trap 'rm -f "$protokoll"; rm -rf "$befehle"' EXIT
python3 - build/debug/compile_commands.json "$befehle/compile_commands.json" <<'PY'
import json, os, sys
bauordner = os.path.dirname(os.path.abspath(sys.argv[1])) + os.sep
befehle = json.load(open(sys.argv[1]))
eigene = [b for b in befehle if not os.path.abspath(b["file"]).startswith(bauordner)]
json.dump(eigene, open(sys.argv[2], "w"))
PY
# Steuerelemente.h returns check boxes picked by an enum whose values share
# the members' names (KV, PV, ...); cppcheck takes them for integers.
cppcheck --project="$befehle/compile_commands.json" -i build -q -j"$(nproc)" \
    --enable=warning,performance,portability --std=c++20 --library=qt --library=googletest \
    --inline-suppr --suppress=missingIncludeSystem \
    --suppress="CastIntegerToAddressAtReturn:*/Steuerelemente.h" --error-exitcode=1
echo "statische Prüfung: sauber"
