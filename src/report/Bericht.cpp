#include "report/Bericht.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/Formate.h"

namespace lohnwippe {

namespace {

// Column 0 holds the labels, columns 1 to 5 the employments and their total,
// numbered like the columns of `Ergebnis`.
constexpr int AnzahlDruckspalten = 6;
constexpr double ErsteDruckspalte = 700;
constexpr double Spaltenbreite = 1800;

// A page printer draws the rule under a section caption 200 twips up
// against the caption and takes the following empty line back; a line
// printer cannot move up the page.
constexpr double Hochruecken = 200;

const std::string Leer;
const std::string Linie83(83, '_');
const std::string Linie98(98, '_');

// Kinds of the 35 result rows. The total rows stand out in bold, larger
// and with the further font attribute; their amounts drop the leading
// blank, so that the seven wider 12-point characters take about the room of
// eight 10-point ones and the columns still line up.
enum class Zeilenart { Abschnitt, Wert, Summe };

// Where a row's caption or label comes from.
enum class Textquelle {
    Fest,        // the text of the table
    Fenster,     // section caption as the result table shows it
    RVZeile,     // "RV" or "RV voll", after the waiver box
    Zusatzsatz,  // rate of the additional contribution
};

// Which line of `Ergebnis`, or which of the report's own sums, fills a row.
enum class Wertquelle {
    Keine,
    AE,
    AEGekuerzt,
    Gesamtbeitrag,
    GesamtSumme,
    Arbeitgeberanteil,
    AGSumme,
    Umlage,
    AGAufwand,
    Arbeitnehmeranteil,
    Zusatzbeitrag,
    ANSumme,
    ANNetto,
    ANErsparnis,
};

struct Ergebniszeile {
    Zeilenart art;
    Textquelle textquelle;
    std::string_view text;  // for `Textquelle::Fest`
    Wertquelle wertquelle = Wertquelle::Keine;
    // `Zweig` or `Umlageart` of the value, or the index into `Abschnitte`.
    int index = 0;
};

constexpr Ergebniszeile Abschnitt(int fenster) {
    return {Zeilenart::Abschnitt, Textquelle::Fenster, {}, Wertquelle::Keine, fenster};
}
constexpr Ergebniszeile Abschnitt(std::string_view text) {
    return {Zeilenart::Abschnitt, Textquelle::Fest, text};
}
constexpr Ergebniszeile Wert(std::string_view text, Wertquelle quelle, int index = 0) {
    return {Zeilenart::Wert, Textquelle::Fest, text, quelle, index};
}
constexpr Ergebniszeile Summe(std::string_view text, Wertquelle quelle) {
    return {Zeilenart::Summe, Textquelle::Fest, text, quelle};
}

constexpr int AnzahlZeilen = 35;

constexpr std::array<Ergebniszeile, AnzahlZeilen> Zeilen{{
    Abschnitt(0),
    Wert("KV", Wertquelle::AE, KV),
    Wert("PV", Wertquelle::AE, PV),
    Wert("RV", Wertquelle::AE, RV),
    Wert("AV", Wertquelle::AE, AV),
    // Unlike the result table, the report keeps a blank after "(AE)".
    Abschnitt("2. Entgelt Nr. 1 (AE) gekürzt nach der Formel: F x 400 + (2 - F) x (AE - 400)"),
    Wert("KV", Wertquelle::AEGekuerzt, KV),
    Wert("PV", Wertquelle::AEGekuerzt, PV),
    Wert("RV", Wertquelle::AEGekuerzt, RV),
    Wert("AV", Wertquelle::AEGekuerzt, AV),
    Abschnitt(1),
    Wert("KV", Wertquelle::Gesamtbeitrag, KV),
    Wert("PV", Wertquelle::Gesamtbeitrag, PV),
    Wert("RV", Wertquelle::Gesamtbeitrag, RV),
    Wert("AV", Wertquelle::Gesamtbeitrag, AV),
    Wert("Summe", Wertquelle::GesamtSumme),
    Abschnitt(2),
    Wert("KV", Wertquelle::Arbeitgeberanteil, KV),
    Wert("PV", Wertquelle::Arbeitgeberanteil, PV),
    Wert("RV", Wertquelle::Arbeitgeberanteil, RV),
    Wert("AV", Wertquelle::Arbeitgeberanteil, AV),
    Summe("Summe", Wertquelle::AGSumme),
    Wert("Umlage U1", Wertquelle::Umlage, U1),
    Wert("Umlage U2", Wertquelle::Umlage, U2),
    Wert("Umlage U3", Wertquelle::Umlage, U3),
    Summe("AG-Aufwand", Wertquelle::AGAufwand),
    Abschnitt("5. Arbeitnehmeranteil (Nr. 3 minus Nr. 4)"),
    Wert("KV", Wertquelle::Arbeitnehmeranteil, KV),
    Wert("PV", Wertquelle::Arbeitnehmeranteil, PV),
    {Zeilenart::Wert, Textquelle::RVZeile, {}, Wertquelle::Arbeitnehmeranteil, RV},
    Wert("AV", Wertquelle::Arbeitnehmeranteil, AV),
    {Zeilenart::Wert, Textquelle::Zusatzsatz, {}, Wertquelle::Zusatzbeitrag},
    Summe("Summe", Wertquelle::ANSumme),
    Summe("AN-Netto", Wertquelle::ANNetto),
    Wert("AN-Ersparnis", Wertquelle::ANErsparnis),
}};

// The caption that follows a total row (25): it takes back that row's size
// and emphasis itself, since captions set only font and bold.
constexpr int ArbeitnehmerAbschnitt = 26;

// The sums the report forms itself (the remuneration total and rows 25 and
// 34), computed before anything is printed: an arithmetic failure then
// cannot leave half a document in the printer.
struct EigeneZeilen {
    Waehrung entgeltSumme{};
    JeSpalte<Waehrung> agAufwand{};
    JeSpalte<Waehrung> anErsparnis{};
};

EigeneZeilen EigeneZeilenBilden(const Berichtsdaten& daten) {
    const Eingaben& e = daten.Eingabe;
    const Ergebnis& r = daten.Resultat;
    EigeneZeilen z;
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        z.entgeltSumme += e.Entgelt[j];
    }
    for (int c = ErsteSpalte; c <= SummenSpalte; ++c) {
        const Waehrung entgelt = c == SummenSpalte ? z.entgeltSumme : e.Entgelt[c];
        z.agAufwand[c] =
            r.AGSumme[c] + entgelt + r.Umlage[c][U1] + r.Umlage[c][U2] + r.Umlage[c][U3];
        Waehrung anteile;
        for (int b = 0; b < AnzahlZweige; ++b) {
            anteile += r.Arbeitnehmeranteil[c][b];
        }
        z.anErsparnis[c] = r.AGSumme[c] - anteile + r.ZusatzErsparnis[c];
    }
    return z;
}

Waehrung Zeilenwert(const Ergebniszeile& zeile, const Ergebnis& r, const EigeneZeilen& eigene,
                    int c) {
    const auto i = static_cast<std::size_t>(zeile.index);
    switch (zeile.wertquelle) {
        case Wertquelle::AE:
            return r.AE[c][i];
        case Wertquelle::AEGekuerzt:
            return r.AEGekuerzt[c][i];
        case Wertquelle::Gesamtbeitrag:
            return r.Gesamtbeitrag[c][i];
        case Wertquelle::GesamtSumme:
            return r.GesamtSumme[c];
        case Wertquelle::Arbeitgeberanteil:
            return r.Arbeitgeberanteil[c][i];
        case Wertquelle::AGSumme:
            return r.AGSumme[c];
        case Wertquelle::Umlage:
            return r.Umlage[c][i];
        case Wertquelle::AGAufwand:
            return eigene.agAufwand[c];
        case Wertquelle::Arbeitnehmeranteil:
            return r.Arbeitnehmeranteil[c][i];
        case Wertquelle::Zusatzbeitrag:
            return r.Zusatzbeitrag[c];
        case Wertquelle::ANSumme:
            return r.ANSumme[c];
        case Wertquelle::ANNetto:
            return r.ANNetto[c];
        case Wertquelle::ANErsparnis:
            return eigene.anErsparnis[c];
        case Wertquelle::Keine:
            break;
    }
    return {};
}

// The surface with the report's stop rule: after every operation the
// surface is asked whether it failed, and from the first failure on nothing
// more reaches it. The report itself then reads as the plain sequence of
// its lines.
class Ausgabe {
  public:
    Ausgabe(Druckflaeche& flaeche, bool zeilendrucker)
        : flaeche_(flaeche), zeilendrucker_(zeilendrucker) {
        for (int k = 0; k < AnzahlDruckspalten; ++k) {
            druckspalte_[static_cast<std::size_t>(k)] = ErsteDruckspalte + Spaltenbreite * k;
        }
    }

