#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/Eingaben.h"
#include "calc/Entgelteingabe.h"
#include "fall/Fallangaben.h"
#include "store/DateiFehler.h"

namespace lohnwippe {

// A message for the user, in the order the program says things; the view
// shows it in a modal box. The symbol numbers are those of the box.
enum class Symbol { Keines = 0, Ausrufezeichen = 1, Fehler = 2 };

struct Meldung {
    std::string Titel;
    std::string Text;
    Symbol Art = Symbol::Keines;
    bool operator==(const Meldung&) const = default;
};

// The title of the main window's messages.
inline constexpr const char* Programmtitel = "Lohnwippe";
// What follows the failure when the case on screen could not be stored
// before something that needs it stored.
inline constexpr std::string_view NichtGesichertText =
    "Der angezeigte Fall ist noch nicht gespeichert. Bitte beheben Sie die Ursache (zum "
    "Beispiel Speicherplatz freigeben) und versuchen Sie es erneut.";

// A failed file access under `titel`, followed by what happens now.
Meldung Dateimeldung(const DateiFehler& fehler, std::string_view folge,
                     const char* titel = Programmtitel);

// The refusal of an amount taken over from the text `getippt` that is too
// large to calculate with, followed by `folge`; none for any other amount.
std::optional<Meldung> EntgeltZuGross(const Entgeltuebernahme& uebernahme, std::string_view getippt,
                                      std::string_view folge = {});

// A rate box of the master-data window: U1 or U2 of a month.
struct Satzbox {
    Umlageart Umlage = U1;
    Monatsplatz Monat;
    bool operator==(const Satzbox&) const = default;
};

// What a user action changed, so that a view redraws that and no more, and
// what it has to say and ask. Every action of the open case answers with
// one; both windows draw it the same way. A view draws everything it shows
// from the model; it never reads a value back out of its controls.
struct Aenderung {
    // A case was loaded, or the selection went back: every input of the
    // case, the lists, the rates of the year and of the fund.
    bool Fall = false;
    // Only the lists' selection (a change refused before anything loaded).
    bool Auswahl = false;
    // The result table, the warning and the annual sum.
    bool Ergebnis = false;
    // The names in the person list.
    bool Personen = false;
    // Saves are waiting to be handed to the disk: the view's timer calls
    // Sichern within about a second.
    bool SicherungFaellig = false;
    // The new text of an amount box, where one changed.
    JeJob<std::optional<std::string>> Entgelttext{};
    // The new text of an employer box, where leaving it trimmed the name.
    JeJob<std::optional<std::string>> Arbeitgebertext{};
    // Where a slider ends up, where that is not where it was put.
    JeJob<std::optional<int>> Regler{};

    // The master-data window: the texts of its U1 and U2 boxes, January
    // first, the box to correct, and whether it closes.
    std::optional<std::array<std::string, MonateJeJahr>> U1Texte, U2Texte;
    std::optional<Satzbox> Korrigieren;
    bool StammdatenSchliessen = false;

    std::vector<Meldung> Meldungen;
    // A yes-or-no question whose "no" keeps the program running (closing
    // with something unsaved).
    std::optional<std::string> Frage;
    // Another program replaced or changed a data file: the view asks which
    // version goes on and hands the answer to ErsetzungEntscheiden.
    struct Dateiwahl {
        std::string Text;
        std::string Neue;   // the answer that takes the new file over
        std::string Meine;  // the answer that keeps the program's version
        bool operator==(const Dateiwahl&) const = default;
    };
    std::optional<Dateiwahl> Wahl;
    // A brief notice that needs no answer (what an undo took back).
    std::optional<std::string> Hinweis;

    Aenderung& operator+=(Aenderung&& andere);
};

}  // namespace lohnwippe
