#pragma once

#include <QString>

#include "platform/Aussenwelt.h"
#include "platform/Bauwerte.h"
#include "platform/Druckausgabe.h"
#include "platform/Meldungen.h"

namespace lohnwippe {

// The outside world as the windows see it; fakes in tests.
struct Umgebung {
    Meldungen& meldungen;
    Signalton& signalton;
    Adressoeffner& adressen;
    Ordnerpruefer& ordner;
    Kalender& kalender;
    Druckausgabe& drucker;
    // Opened when the program closes, unless the maker's payroll product is
    // installed; empty: none.
    QString homepage = QString::fromUtf8(Homepage);
};

}  // namespace lohnwippe
