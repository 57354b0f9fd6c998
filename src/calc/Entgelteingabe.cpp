#include "calc/Entgelteingabe.h"

#include "calc/Formate.h"
#include "calc/Utf8.h"
#include "calc/Zahllesen.h"

namespace lohnwippe {

Tastenwirkung EntgeltTaste(std::string& text, char32_t taste) {
    if (taste == EnterTaste) {
        return Tastenwirkung::Uebernehmen;
    }
    if (taste == RueckTaste) {
        // One character, however many bytes it takes.
        while (!text.empty() && Utf8Folgebyte(text.back())) {
            text.pop_back();
        }
        if (!text.empty()) {
            text.pop_back();
        }
        return Tastenwirkung::Geaendert;
    }
    if ((taste >= U'0' && taste <= U'9') || taste == U',') {
        return Tastenwirkung::Einfuegen;
    }
    if (taste == U'.') {
        text += ',';
        return Tastenwirkung::Geaendert;
    }
    return Tastenwirkung::Verwerfen;
}

Entgeltuebernahme EntgeltUebernehmen(std::string_view text) {
    // Counted in characters from the first comma; any byte that starts a
    // character counts as one.
    const std::size_t komma = text.find(',');
    if (komma != std::string_view::npos) {
        int zeichen = 0;
        for (std::size_t i = komma + 1; i < text.size() && zeichen < 6; ++i) {
            if (Utf8Folgebyte(text[i])) {
                continue;
            }
            ++zeichen;
            if (text[i] == ',') {
                return {};
            }
        }
    }
    if (text.empty() || text == ",") {
        text = "0,00";
    }
    const Zahllesung lesung =
        ZahlLesen(text, {.Punkte = Tausenderpunkte::ZwischenZiffern, .Stellen = 2});
    if (lesung.Fehler) {
        return {std::string(), std::nullopt, *lesung.Fehler == Lesefehler::ZuGross};
    }
    return {FormatBetrag(lesung.Wert), lesung.Wert};
}

}  // namespace lohnwippe
