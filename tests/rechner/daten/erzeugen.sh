#!/bin/sh
# Makes the spreadsheet test files from the flat ODF sources with LibreOffice
# (soffice 7.4) in a private profile. The locale LibreOffice runs in decides
# how the sheets' general number format and truth values come out in CSV and
# which locale the files record, so German and English runs are separate.
set -e
cd "$(dirname "$0")"
profil=-env:UserInstallation=file:///tmp/lohnwippe-lo-profil
aus=$(mktemp -d)
LC_ALL=de_DE.UTF-8 soffice "$profil" --headless --convert-to xlsx --outdir "$aus" faelle-de.fods
LC_ALL=de_DE.UTF-8 soffice "$profil" --headless --convert-to ods --outdir "$aus" faelle-de.fods
LC_ALL=en_US.UTF-8 soffice "$profil" --headless --convert-to xlsx --outdir "$aus" faelle-en.fods
LC_ALL=de_DE.UTF-8 soffice "$profil" --headless --convert-to xlsx --outdir "$aus" formate.fods
LC_ALL=de_DE.UTF-8 soffice "$profil" --headless --convert-to ods --outdir "$aus" formate.fods
# Field separator 59 (;), text delimiter 34 ("), character set 76 (UTF-8)
# or 1 (Windows-1252: LibreOffice's own number for it; "1252" would be taken
# for another encoding and give € as 0xAC), first line 1; only the first sheet is written.
LC_ALL=de_DE.UTF-8 soffice "$profil" --headless \
    --convert-to 'csv:Text - txt - csv (StarCalc):59,34,76,1' --outdir "$aus/utf8" faelle-de.fods
LC_ALL=de_DE.UTF-8 soffice "$profil" --headless \
    --convert-to 'csv:Text - txt - csv (StarCalc):59,34,1,1' --outdir "$aus/cp1252" faelle-de.fods
cp "$aus/faelle-de.xlsx" "$aus/faelle-de.ods" "$aus/faelle-en.xlsx" "$aus/formate.xlsx" \
    "$aus/formate.ods" .
cp "$aus/utf8/faelle-de.csv" faelle-utf8.csv
cp "$aus/cp1252/faelle-de.csv" faelle-cp1252.csv
rm -r "$aus"
