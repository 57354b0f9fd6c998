#include "calc/Zahllesen.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "calc/Ergebnis.h"
#include "calc/Zeichen.h"

namespace lohnwippe {

namespace {

// Spreadsheets put a blank, a no-break space or a narrow one between the
// amount and its sign.
std::string_view OhneAbstand(std::string_view text, bool vorn) {
    for (bool weiter = true; weiter && !text.empty();) {
        weiter = false;
        for (std::string_view abstand : {" ", "\u00A0", "\u202F"}) {
            if (vorn ? text.starts_with(abstand) : text.ends_with(abstand)) {
                vorn ? text.remove_prefix(abstand.size()) : text.remove_suffix(abstand.size());
                weiter = true;
            }
        }
    }
    return text;
}

std::string_view OhneWaehrungszeichen(std::string_view text) {
    for (std::string_view zeichen : {"€", "EUR"}) {
        if (text.starts_with(zeichen)) {
            return OhneAbstand(text.substr(zeichen.size()), true);
        }
        if (text.ends_with(zeichen)) {
            return OhneAbstand(text.substr(0, text.size() - zeichen.size()), false);
        }
    }
    return text;
}

constexpr std::array<std::uint64_t, 5> ZehnHoch{1, 10, 100, 1000, 10000};

// Largest whole part a count can hold: 2^63 / 10000, cut. One more is too
// large with any decimals; holding the whole part there keeps the sums
// below from wrapping, and the range check at the end turns it down after
// the text's other faults, which are told first.
constexpr std::uint64_t GroessterGanzteil =
    static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) / Waehrung::Skala;

// Whether the full stop at `i` separates thousands, `gruppe` digits after
// the last one passed (`getrennt`) or from the start.
bool Tausenderpunkt(Tausenderpunkte punkte, std::string_view text, std::size_t i, int gruppe,
                    bool getrennt) {
    switch (punkte) {
        case Tausenderpunkte::Keine:
            return false;
        case Tausenderpunkte::ZwischenZiffern:
            return gruppe >= 1 && i + 1 < text.size() && IstZiffer(text[i + 1]);
        case Tausenderpunkte::Dreiergruppen:
            return gruppe >= 1 && (getrennt ? gruppe == 3 : gruppe <= 3);
    }
    return false;
}

}  // namespace

Zahllesung ZahlLesen(std::string_view text, const Zahlschreibweise& schreibweise) {
    const auto scheitern = [](Lesefehler fehler) { return Zahllesung{Waehrung(), fehler}; };
    text = Getrimmt(text);
    if (schreibweise.Waehrungszeichen) {
        text = OhneWaehrungszeichen(text);
    }
    const bool negativ = !text.empty() && text.front() == '-';
    if (negativ) {
        if (!schreibweise.MitMinus) {
            return scheitern(Lesefehler::Negativ);
        }
        text.remove_prefix(1);
    }

    std::size_t i = 0;
    bool ziffern = false;
    std::uint64_t ganzteil = 0;
    int gruppe = 0;  // digits since the last thousands separator
    bool getrennt = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IstZiffer(c)) {
            ziffern = true;
            ++gruppe;
            ganzteil = std::min(ganzteil * 10 + static_cast<std::uint64_t>(c - '0'),
                                GroessterGanzteil + 1);
        } else if (c == schreibweise.Tausenderzeichen &&
                   Tausenderpunkt(schreibweise.Punkte, text, i, gruppe, getrennt)) {
            getrennt = true;
            gruppe = 0;
        } else {
            break;
        }
    }
    if (getrennt && schreibweise.Punkte == Tausenderpunkte::Dreiergruppen && gruppe != 3) {
        return scheitern(Lesefehler::Tausender);
    }

    const int stellen = schreibweise.Stellen;
    std::uint64_t nachkomma = 0;  // the first `stellen` decimals
    int gelesen = 0;
    bool aufrunden = false;
    if (i < text.size() && (text[i] == schreibweise.Dezimalzeichen ||
                            (schreibweise.ZweitesDezimalzeichen != '\0' &&
                             text[i] == schreibweise.ZweitesDezimalzeichen))) {
        for (++i; i < text.size() && IstZiffer(text[i]); ++i) {
            const int ziffer = text[i] - '0';
            if (gelesen < stellen) {
                nachkomma = nachkomma * 10 + static_cast<std::uint64_t>(ziffer);
            } else if (gelesen == stellen) {
                aufrunden = ziffer >= 5;
            }
            ++gelesen;
            ziffern = true;
        }
    }
    if (i != text.size() || !ziffern) {
        return scheitern(Lesefehler::KeineZahl);
    }
    if (gelesen > stellen && !schreibweise.Runden) {
        return scheitern(Lesefehler::ZuVieleStellen);
    }
    for (; gelesen < stellen; ++gelesen) {
        nachkomma *= 10;
    }

    // ganzteil is at most 2^63 / 10000 + 1, so none of these wrap.
    const std::uint64_t einheiten =
        ganzteil * ZehnHoch[static_cast<std::size_t>(stellen)] + nachkomma + (aufrunden ? 1 : 0);
    const std::uint64_t betrag = einheiten * ZehnHoch[static_cast<std::size_t>(4 - stellen)];
    const std::uint64_t grenze =
        static_cast<std::uint64_t>(schreibweise.Hoechstens) + (negativ ? 1 : 0);
    if (betrag > grenze) {
        return scheitern(Lesefehler::ZuGross);
    }
    // Modular conversion: 2^63 negated becomes the most negative count.
    const std::uint64_t roh = negativ ? std::uint64_t{0} - betrag : betrag;
    return {Waehrung::AusRoh(static_cast<std::int64_t>(roh)), std::nullopt};
}

std::optional<Waehrung> ZahlLesen(std::string_view text, int stellen) {
    if (stellen < 0 || stellen > 4) {
        throw std::invalid_argument("ZahlLesen: 0 bis 4 Stellen");
    }
    const Zahllesung lesung =
        ZahlLesen(text, {.Punkte = Tausenderpunkte::ZwischenZiffern, .Stellen = stellen});
    return lesung.Fehler ? std::nullopt : std::optional(lesung.Wert);
}

std::optional<Waehrung> RateLesen(std::string_view text) {
    const Zahllesung lesung = ZahlLesen(text, {.ZweitesDezimalzeichen = '.'});
    return lesung.Fehler ? std::nullopt : std::optional(lesung.Wert);
}

Zahlschreibweise Entgeltschreibweise(Zahlformat format) {
    const bool deutsch = format == Zahlformat::Deutsch;
    return {.Dezimalzeichen = deutsch ? ',' : '.',
            .Punkte = format == Zahlformat::Punkt ? Tausenderpunkte::Keine
                                                  : Tausenderpunkte::Dreiergruppen,
            .MitMinus = false,
            .Stellen = 2,
            .Runden = false,
            .Hoechstens = HoechstesEntgelt.Roh(),
            .Waehrungszeichen = true,
            .Tausenderzeichen = deutsch ? '.' : ','};
}

}  // namespace lohnwippe
