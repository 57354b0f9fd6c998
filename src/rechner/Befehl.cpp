#include "rechner/Befehl.h"

#include <span>

#include "calc/Zeichen.h"
#include "store/Cp1252.h"

namespace lohnwippe::rechner {

std::optional<Ausgabeformat> FormatNachName(const std::string& name) {
    // "Ergebnis.XLSX" is as much a workbook as "ergebnis.xlsx".
    const std::string klein = AsciiKlein(name);
    for (const char* endung : {".jsonl", ".ndjson", ".json"}) {
        if (klein.ends_with(endung)) {
            return Ausgabeformat::JsonZeilen;
        }
    }
    if (klein.ends_with(".csv")) {
        return Ausgabeformat::Csv;
    }
    if (klein.ends_with(".xlsx")) {
        return Ausgabeformat::Xlsx;
    }
    return std::nullopt;
}

Zeilenschreiber& Ausgabe::Oeffnen(std::vector<std::string> spalten, const Gelesenes& gelesen,
                                  const std::string& blatt) {
    datei_.emplace(optionen_.Ausgabe, gelesen, *optionen_.Aufrufe);
    if (format_ == Ausgabeformat::Xlsx) {
        // The workbook is packed into the file by name, at Schliessen.
        mappe_.emplace(datei_->Dateiname(), datei_->Datei().Name(), melden_);
        schreiber_.emplace(*mappe_, blatt, std::move(spalten));
        schreiber_->Kopf();
        return *schreiber_;
    }
    // The writer hands over whole fields, so no character is cut in two.
    const bool cp1252 =
        format_ == Ausgabeformat::Csv && optionen_.Textzeichensatz == Zeichensatz::Windows1252;
    schreiber_.emplace(
        [this, cp1252](std::string_view daten) {
            const std::string umgesetzt = cp1252 ? NachCp1252(daten) : std::string();
            if (cp1252) {
                daten = umgesetzt;
            }
            OderAbbruch(
                datei_->Datei().Schreiben(std::as_bytes(std::span(daten.data(), daten.size()))));
        },
        format_, std::move(spalten), optionen_.Bom, optionen_.Csv);
    if (cp1252 && melden_) {
        const std::string name = optionen_.Ausgabe == "-" ? "Standardausgabe" : optionen_.Ausgabe;
        schreiber_->ZeichensatzPruefen(
            [this, name](const std::string& meldung) { melden_(name + ", " + meldung); });
    }
    schreiber_->Kopf();
    return *schreiber_;
}

void Ausgabe::Schliessen() {
    if (schreiber_) {
        schreiber_->Leeren();
    }
    if (mappe_) {
        mappe_->Schliessen();
    }
    if (datei_) {
        datei_->Ersetzen();
    }
}

int ZeilenAusgeben(const Ausgabeoptionen& optionen, const Melder& melden,
                   const std::function<Zaehlung(Ausgabe&)>& zeilen) {
    try {
        const Ausgabeformat format =
            optionen.Format.value_or(FormatNachName(optionen.Ausgabe).value_or(Ausgabeformat::Csv));
        if (optionen.Bom && format == Ausgabeformat::JsonZeilen) {
            throw Abbruch("--bom gilt nur für CSV: JSON-Zeilen haben keine Byte-Order-Markierung");
        }
        if (optionen.Bom && optionen.Textzeichensatz == Zeichensatz::Windows1252) {
            throw Abbruch("--bom gilt nur für UTF-8: Windows-1252 hat keine Byte-Order-Markierung");
        }
        if (optionen.Bom && format == Ausgabeformat::Xlsx) {
            throw Abbruch(
                "--bom gilt nur für CSV: eine .xlsx-Datei hat keine Byte-Order-Markierung");
        }
        if (optionen.Ausgabe == "-") {
            StandardausgabePruefen();
        }
        Ausgabe ausgabe(optionen, format, melden);
        const Zaehlung zaehlung = zeilen(ausgabe);
        ausgabe.Schliessen();
        return zaehlung.Abgewiesen + zaehlung.Unvollstaendig > 0 ? 1 : 0;
    } catch (const Abbruch& abbruch) {
        melden(abbruch.what());
        return 2;
    }
}

}  // namespace lohnwippe::rechner
