// A small renderer of number format codes: the codes people give numbers
// and dates in a sheet (leading zeros, decimals, grouping, percent,
// currency, dates and times). The rest is left to the general format.
#include "rechner/Formatcode.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "calc/Formate.h"
#include "calc/Zeichen.h"

namespace lohnwippe::rechner {
namespace {

struct Datum {
    long Jahr;
    int Monat, Tag;
};

// The date `tage` days after 1970-01-01, in the proleptic Gregorian calendar.
Datum DatumAus(long tage) {
    tage += 719468;
    const long era = (tage >= 0 ? tage : tage - 146096) / 146097;
    const long tagInEra = tage - era * 146097;
    const long jahrInEra =
        (tagInEra - tagInEra / 1460 + tagInEra / 36524 - tagInEra / 146096) / 365;
    const long tagImJahr = tagInEra - (365 * jahrInEra + jahrInEra / 4 - jahrInEra / 100);
    const long mp = (5 * tagImJahr + 2) / 153;
    const int tag = static_cast<int>(tagImJahr - (153 * mp + 2) / 5 + 1);
    const int monat = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {jahrInEra + era * 400 + (monat <= 2 ? 1 : 0), monat, tag};
}

// A piece of a code: a literal text, a run of one date letter ('y', 'm',
// 'd', 'h', 's', lower case, 'n' for minutes), "AM/PM" ('a'), or a number
// placeholder character ('#').
struct Stueck {
    char Art;
    std::string Text;
};

char Klein(char c) {
    return AsciiKlein(c);
}

// One section of the code in pieces; nothing where it holds what is not
// rendered (fractions, exponents, elapsed times, conditions, text).
std::optional<std::vector<Stueck>> Zerlegen(std::string_view code, bool& zeit, int& prozent) {
    std::vector<Stueck> stuecke;
    const auto literal = [&](std::string_view text) {
        if (!stuecke.empty() && stuecke.back().Art == 'L') {
            stuecke.back().Text += text;
        } else {
            stuecke.push_back({'L', std::string(text)});
        }
    };
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        const char k = Klein(c);
        if (c == '"') {
            const std::size_t ende = code.find('"', i + 1);
            literal(code.substr(i + 1, ende == std::string_view::npos ? ende : ende - i - 1));
            i = ende == std::string_view::npos ? code.size() : ende;
        } else if (c == '\\' && i + 1 < code.size()) {
            std::size_t laenge = 1;
            while (i + 1 + laenge < code.size() && (code[i + 1 + laenge] & 0xC0) == 0x80) {
                ++laenge;
            }
            literal(code.substr(i + 1, laenge));
            i += laenge;
        } else if (c == '_' || c == '*') {
            if (c == '_') {
                literal(" ");
            }
            ++i;
        } else if (c == '[') {
            const std::size_t ende = code.find(']', i);
            if (ende == std::string_view::npos) {
                return std::nullopt;
            }
            const std::string_view inhalt = code.substr(i + 1, ende - i - 1);
            if (inhalt.starts_with('$')) {
                literal(inhalt.substr(1, inhalt.find('-') - 1));
            } else if (inhalt.empty() ||
                       std::string_view("<>=hHmMsS").find(inhalt[0]) != std::string_view::npos) {
                return std::nullopt;
            }
            i = ende;
        } else if (k == 'a' && (code.substr(i, 5) == "AM/PM" || code.substr(i, 5) == "am/pm")) {
            stuecke.push_back({'a', "AM/PM"});
            i += 4;
        } else if (k == 'y' || k == 'm' || k == 'd' || k == 'h' || k == 's') {
            zeit = true;
            std::size_t n = 1;
            while (i + n < code.size() && Klein(code[i + n]) == k) {
                ++n;
            }
            stuecke.push_back({k, std::string(n, k)});
            i += n - 1;
        } else if (c == '0' || c == '#' || c == '?' || c == '.' || c == ',') {
            stuecke.push_back({'#', std::string(1, c)});
        } else if (c == '%') {
            ++prozent;
            literal("%");
        } else if (c == '@' || k == 'e' || c == '/' || (k >= 'a' && k <= 'z')) {
            if (c == '/' && zeit) {
                literal(".");  // the date separator, German in the sheet
            } else {
                return std::nullopt;
            }
        } else {
            literal(code.substr(i, 1));
        }
    }
    return stuecke;
}

std::string Ziffern(long wert, std::size_t mindestens) {
    std::string text = std::to_string(wert);
    if (text.size() < mindestens) {
        text.insert(0, mindestens - text.size(), '0');
    }
    return text;
}

std::optional<std::string> ZeitText(double zahl, std::vector<Stueck>& stuecke) {
    if (!(zahl >= 0) || zahl >= 2958466) {
        return std::nullopt;
    }
    long tage = static_cast<long>(std::floor(zahl));
    long sekunden = std::lround((zahl - static_cast<double>(tage)) * 86400);
    if (sekunden >= 86400) {
        ++tage;
        sekunden -= 86400;
    }
    const Datum datum = DatumAus(tage - Epoche);
    bool zwoelf = false;
    for (std::size_t i = 0; i < stuecke.size(); ++i) {
        zwoelf = zwoelf || stuecke[i].Art == 'a';
        if (stuecke[i].Art == '#') {
            if (stuecke[i].Text != "." && stuecke[i].Text != ",") {
                return std::nullopt;  // fractions of a second
            }
            stuecke[i].Art = 'L';
        }
        if (stuecke[i].Art != 'm') {
            continue;
        }
        // "m" is the minute right after an hour or before a second.
        for (std::size_t j = i; j-- > 0;) {
            if (stuecke[j].Art != 'L') {
                stuecke[i].Art = stuecke[j].Art == 'h' ? 'n' : 'm';
                break;
            }
        }
        for (std::size_t j = i + 1; j < stuecke.size() && stuecke[i].Art == 'm'; ++j) {
            if (stuecke[j].Art != 'L') {
                stuecke[i].Art = stuecke[j].Art == 's' ? 'n' : 'm';
                break;
            }
        }
    }
    static const std::array<const char*, 7> Wochentage = {
        "Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
    const long stunde = sekunden / 3600;
    std::string text;
    for (const Stueck& s : stuecke) {
        const std::size_t n = s.Text.size();
        switch (s.Art) {
            case 'y':
                text += n <= 2 ? Ziffern(datum.Jahr % 100, 2) : Ziffern(datum.Jahr, 4);
                break;
            case 'm': {
                const std::string name = VollerMonatsname(datum.Monat);
                text += n <= 2   ? Ziffern(datum.Monat, n)
                        : n == 3 ? name.substr(0, name.starts_with("M\xC3\xA4") ? 4 : 3)
                        : n == 4 ? name
                                 : name.substr(0, 1);
                break;
            }
            case 'd': {
                const std::string name = Wochentage.at(static_cast<std::size_t>((tage + 6) % 7));
                text += n <= 2 ? Ziffern(datum.Tag, n) : n == 3 ? name.substr(0, 2) : name;
                break;
            }
            case 'h':
                text +=
                    Ziffern(zwoelf ? (stunde + 11) % 12 + 1 : stunde, std::min<std::size_t>(n, 2));
                break;
            case 'n':
                text += Ziffern(sekunden / 60 % 60, std::min<std::size_t>(n, 2));
                break;
            case 's':
                text += Ziffern(sekunden % 60, std::min<std::size_t>(n, 2));
                break;
            case 'a':
                text += stunde < 12 ? "AM" : "PM";
                break;
            default:
                text += s.Text;
        }
    }
    return text;
}

// `zahl` (not negative) with `stellen` decimals, "1234.50": first to the 15
// digits a spreadsheet keeps, then half up on those decimal digits, so that
// 2.675 shows as 2.68 as it does in the sheet.
std::string Gerundet(double zahl, int stellen) {
    const int exponent = zahl > 0 ? static_cast<int>(std::floor(std::log10(zahl))) : 0;
    std::array<char, 400> puffer{};
    const auto ende = std::to_chars(puffer.data(), puffer.data() + puffer.size(), zahl,
                                    std::chars_format::fixed, std::clamp(14 - exponent, 0, 340))
                          .ptr;
    std::string text(puffer.data(), ende);
    if (text.find('.') == std::string::npos) {
        text += '.';
    }
    text.append(static_cast<std::size_t>(stellen) + 1, '0');
    const std::size_t punkt = text.find('.');
    const bool auf = text[punkt + static_cast<std::size_t>(stellen) + 1] >= '5';
    text.resize(punkt + static_cast<std::size_t>(stellen) + 1);
    for (std::size_t i = text.size(); auf && i-- > 0;) {
        if (text[i] == '.') {
            continue;
        }
        if (text[i] != '9') {
            ++text[i];
            break;
        }
        text[i] = '0';
        if (i == 0) {
            text.insert(0, "1");
        }
    }
    if (stellen == 0) {
        text.pop_back();
    }
    return text;
}

std::optional<std::string> ZahlText(double zahl, const std::vector<Stueck>& stuecke, int prozent) {
    std::string muster;
    std::string vorn;
    std::string hinten;
    for (const Stueck& s : stuecke) {
        if (s.Art == '#') {
            if (!hinten.empty()) {
                return std::nullopt;  // text between the digits
            }
            muster += s.Text;
        } else if (s.Art != 'L') {
            return std::nullopt;
        } else {
            (muster.empty() ? vorn : hinten) += s.Text;
        }
    }
    if (muster.empty()) {
        return vorn + hinten;
    }
    const std::size_t punkt = muster.find('.');
    const std::string ganz = muster.substr(0, punkt);
    const std::string bruch = punkt == std::string::npos ? "" : muster.substr(punkt + 1);
    if (ganz.ends_with(',') || bruch.find_first_of(".,") != std::string::npos) {
        return std::nullopt;  // thousands scaled away
    }
    const std::size_t mindestens =
        static_cast<std::size_t>(std::count(ganz.begin(), ganz.end(), '0'));
    const int nachkomma = static_cast<int>(bruch.size());
    const std::size_t mindestensNach = bruch.find_first_not_of('0') == std::string::npos
                                           ? bruch.size()
                                           : bruch.find_first_not_of('0');
    for (int i = 0; i < prozent; ++i) {
        zahl *= 100;
    }
    const std::string text = Gerundet(std::fabs(zahl), nachkomma);
    std::string vorKomma = text.substr(0, text.find('.'));
    std::string nachKomma = nachkomma > 0 ? text.substr(text.find('.') + 1) : "";
    while (nachKomma.size() > mindestensNach && nachKomma.back() == '0') {
        nachKomma.pop_back();
    }
    if (vorKomma == "0" && mindestens == 0) {
        vorKomma.clear();
    }
    if (vorKomma.size() < mindestens) {
        vorKomma.insert(0, mindestens - vorKomma.size(), '0');
    }
    if (ganz.find(',') != std::string::npos) {
        for (std::size_t i = vorKomma.size(); i > 3; i -= 3) {
            vorKomma.insert(i - 3, ".");
        }
    }
    const bool negativ =
        zahl < 0 && (vorKomma + nachKomma).find_first_not_of("0.") != std::string::npos;
    return (negativ ? "-" : "") + vorn + vorKomma + (nachKomma.empty() ? "" : "," + nachKomma) +
           hinten;
}

}  // namespace

std::string EingebautesFormat(unsigned id) {
    switch (id) {
        case 1:
            return "0";
        case 2:
            return "0.00";
        case 3:
            return "#,##0";
        case 4:
            return "#,##0.00";
        case 9:
            return "0%";
        case 10:
            return "0.00%";
        case 14:
            return "DD.MM.YYYY";
        case 15:
            return "D. MMM YY";
        case 16:
            return "D. MMM";
        case 17:
            return "MMM YY";
        case 18:
            return "h:mm AM/PM";
        case 19:
            return "h:mm:ss AM/PM";
        case 20:
            return "hh:mm";
        case 21:
            return "hh:mm:ss";
        case 22:
            return "DD.MM.YYYY hh:mm";
        case 37:
            return "#,##0 ;-#,##0 ";
        case 38:
            return "#,##0 ;[Red]-#,##0 ";
        case 39:
            return "#,##0.00 ;-#,##0.00 ";
        case 40:
            return "#,##0.00 ;[Red]-#,##0.00 ";
        case 45:
            return "mm:ss";
        case 46:
            return "[h]:mm:ss";
        case 47:
            return "mm:ss.0";
        case 48:
            return "##0.0E+0";
        case 49:
            return "@";
        default:
            return {};
    }
}

bool IstZeitformat(std::string_view code) {
    bool zeit = false;
    int prozent = 0;
    const std::string_view erster = code.substr(0, code.find(';'));
    return Zerlegen(erster, zeit, prozent).has_value() && zeit;
}

bool IstProzentformat(std::string_view code) {
    // Scanned on its own rather than through Zerlegen, which gives up on
    // codes it cannot render: a rate must never be read a hundredfold off.
    for (std::size_t i = 0; i < code.size() && code[i] != ';'; ++i) {
        const char c = code[i];
        const char* ende = c == '"' ? "\"" : c == '[' ? "]" : nullptr;
        if (ende != nullptr) {
            i = code.find(ende, i + 1);
            if (i == std::string_view::npos) {
                return false;
            }
        } else if (c == '\\') {
            ++i;
        } else if (c == '%') {
            return true;
        }
    }
    return false;
}

std::optional<std::string> FormatAnwenden(double zahl, std::string_view code) {
    if (code.empty() || !std::isfinite(zahl)) {
        return std::nullopt;
    }
    std::vector<std::string_view> teile;
    bool zitat = false;
    std::size_t anfang = 0;
    for (std::size_t i = 0; i < code.size(); ++i) {
        zitat = code[i] == '"' ? !zitat : zitat;
        if (code[i] == ';' && !zitat) {
            teile.push_back(code.substr(anfang, i - anfang));
            anfang = i + 1;
        }
    }
    teile.push_back(code.substr(anfang));
    std::string_view teil = teile[0];
    if (zahl < 0 && teile.size() >= 2) {
        teil = teile[1];  // the negative section shows the amount without its sign
        zahl = -zahl;
    } else if (zahl == 0 && teile.size() >= 3) {
        teil = teile[2];
    }
    bool zeit = false;
    int prozent = 0;
    auto stuecke = Zerlegen(teil, zeit, prozent);
    if (!stuecke) {
        return std::nullopt;
    }
    return zeit ? ZeitText(zahl, *stuecke) : ZahlText(zahl, *stuecke, prozent);
}

}  // namespace lohnwippe::rechner
