#include "rechner/Rechnen.h"

#include <fcntl.h>
#include <unistd.h>

#include "fall/Fallrechnung.h"
#include "rechner/Ausgabefelder.h"
#include "rechner/Spalten.h"

namespace lohnwippe::rechner {

namespace {

// Enough to see past a byte-order mark and blank lines to the first sign.
constexpr std::size_t Vorlauf = 4096;

std::string Ort(const std::string& eingabe, long zeile, const std::string& spalte) {
    std::string ort = eingabe + ", Zeile " + std::to_string(zeile);
    if (!spalte.empty()) {
        ort += ", Spalte " + Zitat(spalte);
    }
    return ort;
}

// JSON lines begin with "{", a CSV file with its header.
Ausgabeformat FormatNachInhalt(std::string_view anfang) {
    if (anfang.starts_with("\xEF\xBB\xBF")) {
        anfang.remove_prefix(3);
    }
    const std::size_t erstes = anfang.find_first_not_of(" \t\r\n");
    return erstes != std::string_view::npos && anfang[erstes] == '{' ? Ausgabeformat::JsonZeilen
                                                                     : Ausgabeformat::Csv;
}

}  // namespace

Eingaben EingabenVonZeile(const Fallzeile& zeile, const Umlagetabelle& umlagen) {
    return EingabenAusFall(zeile.Fall, umlagen[static_cast<std::size_t>(UmlageNr(zeile.Monat) - 1)],
                           zeile.Monat);
}

Zaehlung FaelleRechnen(Zeilenquelle& quelle, Zeilenschreiber& ausgabe, const Umlagetabelle& umlagen,
                       const std::string& eingabe, const Melder& melden) {
    Zaehlung zaehlung;
    Eingabezeile zeile;
    while (quelle.Naechste(zeile)) {
        std::optional<Zeilenfehler> fehler = zeile.Fehler;
        if (!fehler) {
            auto gelesen = ZeileLesen(zeile.Felder, quelle.Zahlen());
            if (const auto* fall = std::get_if<Fallzeile>(&gelesen)) {
                const Eingaben eingaben = EingabenVonZeile(*fall, umlagen);
                try {
                    const Ergebnis ergebnis = Berechnen(eingaben);
                    EingabefelderSchreiben(ausgabe, fall->Fall, fall->Monat);
                    ErgebnisfelderSchreiben(ausgabe, eingaben, ergebnis);
                    ausgabe.Zeilenende();
                    ++zaehlung.Gerechnet;
                    continue;
                } catch (const std::overflow_error&) {
                    // HoechstesEntgelt keeps every row that was read away
                    // from this; a guard, not a path.
                    fehler = Zeilenfehler{"", "die Beträge sind zu groß, um sie zu berechnen"};
                }
            } else {
                fehler = std::get<Zeilenfehler>(std::move(gelesen));
            }
        }
        ++zaehlung.Abgewiesen;
        melden(Ort(eingabe, zeile.Nummer, fehler->Spalte) + ": " + fehler->Grund);
    }
    return zaehlung;
}

int RechnenBefehl(const Rechenauftrag& auftrag, const Melder& melden) {
    return ZeilenAusgeben(auftrag.Ausgabe, melden, [&](Ausgabe& ausgabe) {
        const bool standard = auftrag.Eingabe == "-";
        const std::string name = standard ? "Standardeingabe" : auftrag.Eingabe;
        Deskriptor eingabe = standard ? Deskriptor(STDIN_FILENO, name, false)
                                      : OderAbbruch(Deskriptor::Oeffnen(name, O_RDONLY));
        DateiStrom datei(eingabe);

        Umlagetabelle umlagen = StandardUmlagen();
        Gelesenes gelesen;
        if (const auto kennung = eingabe.Kennung()) {
            gelesen.Dateien.push_back(*kennung);
        }
        if (auftrag.Daten) {
            Datenbestand daten = DatenordnerLesen(*auftrag.Daten, false, gelesen, melden);
            umlagen = UmlagenLesen(daten);
        }

        // What the name does not say, the first bytes do.
        std::string vorlauf(Vorlauf, '\0');
        std::size_t vorgelesen = 0;
        while (vorgelesen < Vorlauf &&
               vorlauf.find_first_not_of(" \t\r\n\xEF\xBB\xBF", 0) >= vorgelesen) {
            const std::size_t n = datei.Lesen(vorlauf.data() + vorgelesen, Vorlauf - vorgelesen);
            if (n == 0) {
                break;
            }
            vorgelesen += n;
        }
        vorlauf.resize(vorgelesen);
        const Ausgabeformat eingabeformat = auftrag.Eingabeformat.value_or(
            FormatNachName(auftrag.Eingabe).value_or(FormatNachInhalt(vorlauf)));
        TextStrom strom(vorlauf, &datei);
        const auto quelle =
            eingabeformat == Ausgabeformat::Csv ? CsvQuelle(strom, name) : JsonQuelle(strom);

        Zeilenschreiber& schreiber = ausgabe.Oeffnen(Rechenspalten(), gelesen);
        return FaelleRechnen(*quelle, schreiber, umlagen, name, melden);
    });
}

}  // namespace lohnwippe::rechner
