#include "calc/Eingaben.h"

namespace lohnwippe {

std::int16_t& Eingaben::Zweigschalter(int job, Zweig zweig) {
    switch (zweig) {
        case Zweig::KV:
            return KV[job];
        case Zweig::PV:
            return PV[job];
        case Zweig::RV:
            return RV[job];
        case Zweig::AV:
            break;
    }
    return AV[job];
}

std::int16_t Eingaben::Zweigschalter(int job, Zweig zweig) const {
    return const_cast<Eingaben*>(this)->Zweigschalter(job, zweig);
}

std::int16_t& Eingaben::Umlageschalter(int job, Umlageart umlage) {
    switch (umlage) {
        case Umlageart::U1:
            return U1[job];
        case Umlageart::U2:
            return U2[job];
        case Umlageart::U3:
            break;
    }
    return U3[job];
}

std::int16_t Eingaben::Umlageschalter(int job, Umlageart umlage) const {
    return const_cast<Eingaben*>(this)->Umlageschalter(job, umlage);
}

Waehrung KVSatzAbleiten(std::int16_t kvGrundsatz, std::int16_t kg) {
    double satz = static_cast<double>(kvGrundsatz) / 100;
    if (kg != 1) {
        satz -= 0.6;
    }
    return Waehrung::AusDoubleHalbGerade(satz);
}

double SachsenSatz(int jahrPos, int monatPos) {
    // The employer's share rose from 0.35 % to 0.475 % in July 2011.
    if (jahrPos < 2 || (jahrPos == 2 && monatPos < 6)) {
        return 0.0035;
    }
    return 0.00475;
}

}  // namespace lohnwippe