    bool Ok() const { return ok_; }

    void Schriftart(const std::string& name) {
        if (ok_) {
            flaeche_.Schriftart(name);
            Pruefen();
        }
    }
    void Groesse(double punkte) {
        if (ok_) {
            flaeche_.Groesse(punkte);
            Pruefen();
        }
    }
    void Fett(bool an) {
        if (ok_) {
            flaeche_.Fett(an);
            Pruefen();
        }
    }
    void Hervorhebung(bool an) {
        if (ok_) {
            flaeche_.Hervorhebung(an);
            Pruefen();
        }
    }
    void Spalte(int k) {
        if (ok_) {
            flaeche_.XSetzen(druckspalte_[static_cast<std::size_t>(k)]);
            Pruefen();
        }
    }
    void Text(const std::string& text, bool zeilenende = false) {
        if (ok_) {
            flaeche_.Drucken(text, zeilenende);
            Pruefen();
        }
    }
    void InSpalte(int k, const std::string& text, bool zeilenende = false) {
        Spalte(k);
        Text(text, zeilenende);
    }
    void LeereZeile() { Text(Leer, true); }
    void Hoch() {
        if (ok_ && !zeilendrucker_) {
            const double y = flaeche_.Y();
            Pruefen();
            if (ok_) {
                flaeche_.YSetzen(y - Hochruecken);
                Pruefen();
            }
        }
    }
    void Beenden() {
        if (ok_) {
            flaeche_.Beenden();
            Pruefen();
        }
    }

