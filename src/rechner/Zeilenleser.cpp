#include "rechner/Zeilenleser.h"

#include <array>
#include <cstdint>

#include "calc/Ergebnis.h"
#include "calc/Formate.h"
#include "calc/Perioden.h"
#include "calc/Teilmonat.h"
#include "calc/Utf8.h"
#include "calc/Zahllesen.h"
#include "calc/Zeichen.h"
#include "fall/Fallrechnung.h"
#include "store/Standardinhalt.h"
#include "store/Umlagesatz.h"

namespace lohnwippe::rechner {

namespace {

// Small letters, Ä as ä: month names are compared without case.
std::string Klein(std::string_view text) {
    std::string klein;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (text.substr(i).starts_with("Ä")) {
            klein += "ä";
            ++i;
        } else {
            klein += AsciiKlein(c);
        }
    }
    return klein;
}

// The month of a name as people write it: the full name, the usual
// abbreviations with and without umlaut, with or without a full stop.
std::optional<int> Monatsname(std::string_view wert) {
    struct Name {
        std::string_view Text;
        int Monat;
    };
    static constexpr std::array<Name, 30> namen{{
        {"januar", 1}, {"jan", 1},       {"jänner", 1}, {"jän", 1},       {"februar", 2},
        {"feb", 2},    {"febr", 2},      {"märz", 3},   {"maerz", 3},     {"mär", 3},
        {"mrz", 3},    {"mar", 3},       {"april", 4},  {"apr", 4},       {"mai", 5},
        {"juni", 6},   {"jun", 6},       {"juli", 7},   {"jul", 7},       {"august", 8},
        {"aug", 8},    {"september", 9}, {"sep", 9},    {"sept", 9},      {"oktober", 10},
        {"okt", 10},   {"november", 11}, {"nov", 11},   {"dezember", 12}, {"dez", 12},
    }};
    std::string klein = Klein(wert);
    if (klein.ends_with('.') && klein.size() > 1) {
        klein.pop_back();
    }
    for (const Name& name : namen) {
        if (klein == name.Text) {
            return name.Monat;
        }
    }
    return std::nullopt;
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
    explicit Leser(const Spaltenformate& formate) : formate_(formate) {}

    std::optional<std::string> Lesen(std::size_t nr, std::string_view wert, Fallzeile& zeile,
                                     int& jahr, int& monat) const {
        const Eingabespalte& spalte = Eingabespalten()[nr];
        switch (spalte.Art) {
            case Feldart::Jahr:
                return JahrLesen(wert, jahr, zeile);
            case Feldart::Monat:
                return MonatLesen(wert, monat);
            case Feldart::Satz:
            case Feldart::Kinder:
                return Ab2013Lesen(spalte, wert, zeile, nr);
            case Feldart::Kasse:
                if (zeile.Ab2013) {
                    zeile.Ab2013->Kasse = wert;
                    return std::nullopt;
                }
                return PositionLesen(
                    wert, zeile.Fall.Kasse, "Kasse", "der Kassenliste",
                    [](int pos) { return Kassennamen[static_cast<std::size_t>(pos)]; });
            case Feldart::Teilmonat:
                return PositionLesen(wert, zeile.Fall.Teilmonat, "Teilmonat", "der Teilmonatsliste",
                                     Teilmonatsname);
            case Feldart::Entgelt:
                return BetragLesen(
                    wert, zeile.Fall.Jobs[static_cast<std::size_t>(spalte.Job)].Entgelt, nr);
            case Feldart::Zweig:
            case Feldart::Umlage:
            case Feldart::Allgemein:
                break;
        }
        return SchalterLesen(wert, SchalterDerSpalte(zeile.Fall, spalte));
    }

  private:
    static std::optional<std::string> JahrLesen(std::string_view wert, int& jahr,
                                                Fallzeile& zeile) {
        // A later year than the table knows is the calculation's to refuse,
        // with the reason that its figures are not yet known.
        constexpr long Spaetestens = 9999;
        const auto zahl = GanzzahlLesen(wert);
        if (!zahl) {
            return Zitat(wert) + " ist keine Jahreszahl";
        }
        if (*zahl < ErstesJahr || *zahl > Spaetestens) {
            return "Jahr " + std::to_string(*zahl) + " liegt nicht " +
                   Bereich(ErstesJahr, LetztesBekanntesJahr());
        }
        jahr = static_cast<int>(*zahl);
        if (jahr > LetztesJahr) {
            zeile.Ab2013.emplace();
        }
        return std::nullopt;
    }

    // The rates and children of a row from 2013; a row of 2009-2012 takes
    // its fund's rates from U12.dat and knows only the childless switch.
    std::optional<std::string> Ab2013Lesen(const Eingabespalte& spalte, std::string_view wert,
                                           Fallzeile& zeile, std::size_t nr) const {
        if (wert.empty()) {
            return std::nullopt;
        }
        if (!zeile.Ab2013) {
            return spalte.Art == Feldart::Kinder
                       ? "gilt erst ab 2013; bis 2012 zählt nur der Schalter Kinderlos"
                       : "gilt erst ab 2013; bis 2012 kommen die Sätze der Kasse aus U12.dat";
        }
        AngabenAb2013& ab = *zeile.Ab2013;
        if (spalte.Art == Feldart::Kinder) {
            constexpr long HoechstensKinder = 99;
            const auto zahl = GanzzahlLesen(wert);
            if (!zahl || *zahl < 0 || *zahl > HoechstensKinder) {
                return Zitat(wert) + " ist keine Zahl von Kindern (0 bis 99)";
            }
            ab.Kinder = static_cast<int>(*zahl);
            return std::nullopt;
        }
        std::optional<Satz>& ziel = spalte.Stelle == ZusatzbeitragSpalte ? ab.Zusatzbeitrag
                                    : spalte.Stelle == U1SatzSpalte      ? ab.U1Satz
                                                                         : ab.U2Satz;
        const Zahlformat format = formate_.Format[nr];
        // "2,9 %" as typed, or as a percentage cell of a sheet shows it.
        std::string_view zahl = wert;
        if (zahl.ends_with('%')) {
            zahl.remove_suffix(1);
            while (zahl.ends_with(' ')) {
                zahl.remove_suffix(1);
            }
        }
        const Zahllesung satz = ZahlLesen(zahl, Satzweise(format));
        if (!satz.Fehler) {
            // At most three decimals: the rate exactly.
            ziel = Satz::AusProzent(satz.Wert);
            return std::nullopt;
        }
        switch (*satz.Fehler) {
            case Lesefehler::Negativ:
                return Zitat(wert) + ": Sätze sind nie negativ";
            case Lesefehler::ZuVieleStellen:
                return Zitat(wert) + " hat mehr als drei Nachkommastellen";
            case Lesefehler::ZuGross:
                return Zitat(wert) + " ist größer als 100 Prozent";
            case Lesefehler::Tausender:
            case Lesefehler::KeineZahl:
                break;
        }
        return Zitat(wert) + " ist kein Satz in Prozent (Beispiel: " +
               (format == Zahlformat::Deutsch ? "1,3)" : "1.3)");
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
        if (const auto m = Monatsname(wert)) {
            monat = *m;
            return std::nullopt;
        }
        return Zitat(wert) + " ist kein Monat (1 bis 12, Januar bis Dezember oder JAN bis DEZ)";
    }

    template <typename Platz, typename Text>
    static std::optional<std::string> PositionLesen(std::string_view wert, Platz& ziel,
                                                    const char* was, const char* liste, Text text) {
        constexpr int anzahl = Platz::Groesse;
        if (wert.empty()) {
            return std::nullopt;  // as in a new case
        }
        if (const auto pos = Listenwahl(wert, anzahl, text)) {
            ziel = *Platz::Aus(*pos);
            return std::nullopt;
        }
        if (GanzzahlLesen(wert)) {
            return std::string(was) + " " + std::string(wert) + " liegt nicht " +
                   Bereich(1, anzahl);
        }
        return std::string(was) + " " + Zitat(wert) + " steht nicht in " + liste;
    }

    std::optional<std::string> BetragLesen(std::string_view wert, Waehrung& ziel,
                                           std::size_t nr) const {
        if (wert.empty()) {
            ziel = Waehrung();
            return std::nullopt;
        }
        const Zahlformat format = formate_.Format[nr];
        if (formate_.Offen[nr] && NotationDes(wert) == Notation::Mehrdeutig) {
            const auto deutsch = Lesart(wert, Zahlformat::Deutsch);
            const auto englisch = Lesart(wert, Zahlformat::Englisch);
            if (deutsch && englisch) {
                return Zitat(wert) + " kann " + *deutsch + " oder " + *englisch +
                       " sein: keine andere Zelle der Spalte zeigt die Schreibweise (deutsch "
                       "1.234,50 oder englisch 1,234.50)";
            }
        }
        const Zahllesung betrag = ZahlLesen(wert, Entgeltschreibweise(format));
        if (!betrag.Fehler) {
            ziel = betrag.Wert;
            return std::nullopt;
        }
        switch (*betrag.Fehler) {
            case Lesefehler::Negativ:
                return Zitat(wert) + ": Entgelte sind nie negativ";
            case Lesefehler::Tausender:
                return Zitat(wert) + (format == Zahlformat::Deutsch
                                          ? ": ein Punkt trennt nur Tausender (drei Ziffern); "
                                            "das Dezimalzeichen ist das Komma"
                                          : ": ein Komma trennt nur Tausender (drei Ziffern); "
                                            "das Dezimalzeichen ist der Punkt");
            case Lesefehler::KeineZahl:
                break;
            case Lesefehler::ZuVieleStellen:
                return Zitat(wert) + " hat mehr als zwei Nachkommastellen";
            case Lesefehler::ZuGross:
                return Zitat(wert) + " ist größer als der höchste Betrag " +
                       FormatBetrag(HoechstesEntgelt);
        }
        return Zitat(wert) + " ist kein Betrag" +
               (format == Zahlformat::Deutsch ? " (Beispiel: 1.234,50)" : " (Beispiel: 1234.50)");
    }

    // The amount `wert` stands for in `format`, its decimals rounded as a
    // sheet shows them, for the message about an ambiguous text.
    static std::optional<std::string> Lesart(std::string_view wert, Zahlformat format) {
        Zahlschreibweise schreibweise = Entgeltschreibweise(format);
        schreibweise.Runden = true;
        schreibweise.Stellen = 4;
        const Zahllesung lesung = ZahlLesen(wert, schreibweise);
        if (lesung.Fehler) {
            return std::nullopt;
        }
        return FormatBetrag(lesung.Wert.GerundetHalbWeg(2)) + " €";
    }

    static std::optional<std::string> SchalterLesen(std::string_view wert, Schalter& ziel) {
        if (wert.empty()) {
            return std::nullopt;  // the new case's value is already there
        }
        if (wert.size() == 1 && wert[0] >= '0' && wert[0] <= '2') {
            ziel = SchalterAusGespeichert(wert[0] - '0');
            return std::nullopt;
        }
        // A spreadsheet's truth values as its CSV export writes them.
        const std::string klein = Klein(wert);
        if (klein == "wahr" || klein == "true" || klein == "falsch" || klein == "false") {
            ziel = SchalterAusGespeichert(klein == "wahr" || klein == "true" ? 1 : 0);
            return std::nullopt;
        }
        return Zitat(wert) + " ist kein Schalterwert (0, 1, 2, WAHR oder FALSCH)";
    }

    // A rate: the format's decimal sign or the other one, no thousands,
    // three decimals at most, up to 100 %.
    static Zahlschreibweise Satzweise(Zahlformat format) {
        constexpr std::int64_t Hundert = std::int64_t{100} * 10000;
        const bool deutsch = format == Zahlformat::Deutsch;
        Zahlschreibweise s;
        s.Dezimalzeichen = deutsch ? ',' : '.';
        s.ZweitesDezimalzeichen = deutsch ? '.' : ',';
        s.MitMinus = false;
        s.Stellen = 3;
        s.Runden = false;
        s.Hoechstens = Hundert;
        return s;
    }

    const Spaltenformate& formate_;
};

}  // namespace

