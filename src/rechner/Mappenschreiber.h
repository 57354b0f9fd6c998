#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rechner/Fehler.h"
#include "rechner/Mappenpaket.h"

namespace lohnwippe::rechner {

// How a number cell shows its value; the stored value is the same.
enum class Zellformat : std::uint8_t {
    Allgemein,   // as the sheet shows any number
    Tausender2,  // #,##0.00: the amounts of the table
    Dezimal0,    // 0, 0.0 .. 0.0000: rates and the amounts kept to four decimals
    Dezimal1,
    Dezimal2,
    Dezimal3,
    Dezimal4,
};

// Dezimal0 .. Dezimal4 by the number of decimals (0 .. 4).
Zellformat Dezimalformat(int stellen);

// Writes the rows of a command into an .xlsx file by its name, one sheet
// after the other, each with a bold header row that stays in view and an
// autofilter over what was written. A sheet's XML goes into a temporary
// file beside the output as the rows come, so that a million rows cost no
// more memory than ten; Schliessen packs the workbook into the file. Every
// failure is an Abbruch naming `name`, the output as the user gave it.
class Mappenschreiber {
  public:
    // Rows of a sheet, header included, as the spreadsheet programs take
    // them.
    static constexpr long Blattzeilen = 1'048'576;
    // Characters (UTF-16 units, as the programs count them) a cell holds.
    static constexpr std::size_t Textgrenze = 32767;

    // `melden` hears what the file will lack (a text cut to fit a cell).
    // `zeilen`: the rows a sheet may hold, header included; fewer only to
    // test the limit.
    Mappenschreiber(std::string datei, std::string name, Melder melden, long zeilen = Blattzeilen);

    // A new sheet behind the others and its header row; the rows before go
    // with the sheet before.
    void Blatt(const std::string& name, const std::vector<std::string>& spalten);

    // The cells of a row, left to right. An empty text leaves its cell
    // empty; a longer text than a cell holds is cut, and said once.
    void Text(std::string_view utf8);
    // A number as calc writes it with a decimal point ("-1234.5").
    void Zahl(std::string_view zahltext, Zellformat format);
    // A number in a format of the .xlsx notation ("DD.MM.YYYY"; empty is
    // the general one); one that is none (infinite) leaves its cell empty.
    void Zahl(double wert, std::string_view formatcode);
    void Zeilenende();

    // The number of column `spalte` in the row ended last; none for a
    // text, an empty cell or before the first row.
    std::optional<double> Zahlwert(std::size_t spalte) const;

    // Puts the last sheet in order and writes the file.
    void Schliessen();

  private:
    enum class Spaltenart : std::uint8_t { Offen, Text, Zahl, Betrag };
    // The number text of a cell of the current row, for Zahlwert.
    struct Gemerkt {
        std::array<char, 32> Text;
        std::uint8_t Laenge = 0;
    };

    std::uint16_t Zelle(Spaltenart art);
    void Zahlzelle(std::string_view zahltext, std::size_t stil);
    void Zeichen(std::string_view utf8);
    char* Platz(std::size_t bytes);
    void Leeren();
    void Kopfteil();
    void BlattAbschliessen();
    [[noreturn]] void Gescheitert(int fehlerNr) const;

    std::string datei_;
    std::string name_;
    Melder melden_;
    long zeilenGrenze_;
    bool gekuerzt_ = false;  // a text was cut and said
    bool zuVieleFormate_ = false;
    bool blattOffen_ = false;
    Mappenteile teile_;
    // The XML of the current sheet: its rows wait here until the buffer
    // fills, the first ones also until the head of the sheet, which sets
    // the columns' widths by them, is written.
    std::unique_ptr<char[]> puffer_;
    std::size_t groesse_ = 0;
    std::size_t belegt_ = 0;
    bool kopfGeschrieben_ = false;
    std::vector<std::string> spalten_;
    std::vector<std::string> zellanfang_;  // `<c r="AB` by column
    std::vector<Spaltenart> arten_;        // of the first row of data
    std::vector<Gemerkt> werte_;           // of the current row
    std::array<char, 16> zeilennummer_{};
    std::size_t zeilennummerLaenge_ = 0;
    std::uint32_t zeile_ = 0;
    std::uint16_t spalte_ = 0;
};

}  // namespace lohnwippe::rechner
