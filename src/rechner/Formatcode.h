#pragma once

// Number format codes in the .xlsx notation ("DD.MM.YYYY", "0000",
// "#,##0.00 [$€-407]"): what a cell a spreadsheet program shows, for the
// columns the calculator carries through unchanged.

#include <optional>
#include <string>
#include <string_view>

namespace lohnwippe::rechner {

// The code of a built-in .xlsx format id; empty for the general format and
// for ids whose code is the reader's locale's (dates in the German way).
std::string EingebautesFormat(unsigned id);

// Whether the code shows a date or a time of day.
bool IstZeitformat(std::string_view code);

// Whether the code shows the number times 100 with a percent sign, as a
// rate typed as "2,9 %" is stored: 0.029.
bool IstProzentformat(std::string_view code);

// `zahl` as a German spreadsheet program shows it in `code`; nothing for a
// code the calculator cannot render (then the general format stands in).
std::optional<std::string> FormatAnwenden(double zahl, std::string_view code);

// The serial number of 1970-01-01.
inline constexpr long Epoche = 25569;

// An .ods date ("1998-01-01", "1998-01-01T12:30:00") or duration
// ("PT12H30M00S") as a spreadsheet's serial number: days since 1899-12-30.
std::optional<double> OdsDatum(std::string_view text);
std::optional<double> OdsDauer(std::string_view text);

}  // namespace lohnwippe::rechner
