#pragma once

#include <optional>
#include <string>

namespace lohnwippe::rechner {

// Of a CSV input or output: UTF-8, or the Windows-1252 many spreadsheet
// programs write as "CSV".
enum class Zeichensatz { Utf8, Windows1252 };

// The value of a column the calculator does not know (a personnel number,
// a remark), carried from the input row to its output row as it came: the
// text as read, and where a spreadsheet held a number, that number too, so
// that a spreadsheet output keeps it a number. The text of such a number is
// written as a German CSV field would hold it ("1234,5").
struct Zellwert {
    std::string Text;
    std::optional<double> Zahl;
    bool operator==(const Zellwert&) const = default;
};

}  // namespace lohnwippe::rechner
