#include "calc/ErgebniszeilenAb2013.h"

#include <array>

#include "calc/Formate.h"

namespace lohnwippe {

namespace {

using S = std::size_t;
using Wert = std::optional<Waehrung>;
using Wertfunktion = Wert (*)(const ErgebnisAb2013&, S);

template <Zweig b>
Wert AE(const ErgebnisAb2013& e, S s) {
    // The total column counts only the employments the branch includes,
    // which is the pay the zone is judged on.
    if (s == SummenSpalte) {
        return e.Zweig[b].GAE;
    }
    return e.Spalte[s].BE[b] ? e.Spalte[s].AE : Waehrung();
}
template <Zweig b>
Wert BE(const ErgebnisAb2013& e, S s) {
    return e.Spalte[s].BE[b].value_or(Waehrung());
}
template <Zweig b>
Wert BEAN(const ErgebnisAb2013& e, S s) {
    // Outside the zone the employee pays on the pay itself: no such base.
    return e.Spalte[s].BEAN[b];
}
template <Linie l, Waehrung Beitrag::*teil>
Wert Anteil(const ErgebnisAb2013& e, S s) {
    const auto& linie = e.Spalte[s].Linie[static_cast<S>(l)];
    return linie ? *linie.*teil : Waehrung();
}
template <Waehrung Beitrag::*teil>
Wert Summe(const ErgebnisAb2013& e, S s) {
    return e.Spalte[s].Summe.*teil;
}
template <Umlageart u>
Wert Umlage(const ErgebnisAb2013& e, S s) {
    return e.Spalte[s].Umlage[u];
}
template <Waehrung SpalteAb2013::*feld>
Wert Feld(const ErgebnisAb2013& e, S s) {
    return e.Spalte[s].*feld;
}
template <std::optional<Waehrung> SpalteAb2013::*feld>
Wert Teil(const ErgebnisAb2013& e, S s) {
    return (e.Spalte[s].*feld).value_or(Waehrung());
}

constexpr std::array<const char*, AnzahlZweige> Zweignamen{"KV", "PV", "RV", "AV"};

std::string Euro(Waehrung w) {
    return FormatZahl(w);
}

class Aufbau {
  public:
    explicit Aufbau(const Periode& p, std::optional<Satz> zb) : p_(p), zb_(zb) {}

    void Abschnitt(std::string titel) {
        zeilen_.push_back({Zeilenart::Abschnitt, std::move(titel), Zeilenfarbe::Lavendel, nullptr});
    }
    void Zeile(std::string titel, Wertfunktion wert, Zeilenfarbe farbe = Zeilenfarbe::Keine,
               Zeilenart art = Zeilenart::Wert) {
        zeilen_.push_back({art, std::move(titel), farbe, wert});
    }
    void Zweige(const std::array<Wertfunktion, AnzahlZweige>& werte) {
        for (const Zweig b : lohnwippe::Zweige) {
            Zeile(Zweignamen[b], werte[b]);
        }
    }
    // The contribution lines, KV, the Zusatzbeitrag where the period has
    // one as a line, PV, RV, AV, of one share.
    template <Waehrung Beitrag::*teil>
    void Linien(Zeilenfarbe farbe) {
        Zeile("KV", &Anteil<LKV, teil>, farbe);
        if (p_.ZB != ZBTragung::Keiner) {
            Zeile(zb_ ? "Zusatzbeitrag (" + FormatSatz(*zb_) + ")" : "Zusatzbeitrag",
                  &Anteil<LZB, teil>, farbe);
        }
        Zeile("PV", &Anteil<LPV, teil>, farbe);
        Zeile("RV", &Anteil<LRV, teil>, farbe);
        Zeile("AV", &Anteil<LAV, teil>, farbe);
    }
    std::vector<ZeileAb2013> Fertig() { return std::move(zeilen_); }

