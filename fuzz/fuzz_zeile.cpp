// Any bytes as the input of `lohnwippe-rechner rechnen`, CSV or JSON lines
// (the first byte chooses): every row is calculated or named with a message
// of one valid UTF-8 line; no row that was read fails to calculate; and the
// input columns a row is written back with read again as the same case, in
// both formats.
#include <string>
#include <variant>

#include "Fuzzhilfen.h"
#include "calc/Utf8.h"
#include "rechner/Ausgabefelder.h"
#include "rechner/Eingabe.h"
#include "rechner/Rechnen.h"
#include "rechner/Spalten.h"

using namespace lohnwippe;
using namespace lohnwippe::rechner;
using lohnwippe::fuzz::Pruefen;

namespace {

std::unique_ptr<Zeilenquelle> Quelle(Eingabestrom& strom, Ausgabeformat format) {
    return format == Ausgabeformat::Csv ? CsvQuelle(strom) : JsonQuelle(strom);
}

// The row's input columns written in `format` and read back.
void Zurueck(const Fallzeile& zeile, Ausgabeformat format) {
    std::vector<std::string> spalten;
    for (const Eingabespalte& spalte : Eingabespalten()) {
        spalten.push_back(spalte.Name);
    }
    std::string text;
    Zeilenschreiber schreiber([&](std::string_view daten) { text += daten; }, format, spalten);
    schreiber.Kopf();
    EingabefelderSchreiben(schreiber, zeile.Fall, zeile.Monat);
    schreiber.Zeilenende();
    schreiber.Leeren();

    TextStrom strom(text);
    const auto quelle = Quelle(strom, format);
    Eingabezeile wieder;
    Pruefen(quelle->Naechste(wieder) && !wieder.Fehler, "geschriebene Zeile lesbar");
    const auto gelesen = ZeileLesen(wieder.Felder, quelle->Formate());
    const auto* fall = std::get_if<Fallzeile>(&gelesen);
    Pruefen(fall != nullptr, "geschriebene Zeile gültig");
    Pruefen(fall->Fall == zeile.Fall && fall->Monat == zeile.Monat, "derselbe Fall zurück");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    if (groesse == 0) {
        return 0;
    }
    const auto format = daten[0] % 2 == 0 ? Ausgabeformat::Csv : Ausgabeformat::JsonZeilen;
    const std::string_view text(reinterpret_cast<const char*>(daten + 1), groesse - 1);
    const Umlagetabelle umlagen = StandardUmlagen();
    try {
        TextStrom strom(text);
        const auto quelle = Quelle(strom, format);
        std::string ausgabe;
        Zeilenschreiber schreiber([&](std::string_view daten) { ausgabe += daten; },
                                  Ausgabeformat::Csv, Rechenspalten(quelle->Mitgefuehrt()));
        const Zaehlung zaehlung =
            FaelleRechnen(*quelle, schreiber, umlagen, "e", [](const std::string& meldung) {
                Pruefen(Utf8Fehler(meldung) == std::string_view::npos, "Meldung in UTF-8");
                Pruefen(meldung.find_first_of("\r\n") == std::string::npos, "Meldung einzeilig");
            });
        schreiber.Leeren();
        // A carried JSON text may hold a line break, which CSV quotes.
        const auto zeilenenden = std::count(ausgabe.begin(), ausgabe.end(), '\n');
        Pruefen(format == Ausgabeformat::Csv ? zeilenenden == zaehlung.Gerechnet
                                             : zeilenenden >= zaehlung.Gerechnet,
                "eine Ausgabezeile je gerechneter Zeile");

        TextStrom nochmal(text);
        const auto zeilen = Quelle(nochmal, format);
        Eingabezeile zeile;
        while (zeilen->Naechste(zeile)) {
            if (zeile.Fehler) {
                continue;
            }
            const auto gelesen = ZeileLesen(zeile.Felder, zeilen->Formate());
            if (const auto* fall = std::get_if<Fallzeile>(&gelesen)) {
                Zurueck(*fall, Ausgabeformat::Csv);
                Zurueck(*fall, Ausgabeformat::JsonZeilen);
            }
        }
    } catch (const Abbruch& abbruch) {
        // Only a CSV header the program cannot use ends the reading.
        Pruefen(format == Ausgabeformat::Csv, "Abbruch nur wegen der Kopfzeile");
        Pruefen(Utf8Fehler(abbruch.what()) == std::string_view::npos, "Abbruch in UTF-8");
    }
    return 0;
}
