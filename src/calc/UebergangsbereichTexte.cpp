// The German messages of the calculation from 2013 on: why an input gives
// no result, and the warnings and notices beside a result.
#include <initializer_list>
#include <string>

#include "calc/Ergebnis.h"
#include "calc/Formate.h"
#include "calc/Uebergangsbereich.h"

namespace lohnwippe {

namespace {

std::string MonatText(Monatszahl m) {
    std::string text = std::to_string(m % 100);
    if (text.size() < 2) {
        text.insert(0, "0");
    }
    return text + "/" + std::to_string(m / 100);
}

std::string Nr(int j) {
    return std::to_string(j);
}

constexpr std::array<const char*, AnzahlZweige> ZweigName{"KV", "PV", "RV", "AV"};

// "KV", "KV und PV", "KV, PV und RV"
std::string ZweigListe(const ErgebnisAb2013& e, Zonenstatus status) {
    std::string liste;
    int zahl = 0;
    for (const Zweig b : Zweige) {
        zahl += e.Zweig[b].Status == status ? 1 : 0;
    }
    int gesehen = 0;
    for (const Zweig b : Zweige) {
        if (e.Zweig[b].Status != status) {
            continue;
        }
        ++gesehen;
        if (gesehen > 1) {
            liste += gesehen == zahl ? " und " : ", ";
        }
        liste += ZweigName[b];
    }
    return liste;
}

}  // namespace

std::string_view ZonenstatusText(Zonenstatus status) {
    switch (status) {
        case Zonenstatus::Keiner:
            return "keiner";
        case Zonenstatus::Unter:
            return "unter";
        case Zonenstatus::Ueber:
            return "über";
        case Zonenstatus::Zone:
            return "Zone";
        case Zonenstatus::ZoneVerzicht:
            return "Verzicht";
    }
    return {};
}

std::optional<std::string> EingabenPruefen(const EingabenAb2013& ein) {
    if (ein.Monat < 1 || ein.Monat > 12) {
        return "Den Monat " + std::to_string(ein.Monat) + " gibt es nicht (1 bis 12).";
    }
    const Monatszahl m = MonatszahlAus(ein.Jahr, ein.Monat);
    if (m < ErsterBekannterMonat()) {
        return "Der Monat " + MonatText(m) + " liegt vor " + MonatText(ErsterBekannterMonat()) +
               ": für ihn gelten die Regeln bis 2012.";
    }
    if (NachLetzterPeriode(ein.Jahr, ein.Monat)) {
        return "Die Werte für " + MonatText(m) + " sind noch nicht bekannt (bekannt bis " +
               MonatText(LetzterBekannterMonat()) + ").";
    }
    if (ein.Anzahl < 1 || ein.Anzahl > LetzterJob) {
        return "Es sind eine bis vier Beschäftigungen möglich, nicht " + Nr(ein.Anzahl) + ".";
    }
    if (ein.Tage < 1 || ein.Tage > 30) {
        return "Die SV-Tage müssen zwischen 1 und 30 liegen, nicht " + Nr(ein.Tage) + ".";
    }
    for (int j = ErsteSpalte; j <= ein.Anzahl; ++j) {
        const Waehrung ae = ein.Job[static_cast<std::size_t>(j)].Entgelt;
        if (ae < Waehrung()) {
            return "Das Entgelt der Beschäftigung " + Nr(j) + " ist negativ.";
        }
        if (ae.Roh() % 100 != 0) {
            return "Das Entgelt der Beschäftigung " + Nr(j) +
                   " hat mehr als zwei Nachkommastellen.";
        }
        if (ae > HoechstesEntgelt) {
            return "Das Entgelt der Beschäftigung " + Nr(j) + " ist größer als " +
                   FormatBetrag(HoechstesEntgelt) + " €.";
        }
    }
    // A rate above 100 % is a typing error, and it keeps every product of
    // the calculation far inside 64 bits.
    const Satz null{};
    const Satz hundert = P("100");
    for (const Satz s : {ein.Zusatzbeitrag.value_or(null), ein.U1Satz, ein.U2Satz}) {
        if (s < null || s > hundert) {
            return "Zusatzbeitrag, U1- und U2-Satz müssen zwischen 0 und 100 % liegen.";
        }
    }
    if (ein.Kinder < 0) {
        return "Die Zahl der Kinder ist negativ.";
    }
    if (ein.Kinderlos && ein.Kinder > 0) {
        return "Kinderlos und " + Nr(ein.Kinder) + (ein.Kinder == 1 ? " Kind" : " Kinder") +
               " schließen sich aus.";
    }
    return std::nullopt;
}

void HinweiseSammeln(const EingabenAb2013& ein, ErgebnisAb2013& e) {
    const Periode& p = *e.Parameter;
    e.Hinweise.clear();
    // The law named the zone Gleitzone until 2019-06.
    const char* zone = p.Von < MonatszahlAus(2019, 7) ? "keine Gleitzone" : "kein Übergangsbereich";
    const std::string entgelt =
        ein.Tage == 30 ? "Entgelt" : "Auf einen vollen Monat hochgerechnetes Entgelt";
    const std::string unter = ZweigListe(e, Zonenstatus::Unter);
    if (!unter.empty()) {
        e.Hinweise.push_back(entgelt + " bis zur Geringfügigkeitsgrenze (" + FormatBetrag(p.G) +
                             " €) in " + unter + ": " + zone + ", normale Beiträge");
    }
    const std::string ueber = ZweigListe(e, Zonenstatus::Ueber);
    if (!ueber.empty()) {
        e.Hinweise.push_back(entgelt + " über der Obergrenze (" + FormatBetrag(p.O) + " €) in " +
                             ueber + ": " + zone + ", normale Beiträge");
    }
    if (ein.Verzicht && !p.VerzichtMoeglich) {
        e.Hinweise.emplace_back(
            "RV-Verzicht ist seit Juli 2019 nicht mehr möglich und bleibt unberücksichtigt");
    }
    if (ein.Zusatzbeitrag && p.ZB == ZBTragung::Keiner) {
        e.Hinweise.emplace_back(
            "Einen Zusatzbeitrag als Prozentsatz gibt es erst ab 2015; der angegebene bleibt "
            "unberücksichtigt");
    }
}

}  // namespace lohnwippe
