#include "rechner/OdsStile.h"

#include <charconv>
#include <cstring>

#include "rechner/Blattformate.h"
#include "rechner/Fehler.h"
#include "rechner/Zipmappe.h"

namespace lohnwippe::rechner {
namespace {

constexpr std::string_view Stil = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
constexpr std::string_view Tabelle = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view Daten = "urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0";

// Style names, codes and their number: what a person makes stays far below.
constexpr std::size_t HoechstLaenge = 256;
constexpr std::size_t HoechstAnzahl = 100000;

std::string_view Wert(const char** attribute, std::string_view raum, std::string_view name) {
    const char* wert = Attribut(attribute, raum, name);
    return wert != nullptr ? std::string_view(wert) : std::string_view();
}

bool Lang(const char** attribute) {
    return Wert(attribute, Daten, "style") == "long";
}

unsigned Zahlwert(std::string_view text, unsigned sonst) {
    unsigned zahl = sonst;
    std::from_chars(text.data(), text.data() + text.size(), zahl);
    return std::min(zahl, 30U);
}

// A literal in a format code.
std::string Zitiert(std::string_view text) {
    std::string code = "\"";
    for (const char c : text) {
        if (c != '"') {
            code += c;
        }
    }
    return code + "\"";
}

}  // namespace

void Odsstile::Zaehlen() {
    if (++anzahl_ > HoechstAnzahl) {
        throw Abbruch(name_ + ": mehr als " + std::to_string(HoechstAnzahl) +
                      " Formatvorlagen – die Datei wird nicht gelesen");
    }
}

void Odsstile::Anfang(std::string_view raum, std::string_view name, const char** attribute) {
    if (code_.size() > HoechstFormatcode) {
        code_.resize(HoechstFormatcode + 1);  // too long already: the general format
    }
    if (raum == Stil && name == "style") {
        Zaehlen();
        stil_ = Wert(attribute, Stil, "name").substr(0, HoechstLaenge);
        art_ = Wert(attribute, Stil, "family").substr(0, 20);
        if (art_ == "table-cell") {
            const std::string_view daten = Wert(attribute, Stil, "data-style-name");
            const auto gefunden = datenstile_.find(daten);
            if (gefunden != datenstile_.end()) {
                zellformate_[stil_] = gefunden->second;
            }
        }
    } else if (raum == Stil && name == "table-properties" && art_ == "table") {
        tabellen_[stil_] = Wert(attribute, Tabelle, "display") == "false";
    } else if (raum == Daten && name.ends_with("-style")) {
        Zaehlen();
        stil_ = Wert(attribute, Stil, "name").substr(0, HoechstLaenge);
        art_ = name;
        code_.clear();
        allgemein_ = name == "number-style";
        zeitdauer_ =
            name == "time-style" && Wert(attribute, Daten, "truncate-on-overflow") == "false";
    } else if (raum == Daten && !art_.ends_with("-style")) {
        return;
    } else if (raum == Daten && name == "number") {
        const std::string_view stellen = Wert(attribute, Daten, "decimal-places");
        const unsigned nach = Zahlwert(stellen, 0);
        const unsigned mindestNach = Zahlwert(Wert(attribute, Daten, "min-decimal-places"), nach);
        const unsigned vor = Zahlwert(Wert(attribute, Daten, "min-integer-digits"), 1);
        const bool gruppen = Wert(attribute, Daten, "grouping") == "true";
        allgemein_ = allgemein_ && stellen.empty() && vor <= 1 && !gruppen;
        std::string ganz = vor == 0 ? "#" : std::string(vor, '0');
        code_ += (gruppen ? "#,##" : "") + ganz;
        if (nach > 0) {
            code_ += "." + std::string(std::min(mindestNach, nach), '0') +
                     std::string(nach - std::min(mindestNach, nach), '#');
        }
    } else if (raum == Stil && name == "map" && art_.ends_with("-style")) {
        // The sign-less positive part of a style whose own part is the
        // negative one: the first and second sections of a code.
        const std::string_view bedingung = Wert(attribute, Stil, "condition");
        if (bedingung.starts_with("value()>")) {
            positiv_ = Wert(attribute, Stil, "apply-style-name").substr(0, HoechstLaenge);
        }
    } else if (raum == Daten && (name == "text" || name == "currency-symbol")) {
        allgemein_ = false;
        text_ = true;
        literal_.clear();
    } else if (raum == Daten) {
        const bool lang = Lang(attribute);
        allgemein_ = false;
        if (name == "day") {
            code_ += lang ? "DD" : "D";
        } else if (name == "month") {
            const bool wort = Wert(attribute, Daten, "textual") == "true";
            code_ += wort ? (lang ? "MMMM" : "MMM") : (lang ? "MM" : "M");
        } else if (name == "year") {
            code_ += lang ? "YYYY" : "YY";
        } else if (name == "day-of-week") {
            code_ += lang ? "DDDD" : "DDD";
        } else if (name == "hours") {
            code_ += zeitdauer_ ? (lang ? "[HH]" : "[H]") : (lang ? "HH" : "H");
            zeitdauer_ = false;
        } else if (name == "minutes") {
            code_ += lang ? "MM" : "M";
        } else if (name == "seconds") {
            code_ += lang ? "SS" : "S";
            const unsigned stellen = Zahlwert(Wert(attribute, Daten, "decimal-places"), 0);
            code_ += stellen > 0 ? "." + std::string(stellen, '0') : "";
        } else if (name == "am-pm") {
            code_ += "AM/PM";
        }
    }
}

void Odsstile::Zeichen(std::string_view text) {
    if (text_ && literal_.size() + text.size() < HoechstLaenge) {
        literal_ += text;
    }
}

void Odsstile::Ende(std::string_view raum, std::string_view name) {
    if (raum == Daten && (name == "text" || name == "currency-symbol") && text_) {
        text_ = false;
        // A percent sign in a percentage style multiplies, as in the codes.
        code_ += art_ == "percentage-style" && literal_ == "%" ? literal_ : Zitiert(literal_);
    } else if (raum == Daten && name == art_) {
        std::string code = allgemein_ || art_ == "boolean-style" || art_ == "text-style" ||
                                   code_.size() > HoechstFormatcode
                               ? std::string()
                               : code_;
        if (const auto positiv = datenstile_.find(positiv_); positiv != datenstile_.end()) {
            code = positiv->second.empty() || code.empty() ||
                           positiv->second.size() + code.size() >= HoechstFormatcode
                       ? std::string()
                       : positiv->second + ";" + code;
        }
        datenstile_[stil_] = std::move(code);
        positiv_.clear();
        art_.clear();
    } else if (raum == Stil && name == "style") {
        art_.clear();
    }
}

bool Odsstile::Ausgeblendet(std::string_view tabellenstil) const {
    const auto gefunden = tabellen_.find(tabellenstil);
    return gefunden != tabellen_.end() && gefunden->second;
}

const std::string& Odsstile::Format(std::string_view zellstil) const {
    static const std::string Allgemein;
    const auto gefunden = zellformate_.find(zellstil);
    return gefunden == zellformate_.end() ? Allgemein : gefunden->second;
}

}  // namespace lohnwippe::rechner
