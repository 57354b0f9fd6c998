#include "rechner/Befehl.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <span>

namespace lohnwippe::rechner {

std::optional<Ausgabeformat> FormatNachName(const std::string& name) {
    for (const char* endung : {".jsonl", ".ndjson", ".json"}) {
        if (name.ends_with(endung)) {
            return Ausgabeformat::JsonZeilen;
        }
    }
    if (name.ends_with(".csv")) {
        return Ausgabeformat::Csv;
    }
    return std::nullopt;
}

Zeilenschreiber& Ausgabe::Oeffnen(std::vector<std::string> spalten,
                                  const std::vector<Dateikennung>& gelesen) {
    const std::string& pfad = optionen_.Ausgabe;
    if (pfad == "-") {
        datei_.emplace(STDOUT_FILENO, "Standardausgabe", false);
    } else {
        const auto ziel = KennungVon(pfad);
        if (ziel && std::find(gelesen.begin(), gelesen.end(), *ziel) != gelesen.end()) {
            throw Abbruch(pfad +
                          ": das ist eine der Dateien, die gelesen werden; bitte eine "
                          "andere Ausgabedatei angeben");
        }
        datei_.emplace(OderAbbruch(Deskriptor::Oeffnen(pfad, O_WRONLY | O_CREAT | O_TRUNC)));
    }
    schreiber_.emplace(
        [this](std::string_view daten) {
            OderAbbruch(datei_->Schreiben(std::as_bytes(std::span(daten.data(), daten.size()))));
        },
        format_, std::move(spalten), optionen_.Bom);
    schreiber_->Kopf();
    return *schreiber_;
}

void Ausgabe::Schliessen() {
    if (schreiber_) {
        schreiber_->Leeren();
    }
    if (datei_) {
        OderAbbruch(datei_->Schliessen());
    }
}

int ZeilenAusgeben(const Ausgabeoptionen& optionen, const Melder& melden,
                   const std::function<Zaehlung(Ausgabe&)>& zeilen) {
    try {
        const Ausgabeformat format =
            optionen.Format.value_or(FormatNachName(optionen.Ausgabe).value_or(Ausgabeformat::Csv));
        if (optionen.Bom && format != Ausgabeformat::Csv) {
            throw Abbruch("--bom gilt nur für CSV: JSON-Zeilen haben keine Byte-Order-Markierung");
        }
        Ausgabe ausgabe(optionen, format);
        const Zaehlung zaehlung = zeilen(ausgabe);
        ausgabe.Schliessen();
        return zaehlung.Abgewiesen + zaehlung.Unvollstaendig > 0 ? 1 : 0;
    } catch (const Abbruch& abbruch) {
        melden(abbruch.what());
        return 2;
    }
}

}  // namespace lohnwippe::rechner
