#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Deskriptor.h"

namespace lohnwippe::rechner {

// The cells of one sheet of a spreadsheet file (.xlsx or .ods), row by row,
// read as the file is unpacked: memory stays the same however many rows the
// sheet has. What the cells mean is the business of the row source built on
// it (Tabellenquelle).

// One cell that holds something. A number cell (also currency, percentage,
// a formula's stored number, an .ods date or time as a serial number) has
// its value in `Zahl` and, in the general format, an empty text; a
// text cell its text, the paragraphs of a cell joined by "\n"; a truth value
// is the text "1" or "0"; an error value the text the sheet shows
// ("#DIV/0!"). A formula cell is its stored value; one without (a file a
// script wrote) is an Abbruch naming it.
//
// A number cell shown in a number format has its code in `Format` (.xlsx
// notation, see Formatcode.h; empty for the general format), and, where
// the file holds it (.ods), the text the sheet shows in `Text`.
struct Blattzelle {
    std::size_t Spalte = 0;  // from 0: A is 0
    std::string Text;
    std::optional<double> Zahl;
    std::string Format;
};

// The cells of a row that hold something, in the order of their columns;
// `Nummer` is the row's number in the sheet, from 1. Rows without any such
// cell are not handed out.
struct Blattzeile {
    long Nummer = 0;
    std::vector<Blattzelle> Zellen;
};

class Blattleser {
  public:
    virtual ~Blattleser() = default;
    // The next row with content; false after the last. Throws Abbruch
    // (German, naming the file) when the file turns out damaged.
    virtual bool Naechste(Blattzeile& zeile) = 0;
    // What the user should be told about the sheet read (that it is hidden,
    // or that hidden ones before it were passed over); empty if nothing.
    const std::string& Hinweis() const { return hinweis_; }

  protected:
    std::string hinweis_;
};

// Whether `anfang`, the first bytes of a file, can be a spreadsheet file:
// a zip archive, or the older container an office file saved with a
// password comes in (which BlattOeffnen then refuses with a message that
// says so).
bool MappeNachInhalt(std::string_view anfang);

// Opens the sheet named `blatt`, or the first visible one, of the .xlsx or .ods file
// `datei` (which it is the content tells). `name` heads the messages. Throws
// Abbruch when the file is no spreadsheet file of either kind, cannot be
// read, or has no sheet of that name (the message names those it has).
// `datei` must allow seeking: a pipe is refused. The sheet is unpacked as
// rows are asked for; only an .xlsx's shared strings are held whole (at
// most 256 MiB). A cell's text may have 1 MiB, a row's 16 MiB; content
// beyond row 1048576 or column XFD is refused, as are entries unpacked
// beyond 4 GiB or packed more than 1100-fold, XML elements beyond 32 MiB,
// names beyond 4096 bytes and repeat counts that make more than a million
// cells. Every entry read is read to its end, so that its checksum counts.
std::unique_ptr<Blattleser> BlattOeffnen(Deskriptor& datei, const std::string& name,
                                         const std::optional<std::string>& blatt);

// The same for a file held in memory (tests, fuzzing); the reader keeps a
// copy of `daten`.
std::unique_ptr<Blattleser> BlattAusSpeicher(std::string_view daten, const std::string& name,
                                             const std::optional<std::string>& blatt);

// "D", "AA": the letters of column `spalte` (from 0).
std::string Spaltenbuchstaben(std::size_t spalte);

}  // namespace lohnwippe::rechner
