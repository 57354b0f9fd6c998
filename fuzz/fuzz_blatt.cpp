// Any bytes as a spreadsheet file, its first sheet and the sheet
// „Notizen“: rows or an Abbruch naming the file in valid UTF-8, never a
// crash. Rows come with rising numbers inside the sheet, each with
// something in it; cells with rising columns inside the sheet, each a
// finite number (with text only beside a format) or a non-empty text in
// valid UTF-8 (expat hands out nothing else) within the cell limit.
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "Fuzzhilfen.h"
#include "calc/Utf8.h"
#include "rechner/Blattleser.h"
#include "rechner/Fehler.h"

using namespace lohnwippe;
using namespace lohnwippe::rechner;
using lohnwippe::fuzz::Pruefen;

namespace {

// A crafted row can repeat its cells, texts of 1 MiB among them, a
// million times; reading them all proves nothing more and only slows the
// search down.
constexpr long HoechstZellen = 1'000'000;
constexpr std::size_t HoechstText = std::size_t{64} << 20;

void Lesen(std::string_view daten, const std::optional<std::string>& blatt) {
    try {
        const auto leser = BlattAusSpeicher(daten, "f.xlsx", blatt);
        Blattzeile zeile;
        long vorige = 0;
        long zellen = 0;
        std::size_t text = 0;
        while (zellen < HoechstZellen && text < HoechstText && leser->Naechste(zeile)) {
            Pruefen(zeile.Nummer > vorige && zeile.Nummer <= 1048576,
                    "Zeilen aufsteigend im Blatt");
            Pruefen(!zeile.Zellen.empty(), "keine leere Zeile");
            vorige = zeile.Nummer;
            std::size_t naechste = 0;
            for (const Blattzelle& zelle : zeile.Zellen) {
                Pruefen(zelle.Spalte >= naechste && zelle.Spalte < 16384,
                        "Spalten aufsteigend im Blatt");
                naechste = zelle.Spalte + 1;
                if (zelle.Zahl) {
                    Pruefen(std::isfinite(*zelle.Zahl), "Zahl endlich");
                    Pruefen(zelle.Text.empty() || !zelle.Format.empty(),
                            "Zahl ohne Text, außer wie im Format gezeigt");
                } else {
                    Pruefen(!zelle.Text.empty(), "Zelle mit Inhalt");
                }
                Pruefen(zelle.Text.size() <= (std::size_t{1} << 20), "Text in der Grenze");
                Pruefen(zelle.Format.size() <= 255 &&
                            Utf8Fehler(zelle.Format) == std::string_view::npos,
                        "Format kurz und in UTF-8");
                Pruefen(Utf8Fehler(zelle.Text) == std::string_view::npos, "Text in UTF-8");
                text += zelle.Text.size();
            }
            zellen += static_cast<long>(zeile.Zellen.size());
        }
    } catch (const Abbruch& abbruch) {
        const std::string_view meldung = abbruch.what();
        Pruefen(meldung.starts_with("f.xlsx: "), "Meldung nennt die Datei");
        Pruefen(Utf8Fehler(meldung) == std::string_view::npos, "Meldung in UTF-8");
        Pruefen(meldung.find('\n') == std::string_view::npos, "Meldung einzeilig");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::string_view bytes(reinterpret_cast<const char*>(daten), groesse);
    Lesen(bytes, std::nullopt);
    Lesen(bytes, "Notizen");
    return 0;
}
