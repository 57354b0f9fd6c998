#pragma once

#include "calc/Waehrung.h"

namespace lohnwippe {

// Cent rounding of the calculation. `cent` is an amount in cents; the result
// is a whole number of cents. A non-negative value rounds up when its
// fraction, rounded half to even to hundredths, is 0.50 or more (so .4950
// rounds up, .4949 down, and .9950 up to the next cent); a negative value is
// truncated toward zero.
Waehrung AufCentRunden(Waehrung cent);

// Rounding of a levy given in 1/100000 Euro to whole cents, returned in Euro.
// The value is first rounded half to even to a whole number n; it rounds up
// when n mod 1000 is 500 or more.
Waehrung UmlageRunden(Waehrung hunderttausendstel);

// A whole number of cents divided by `teiler` (50 or 100) in floating point
// and converted back half to even: 536 cents / 50 is 10.72.
Waehrung GanzeCentGeteilt(Waehrung cent, int teiler);

// Rounds a Euro amount to whole cents the way the calculation does it
// everywhere: times 100, AufCentRunden, divided by 100 in floating point.
Waehrung AufCentGerundet(Waehrung euro);

}  // namespace lohnwippe