  private:
    const Periode& p_;
    std::optional<Satz> zb_;
    std::vector<ZeileAb2013> zeilen_;
};

}  // namespace

std::string FormatSatz(Satz satz) {
    return SatzText(satz, satz.Tausendstel % 10 != 0 ? 3 : 2) + " %";
}

std::string BEFormel(const Periode& p) {
    const std::string g = Euro(p.G);
    const std::string o = Euro(p.O);
    if (p.VerzichtMoeglich) {
        // The zone as it stood to 2019-06, written as the pension
        // insurance's own examples write it.
        const std::string breite = Euro(p.O - p.G);
        return "F x " + g + " + (" + o + "/" + breite + " - " + g + "/" + breite +
               " x F) x (AE - " + g + ")";
    }
    const std::string nenner = "(" + o + " - " + g + ")";
    return "F x " + g + " + ([" + o + "/" + nenner + "] - [" + g + "/" + nenner +
           "] x F) x (AE - " + g + ")";
}

std::optional<std::string> BEANFormel(const Periode& p) {
    if (p.Aufteilung != Teilung::ANausBEAN) {
        return std::nullopt;
    }
    const std::string g = Euro(p.G);
    const std::string o = Euro(p.O);
    return o + "/(" + o + " - " + g + ") x (AE - " + g + ")";
}

std::vector<ZeileAb2013> ErgebniszeilenAb2013(const Periode& p, std::optional<Satz> zusatzbeitrag) {
    using enum Zeilenfarbe;
    Aufbau a(p, zusatzbeitrag);
    a.Abschnitt("1. Beitragspflichtiges Arbeitsentgelt (AE)");
    a.Zweige({&AE<KV>, &AE<PV>, &AE<RV>, &AE<AV>});
    a.Abschnitt("2. Beitragspflichtige Einnahme (BE) nach der Formel: " + BEFormel(p));
    a.Zweige({&BE<KV>, &BE<PV>, &BE<RV>, &BE<AV>});
    if (const auto formel = BEANFormel(p)) {
        a.Abschnitt("2a. Beitragspflichtige Einnahme für den Arbeitnehmeranteil (BE AN): " +
                    *formel);
        a.Zweige({&BEAN<KV>, &BEAN<PV>, &BEAN<RV>, &BEAN<AV>});
    }
    a.Abschnitt("3. Gesamtbeitrag je Beitragsart");
    a.Linien<&Beitrag::Gesamt>(Keine);
    a.Zeile("Summe", &Summe<&Beitrag::Gesamt>);
    a.Abschnitt("4. Arbeitgeberanteil");
    a.Linien<&Beitrag::AG>(Hellgelb);
    a.Zeile("Summe", &Summe<&Beitrag::AG>, Gelb, Zeilenart::Summe);
    a.Zeile("Umlage U1", &Umlage<U1>);
    a.Zeile("Umlage U2", &Umlage<U2>);
    a.Zeile("Umlage U3", &Umlage<U3>);
    a.Zeile("AG-Aufwand", &Feld<&SpalteAb2013::AGAufwand>, Hellgrau, Zeilenart::Summe);
    a.Abschnitt("5. Arbeitnehmeranteil");
    a.Linien<&Beitrag::AN>(Hellgelb);
    if (p.KVNurAN) {
        a.Zeile("darin KV " + FormatSatz(*p.KVNurAN) + " nur AN", &Teil<&SpalteAb2013::KVNurAN>);
    }
    a.Zeile("darin PV-Zuschlag Kinderlose", &Feld<&SpalteAb2013::PVZuschlag>);
    if (p.Kinderabschlag) {
        a.Zeile("darin PV-Abschlag Kinder", &Teil<&SpalteAb2013::PVAbschlag>);
    }
    a.Zeile("Summe", &Summe<&Beitrag::AN>, Gelb, Zeilenart::Summe);
    a.Zeile("AN-Netto", &Feld<&SpalteAb2013::Netto>, Hellgrau, Zeilenart::Summe);
    return a.Fertig();
}

std::string ZellentextAb2013(const ZeileAb2013& zeile, const ErgebnisAb2013& ergebnis, S spalte) {
    const bool belegt = spalte == SummenSpalte ||
                        (spalte >= ErsteSpalte && spalte <= static_cast<S>(ergebnis.Anzahl));
    if (zeile.Wert == nullptr || !belegt) {
        return {};
    }
    const Wert wert = zeile.Wert(ergebnis, spalte);
    return wert ? Zellentext(*wert) : std::string();
}

}  // namespace lohnwippe
