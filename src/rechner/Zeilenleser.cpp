#include "rechner/Zeilenleser.h"

#include <cstdint>
#include <stdexcept>

#include "calc/Ergebnis.h"
#include "calc/Teilmonat.h"
#include "fall/Fallrechnung.h"
#include "store/Standardinhalt.h"
#include "store/Umlagesatz.h"

namespace lohnwippe::rechner {

namespace {

bool Ziffer(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Getrimmt(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// Digits only, at most nine of them, so that no range check can wrap.
std::optional<long> GanzzahlLesen(std::string_view text) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    long wert = 0;
    for (char c : text) {
        if (!Ziffer(c)) {
            return std::nullopt;
        }
        wert = wert * 10 + (c - '0');
    }
    return wert;
}

bool GleichOhneGross(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto klein = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        if (klein(a[i]) != klein(b[i])) {
            return false;
        }
    }
    return true;
}

std::string Bereich(long von, long bis) {
    return "zwischen " + std::to_string(von) + " und " + std::to_string(bis);
}

// A number 1 .. `anzahl` or one of the list's texts: the position from 0.
template <typename Text>
std::optional<int> Listenwahl(std::string_view wert, int anzahl, Text text) {
    if (auto nr = GanzzahlLesen(wert)) {
        if (*nr >= 1 && *nr <= anzahl) {
            return static_cast<int>(*nr - 1);
        }
        return std::nullopt;
    }
    for (int pos = 0; pos < anzahl; ++pos) {
        if (wert == text(pos)) {
            return pos;
        }
    }
    return std::nullopt;
}

// The reading of one column's text into the case, or the reason why not.
class Leser {
  public:
    explicit Leser(Zahlformat format) : format_(format) {}

    std::optional<std::string> Lesen(const Eingabespalte& spalte, std::string_view wert,
                                     Fallzeile& zeile, int& jahr, int& monat) const {
        switch (spalte.Art) {
            case Feldart::Jahr:
                return JahrLesen(wert, jahr);
            case Feldart::Monat:
                return MonatLesen(wert, monat);
            case Feldart::Kasse:
                return PositionLesen(
                    wert, zeile.Fall.KassePos, AnzahlKassen, "Kasse", "der Kassenliste",
                    [](int pos) { return Kassennamen[static_cast<std::size_t>(pos)]; });
            case Feldart::Teilmonat:
                return PositionLesen(wert, zeile.Fall.TeilmonatPos, AnzahlTeilmonate, "Teilmonat",
                                     "der Teilmonatsliste", Teilmonatsname);
            case Feldart::Entgelt:
                return BetragLesen(wert, zeile.Fall.Entgelte[spalte.Job]);
            case Feldart::Zweig:
                return SchalterLesen(wert, zeile.Fall.Zweige[spalte.Job][spalte.Stelle]);
            case Feldart::Umlage:
                return SchalterLesen(wert, zeile.Fall.Umlagen[spalte.Job][spalte.Stelle]);
            case Feldart::Allgemein: {
                std::int16_t* ziel[] = {&zeile.Fall.RVVerzicht, &zeile.Fall.SachsenWahl,
                                        &zeile.Fall.KinderlosWahl};
                return SchalterLesen(wert, *ziel[spalte.Stelle]);
            }
        }
        return std::nullopt;
    }

  private:
    static std::optional<std::string> JahrLesen(std::string_view wert, int& jahr) {
        const auto zahl = GanzzahlLesen(wert);
        if (!zahl) {
            return Zitat(wert) + " ist keine Jahreszahl";
        }
        if (*zahl < ErstesJahr || *zahl > LetztesJahr) {
            return "Jahr " + std::to_string(*zahl) + " liegt nicht " +
                   Bereich(ErstesJahr, LetztesJahr);
        }
        jahr = static_cast<int>(*zahl);
        return std::nullopt;
    }

    static std::optional<std::string> MonatLesen(std::string_view wert, int& monat) {
        if (const auto zahl = GanzzahlLesen(wert)) {
            if (*zahl < 1 || *zahl > MonateJeJahr) {
                return "Monat " + std::to_string(*zahl) + " liegt nicht " +
                       Bereich(1, MonateJeJahr);
            }
            monat = static_cast<int>(*zahl);
            return std::nullopt;
        }
        for (int m = 1; m <= MonateJeJahr; ++m) {
            if (GleichOhneGross(wert, Monatskuerzel(m))) {
                monat = m;
                return std::nullopt;
            }
        }
        return Zitat(wert) + " ist kein Monat (1 bis 12 oder JAN bis DEZ)";
    }

