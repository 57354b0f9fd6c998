#include "Zeilen.h"

#include <nlohmann/json.hpp>
#include <sstream>

namespace lohnwippe::test {

namespace {

// Fields of one CSV line; enough for the program's output, whose only
// quoted fields are names without line breaks.
std::vector<std::string> Felder(const std::string& zeile) {
    std::vector<std::string> felder(1);
    bool zitiert = false;
    for (std::size_t i = 0; i < zeile.size(); ++i) {
        const char c = zeile[i];
        if (c == '"' && zitiert && i + 1 < zeile.size() && zeile[i + 1] == '"') {
            felder.back() += '"';
            ++i;
        } else if (c == '"') {
            zitiert = !zitiert;
        } else if (c == ';' && !zitiert) {
            felder.emplace_back();
        } else {
            felder.back() += c;
        }
    }
    return felder;
}

}  // namespace

std::vector<Ausgabezeile> CsvZeilen(const std::string& text) {
    std::istringstream strom(text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text);
    std::string zeile;
    std::getline(strom, zeile);
    const auto kopf = Felder(zeile);
    std::vector<Ausgabezeile> zeilen;
    while (std::getline(strom, zeile)) {
        const auto felder = Felder(zeile);
        Ausgabezeile& z = zeilen.emplace_back();
        for (std::size_t i = 0; i < kopf.size() && i < felder.size(); ++i) {
            z[kopf[i]] = felder[i];
        }
        z["#Felder"] = std::to_string(felder.size());
    }
    return zeilen;
}

std::vector<Ausgabezeile> JsonZeilen(const std::string& text) {
    std::istringstream strom(text);
    std::string zeile;
    std::vector<Ausgabezeile> zeilen;
    while (std::getline(strom, zeile)) {
        Ausgabezeile& z = zeilen.emplace_back();
        const auto objekt = nlohmann::json::parse(zeile);
        for (const auto& [name, wert] : objekt.items()) {
            z[name] = wert.is_string() ? wert.get<std::string>() : "kein Text: " + wert.dump();
        }
        z["#Felder"] = std::to_string(objekt.size());
    }
    return zeilen;
}

}  // namespace lohnwippe::test
