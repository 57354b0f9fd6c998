// Typing into an amount box: a sequence of keys decoded from the input goes
// through the key filter, Enter through the taking over, exactly as the
// window hands them on. The box starts empty, as it does when it gets the
// focus, and typed characters land at the end, where the caret stands
// while typing.
//
// Input: UTF-8 text; the byte 0x0D is Enter, 0x08 Backspace and 0x7F the
// focus entering the box again (which empties it). A byte that starts no
// valid UTF-8 character is the character of the same number.
#include <string>

#include "Fuzzhilfen.h"
#include "calc/Entgelteingabe.h"
#include "calc/Formate.h"
#include "calc/Utf8.h"
#include "calc/Zahllesen.h"

using namespace lohnwippe;
using lohnwippe::fuzz::Leser;
using lohnwippe::fuzz::Pruefen;

namespace {

constexpr char32_t FokusTaste = 0x110002;  // no key of the filter: the test's own

char32_t Naechste(Leser& leser) {
    const std::uint8_t erstes = leser.Byte();
    if (erstes == 0x0D) {
        return EnterTaste;
    }
    if (erstes == 0x08) {
        return RueckTaste;
    }
    if (erstes == 0x7F) {
        return FokusTaste;
    }
    int folgende = erstes >= 0xF0 && erstes <= 0xF4   ? 3
                   : erstes >= 0xE0 && erstes <= 0xEF ? 2
                   : erstes >= 0xC2 && erstes <= 0xDF ? 1
                                                      : 0;
    char32_t zeichen = folgende == 3   ? erstes & 0x07u
                       : folgende == 2 ? erstes & 0x0Fu
                       : folgende == 1 ? erstes & 0x1Fu
                                       : erstes;
    // Continuation bytes are taken as they come; a wrong one simply ends
    // up in some other character, which is as good an input as any.
    for (; folgende > 0 && !leser.Leer(); --folgende) {
        zeichen = zeichen << 6 | (leser.Byte() & 0x3Fu);
    }
    return zeichen;
}

bool NurZiffernUndKommas(const std::string& text, bool formatiert) {
    for (char c : text) {
        const bool erlaubt = (c >= '0' && c <= '9') || c == ',' || (formatiert && c == '.');
        if (!erlaubt) {
            return false;
        }
    }
    return true;
}

// Two commas within six characters, the rule before any reading.
bool ZweiKommas(const std::string& text) {
    const auto komma = text.find(',');
    return komma != std::string::npos && text.find(',', komma + 1) <= komma + 6;
}

void AngenommenPruefen(const std::string& vorher, const Entgeltuebernahme& u) {
    const Waehrung betrag = *u.Betrag;
    Pruefen(betrag >= Waehrung(), "kein negativer Betrag");
    Pruefen(betrag.Roh() % 100 == 0, "zwei Nachkommastellen");
    Pruefen(u.Text == FormatBetrag(betrag), "der Text ist der formatierte Betrag");
    Pruefen(ZahlLesen(u.Text, 2) == betrag, "der Text liest sich als derselbe Betrag");
    const auto nochmal = EntgeltUebernehmen(u.Text);
    Pruefen(nochmal.Text == u.Text && nochmal.Betrag == u.Betrag, "Enter ein zweites Mal");
    if (vorher.empty() || vorher == ",") {
        Pruefen(betrag == Waehrung() && u.Text == "0,00", "leer ist 0,00");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    Leser leser(daten, groesse);
    std::string text;
    // Full stops only come from formatting a taken-over amount.
    bool formatiert = false;
    while (!leser.Leer()) {
        const char32_t taste = Naechste(leser);
        if (taste == FokusTaste) {
            text.clear();
            formatiert = false;
            continue;
        }
        const std::string vorher = text;
        switch (EntgeltTaste(text, taste)) {
            case Tastenwirkung::Einfuegen:
                Pruefen(text == vorher, "Einfügen überlässt das Feld dem Eingabefeld");
                Pruefen((taste >= U'0' && taste <= U'9') || taste == U',',
                        "nur Ziffern und Komma kommen durch");
                Utf8Anhaengen(text, taste);
                break;
            case Tastenwirkung::Verwerfen:
                Pruefen(text == vorher, "Verworfenes ändert nichts");
                break;
            case Tastenwirkung::Geaendert:
                Pruefen(taste == U'.' || taste == RueckTaste, "nur Punkt und Rücktaste ändern");
                Pruefen(taste != U'.' || text == vorher + ",", "Punkt hängt ein Komma an");
                Pruefen(taste != RueckTaste || text.size() < vorher.size() || vorher.empty(),
                        "Rücktaste kürzt");
                break;
            case Tastenwirkung::Uebernehmen: {
                Pruefen(taste == EnterTaste, "nur Enter übernimmt");
                const auto uebernahme = EntgeltUebernehmen(text);
                if (uebernahme.Betrag) {
                    Pruefen(!ZweiKommas(text), "zwei nahe Kommas werden nie übernommen");
                    AngenommenPruefen(text, uebernahme);
                    formatiert = true;
                } else {
                    Pruefen(uebernahme.Text.empty(), "Unlesbares leert das Feld");
                    Pruefen(!text.empty() && text != ",", "leer und Komma sind lesbar");
                }
                text = uebernahme.Text;
                break;
            }
        }
        Pruefen(NurZiffernUndKommas(text, formatiert), "nur Ziffern und Kommas im Feld");
    }
    return 0;
}
