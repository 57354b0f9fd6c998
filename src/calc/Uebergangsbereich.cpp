#include "calc/Uebergangsbereich.h"

namespace lohnwippe {

namespace {

// Products of cents, F and the limits reach some 10^22: beyond 64 bits.
__extension__ using Zahl = __int128;

std::int64_t Cent(Waehrung w) {
    return w.Roh() / 100;
}

Waehrung AusCent(std::int64_t cent) {
    return Waehrung::AusRoh(cent * 100);
}

// Round half up to whole cents of the exact fraction zaehler / nenner
// (nenner > 0): the floor of zaehler / nenner + 1/2.
template <typename T>
std::int64_t RundenIn(T zaehler, T nenner) {
    const T z = 2 * zaehler + nenner;
    const T n = 2 * nenner;
    T q = z / n;
    if (z % n != 0 && z < 0) {
        --q;
    }
    return static_cast<std::int64_t>(q);
}

// Nearly every fraction of a month's figures fits 64 bits, where division
// is one instruction; 128-bit division is a library call.
std::int64_t Runden(Zahl zaehler, Zahl nenner) {
    constexpr Zahl grenze = Zahl{1} << 60;
    if (zaehler < grenze && zaehler > -grenze && nenner < grenze) {
        return RundenIn(static_cast<std::int64_t>(zaehler), static_cast<std::int64_t>(nenner));
    }
    return RundenIn(zaehler, nenner);
}

Waehrung Gerundet(Zahl zaehler, Zahl nenner) {
    return AusCent(Runden(zaehler, nenner));
}

bool Ein(const EingabenAb2013& ein, int j, Zweig b) {
    const Beschaeftigung& job = ein.Job[static_cast<std::size_t>(j)];
    return job.Zweig[b] && job.Entgelt > Waehrung();
}

bool InDerZone(const ErgebnisAb2013& e, Zweig b) {
    return e.Zweig[b].Status == Zonenstatus::Zone;
}

// The doubled half rates of a line for the employer and the employee:
// equal, except PV in Saxony, where the employee bears one point alone.
struct Haelften {
    Satz Voll, AG, AN;
};

Haelften LinienSatz(const EingabenAb2013& ein, const ErgebnisAb2013& e, int j, Linie l) {
    const Periode& p = *e.Parameter;
    Satz r{};
    switch (l) {
        case LKV:
            r = ein.Job[static_cast<std::size_t>(j)].OhneKrankengeld ? p.KVErmaessigt : p.KV;
            break;
        case LZB:
            r = e.Zusatzbeitrag.value_or(Satz{});
            break;
        case LPV:
            if (ein.Sachsen) {
                return {p.PV, p.PVSachsenAG + p.PVSachsenAG,
                        (p.PV - p.PVSachsenAG) + (p.PV - p.PVSachsenAG)};
            }
            r = p.PV;
            break;
        case LRV:
            r = p.RV;
            break;
        case LAV:
            r = p.AV;
            break;
    }
    return {r, r, r};
}

template <typename T>
void Addieren(std::optional<T>& summe, const std::optional<T>& wert);

void Addieren(Beitrag& summe, const Beitrag& wert) {
    summe.Gesamt += wert.Gesamt;
    summe.AG += wert.AG;
    summe.AN += wert.AN;
}

void Addieren(Waehrung& summe, Waehrung wert) {
    summe += wert;
}

template <typename T>
void Addieren(std::optional<T>& summe, const std::optional<T>& wert) {
    if (!wert) {
        return;
    }
    if (!summe) {
        summe = T{};
    }
    Addieren(*summe, *wert);
}

}  // namespace

Waehrung CentAnteil(Waehrung basis, Satz satz, int teiler) {
    return Gerundet(Zahl{Cent(basis)} * satz.Tausendstel, Zahl{100000} * teiler);
}

Satz KinderabschlagSatz(const Periode& p, bool kinderlos, int kinder) {
    if (!p.Kinderabschlag || kinderlos || kinder < 2) {
        return {};
    }
    const int zaehlend = (kinder < 5 ? kinder : 5) - 1;
    return {p.Kinderabschlag->Tausendstel * zaehlend};
}

void ZweigeEinstufen(const EingabenAb2013& ein, ErgebnisAb2013& e) {
    const Periode& p = *e.Parameter;
    for (const Zweig b : Zweige) {
        ZweigAb2013& z = e.Zweig[b];
        z = {};
        for (int j = ErsteSpalte; j <= ein.Anzahl; ++j) {
            if (Ein(ein, j, b)) {
                z.GAE += ein.Job[static_cast<std::size_t>(j)].Entgelt;
            }
        }
        // M = GAE · 30 / d, compared without dividing.
        const std::int64_t m30 = Cent(z.GAE) * 30;
        if (z.GAE == Waehrung()) {
            z.Status = Zonenstatus::Keiner;
        } else if (m30 <= Cent(p.G) * ein.Tage) {
            z.Status = Zonenstatus::Unter;
        } else if (m30 > Cent(p.O) * ein.Tage) {
            z.Status = Zonenstatus::Ueber;
        } else if (b == RV && ein.Verzicht && p.VerzichtMoeglich) {
            z.Status = Zonenstatus::ZoneVerzicht;
        } else {
            z.Status = Zonenstatus::Zone;
        }
    }
}

void BasenRechnen(const EingabenAb2013& ein, ErgebnisAb2013& e) {
    const Periode& p = *e.Parameter;
    const bool mitBEAN = p.Aufteilung == Teilung::ANausBEAN;
    const Zahl f = p.F10000;
    const Zahl g = Cent(p.G);
    const Zahl o = Cent(p.O);
    const Zahl d = ein.Tage;
    for (const Zweig b : Zweige) {
        ZweigAb2013& z = e.Zweig[b];
        const Zahl gae = Cent(z.GAE);
        // BE(M) = [f·g·(o−g) + (10000·o − f·g)·(M − g)] / [10000·(o−g)] in
        // cents, and BE_AN(M) = o·(M − g) / (o − g), both with M = 30·GAE/d
        // and numerator and denominator taken times d.
        const Zahl ueberG = 30 * gae - g * d;
        const Zahl beZ = f * g * (o - g) * d + (10000 * o - f * g) * ueberG;
        const Zahl beN = 10000 * (o - g) * d;
        const Zahl anZ = o * ueberG;
        const Zahl anN = (o - g) * d;
        if (InDerZone(e, b)) {
            z.BEMonat = Gerundet(beZ, beN);
            z.BEZeitraum = Gerundet(Zahl{Cent(*z.BEMonat)} * d, 30);
            if (mitBEAN) {
                z.BEANMonat = Gerundet(anZ, anN);
                z.BEANZeitraum = Gerundet(Zahl{Cent(*z.BEANMonat)} * d, 30);
            }
        }
        for (int j = ErsteSpalte; j <= ein.Anzahl; ++j) {
            SpalteAb2013& s = e.Spalte[static_cast<std::size_t>(j)];
            s.BE[b] = std::nullopt;
            s.BEAN[b] = std::nullopt;
            if (!Ein(ein, j, b)) {
                continue;
            }
            const Zahl ae = Cent(s.AE);
            if (!InDerZone(e, b)) {
                s.BE[b] = s.AE;
            } else if (ein.Tage == 30) {
                // A full month shares the unrounded base.
                s.BE[b] = Gerundet(beZ * ae, beN * gae);
                if (mitBEAN) {
                    s.BEAN[b] = Gerundet(anZ * ae, anN * gae);
                }
            } else {
                // A partial month rounds after every step.
                const Zahl zeitraum = Cent(*z.BEZeitraum);
                s.BE[b] = Gerundet(zeitraum * ae, gae);
                if (mitBEAN) {
                    const Zahl zeitraumAN = Cent(*z.BEANZeitraum);
                    s.BEAN[b] = Gerundet(zeitraumAN * ae, gae);
                }
            }
        }
    }
}

void BeitraegeRechnen(const EingabenAb2013& ein, ErgebnisAb2013& e) {
    const Periode& p = *e.Parameter;
    for (int j = ErsteSpalte; j <= ein.Anzahl; ++j) {
        SpalteAb2013& s = e.Spalte[static_cast<std::size_t>(j)];
        for (int li = 0; li < AnzahlLinien; ++li) {
            const auto l = static_cast<Linie>(li);
            const Zweig b = ZweigDerLinie(l);
            auto& linie = s.Linie[static_cast<std::size_t>(l)];
            if (l == LZB && p.ZB == ZBTragung::Keiner) {
                linie = std::nullopt;
                continue;
            }
            linie = Beitrag{};
            // The employee-only Zusatzbeitrag of 2015-18 is a part of R7.
            if (!Ein(ein, j, b) || (l == LZB && p.ZB == ZBTragung::NurAN)) {
                continue;
            }
            const Haelften h = LinienSatz(ein, e, j, l);
            Beitrag& x = *linie;
            if (InDerZone(e, b)) {
                x.Gesamt = MalGanzzahl(CentAnteil(*s.BE[b], h.Voll, 2), 2);
                if (p.Aufteilung == Teilung::AGausAE) {
                    x.AG = CentAnteil(s.AE, h.AG, 2);
                    x.AN = x.Gesamt - x.AG;
                } else {
                    x.AN = CentAnteil(*s.BEAN[b], h.AN, 2);
                    x.AG = x.Gesamt - x.AN;
                }
            } else {
                // Outside the zone the child abatement lies inside the
                // employee's PV rate: one rounding.
                const Satz ab = l == LPV ? e.Kinderabschlag : Satz{};
                x.AG = CentAnteil(s.AE, h.AG, 2);
                x.AN = CentAnteil(s.AE, h.AN - ab - ab, 2);
                x.Gesamt = x.AG + x.AN;
            }
        }
    }
}

void ArbeitnehmerteileRechnen(const EingabenAb2013& ein, ErgebnisAb2013& e) {
    const Periode& p = *e.Parameter;
    for (int j = ErsteSpalte; j <= ein.Anzahl; ++j) {
        SpalteAb2013& s = e.Spalte[static_cast<std::size_t>(j)];
        Beitrag& kv = *s.Linie[LKV];
        Beitrag& pv = *s.Linie[LPV];
        const bool kvEin = Ein(ein, j, KV);
        const bool pvEin = Ein(ein, j, PV);
        auto nurAN = [](Beitrag& linie, Waehrung x) {
            linie.Gesamt += x;
            linie.AN += x;
        };
        s.KVNurAN = std::nullopt;
        if (p.KVNurAN) {
            s.KVNurAN = kvEin ? CentAnteil(*s.BE[KV], *p.KVNurAN, 1) : Waehrung();
            nurAN(kv, *s.KVNurAN);
        }
        if (p.ZB == ZBTragung::NurAN && kvEin) {
            nurAN(*s.Linie[LZB], CentAnteil(*s.BE[KV], *e.Zusatzbeitrag, 1));
        }
        // The surcharge is on BE also from 2022-10, not on BE_AN.
        s.PVZuschlag = ein.Kinderlos && pvEin ? CentAnteil(*s.BE[PV], p.Kinderlos, 1) : Waehrung();
        nurAN(pv, s.PVZuschlag);
        s.PVAbschlag = std::nullopt;
        if (p.Kinderabschlag) {
            const Satz ab = e.Kinderabschlag;
            Waehrung x;
            if (pvEin && ab > Satz{} && InDerZone(e, PV)) {
                x = CentAnteil(*s.BEAN[PV], ab, 1);
                nurAN(pv, -x);
            } else if (pvEin && ab > Satz{}) {
                const Satz an = LinienSatz(ein, e, j, LPV).AN;
                x = CentAnteil(s.AE, an, 2) - CentAnteil(s.AE, an - ab - ab, 2);
            }
            s.PVAbschlag = x;
        }
    }
}

void UmlagenRechnen(const EingabenAb2013& ein, ErgebnisAb2013& e) {
    const Periode& p = *e.Parameter;
    const JeUmlage<Satz> satz{ein.U1Satz, ein.U2Satz, p.U3};
    for (int j = ErsteSpalte; j <= ein.Anzahl; ++j) {
        SpalteAb2013& s = e.Spalte[static_cast<std::size_t>(j)];
        // The base of every levy is the employment's RV base.
        const Waehrung basis = s.BE[RV].value_or(Waehrung());
        for (const Umlageart u : Umlagearten) {
            s.Umlage[u] = ein.Job[static_cast<std::size_t>(j)].Umlage[u]
                              ? CentAnteil(basis, satz[u], 1)
                              : Waehrung();
        }
    }
}

void SummenBilden(ErgebnisAb2013& e) {
    SpalteAb2013 summe{};
    for (int j = ErsteSpalte; j <= e.Anzahl; ++j) {
        SpalteAb2013& s = e.Spalte[static_cast<std::size_t>(j)];
        s.Summe = {};
        for (const auto& linie : s.Linie) {
            if (linie) {
                Addieren(s.Summe, *linie);
            }
        }
        s.Umlagen = s.Umlage[U1] + s.Umlage[U2] + s.Umlage[U3];
        s.AGAufwand = s.AE + s.Summe.AG + s.Umlagen;
        s.Netto = s.AE - s.Summe.AN;

        // The total column adds up every figure; none is recomputed.
        summe.AE += s.AE;
        for (const Zweig b : Zweige) {
            Addieren(summe.BE[b], s.BE[b]);
            Addieren(summe.BEAN[b], s.BEAN[b]);
        }
        for (std::size_t l = 0; l < s.Linie.size(); ++l) {
            Addieren(summe.Linie[l], s.Linie[l]);
        }
        Addieren(summe.KVNurAN, s.KVNurAN);
        summe.PVZuschlag += s.PVZuschlag;
        Addieren(summe.PVAbschlag, s.PVAbschlag);
        for (const Umlageart u : Umlagearten) {
            summe.Umlage[u] += s.Umlage[u];
        }
        summe.Umlagen += s.Umlagen;
        Addieren(summe.Summe, s.Summe);
        summe.AGAufwand += s.AGAufwand;
        summe.Netto += s.Netto;
    }
    e.Spalte[SummenSpalte] = summe;
}

RechnungAb2013 BerechnenAb2013(const EingabenAb2013& ein) {
    RechnungAb2013 r;
    if (auto fehler = EingabenPruefen(ein)) {
        r.Meldung = std::move(*fehler);
        return r;
    }
    ErgebnisAb2013& e = r.Ergebnis.emplace();
    e.Parameter = PeriodeZu(ein.Jahr, ein.Monat);
    const Periode& p = *e.Parameter;
    if (p.ZB != ZBTragung::Keiner) {
        e.Zusatzbeitrag = ein.Zusatzbeitrag.value_or(*p.ZBDurchschnitt);
    }
    e.Kinderabschlag = KinderabschlagSatz(p, ein.Kinderlos, ein.Kinder);
    e.Anzahl = ein.Anzahl;
    for (int j = ErsteSpalte; j <= ein.Anzahl; ++j) {
        e.Spalte[static_cast<std::size_t>(j)].AE = ein.Job[static_cast<std::size_t>(j)].Entgelt;
    }
    ZweigeEinstufen(ein, e);
    BasenRechnen(ein, e);
    BeitraegeRechnen(ein, e);
    ArbeitnehmerteileRechnen(ein, e);
    UmlagenRechnen(ein, e);
    SummenBilden(e);
    HinweiseSammeln(ein, e);
    return r;
}

}  // namespace lohnwippe
