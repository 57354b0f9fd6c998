#pragma once

#include "platform/Aussenwelt.h"
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
};

}  // namespace lohnwippe
