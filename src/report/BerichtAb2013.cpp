#include "report/BerichtAb2013.h"

#include <array>
#include <string>
#include <vector>

#include "calc/ErgebniszeilenAb2013.h"
#include "calc/Formate.h"
#include "report/Ausgabe.h"

namespace lohnwippe {

namespace {

std::string JaNein(bool ja) {
    return ja ? "JA" : "NEIN";
}

void KopfDrucken(const BerichtsdatenAb2013& d, const std::string& datum, Ausgabe& aus) {
    const Periode& p = *d.Resultat.Parameter;
    const EingabenAb2013& e = d.Eingabe;
    // The zone was renamed when its upper limit rose in July 2019.
    aus.Kopf(d.Abrechnungsstelle1, d.Abrechnungsstelle2, datum,
             p.VerzichtMoeglich
                 ? "Berechnung der SV-Beiträge in der Gleitzone i.S.v. § 20 SGB IV"
                 : "Berechnung der SV-Beiträge im Übergangsbereich i.S.v. § 20 SGB IV");

    aus.Groesse(12);
    aus.LeereZeile();
    aus.InSpalte(0, "Arbeitnehmer:");
    aus.InSpalte(2, d.Person);
    aus.InSpalte(4, "Berichtsmonat:  " + d.MonatText + ". " + std::to_string(e.Jahr), true);
    aus.LeereZeile();

    aus.InSpalte(0, "Hauptbeschäftigung bei");
    aus.InSpalte(2, d.Arbeitgeber[1]);
    // Only while the waiver existed has the question an answer.
    if (p.VerzichtMoeglich) {
        aus.InSpalte(4, "Gleitzone in RV:");
        aus.InSpalte(5, JaNein(!e.Verzicht));
    }
    aus.LeereZeile();
    aus.InSpalte(0, "1. Mini-Job bei");
    aus.InSpalte(2, d.Arbeitgeber[2]);
    aus.InSpalte(4, "Kinderlos:");
    aus.InSpalte(5, JaNein(e.Kinderlos), true);
    aus.InSpalte(0, "2. Mini-Job bei");
    aus.InSpalte(2, d.Arbeitgeber[3]);
    if (p.Kinderabschlag) {
        aus.InSpalte(4, "Kinder unter 25:");
        aus.InSpalte(5, std::to_string(e.Kinder));
    }
    aus.LeereZeile();
    aus.InSpalte(0, "3. Mini-Job bei");
    aus.InSpalte(2, d.Arbeitgeber[4]);
    aus.InSpalte(4, d.TeilmonatText, true);
    aus.InSpalte(0, "Krankenkasse:");
    aus.InSpalte(2, d.Durchschnitt ? d.Kasse + " (keine Kasse gewählt)" : d.Kasse, true);
    aus.InSpalte(0, Linie83, true);
}

constexpr std::array<const char*, 4> Zweigtexte{"KV", "PV", "RV", "AV"};
constexpr std::array<const char*, 4> Umlagetexte{"KG", "U1", "U2", "U3"};

void EingabenDrucken(const BerichtsdatenAb2013& d, Ausgabe& aus) {
    const EingabenAb2013& e = d.Eingabe;
    aus.InSpalte(1, "Hauptbeschäftig.");
    aus.InSpalte(2, "1. Mini-Job");
    aus.InSpalte(3, "2. Mini-Job");
    aus.InSpalte(4, "3. Mini-Job");
    aus.InSpalte(5, "Summe", true);
    Waehrung summe;
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        const Waehrung entgelt =
            j <= e.Anzahl ? e.Job[static_cast<std::size_t>(j)].Entgelt : Waehrung();
        summe += entgelt;
        aus.InSpalte(j, "EUR " + FormatBetragFeld(entgelt));
    }
    aus.InSpalte(SummenSpalte, "EUR " + FormatBetragFeld(summe), true);

    aus.Fett(false);
    aus.Groesse(8);
    for (const bool umlagen : {false, true}) {
        for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
            const Beschaeftigung& b = e.Job[static_cast<std::size_t>(j)];
            const std::array<bool, 4> an =
                umlagen ? std::array{!b.OhneKrankengeld, b.Umlage[U1], b.Umlage[U2], b.Umlage[U3]}
                        : std::array{b.Zweig[KV], b.Zweig[PV], b.Zweig[RV], b.Zweig[AV]};
            std::string text;
            for (std::size_t k = 0; k < an.size(); ++k) {
                if (an[k]) {
                    text.append(text.empty() ? "" : ", ")
                        .append(umlagen ? Umlagetexte[k] : Zweigtexte[k]);
                }
            }
            aus.InSpalte(j, text);
        }
        if (!umlagen) {
            aus.LeereZeile();
        }
    }
    aus.Groesse(12);
    aus.Fett(true);
    aus.InSpalte(0, Linie83, true);
    aus.Groesse(10);
    aus.Fett(false);
}

