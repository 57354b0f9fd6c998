#include "report/Bericht.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/Ergebniszeilen.h"
#include "calc/Formate.h"
#include "report/Ausgabe.h"

namespace lohnwippe {

namespace {

// The section caption after the employer's cost (row 25, a total row).
constexpr int ArbeitnehmerAbschnitt = 26;

// The switches of the two switch lines, each with its own separator, so
// that a column whose first switch is off begins with a blank; the form has
// always looked so.
constexpr std::array<const char*, 4> Zweigtexte{"KV,", " PV,", " RV,", " AV"};
constexpr std::array<const char*, 4> Umlagetexte{"KG,", " U1,", " U2,", " U3"};

void SchalterDrucken(const std::array<Schalter, 4>& schalter,
                     const std::array<const char*, 4>& texte, Ausgabe& aus) {
    for (std::size_t k = 0; k < texte.size(); ++k) {
        if (Ein(schalter[k])) {
            aus.Text(texte[k]);
        }
    }
}

// Branch switches KV, PV, RV, AV, or sick pay and levies KG, U1, U2, U3, at
// the column of each employment; the line stays open.
void SchalterzeileDrucken(const Eingaben& e, bool umlagen, Ausgabe& aus) {
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        aus.Spalte(j);
        const auto& z = e.Zweige[j];
        const auto& u = e.Umlagen[j];
        SchalterDrucken(umlagen ? std::array{e.KG[j], u[U1], u[U2], u[U3]}
                                : std::array{z[KV], z[PV], z[RV], z[AV]},
                        umlagen ? Umlagetexte : Zweigtexte, aus);
    }
}

void KopfDrucken(const Berichtsdaten& daten, const std::string& datum, Ausgabe& aus) {
    aus.Kopf(daten.Abrechnungsstelle1, daten.Abrechnungsstelle2, datum,
             "Berechnung der SV-Beiträge in der Gleitzone i.S.v. § 20 SGB IV");

    aus.Groesse(12);
    aus.LeereZeile();
    aus.InSpalte(0, "Arbeitnehmer:");
    aus.InSpalte(2, daten.Person);
    aus.InSpalte(4, "Berichtsmonat:  " + daten.MonatText + ". " + daten.JahrText, true);
    aus.LeereZeile();

    // A declared waiver means the zone was not applied in pension
    // insurance, as the footer note says; the header must not contradict it.
    aus.InSpalte(0, "Hauptbeschäftigung bei");
    aus.InSpalte(2, daten.Arbeitgeber[1]);
    aus.InSpalte(4, "Gleitzone in RV:");
    aus.InSpalte(5, daten.RVVerzichtImSatz == 1 ? "NEIN" : "JA", true);

    aus.InSpalte(0, "1. Mini-Job bei");
    aus.InSpalte(2, daten.Arbeitgeber[2]);
    aus.InSpalte(4, "Kinderlos:");
    aus.InSpalte(5, daten.KinderlosImSatz == 1 ? "JA" : "NEIN", true);

    // "Mini.Job" with a full stop: the form has always read so, and users
    // compare new printouts with old ones.
    aus.InSpalte(0, "2. Mini.Job bei");
    aus.InSpalte(2, daten.Arbeitgeber[3]);
    aus.InSpalte(4, daten.Kasse, true);

    aus.InSpalte(0, "3. Mini-Job bei");
    aus.InSpalte(2, daten.Arbeitgeber[4]);
    const Waehrung faktor = daten.Resultat.Teilmonatsfaktor;
    if (faktor == Waehrung::AusGanzzahl(1)) {
        aus.InSpalte(4, daten.TeilmonatText, true);
    } else {
        aus.InSpalte(4, daten.TeilmonatText);
        aus.InSpalte(5, "(" + FormatZahl(faktor) + ")", true);
    }
    aus.InSpalte(0, Linie83, true);
}

void EingabenDrucken(const Berichtsdaten& daten, Ausgabe& aus) {
    const Eingaben& e = daten.Eingabe;
    aus.InSpalte(1, "Hauptbeschäftig.");
    aus.InSpalte(2, "1. Mini-Job");
    aus.InSpalte(3, "2. Mini-Job");
    aus.InSpalte(4, "3. Mini-Job");
    aus.InSpalte(5, "Summe", true);

    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        aus.InSpalte(j, "EUR " + FormatBetragFeld(e.Entgelt[j]));
    }
    aus.InSpalte(SummenSpalte, "EUR " + FormatBetragFeld(daten.Resultat.EntgeltSumme), true);

    aus.Fett(false);
    aus.Groesse(8);
    SchalterzeileDrucken(e, false, aus);
    aus.LeereZeile();
    SchalterzeileDrucken(e, true, aus);
    // No line end here: the rule below underlines the levy line in place.
    aus.Groesse(12);
    aus.Fett(true);
    aus.InSpalte(0, Linie83, true);
    aus.Groesse(10);
    aus.Fett(false);
}

