#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "store/Fallsatz.h"

namespace lohnwippe {

// The settings record 603. It shares the layout of a case record and is
// written in three ways, each of which owns some of its fields:
//
// - after every calculation it becomes a copy of the case just saved, with
//   the names of persons 9 and 10, the payroll office, the person's list
//   position in `LetzterFall`, the year and month positions in `Oben` and
//   `Links`, and the window's place in `Oben2` and `Links2`;
// - when the program closes, `LetzterFall`, `Oben` and `Links` get the case
//   number and the window's place, the rest stays as the last calculation
//   left it;
// - the master data put the names and the line-printer switch (in the
//   field of the RV waiver) into it, the rest stays.
//
// The start reads the case number and the window's place from it, and the
// names of persons 9 and 10 and the two office lines.

struct Fensterposition {
    int ObenTwips = 0;
    int LinksTwips = 0;
    bool operator==(const Fensterposition&) const = default;
};

// Positions are stored in 16-bit fields; a window beyond 32767 twips (some
// 2200 pixels) on a wide desktop must not wrap into a negative number.
std::int16_t Int16Begrenzt(long wert);

// What the names in 601 to 603 hold beside the cases.
struct Namensfelder {
    std::array<std::string, 10> Personen{};  // as stored: 20 characters each
    std::array<std::string, 2> Abrechnungsstelle{};
    bool operator==(const Namensfelder&) const = default;
};

// The settings record after a calculation of `fall` (the case as just
// saved) for person position `personPos` in `monat`, into `satz`: every
// calculation writes it, and the names' memory of the last one is reused.
void EinstellungenNachRechnung(Fallsatz& satz, const Fallsatz& fall, const Namensfelder& namen,
                               int personPos, int jahrPos, int monatPos, Fensterposition fenster);

// The settings record `gelesen` as the end of the program leaves it.
Fallsatz EinstellungenBeimBeenden(Fallsatz gelesen, int fallNr, Fensterposition fenster);

// Records 601, 602 and 603 (`satzNr`) with the names of the master data;
// 603 also keeps the line-printer switch.
Fallsatz NamenEintragen(Fallsatz gelesen, int satzNr, const Namensfelder& namen,
                        bool zeilendrucker);

// The names as the three master records hold them, in list order.
Namensfelder NamenLesen(const Fallsatz& satz601, const Fallsatz& satz602, const Fallsatz& satz603);

}  // namespace lohnwippe
