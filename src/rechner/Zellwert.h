#pragma once

#include <optional>
#include <string>

namespace lohnwippe::rechner {

// Of a CSV input or output: UTF-8, or the Windows-1252 many spreadsheet
// programs write as "CSV".
enum class Zeichensatz { Utf8, Windows1252 };

// The value of a column the calculator does not know (a personnel number,
// a remark), carried from the input row to its output row as it came: the
// text as the sheet shows it (what CSV and JSON output get), and where a
// spreadsheet held a number, date or time, that number too with the number
// format the cell was shown in, so that a spreadsheet output keeps the same
// kind of cell looking the same ("0042" stays 42 shown as 0000, a date stays
// a date). `Format` is a number format code in the .xlsx notation
// ("DD.MM.YYYY", "0000"); empty means the general format.
struct Zellwert {
    std::string Text;
    std::optional<double> Zahl;
    std::string Format{};
    bool operator==(const Zellwert&) const = default;
};

}  // namespace lohnwippe::rechner
