#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "calc/Waehrung.h"
#include "calc/Zahltext.h"
#include "rechner/Zellwert.h"

namespace lohnwippe::rechner {

class Mappenschreiber;
enum class Zellformat : std::uint8_t;

enum class Ausgabeformat {
    Csv,         // semicolon separated, header row, German numbers
    JsonZeilen,  // one object per line, every value a string, decimal point
    Xlsx,        // a spreadsheet file: numbers as numbers, header bold and frozen
};

// Where the rows go: takes all of the bytes it is given or throws Abbruch.
using Ausgabeziel = std::function<void(std::string_view daten)>;

// Writes rows field by field into a buffer and hands it to the target when
// it fills, so that memory stays the same however many rows pass. Fields
// must come in the order of `spalten`; a row with another number of fields
// is a program error (std::logic_error). Nothing is written until the
// buffer fills or Leeren is called.
//
// Xlsx: the same calls write cells of the current sheet of a workbook, the
// numbers as numbers rounded as the texts round, each with the number
// format of its text (Betrag with two decimals "#,##0.00", Dezimal and
// four-decimal amounts "0.00" .. "0.0000", Zahl and Ganzzahl general), a
// carried number with the format it came in.
class Zeilenschreiber {
  public:
    // Csv: Zahlformat Deutsch separates by semicolons, Englisch by commas
    // and writes a decimal point.
    Zeilenschreiber(Ausgabeziel ziel, Ausgabeformat format, std::vector<std::string> spalten,
                    bool bom = false, Zahlformat csv = Zahlformat::Deutsch);
    // Xlsx into `mappe`, whose sheet Kopf begins.
    Zeilenschreiber(Mappenschreiber& mappe, std::string blatt, std::vector<std::string> spalten);

    // CSV: the header row, behind a byte-order mark when asked for. JSON
    // lines have no header; then only the mark would be wrong, so none.
    // Xlsx: a new sheet and its header row.
    void Kopf();

    void Text(std::string_view utf8);
    void Betrag(Waehrung wert, int stellen);   // BetragText
    void Dezimal(Waehrung wert, int stellen);  // DezimalText
    void Zahl(Waehrung wert);                  // ZahlText
    void Ganzzahl(long wert);
    // `anzahl` empty fields: nothing between the separators, "" in JSON, no
    // cell in a sheet. A row from 2013 has some 250 of them, so at once.
    void Leer(std::size_t anzahl = 1) {
        // A single one inside a CSV row is a separator, some hundred a row:
        // no call for it.
        if (anzahl == 1 && format_ == Ausgabeformat::Csv && feld_ != 0 && feld_ < spalten_.size() &&
            belegt_ < groesse_) {
            puffer_[belegt_++] = trenner_;
            ++feld_;
            return;
        }
        LeereFelder(anzahl);
    }
    // A carried value: its number where it has one (JSON with a decimal
    // point, a number cell), else its text.
    void Wert(const Zellwert& wert);
    void Zeilenende();

    // Hands everything written so far to the target.
    void Leeren();

    // The output is Windows-1252: the first text with a character it
    // lacks, which becomes "?", is said once in `melden`.
    void ZeichensatzPruefen(std::function<void(const std::string&)> melden) {
        cp1252Melden_ = std::move(melden);
    }

  private:
    // Writing a carried number: no apostrophe in front of its sign.
    bool formelfrei_ = false;
    // Separator or key of the next field, and room for `platz` more bytes;
    // returns where the value goes.
    char* Feldanfang(std::size_t platz);
    void Feldende(char* ende);
    template <typename Zahlschreiber>
    void Zahlfeld(Zahlschreiber schreiben, Zellformat zellformat);
    void Platz(std::size_t bytes);
    void LeereFelder(std::size_t anzahl);
    // Xlsx: counts the field; false for the other formats.
    bool Zellfeld();

    void Cp1252Pruefen(std::string_view utf8);
    // Writes the text of `wert` as `art` (see zuletzt_) with `schreiben`,
    // or copies it when the number written last was the same.
    template <typename Zahlschreiber>
    char* Gemerkt(char* ziel, Waehrung wert, int art, Zahlschreiber schreiben);

    // The number written last and where its text stands in the buffer: a
    // row repeats nearly every other amount (the total of a single
    // employment is its amount, the employments not there are all 0), and
    // writing it again costs more than the copy. Kept as a place, not as a
    // copy of the text: copying the bytes just written stalls on them.
    // Art: the decimals of BetragText, or 8 more for DezimalText; -1 for
    // none (a sheet, or the buffer handed on since). Whole numbers are
    // left out: the switches change too often to pay for the check.
    struct Zahlgedaechtnis {
        std::int64_t Roh = 0;
        int Art = -1;
        std::size_t Anfang = 0;
        std::size_t Laenge = 0;
    };
    Zahlgedaechtnis zuletzt_;

    Ausgabeformat format_;
    Zahlformat zahlen_;
    char trenner_;                                          // CSV
    long zeile_ = 1;                                        // of the output, the header the first
    std::function<void(const std::string&)> cp1252Melden_;  // until the first
    bool bom_;
    std::vector<std::string> spalten_;
    // JSON: `{"Name":` for the first column, `,"Name":` for the others.
    std::vector<std::string> schluessel_;
    // Room a number field needs at most, with separator or key and quotes.
    std::size_t zahlfeldPlatz_ = ZahltextPlatz + 1;
    std::size_t feld_ = 0;
    // Not cleared: the system hands out its pages as the rows fill them.
    std::unique_ptr<char[]> puffer_;
    std::size_t groesse_;
    std::size_t belegt_ = 0;
    // Behind the fields every number touches, called once a buffer.
    Ausgabeziel ziel_;
    Mappenschreiber* mappe_ = nullptr;  // Xlsx only
    std::string blatt_;
};

}  // namespace lohnwippe::rechner
