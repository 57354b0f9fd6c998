// The dates and durations of .ods cells as the serial numbers of a
// spreadsheet.
#include <charconv>

#include "rechner/Formatcode.h"

namespace lohnwippe::rechner {
namespace {

// Days from 1970-01-01 to a date, in the proleptic Gregorian calendar.
long TageAus(long jahr, int monat, int tag) {
    jahr -= monat <= 2 ? 1 : 0;
    const long era = (jahr >= 0 ? jahr : jahr - 399) / 400;
    const long jahrInEra = jahr - era * 400;
    const long tagImJahr = (153 * (monat + (monat > 2 ? -3 : 9)) + 2) / 5 + tag - 1;
    const long tagInEra = jahrInEra * 365 + jahrInEra / 4 - jahrInEra / 100 + tagImJahr;
    return era * 146097 + tagInEra - 719468;
}

std::optional<unsigned> Zahlteil(std::string_view& text, std::size_t hoechstens) {
    unsigned wert = 0;
    const std::size_t laenge = std::min(text.size(), hoechstens);
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + laenge, wert);
    if (fehler != std::errc() || ende == text.data()) {
        return std::nullopt;
    }
    text.remove_prefix(static_cast<std::size_t>(ende - text.data()));
    return wert;
}

}  // namespace

std::optional<double> OdsDatum(std::string_view text) {
    const bool negativ = text.starts_with('-');
    text.remove_prefix(negativ ? 1 : 0);
    const auto jahr = Zahlteil(text, 4);
    if (!jahr || !text.starts_with('-')) {
        return std::nullopt;
    }
    text.remove_prefix(1);
    const auto monat = Zahlteil(text, 2);
    if (!monat || !text.starts_with('-') || *monat < 1 || *monat > 12) {
        return std::nullopt;
    }
    text.remove_prefix(1);
    const auto tag = Zahlteil(text, 2);
    if (!tag || *tag < 1 || *tag > 31) {
        return std::nullopt;
    }
    auto serie = static_cast<double>(TageAus(negativ ? -static_cast<long>(*jahr) : *jahr,
                                             static_cast<int>(*monat), static_cast<int>(*tag)) +
                                     Epoche);
    if (text.starts_with('T')) {
        text.remove_prefix(1);
        const auto h = Zahlteil(text, 2);
        const bool mitMinute = h && text.starts_with(':');
        text.remove_prefix(mitMinute ? 1 : 0);
        const auto m = mitMinute ? Zahlteil(text, 2) : std::nullopt;
        double s = 0;
        if (m && text.starts_with(':')) {
            const auto [ende, fehler] =
                std::from_chars(text.data() + 1, text.data() + text.size(), s);
            if (fehler != std::errc()) {
                return std::nullopt;
            }
            text.remove_prefix(static_cast<std::size_t>(ende - text.data()));
        }
        if (!m) {
            return std::nullopt;
        }
        serie += (*h * 3600.0 + *m * 60.0 + s) / 86400;
    }
    return text.empty() || text == "Z" ? std::optional<double>(serie) : std::nullopt;
}

std::optional<double> OdsDauer(std::string_view text) {
    const bool negativ = text.starts_with('-');
    text.remove_prefix(negativ ? 1 : 0);
    if (!text.starts_with('P')) {
        return std::nullopt;
    }
    text.remove_prefix(1);
    double tage = 0;
    bool zeitteil = false;
    while (!text.empty()) {
        if (text.front() == 'T') {
            zeitteil = true;
            text.remove_prefix(1);
            continue;
        }
        double wert = 0;
        const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), wert);
        if (fehler != std::errc() || ende == text.data() + text.size()) {
            return std::nullopt;
        }
        const char einheit = *ende;
        text.remove_prefix(static_cast<std::size_t>(ende - text.data()) + 1);
        if (einheit == 'D' && !zeitteil) {
            tage += wert;
        } else if (einheit == 'H' && zeitteil) {
            tage += wert / 24;
        } else if (einheit == 'M' && zeitteil) {
            tage += wert / 1440;
        } else if (einheit == 'S' && zeitteil) {
            tage += wert / 86400;
        } else {
            return std::nullopt;
        }
    }
    return negativ ? -tage : tage;
}

}  // namespace lohnwippe::rechner
