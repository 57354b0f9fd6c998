#pragma once

#include <cstdint>

namespace lohnwippe {

// State of a switch as a check box shows it and the case file stores it.
// A user's click only ever gives off or on; grey comes from stored data.
enum class Schalter : std::int16_t { Aus = 0, An = 1, Grau = 2 };

// A branch, levy or sick-pay switch counts only when it is exactly on.
constexpr bool Ein(Schalter s) {
    return s == Schalter::An;
}

// The waiver and Saxony switches count any state but off.
constexpr bool NichtAus(Schalter s) {
    return s != Schalter::Aus;
}

// What a stored number shows as; anything but 1 and 2 (a damaged file) is off.
constexpr Schalter SchalterAusGespeichert(int gespeichert) {
    return gespeichert == 1 ? Schalter::An : gespeichert == 2 ? Schalter::Grau : Schalter::Aus;
}

constexpr std::int16_t Gespeichert(Schalter s) {
    return static_cast<std::int16_t>(s);
}

// A user's click: grey and off become on, on becomes off.
constexpr Schalter Umgeschaltet(Schalter s) {
    return s == Schalter::An ? Schalter::Aus : Schalter::An;
}

}  // namespace lohnwippe