Notation NotationDes(std::string_view text) {
    const std::size_t letzter = text.find_last_of(".,");
    if (letzter == std::string_view::npos) {
        return Notation::Keine;
    }
    const char zeichen = text[letzter];
    const auto deutsch = [](bool ja) { return ja ? Notation::Deutsch : Notation::Englisch; };
    const std::size_t erster = text.find_first_of(".,");
    if (erster != letzter) {
        // Two separators: the last is the decimal sign, unless both are
        // alike ("1.234.567"), which makes them thousands separators.
        return deutsch((text[erster] == zeichen) == (zeichen == '.'));
    }
    std::size_t nach = 0;
    while (letzter + 1 + nach < text.size() && IstZiffer(text[letzter + 1 + nach])) {
        ++nach;
    }
    std::size_t vor = 0;
    while (vor < letzter && IstZiffer(text[letzter - 1 - vor])) {
        ++vor;
    }
    const bool gruppe = nach == 3 && vor >= 1 && vor <= 3 && text[letzter - vor] != '0';
    return gruppe ? Notation::Mehrdeutig : deutsch(zeichen == ',');
}

std::variant<Fallzeile, Zeilenfehler> ZeileLesen(const Eingabefelder& felder, Zahlformat format) {
    return ZeileLesen(felder, Spaltenformate(format));
}

