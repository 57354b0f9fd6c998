#include "calc/Formate.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace lohnwippe {

namespace {

constexpr std::array<std::uint64_t, 5> ZehnHoch{1, 10, 100, 1000, 10000};

constexpr std::array<const char*, 12> Monatsnamen{"Januar",    "Februar", "März",     "April",
                                                  "Mai",       "Juni",    "Juli",     "August",
                                                  "September", "Oktober", "November", "Dezember"};

// Largest whole part a count can hold: 2^63 / 10000, cut.
constexpr std::uint64_t GroessterGanzteil =
    static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) / Waehrung::Skala;

void StellenPruefen(int stellen, const char* wer) {
    if (stellen < 0 || stellen > 4) {
        throw std::invalid_argument(std::string(wer) + ": 0 bis 4 Stellen");
    }
}

// Magnitude of a count. The most negative count has no positive counterpart
// in 64 signed bits, but it fits unsigned; unsigned negation is modular and
// so defined for every value.
std::uint64_t Betrag(std::int64_t roh) {
    const auto ohneVorzeichen = static_cast<std::uint64_t>(roh);
    return roh < 0 ? std::uint64_t{0} - ohneVorzeichen : ohneVorzeichen;
}

// Magnitude in units of 10^-stellen, halves away from zero. Works on the
// magnitude so that the largest counts cannot overflow on the way: 2^63 plus
// one unit still fits unsigned.
std::uint64_t GerundeterBetrag(std::uint64_t betrag, int stellen) {
    const std::uint64_t teiler = ZehnHoch[static_cast<std::size_t>(4 - stellen)];
    const std::uint64_t rest = betrag % teiler;
    return betrag / teiler + (2 * rest >= teiler ? 1 : 0);
}

// Decimal digits of `wert`, at least `mindestens` of them (leading zeros),
// with a full stop after every third digit from the right when `tausender`.
std::string Ziffern(std::uint64_t wert, int mindestens, bool tausender) {
    // Filled from the right in a buffer large enough for 20 digits, their
    // separators and the leading zeros of up to four decimals.
    char puffer[32];
    char* ende = puffer + sizeof puffer;
    char* anfang = ende;
    int anzahl = 0;
    do {
        if (tausender && anzahl > 0 && anzahl % 3 == 0) {
            *--anfang = '.';
        }
        *--anfang = static_cast<char>('0' + wert % 10);
        wert /= 10;
        ++anzahl;
    } while (wert != 0 || anzahl < mindestens);
    return std::string(anfang, ende);
}

std::string Festkomma(Waehrung wert, int stellen, bool tausender) {
    const std::uint64_t gerundet = GerundeterBetrag(Betrag(wert.Roh()), stellen);
    const std::uint64_t einheit = ZehnHoch[static_cast<std::size_t>(stellen)];
    // A minus in front of 0,00 would tell the reader of something that is not
    // in the shown digits.
    std::string text = wert.Roh() < 0 && gerundet != 0 ? "-" : "";
    text += Ziffern(gerundet / einheit, 1, tausender);
    if (stellen > 0) {
        text += ',';
        text += Ziffern(gerundet % einheit, stellen, false);
    }
    return text;
}

bool IstZiffer(char c) {
    return c >= '0' && c <= '9';
}

bool IstLeerzeichen(char c) {
    return c == ' ' || c == '\t';
}

enum class Lesart {
    Betrag,  // full stop groups thousands, comma is the decimal sign
    Rate,    // full stop or comma is the decimal sign
};

