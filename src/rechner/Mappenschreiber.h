#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace lohnwippe::rechner {

// How a number cell shows its value; the stored value is the same double.
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
// autofilter over what was written. The library keeps only the current row
// in memory and the rest in temporary files of its own, so that a million
// rows cost no more memory than ten; the file is written at Schliessen
// only. Every failure is an Abbruch naming `name`, the output as the user
// gave it.
class Mappenschreiber {
  public:
    // Rows of a sheet, header included, as the spreadsheet programs take
    // them.
    static constexpr long Blattzeilen = 1'048'576;

    // `zeilen`: the rows a sheet may hold, header included; fewer only to
    // test the limit.
    Mappenschreiber(const std::string& datei, std::string name, long zeilen = Blattzeilen);
    // Without Schliessen: the file is not written, the temporary files go.
    ~Mappenschreiber();
    Mappenschreiber(const Mappenschreiber&) = delete;
    Mappenschreiber& operator=(const Mappenschreiber&) = delete;

    // A new sheet behind the others and its header row; the rows before go
    // with the sheet before.
    void Blatt(const std::string& name, std::vector<std::string> spalten);

    // The cells of a row, left to right. An empty text leaves its cell
    // empty; a longer text than a cell holds is cut.
    void Text(std::string_view utf8);
    void Zahl(double wert, Zellformat format);
    void Zeilenende();

    // The number of column `spalte` in the row ended last; none for a
    // text, an empty cell or before the first row.
    std::optional<double> Zahlwert(std::size_t spalte) const;

    // Puts the last sheet in order and writes the file.
    void Schliessen();

  private:
    enum class Spaltenart : std::uint8_t { Offen, Text, Zahl, Betrag };

    // Where the library keeps the rows until it packs them: beside the
    // file, whose disk must hold them anyway, not in /tmp, which may be
    // small or held in memory.
    std::string zwischenordner_;

    std::uint16_t Zelle(Spaltenart art);
    void BlattAbschliessen();
    [[noreturn]] void Gescheitert(int fehler) const;
    void Pruefen(int fehler) const;  // lxw_error

    std::string name_;
    long zeilenGrenze_;
    lxw_workbook* mappe_ = nullptr;
    lxw_worksheet* blatt_ = nullptr;
    lxw_format* fett_ = nullptr;
    std::vector<lxw_format*> formate_;  // by Zellformat; null for Allgemein
    // The buffers of the sheets' temporary files, which the library closes
    // when the workbook goes.
    std::vector<std::unique_ptr<char[]>> puffer_;
    std::vector<std::string> spalten_;
    // Of the first row of data, for the widths.
    std::vector<Spaltenart> arten_;
    std::vector<std::optional<double>> werte_;  // of the current row
    std::uint32_t zeile_ = 0;
    std::uint16_t spalte_ = 0;
};

}  // namespace lohnwippe::rechner
