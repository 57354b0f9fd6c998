// The U1 and U2 boxes of the master-data window: any text, read as saving
// reads it and as Enter in a U1 box takes it over. Accepted values fit the
// 16 bits of the levy-rate file, the two decimal signs and trailing zeros
// make no difference, and what the boxes show reads back as itself. Enter
// reads only the number at the start of the box.
#include <string>
#include <string_view>

#include "Fuzzhilfen.h"
#include "calc/Formate.h"
#include "calc/Umlagebox.h"
#include "calc/Zahllesen.h"

using namespace lohnwippe;
using lohnwippe::fuzz::Pruefen;

namespace {

// The text a box shows for a rate ("0,370").
std::string Satztext(std::int64_t tausendstel) {
    return FormatDezimal(Waehrung::AusRoh(tausendstel * 10), 3);
}

bool Gleich(const Satzlesung& a, const Satzlesung& b) {
    return a.Tausendstel == b.Tausendstel && a.Fehler == b.Fehler;
}

std::string_view OhneRand(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::string text(reinterpret_cast<const char*>(daten), groesse);

    const Satzlesung lesung = UmlageboxLesen(text);
    const auto rate = RateLesen(text);
    Pruefen(lesung.Fehler.has_value() || rate.has_value(), "gespeichert wird nur eine Zahl");
    if (!lesung.Fehler) {
        Pruefen(lesung.Tausendstel == Tausendstel(*rate), "Tausendstel der Rate");
        // What the box then shows reads back as the same value.
        Pruefen(Gleich(UmlageboxLesen(Satztext(lesung.Tausendstel)), lesung),
                "angezeigter Satz liest sich gleich");
    }
    if (rate) {
        const std::int64_t t = Tausendstel(*rate);
        Pruefen(lesung.Fehler.has_value() == (t < -32768 || t > 32767), "16 Bit oder Fehler");
    }

    // Point and comma are the same decimal sign; trailing zeros of the
    // decimals and blanks around change nothing.
    const std::string_view kern = OhneRand(text);
    const auto zeichen = kern.find_first_of(",.");
    if (zeichen != std::string_view::npos) {
        std::string getauscht(kern);
        getauscht[zeichen] = kern[zeichen] == ',' ? '.' : ',';
        Pruefen(Gleich(UmlageboxLesen(getauscht), lesung), "Punkt wie Komma");
        if (!lesung.Fehler) {
            Pruefen(Gleich(UmlageboxLesen(std::string(kern) + "00"), lesung), "Nullen am Ende");
        }
    }
    if (!lesung.Fehler) {
        Pruefen(Gleich(UmlageboxLesen(" " + text + "\t"), lesung), "Leerzeichen am Rand");
    }

    // Enter in a U1 box always leaves a rate the file and the check accept.
    const U1Uebernahme u1 = U1Uebernehmen(text);
    Pruefen(u1.Tausendstel >= 1 && u1.Tausendstel <= 1000, "U1 zwischen 0,001 und 1,000");
    Pruefen(!u1.Korrigiert || u1.Tausendstel == 300, "korrigiert wird auf 0,300");
    // Reading stops at the first character that belongs to no number.
    const U1Uebernahme verlaengert = U1Uebernehmen(text + "x" + text);
    Pruefen(verlaengert.Korrigiert == u1.Korrigiert && verlaengert.Tausendstel == u1.Tausendstel,
            "nach der Zahl zählt nichts");
    // A plain number with at most four decimals is exact in the saving's
    // reading too: the same range and, inside it, the same thousandths.
    const auto dezimalen = zeichen == std::string_view::npos ? 0 : kern.size() - zeichen - 1;
    if (rate && dezimalen <= 4) {
        const bool imBereich = rate->Roh() >= 10 && rate->Roh() <= 10000;  // 0.001 to 1.000 percent
        Pruefen(u1.Korrigiert == !imBereich, "korrigiert genau außerhalb des Bereichs");
        Pruefen(u1.Korrigiert || u1.Tausendstel == Tausendstel(*rate), "U1 übernimmt den Satz");
    }
    const U1Uebernahme nochmal = U1Uebernehmen(Satztext(u1.Tausendstel));
    Pruefen(!nochmal.Korrigiert && nochmal.Tausendstel == u1.Tausendstel, "Enter ein zweites Mal");
    return 0;
}