// Rows are labelled first, so that no text can fail half-way through the
// document.
using Zeilentitel35 = std::array<std::string, AnzahlErgebniszeilen>;

Zeilentitel35 ZeilentitelBilden(const Berichtsdaten& daten) {
    Zeilentitel35 titel;
    for (int r = 0; r < AnzahlErgebniszeilen; ++r) {
        titel[static_cast<std::size_t>(r)] =
            Zeilentitel(r, daten.Resultat, true, daten.RVBefreiungAngehakt);
    }
    return titel;
}

void ErgebnisDrucken(const Berichtsdaten& daten, const Zeilentitel35& titel, Ausgabe& aus) {
    for (int r = 0; r < AnzahlErgebniszeilen; ++r) {
        const Ergebniszeile& zeile = Ergebniszeilen[static_cast<std::size_t>(r)];
        const std::string& text = titel[static_cast<std::size_t>(r)];
        // Labels and amounts in a fixed-pitch font, so the amount fields
        // line up from row to row.
        aus.Schriftart("Courier New");
        aus.LeereZeile();

        if (zeile.Art == Zeilenart::Abschnitt) {
            // The caption after the employer's cost follows a total row.
            aus.Abschnitt(text, r == ArbeitnehmerAbschnitt);
            continue;
        }

        // The total rows stand out in bold, larger and with the further font
        // attribute; their amounts drop the leading blank, so that the seven
        // wider 12-point characters take about the room of eight 10-point
        // ones and the columns still line up.
        aus.Spalte(0);
        const bool summe = zeile.Art == Zeilenart::Summe;
        aus.Fett(summe);
        aus.Groesse(summe ? 12 : 10);
        aus.Hervorhebung(summe);
        aus.Text(text);
        const std::string_view vorsatz = summe ? "" : " ";
        for (int c = ErsteSpalte; c <= SummenSpalte; ++c) {
            std::string betrag(vorsatz);
            betrag += FormatBetragFeld(zeile.Wert(daten.Resultat, static_cast<std::size_t>(c)));
            aus.InSpalte(c, betrag);
        }
        // The assessment bases are marked as such after their total.
        if (zeile.Linie == "AE") {
            aus.Text(" (AE)");
        }
    }
    aus.LeereZeile();
}

void FussDrucken(const Berichtsdaten& daten, Ausgabe& aus) {
    const Eingaben& e = daten.Eingabe;
    aus.Schriftart("Times Roman");
    aus.Groesse(10);
    aus.Fett(false);
    aus.Hervorhebung(false);
    aus.InSpalte(0, Linie98, true);

    // One KV rate is named, that of the third mini-job's column; the
    // columns' rates differ only by the sick-pay entitlement.
    aus.InSpalte(0, "Beitragssätze: KV = ");
    aus.Text(FormatZahl(e.KVSatz[LetzterJob]));
    aus.Text(" %, PV = ");
    aus.Text(FormatZahl(e.Jahressatz[PV]));
    aus.Text(" %, RV = ");
    aus.Text(FormatZahl(e.Jahressatz[RV]));
    aus.Text(" %, AV = ");
    aus.Text(FormatZahl(e.Jahressatz[AV]));
    aus.Text(" %.  Faktor F = ");
    aus.Text(FormatZahl(e.FaktorF), true);

    aus.InSpalte(0, "Umlagesätze: U1 = ");
    aus.Text(FormatZahl(daten.U1Prozent));
    aus.Text(" %, U2 = ");
    aus.Text(FormatZahl(daten.U2Prozent));
    aus.Text(" %, U3 = ");
    aus.Text(FormatZahl(daten.U3Prozent), true);

    if (e.RVVerzicht) {
        aus.InSpalte(
            0, "In der Rentenversicherung wurde auf die Anwendung der Gleitzone verzichtet.", true);
    }
}

}  // namespace

bool BerichtDrucken(const Berichtsdaten& daten, Druckflaeche& flaeche) {
    // Texts that can refuse their input are formed first, so that nothing
    // reaches the printer when one of them throws.
    const std::string datum = FormatDatum(daten.Jahr, daten.Monat, daten.Tag);
    const Zeilentitel35 titel = ZeilentitelBilden(daten);

    Ausgabe aus(flaeche, daten.Zeilendrucker == 1);
    KopfDrucken(daten, datum, aus);
    EingabenDrucken(daten, aus);
    ErgebnisDrucken(daten, titel, aus);
    FussDrucken(daten, aus);
    aus.Beenden();
    return aus.Ok();
}

}  // namespace lohnwippe
