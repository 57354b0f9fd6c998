#pragma once

#include <map>
#include <string>
#include <vector>

namespace lohnwippe::test {

// Output rows as column → text: CSV with a header (separated by `trenner`),
// or JSON lines.
using Ausgabezeile = std::map<std::string, std::string>;
std::vector<Ausgabezeile> CsvZeilen(const std::string& text, char trenner = ';');
std::vector<Ausgabezeile> JsonZeilen(const std::string& text);

}  // namespace lohnwippe::test