void ErgebnisDrucken(const BerichtsdatenAb2013& d, const std::vector<ZeileAb2013>& zeilen,
                     Ausgabe& aus) {
    bool nachSumme = false;
    for (const ZeileAb2013& zeile : zeilen) {
        aus.Schriftart("Courier New");
        aus.LeereZeile();
        if (zeile.Art == Zeilenart::Abschnitt) {
            aus.Abschnitt(zeile.Titel, nachSumme);
            continue;
        }
        aus.Spalte(0);
        const bool summe = zeile.Art == Zeilenart::Summe;
        nachSumme = summe;
        aus.Fett(summe);
        aus.Groesse(summe ? 12 : 10);
        aus.Hervorhebung(summe);
        aus.Text(zeile.Titel);
        for (int c = ErsteSpalte; c <= SummenSpalte; ++c) {
            const auto s = static_cast<std::size_t>(c);
            const bool belegt = c == SummenSpalte || c <= d.Resultat.Anzahl;
            const auto wert = belegt ? zeile.Wert(d.Resultat, s) : std::optional<Waehrung>();
            if (wert) {
                aus.InSpalte(c, (summe ? "" : " ") + FormatBetragFeld(*wert));
            }
        }
    }
    aus.LeereZeile();
}

void FussDrucken(const BerichtsdatenAb2013& d, Ausgabe& aus) {
    const Periode& p = *d.Resultat.Parameter;
    const EingabenAb2013& e = d.Eingabe;
    aus.Schriftart("Times Roman");
    aus.Groesse(10);
    aus.Fett(false);
    aus.Hervorhebung(false);
    aus.InSpalte(0, Linie98, true);

    std::string saetze = "Beitragssätze: KV = " + FormatSatz(p.KV) + " (ohne Krankengeld " +
                         FormatSatz(p.KVErmaessigt) + ")";
    if (p.KVNurAN) {
        saetze.append(" + ").append(FormatSatz(*p.KVNurAN)).append(" nur AN");
    }
    if (d.Resultat.Zusatzbeitrag) {
        saetze.append(", Zusatzbeitrag = ").append(FormatSatz(*d.Resultat.Zusatzbeitrag));
    }
    saetze.append(", PV = ").append(FormatSatz(p.PV));
    saetze.append(", RV = ").append(FormatSatz(p.RV));
    saetze.append(", AV = ").append(FormatSatz(p.AV)).append(".");
    aus.InSpalte(0, saetze, true);
    aus.InSpalte(0,
                 "Faktor F = " + FormatZahl(Waehrung::AusRoh(p.F10000)) + ", Grenzen " +
                     FormatBetrag(p.G) + " / " + FormatBetrag(p.O) + " Euro.",
                 true);
    aus.InSpalte(0,
                 "Umlagesätze: U1 = " + FormatSatz(e.U1Satz) + ", U2 = " + FormatSatz(e.U2Satz) +
                     ", U3 = " + FormatSatz(p.U3) + ".",
                 true);
    if (d.Durchschnitt) {
        aus.InSpalte(0,
                     "„" + d.Kasse +
                         "“ ist keine Krankenkasse, sondern der durchschnittliche "
                         "Zusatzbeitrag des Jahres.",
                     true);
    }
    for (const std::string& hinweis : d.Resultat.Hinweise) {
        aus.InSpalte(0, hinweis, true);
    }
}

}  // namespace

bool BerichtAb2013Drucken(const BerichtsdatenAb2013& d, Druckflaeche& flaeche) {
    const std::string datum = FormatDatum(d.Jahr, d.Monat, d.Tag);
    const auto zeilen = ErgebniszeilenAb2013(*d.Resultat.Parameter, d.Resultat.Zusatzbeitrag);
    Ausgabe aus(flaeche, d.Zeilendrucker);
    KopfDrucken(d, datum, aus);
    EingabenDrucken(d, aus);
    ErgebnisDrucken(d, zeilen, aus);
    FussDrucken(d, aus);
    aus.Beenden();
    return aus.Ok();
}

}  // namespace lohnwippe
