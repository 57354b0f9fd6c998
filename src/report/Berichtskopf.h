#pragma once

#include <string>

#include "calc/Eingaben.h"

namespace lohnwippe {

// The head of both reports, the months to 2012 and those from 2013: who
// prints, when, and whose case. Texts are UTF-8 and exactly as the window
// shows them.
struct Berichtskopf {
    std::string Abrechnungsstelle1;  // 20 characters, blank-padded
    std::string Abrechnungsstelle2;
    int Tag = 1, Monat = 1, Jahr = 2012;  // today's date
    std::string Person;                   // text shown in `Minijobber`
    std::string MonatText;                // "JAN" .. "DEZ"
    JeJob<std::string> Arbeitgeber{};     // texts of `Arbeitgeber(1..4)`
    std::string Kasse;                    // the fund as the list shows it
    std::string TeilmonatText;            // selected `Teilmonat` entry
};

}  // namespace lohnwippe