// The shared reader of ZahlLesen and RateLesen. It rounds from the typed
// digits themselves: a detour through double would turn 12,555 into
// 12,55499... and round it the wrong way.
std::optional<Waehrung> Lesen(std::string_view text, int stellen, Lesart lesart) {
    while (!text.empty() && IstLeerzeichen(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IstLeerzeichen(text.back())) {
        text.remove_suffix(1);
    }
    const bool negativ = !text.empty() && text.front() == '-';
    if (negativ) {
        text.remove_prefix(1);
    }

    std::size_t i = 0;
    bool ziffernGesehen = false;
    std::uint64_t ganzteil = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (IstZiffer(c)) {
            ganzteil = ganzteil * 10 + static_cast<std::uint64_t>(c - '0');
            // Stopping here keeps the sum above from wrapping on long inputs.
            if (ganzteil > GroessterGanzteil + 1) {
                return std::nullopt;
            }
            ziffernGesehen = true;
            ++i;
        } else if (c == '.' && lesart == Lesart::Betrag && ziffernGesehen && i + 1 < text.size() &&
                   IstZiffer(text[i + 1])) {
            ++i;  // a thousands separator stands between two digits
        } else {
            break;
        }
    }

    std::uint64_t nachkomma = 0;  // the first `stellen` decimals
    int gelesen = 0;
    bool aufrunden = false;
    const bool dezimalzeichen =
        i < text.size() && (text[i] == ',' || (text[i] == '.' && lesart == Lesart::Rate));
    if (dezimalzeichen) {
        ++i;
        for (; i < text.size() && IstZiffer(text[i]); ++i) {
            const int ziffer = text[i] - '0';
            if (gelesen < stellen) {
                nachkomma = nachkomma * 10 + static_cast<std::uint64_t>(ziffer);
            } else if (gelesen == stellen) {
                // Halves away from zero: the first dropped digit alone
                // decides, whatever follows it.
                aufrunden = ziffer >= 5;
            }
            ++gelesen;
            ziffernGesehen = true;
        }
    }
    if (i != text.size() || !ziffernGesehen) {
        return std::nullopt;
    }
    for (; gelesen < stellen; ++gelesen) {
        nachkomma *= 10;
    }

    // ganzteil is at most 2^63 / 10000 + 1 here, so none of these wrap.
    const std::uint64_t einheiten =
        ganzteil * ZehnHoch[static_cast<std::size_t>(stellen)] + nachkomma + (aufrunden ? 1 : 0);
    const std::uint64_t betrag = einheiten * ZehnHoch[static_cast<std::size_t>(4 - stellen)];
    const std::uint64_t grenze =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negativ ? 1 : 0);
    if (betrag > grenze) {
        return std::nullopt;
    }
    // Modular conversion: 2^63 negated becomes the most negative count.
    const std::uint64_t roh = negativ ? std::uint64_t{0} - betrag : betrag;
    return Waehrung::AusRoh(static_cast<std::int64_t>(roh));
}

bool Schaltjahr(int jahr) {
    return (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0;
}

int TageImMonat(int jahr, int monat) {
    constexpr std::array<int, 12> tage{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return monat == 2 && Schaltjahr(jahr) ? 29 : tage[static_cast<std::size_t>(monat - 1)];
}

}  // namespace

std::string FormatBetrag(Waehrung wert) {
    return Festkomma(wert, 2, true);
}

std::string FormatEuro(Waehrung wert) {
    return FormatBetrag(wert) + " Euro";
}

std::string FormatDezimal(Waehrung wert, int stellen) {
    StellenPruefen(stellen, "FormatDezimal");
    return Festkomma(wert, stellen, false);
}

std::string FormatZahl(Waehrung wert) {
    std::uint64_t nachkomma = Betrag(wert.Roh()) % Waehrung::Skala;
    int stellen = 4;
    while (stellen > 0 && nachkomma % 10 == 0) {
        nachkomma /= 10;
        --stellen;
    }
    std::string text = wert.Roh() < 0 ? "-" : "";
    text += Ziffern(Betrag(wert.Roh()) / Waehrung::Skala, 1, false);
    if (stellen > 0) {
        text += ',';
        text += Ziffern(nachkomma, stellen, false);
    }
    return text;
}

std::string FormatBetragFeld(Waehrung wert) {
    constexpr std::size_t Feldbreite = 7;
    std::string text = FormatBetrag(wert);
    if (text.size() < Feldbreite) {
        text.insert(0, Feldbreite - text.size(), ' ');
    }
    return text;
}

std::string FormatDatum(int jahr, int monat, int tag) {
    if (jahr < 1 || jahr > 9999 || monat < 1 || monat > 12 || tag < 1 ||
        tag > TageImMonat(jahr, monat)) {
        throw std::invalid_argument("FormatDatum: kein gültiges Datum");
    }
    return Ziffern(static_cast<std::uint64_t>(tag), 2, false) + ". " +
           Monatsnamen[static_cast<std::size_t>(monat - 1)] + " " +
           Ziffern(static_cast<std::uint64_t>(jahr), 4, false);
}

std::optional<Waehrung> ZahlLesen(std::string_view text, int stellen) {
    StellenPruefen(stellen, "ZahlLesen");
    return Lesen(text, stellen, Lesart::Betrag);
}

std::optional<Waehrung> RateLesen(std::string_view text) {
    return Lesen(text, 4, Lesart::Rate);
}

std::string VollerMonatsname(int monat) {
    return monat >= 1 && monat <= 12 ? Monatsnamen[static_cast<std::size_t>(monat - 1)] : "";
}

}  // namespace lohnwippe
