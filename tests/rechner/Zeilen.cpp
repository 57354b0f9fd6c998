#include "Zeilen.h"

#include <nlohmann/json.hpp>
#include <sstream>

namespace lohnwippe::test {

namespace {

// The records of a CSV text as fields; a quoted field may hold line breaks.
std::vector<std::vector<std::string>> Saetze(const std::string& text, char trenner) {
    std::vector<std::vector<std::string>> saetze;
    std::vector<std::string> felder(1);
    bool zitiert = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"' && zitiert && i + 1 < text.size() && text[i + 1] == '"') {
            felder.back() += '"';
            ++i;
        } else if (c == '"') {
            zitiert = !zitiert;
        } else if (c == trenner && !zitiert) {
            felder.emplace_back();
        } else if (c == '\n' && !zitiert) {
            saetze.push_back(std::move(felder));
            felder.assign(1, "");
        } else {
            felder.back() += c;
        }
    }
    return saetze;
}

}  // namespace

std::vector<Ausgabezeile> CsvZeilen(const std::string& text, char trenner) {
    const auto saetze = Saetze(text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text, trenner);
    std::vector<Ausgabezeile> zeilen;
    for (std::size_t s = 1; s < saetze.size(); ++s) {
        const auto& kopf = saetze[0];
        const auto& felder = saetze[s];
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