std::variant<Fallzeile, Zeilenfehler> ZeileLesen(const Eingabefelder& felder,
                                                 const Spaltenformate& formate) {
    static const Fallangaben neu = AngabenAusSatz(StandardFallsatz(1));
    Fallzeile zeile{neu, {}, std::nullopt};
    int jahr = 0;
    int monat = 0;
    const Leser leser(formate);
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
        if (auto grund = leser.Lesen(i, wert, zeile, jahr, monat)) {
            return Zeilenfehler{spalte.Name, std::move(*grund)};
        }
    }
    zeile.Monat = Berichtsmonat{jahr, monat};
    return zeile;
}

namespace {

// Both ways round, written once.
template <typename Angaben>
auto& SchalterIn(Angaben& fall, const Eingabespalte& spalte) {
    auto& job = fall.Jobs[static_cast<std::size_t>(spalte.Job)];
    const auto stelle = static_cast<std::size_t>(spalte.Stelle);
    if (spalte.Art == Feldart::Zweig) {
        return job.Zweige[stelle];
    }
    if (spalte.Art == Feldart::Umlage) {
        return stelle == KGStelle ? job.KG : job.Umlagen[stelle];
    }
    return stelle == 0 ? fall.RVVerzicht : stelle == 1 ? fall.Sachsen : fall.Kinderlos;
}

}  // namespace

Schalter& SchalterDerSpalte(Fallangaben& fall, const Eingabespalte& spalte) {
    return SchalterIn(fall, spalte);
}

Schalter SchalterDerSpalte(const Fallangaben& fall, const Eingabespalte& spalte) {
    return SchalterIn(fall, spalte);
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

std::string Zitat(std::string_view text) {
    constexpr std::size_t Hoechstens = 40;  // characters
    std::string aus = "„";
    std::size_t zeichen = 0;
    std::size_t i = 0;
    while (i < text.size() && zeichen < Hoechstens) {
        std::size_t ende = i;
        char32_t z = 0;
        if (!Utf8Lesen(text, ende, z) || z < 0x20 || z == 0x7F) {
            aus += '?';  // a broken sequence or a control character
            ende = i + 1;
        } else {
            aus.append(text.substr(i, ende - i));
        }
        i = ende;
        ++zeichen;
    }
    if (i < text.size()) {
        aus += "…";
    }
    return aus + "“";
}

}  // namespace lohnwippe::rechner
