#include <algorithm>

#include "calc/Ergebnis.h"
#include "calc/Runden.h"

namespace lohnwippe {

namespace {

Waehrung AusDouble(double wert) {
    return Waehrung::AusDoubleHalbGerade(wert);
}

Waehrung Euro(std::int64_t ganz) {
    return Waehrung::AusGanzzahl(ganz);
}

// Sliding-zone reduction of the total assessment base of one branch.
Waehrung GekuerzteSumme(Waehrung ae, Waehrung f) {
    Waehrung gekuerzt;
    if (ae > Euro(800)) {
        gekuerzt = ae;
    } else if (ae < Waehrung::AusRoh(4001000)) {  // 400.1, not 400.01
        gekuerzt = MalHalbGerade(ae, f);
    } else {
        gekuerzt = MalHalbGerade(Euro(400), f) + MalHalbGerade(Euro(2) - f, ae - Euro(400));
    }
    if (gekuerzt < Waehrung()) {
        gekuerzt = Waehrung();
    }
    return AufCentGerundet(gekuerzt);
}

// Half the contribution in cents: base times rate in percent, halved and
// brought back from the raised partial-month base to the actual period.
Waehrung HalberBeitragInCent(Waehrung basis, Waehrung satz, double t) {
    return AusDouble(MalHalbGerade(basis, satz).AlsDouble() / 2 / t);
}

}  // namespace

Ergebnis Berechnen(const Eingaben& e) {
    Ergebnis r;
    r.Teilmonatsfaktor = std::max(e.Teilmonatsfaktor, Euro(1));
    const Waehrung faktor = r.Teilmonatsfaktor;
    const double t = faktor.AlsDouble();

    r.Zusatzsatz = 0.009;
    if (Ein(e.Kinderlos)) {
        r.Zusatzsatz += 0.0025;
    }

    // Assessment bases.
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        r.EntgeltSumme += e.Entgelt[j];
        for (Zweig b : Zweige) {
            if (Ein(e.Zweige[j][b])) {
                r.AE[j][b] = MalHalbGerade(e.Entgelt[j], faktor);
            }
            r.AE[SummenSpalte][b] += r.AE[j][b];
        }
    }

    // The zone is judged on the total; the reduced total is shared out in
    // proportion to the bases, each share rounded to cents on its own.
    for (Zweig b : Zweige) {
        r.AEGekuerzt[SummenSpalte][b] = GekuerzteSumme(r.AE[SummenSpalte][b], e.FaktorF);
    }
    if (e.RVVerzicht) {
        for (int c = ErsteSpalte; c <= SummenSpalte; ++c) {
            r.AEGekuerzt[c][RV] = r.AE[c][RV];
        }
    }
    // A base of 0 gives 0 in every step that multiplies it, so such cells
    // are left at 0 throughout instead of being computed.
    for (Zweig b : Zweige) {
        const Waehrung summe = r.AE[SummenSpalte][b];
        if (summe <= Waehrung()) {
            continue;
        }
        const double verhaeltnis = r.AEGekuerzt[SummenSpalte][b].AlsDouble() / summe.AlsDouble();
        for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
            if (r.AE[j][b] != Waehrung()) {
                r.AEGekuerzt[j][b] =
                    AufCentGerundet(AusDouble(verhaeltnis * r.AE[j][b].AlsDouble()));
            }
        }
    }

    // Total contributions from the reduced base, employer shares from the
    // unreduced one.
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        for (Zweig b : Zweige) {
            const Waehrung satz = e.Satz(j, b);
            if (r.AEGekuerzt[j][b] != Waehrung()) {
                const Waehrung h = HalberBeitragInCent(r.AEGekuerzt[j][b], satz, t);
                r.Gesamtbeitrag[j][b] = GanzeCentGeteilt(AufCentRunden(h), 50);
            }
            if (r.AE[j][b] != Waehrung()) {
                const Waehrung a = HalberBeitragInCent(r.AE[j][b], satz, t);
                r.Arbeitgeberanteil[j][b] = GanzeCentGeteilt(AufCentRunden(a), 100);
            }
        }
    }
    if (e.Sachsen) {
        const double sachsen = SachsenSatz(e.Monat);
        for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
            const Waehrung p = AusDouble(r.AE[j][PV].AlsDouble() * sachsen / t);
            r.Arbeitgeberanteil[j][PV] = GanzeCentGeteilt(AufCentRunden(MalGanzzahl(p, 100)), 100);
        }
    }
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        for (Zweig b : Zweige) {
            r.Gesamtbeitrag[SummenSpalte][b] += r.Gesamtbeitrag[j][b];
            r.Arbeitgeberanteil[SummenSpalte][b] += r.Arbeitgeberanteil[j][b];
        }
    }
    for (int c = ErsteSpalte; c <= SummenSpalte; ++c) {
        for (Zweig b : Zweige) {
            r.GesamtSumme[c] += r.Gesamtbeitrag[c][b];
            r.AGSumme[c] += r.Arbeitgeberanteil[c][b];
        }
    }

    // Levies on the (reduced) pension base of each employment.
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        for (Umlageart u : Umlagearten) {
            if (!Ein(e.Umlagen[j][u]) || r.AEGekuerzt[j][RV] == Waehrung()) {
                continue;
            }
            const Waehrung x =
                AusDouble(MalGanzzahl(r.AEGekuerzt[j][RV], e.Umlagesatz[u]).AlsDouble() / t);
            r.Umlage[j][u] = UmlageRunden(x);
            r.Umlage[SummenSpalte][u] += r.Umlage[j][u];
        }
    }

    for (int c = ErsteSpalte; c <= SummenSpalte; ++c) {
        const Waehrung entgelt = c == SummenSpalte ? r.EntgeltSumme : e.Entgelt[c];
        r.AGAufwand[c] =
            entgelt + r.AGSumme[c] + r.Umlage[c][U1] + r.Umlage[c][U2] + r.Umlage[c][U3];

        Waehrung anSumme;
        for (Zweig b : Zweige) {
            r.Arbeitnehmeranteil[c][b] = r.Gesamtbeitrag[c][b] - r.Arbeitgeberanteil[c][b];
            anSumme += r.Arbeitnehmeranteil[c][b];
        }

        // The column 5 value comes from the reduced total, not from the sum
        // of the columns.
        r.Zusatzbeitrag[c] = AusDouble(r.Zusatzsatz * r.AEGekuerzt[c][KV].AlsDouble() / t);
        const Waehrung ohneGleitzone = AusDouble(r.Zusatzsatz * r.AE[c][KV].AlsDouble() / t);
        r.ZusatzErsparnis[c] = AufCentGerundet(ohneGleitzone - r.Zusatzbeitrag[c]);

        r.ANSumme[c] = anSumme + r.Zusatzbeitrag[c];
        r.ANNetto[c] = entgelt - r.ANSumme[c];
        // Outside the zone the employee would pay as much as the employer.
        r.ANErsparnis[c] = r.AGSumme[c] - anSumme + r.ZusatzErsparnis[c];
    }

    const Waehrung rvSumme = r.AE[SummenSpalte][RV];
    r.WarnungSichtbar = rvSumme <= Euro(399) || rvSumme >= Euro(801);
    return r;
}

}  // namespace lohnwippe