  private:
    void Pruefen() { ok_ = !flaeche_.Gescheitert(); }

    Druckflaeche& flaeche_;
    const bool zeilendrucker_;
    std::array<double, AnzahlDruckspalten> druckspalte_{};
    bool ok_ = true;
};

// One switch of the employments and its text on the switch lines.
struct Schaltertext {
    JeJob<std::int16_t> Eingaben::*schalter;
    const char* text;
};

constexpr std::array<Schaltertext, 4> Zweigtexte{{
    {&Eingaben::KV, "KV,"},
    {&Eingaben::PV, " PV,"},
    {&Eingaben::RV, " RV,"},
    {&Eingaben::AV, " AV"},
}};
constexpr std::array<Schaltertext, 4> Umlagetexte{{
    {&Eingaben::KG, "KG,"},
    {&Eingaben::U1, " U1,"},
    {&Eingaben::U2, " U2,"},
    {&Eingaben::U3, " U3"},
}};

// The texts of the switches that are on, one after the other at the column
// of each employment; the line stays open.
void SchalterDrucken(const Eingaben& e, const std::array<Schaltertext, 4>& texte, Ausgabe& aus) {
    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        aus.Spalte(j);
        for (const Schaltertext& t : texte) {
            if ((e.*t.schalter)[static_cast<std::size_t>(j)] == 1) {
                aus.Text(t.text);
            }
        }
    }
}

void KopfDrucken(const Berichtsdaten& daten, const std::string& datum, Ausgabe& aus) {
    aus.Schriftart("Times new roman");
    aus.Groesse(10);
    aus.Fett(false);
    aus.LeereZeile();
    aus.InSpalte(0, daten.Abrechnungsstelle1);
    aus.InSpalte(4, datum, true);
    aus.InSpalte(0, daten.Abrechnungsstelle2, true);

    aus.Groesse(14);
    aus.Fett(true);
    aus.LeereZeile();
    aus.InSpalte(0, "Berechnung der SV-Beiträge in der Gleitzone i.S.v. § 20 SGB IV", true);

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
    const Waehrung faktor = daten.Eingabe.Teilmonatsfaktor;
    if (faktor == Waehrung::AusGanzzahl(1)) {
        aus.InSpalte(4, daten.TeilmonatText, true);
    } else {
        aus.InSpalte(4, daten.TeilmonatText);
        aus.InSpalte(5, "(" + FormatZahl(faktor) + ")", true);
    }
    aus.InSpalte(0, Linie83, true);
}

void EingabenDrucken(const Berichtsdaten& daten, const EigeneZeilen& eigene, Ausgabe& aus) {
    const Eingaben& e = daten.Eingabe;
    aus.InSpalte(1, "Hauptbeschäftig.");
    aus.InSpalte(2, "1. Mini-Job");
    aus.InSpalte(3, "2. Mini-Job");
    aus.InSpalte(4, "3. Mini-Job");
    aus.InSpalte(5, "Summe", true);

    for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
        aus.InSpalte(j, "EUR " + FormatBetragFeld(e.Entgelt[j]));
    }
    aus.InSpalte(SummenSpalte, "EUR " + FormatBetragFeld(eigene.entgeltSumme), true);

    // Each switch brings its own separator, so a column whose first switch
    // is off begins with a blank; the form has always looked so.
    aus.Fett(false);
    aus.Groesse(8);
    SchalterDrucken(e, Zweigtexte, aus);
    aus.LeereZeile();
    SchalterDrucken(e, Umlagetexte, aus);
    // No line end here: the rule below underlines the levy line in place.
    aus.Groesse(12);
    aus.Fett(true);
    aus.InSpalte(0, Linie83, true);
    aus.Groesse(10);
    aus.Fett(false);
}