    template <typename Text>
    static std::optional<std::string> PositionLesen(std::string_view wert, std::int16_t& ziel,
                                                    int anzahl, const char* was, const char* liste,
                                                    Text text) {
        if (wert.empty()) {
            return std::nullopt;  // as in a new case
        }
        if (const auto pos = Listenwahl(wert, anzahl, text)) {
            ziel = static_cast<std::int16_t>(*pos);
            return std::nullopt;
        }
        if (GanzzahlLesen(wert)) {
            return std::string(was) + " " + std::string(wert) + " liegt nicht " +
                   Bereich(1, anzahl);
        }
        return std::string(was) + " " + Zitat(wert) + " steht nicht in " + liste;
    }

    std::optional<std::string> BetragLesen(std::string_view wert, Waehrung& ziel) const {
        if (wert.empty()) {
            ziel = Waehrung();
            return std::nullopt;
        }
        std::string grund;
        const auto betrag = EntgeltLesen(wert, format_, grund);
        if (!betrag) {
            return grund;
        }
        ziel = *betrag;
        return std::nullopt;
    }

    static std::optional<std::string> SchalterLesen(std::string_view wert, std::int16_t& ziel) {
        if (wert.empty()) {
            return std::nullopt;  // the new case's value is already there
        }
        if (wert.size() == 1 && wert[0] >= '0' && wert[0] <= '2') {
            ziel = static_cast<std::int16_t>(wert[0] - '0');
            return std::nullopt;
        }
        return Zitat(wert) + " ist kein Schalterwert (0, 1 oder 2)";
    }

    Zahlformat format_;
};

}  // namespace

std::variant<Fallzeile, Zeilenfehler> ZeileLesen(const Eingabefelder& felder, Zahlformat format) {
    static const Fallsatz neu = StandardFallsatz(1);
    Fallzeile zeile{neu, {}};
    int jahr = 0;
    int monat = 0;
    const Leser leser(format);
    const auto& spalten = Eingabespalten();
    for (std::size_t i = 0; i < AnzahlEingabespalten; ++i) {
        const Eingabespalte& spalte = spalten[i];
        if (!felder[i]) {
            if (Pflichtspalte(spalte)) {
                return Zeilenfehler{spalte.Name, "Spalte fehlt"};
            }
            continue;
        }
        const std::string_view wert = Getrimmt(*felder[i]);
        if (const std::size_t stelle = Utf8Fehler(wert); stelle != std::string_view::npos) {
            return Zeilenfehler{spalte.Name, "kein gültiges UTF-8 (Byte " +
                                                 std::to_string(stelle + 1) +
                                                 " des Feldes); bitte die Datei als UTF-8 "
                                                 "speichern"};
        }
        if (wert.empty() && Pflichtspalte(spalte)) {
            return Zeilenfehler{spalte.Name, "Wert fehlt"};
        }
        if (auto grund = leser.Lesen(spalte, wert, zeile, jahr, monat)) {
            return Zeilenfehler{spalte.Name, std::move(*grund)};
        }
    }
    zeile.Monat = Berichtsmonat{jahr, monat};
    return zeile;
}

Eingabefelder FelderNachNamen(
    std::initializer_list<std::pair<std::string_view, std::string_view>> werte) {
    Eingabefelder felder{};
    for (const auto& [name, wert] : werte) {
        const int spalte = Eingabespaltennummer(name);
        if (spalte < 0) {
            throw std::invalid_argument("keine Eingabespalte: " + std::string(name));
        }
        felder[static_cast<std::size_t>(spalte)] = wert;
    }
    return felder;
}

std::optional<Waehrung> EntgeltLesen(std::string_view text, Zahlformat format, std::string& grund) {
    text = Getrimmt(text);
    const char komma = format == Zahlformat::Deutsch ? ',' : '.';
    const bool tausender = format == Zahlformat::Deutsch;
    if (!text.empty() && text.front() == '-') {
        grund = Zitat(text) + ": Entgelte sind nie negativ";
        return std::nullopt;
    }
    std::size_t i = 0;
    std::uint64_t euro = 0;
    int stellen = 0;  // significant digits of the whole Euro
    int gruppe = 0;   // digits since the last thousands separator
    bool getrennt = false;
    bool ziffern = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (Ziffer(c)) {
            ++gruppe;
            ziffern = true;
            if (euro == 0 && c == '0') {
                continue;
            }
            // Nine digits are more than any amount the program takes; the
            // count stops here before the number could wrap.
            if (++stellen <= 9) {
                euro = euro * 10 + static_cast<std::uint64_t>(c - '0');
            }
        } else if (c == '.' && tausender && gruppe >= 1 && (getrennt ? gruppe == 3 : gruppe <= 3)) {
            getrennt = true;
            gruppe = 0;
        } else {
            break;
        }
    }
    if (getrennt && gruppe != 3) {
        grund = Zitat(text) +
                ": ein Punkt trennt nur Tausender (drei Ziffern); das "
                "Dezimalzeichen ist das Komma";
        return std::nullopt;
    }
    std::uint64_t cent = 0;
    int nachkomma = 0;
    if (i < text.size() && text[i] == komma) {
        for (++i; i < text.size() && Ziffer(text[i]); ++i) {
            if (++nachkomma <= 2) {
                cent = cent * 10 + static_cast<std::uint64_t>(text[i] - '0');
            }
            ziffern = true;
        }
    }
    if (i != text.size() || !ziffern) {
        grund = Zitat(text) + " ist kein Betrag" +
                (format == Zahlformat::Deutsch ? " (Beispiel: 1.234,50)" : " (Beispiel: 1234.50)");
        return std::nullopt;
    }
    if (nachkomma > 2) {
        grund = Zitat(text) + " hat mehr als zwei Nachkommastellen";
        return std::nullopt;
    }
    cent *= nachkomma == 1 ? 10 : nachkomma == 0 ? 100 : 1;
    const std::int64_t hoechstens = HoechstesEntgelt.Roh() / 100;  // in cents
    if (stellen > 9 || euro * 100 + cent > static_cast<std::uint64_t>(hoechstens)) {
        grund = Zitat(text) + " ist größer als der höchste Betrag 99.999.999,99";
        return std::nullopt;
    }
    return Waehrung::AusRoh(static_cast<std::int64_t>(euro * 100 + cent) * 100);
}