void ErgebnisDrucken(const Berichtsdaten& daten, const EigeneZeilen& eigene,
                     const std::string& zusatzText, Ausgabe& aus) {
    for (int r = 0; r < AnzahlZeilen; ++r) {
        const Ergebniszeile& zeile = Zeilen[static_cast<std::size_t>(r)];
        // Labels and amounts in a fixed-pitch font, so the amount fields
        // line up from row to row.
        aus.Schriftart("Courier New");
        aus.LeereZeile();

        if (zeile.art == Zeilenart::Abschnitt) {
            aus.LeereZeile();
            aus.Spalte(1);
            if (r == ArbeitnehmerAbschnitt) {
                aus.Groesse(10);
                aus.Hervorhebung(false);
            }
            aus.Schriftart("Times Roman");
            aus.Fett(true);
            if (zeile.textquelle == Textquelle::Fenster) {
                aus.Text(daten.Abschnitte[static_cast<std::size_t>(zeile.index)], true);
            } else {
                aus.Text(std::string(zeile.text), true);
            }
            aus.Fett(false);
            aus.Hoch();
            aus.InSpalte(0, Linie98, true);
            aus.LeereZeile();
            aus.Hoch();
            continue;
        }

        aus.Spalte(0);
        const bool summe = zeile.art == Zeilenart::Summe;
        aus.Fett(summe);
        aus.Groesse(summe ? 12 : 10);
        aus.Hervorhebung(summe);
        switch (zeile.textquelle) {
            case Textquelle::RVZeile:
                aus.Text(daten.RVBefreiungAngehakt ? "RV voll" : "RV");
                break;
            case Textquelle::Zusatzsatz:
                aus.Text(zusatzText);
                break;
            default:
                aus.Text(std::string(zeile.text));
                break;
        }
        const std::string_view vorsatz = summe ? "" : " ";
        for (int c = ErsteSpalte; c <= SummenSpalte; ++c) {
            std::string betrag(vorsatz);
            betrag += FormatBetragFeld(Zeilenwert(zeile, daten.Resultat, eigene, c));
            aus.InSpalte(c, betrag);
        }
        // The assessment bases are marked as such after their total.
        if (zeile.wertquelle == Wertquelle::AE) {
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
    aus.Text(FormatZahl(e.PVSatz));
    aus.Text(" %, RV = ");
    aus.Text(FormatZahl(e.RVSatz));
    aus.Text(" %, AV = ");
    aus.Text(FormatZahl(e.AVSatz));
    aus.Text(" %.  Faktor F = ");
    aus.Text(FormatZahl(e.FaktorF), true);

    aus.InSpalte(0, "Umlagesätze: U1 = ");
    aus.Text(FormatZahl(daten.U1Prozent));
    aus.Text(" %, U2 = ");
    aus.Text(FormatZahl(daten.U2Prozent));
    aus.Text(" %, U3 = ");
    aus.Text(FormatZahl(daten.U3Prozent), true);

    if (e.RVVerzicht == 1) {
        aus.InSpalte(
            0, "In der Rentenversicherung wurde auf die Anwendung der Gleitzone verzichtet.", true);
    }
}

}  // namespace

bool BerichtDrucken(const Berichtsdaten& daten, Druckflaeche& flaeche) {
    // Texts that can refuse their input are formed first, so that nothing
    // reaches the printer when one of them throws.
    const std::string datum = FormatDatum(daten.Jahr, daten.Monat, daten.Tag);
    const std::string zusatzText =
        FormatDezimal(Waehrung::AusDoubleHalbGerade(daten.Resultat.Zusatzsatz * 100), 2) +
        "% Zusatzb.";
    const EigeneZeilen eigene = EigeneZeilenBilden(daten);

    Ausgabe aus(flaeche, daten.Zeilendrucker == 1);
    KopfDrucken(daten, datum, aus);
    EingabenDrucken(daten, eigene, aus);
    ErgebnisDrucken(daten, eigene, zusatzText, aus);
    FussDrucken(daten, aus);
    aus.Beenden();
    return aus.Ok();
}

}  // namespace lohnwippe