const std::string& Teilmonatsname(int position) {
    static const auto texte = [] {
        std::array<std::string, AnzahlTeilmonate> t;
        for (int pos = 0; pos < AnzahlTeilmonate; ++pos) {
            t[static_cast<std::size_t>(pos)] = TeilmonatText(pos);
        }
        return t;
    }();
    return texte.at(static_cast<std::size_t>(position));
}

std::size_t Utf8Fehler(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        // Shortest forms only, no surrogates, nothing beyond U+10FFFF.
        int folge = 0;
        unsigned char min = 0x80;
        unsigned char max = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            folge = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            folge = 2;
            min = b == 0xE0 ? 0xA0 : 0x80;
            max = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            folge = 3;
            min = b == 0xF0 ? 0x90 : 0x80;
            max = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            return i;
        }
        if (i + static_cast<std::size_t>(folge) >= text.size()) {
            return i;
        }
        const auto zweites = static_cast<unsigned char>(text[i + 1]);
        if (zweites < min || zweites > max) {
            return i;
        }
        for (int k = 2; k <= folge; ++k) {
            const auto weiteres = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if (weiteres < 0x80 || weiteres > 0xBF) {
                return i;
            }
        }
        i += static_cast<std::size_t>(folge) + 1;
    }
    return std::string_view::npos;
}

std::string Zitat(std::string_view text) {
    constexpr std::size_t Hoechstens = 40;  // characters
    std::string aus = "„";
    std::size_t zeichen = 0;
    std::size_t i = 0;
    while (i < text.size() && zeichen < Hoechstens) {
        const std::size_t fehler = Utf8Fehler(text.substr(i, 4));
        const auto b = static_cast<unsigned char>(text[i]);
        std::size_t laenge = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        if (fehler == 0 || b < 0x20 || b == 0x7F) {
            aus += '?';  // a broken sequence or a control character
            laenge = 1;
        } else {
            aus.append(text.substr(i, laenge));
        }
        i += laenge;
        ++zeichen;
    }
    if (i < text.size()) {
        aus += "…";
    }
    return aus + "“";
}

}  // namespace lohnwippe::rechner
