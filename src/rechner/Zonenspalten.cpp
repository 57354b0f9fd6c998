#include "rechner/Zonenspalten.h"

#include <array>

#include "rechner/Referenztext.h"

namespace lohnwippe::rechner {

namespace {

using Wert = std::optional<Waehrung>;

// The cells of a group in one call: a row from 2013 has some two hundred
// of them, and a call for each was a good part of writing it.
using Schreiber = void (*)(Zeilenschreiber&, const EingabenAb2013&, const ErgebnisAb2013&);

struct Zonenspalte {
    Zonenbeschreibung Beschreibung;
    Schreiber Schreiben = nullptr;
};

constexpr std::array<const char*, AnzahlZweige> ZweigNamen{"KV", "PV", "RV", "AV"};
constexpr std::array<const char*, AnzahlLinien> LinienNamen{"KV", "ZB", "PV", "RV", "AV"};
constexpr std::array<const char*, AnzahlUmlagen> UmlageNamen{"U1", "U2", "U3"};

void BetragOderLeer(Zeilenschreiber& zeile, const Wert& wert) {
    if (wert) {
        zeile.Betrag(*wert, 2);
    } else {
        zeile.Leer();
    }
}

template <Zweig b>
Wert BE(const SpalteAb2013& s) {
    return s.BE[b];
}
template <Zweig b>
Wert BEAN(const SpalteAb2013& s) {
    return s.BEAN[b];
}
template <Linie l, Waehrung Beitrag::*teil>
Wert Anteil(const SpalteAb2013& s) {
    const auto& linie = s.Linie[static_cast<std::size_t>(l)];
    return linie ? Wert(*linie.*teil) : std::nullopt;
}
template <Umlageart u>
Wert Umlage(const SpalteAb2013& s) {
    return s.Umlage[u];
}
template <auto feld>
Wert Feld(const SpalteAb2013& s) {
    return Wert(s.*feld);
}
template <Waehrung Beitrag::*teil>
Wert Summe(const SpalteAb2013& s) {
    return s.Summe.*teil;
}

void Status(Zeilenschreiber& zeile, const ZweigAb2013& zweig) {
    zeile.Text(ZonenstatusText(zweig.Status));
}

template <std::optional<Waehrung> ZweigAb2013::*feld>
void ZweigBetrag(Zeilenschreiber& zeile, const ZweigAb2013& z) {
    BetragOderLeer(zeile, z.*feld);
}

template <Wert (*wert)(const SpalteAb2013&)>
void JeSpalteSchreiben(Zeilenschreiber& zeile, const EingabenAb2013& /*eingaben*/,
                       const ErgebnisAb2013& e) {
    for (int j = ErsteSpalte; j <= SummenSpalte; ++j) {
        // Employments behind the last one entered were not calculated.
        if (j == SummenSpalte || j <= e.Anzahl) {
            BetragOderLeer(zeile, wert(e.Spalte[static_cast<std::size_t>(j)]));
        } else {
            zeile.Leer();
        }
    }
}

// Gesamt, AG and AN of a line.
template <Linie l>
std::array<Schreiber, 3> Anteile() {
    return {&JeSpalteSchreiben<&Anteil<l, &Beitrag::Gesamt>>,
            &JeSpalteSchreiben<&Anteil<l, &Beitrag::AG>>,
            &JeSpalteSchreiben<&Anteil<l, &Beitrag::AN>>};
}

template <void (*schreiben)(Zeilenschreiber&, const ZweigAb2013&)>
void JeZweigSchreiben(Zeilenschreiber& zeile, const EingabenAb2013& /*eingaben*/,
                      const ErgebnisAb2013& e) {
    for (const Zweig b : Zweige) {
        schreiben(zeile, e.Zweig[b]);
    }
}

void SatzOderLeer(Zeilenschreiber& zeile, const std::optional<Satz>& satz) {
    if (satz) {
        zeile.Dezimal(SatzAlsZahl(*satz), 3);
    } else {
        zeile.Leer();
    }
}

const char* const AbJahr = "ab 2013";

std::vector<Zonenspalte> Tabelle() {
    using A = Zonenart;
    std::vector<Zonenspalte> t;
    const auto jeSpalte = [&t](std::string name, const char* zeitraum, const char* bedeutung,
                               Schreiber schreiben) {
        t.push_back({{std::move(name), A::JeSpalte, zeitraum, bedeutung}, schreiben});
    };
    jeSpalte("AE", AbJahr, "Arbeitsentgelt des eingegebenen Zeitraums",
             &JeSpalteSchreiben<&Feld<&SpalteAb2013::AE>>);
    const std::array<Schreiber, AnzahlZweige> be{
        &JeSpalteSchreiben<&BE<KV>>, &JeSpalteSchreiben<&BE<PV>>, &JeSpalteSchreiben<&BE<RV>>,
        &JeSpalteSchreiben<&BE<AV>>};
    const std::array<Schreiber, AnzahlZweige> bean{
        &JeSpalteSchreiben<&BEAN<KV>>, &JeSpalteSchreiben<&BEAN<PV>>, &JeSpalteSchreiben<&BEAN<RV>>,
        &JeSpalteSchreiben<&BEAN<AV>>};
    for (const Zweig b : Zweige) {
        jeSpalte(std::string("BE_") + ZweigNamen[b], AbJahr,
                 "beitragspflichtige Einnahme im Zweig: in der Zone die verminderte nach der "
                 "Formel mit F, sonst das Entgelt; leer, wenn der Zweig aus ist",
                 be[b]);
    }
    for (const Zweig b : Zweige) {
        jeSpalte(std::string("BE_AN_") + ZweigNamen[b], "ab 10/2022, nur in der Zone",
                 "beitragspflichtige Einnahme für den Arbeitnehmeranteil", bean[b]);
    }
    const std::array<std::array<Schreiber, 3>, AnzahlLinien> anteile{{
        Anteile<LKV>(),
        Anteile<LZB>(),
        Anteile<LPV>(),
        Anteile<LRV>(),
        Anteile<LAV>(),
    }};
    const std::array<const char*, AnzahlLinien> linienZeitraum{AbJahr, "ab 2015", AbJahr, AbJahr,
                                                               AbJahr};
    const std::array<const char*, AnzahlLinien> linienText{
        "KV-Beitrag zum Satz 14,6 (ohne Krankengeld 14,0), 2013–2014 mit dem Anteil von 0,9 "
        "Prozent, den der Arbeitnehmer allein trägt",
        "Zusatzbeitrag der Kasse (2015–2018 trägt ihn der Arbeitnehmer allein)",
        "PV-Beitrag mit Zuschlag für Kinderlose und nach Abschlag für Kinder", "RV-Beitrag",
        "AV-Beitrag"};
    const std::array<std::pair<const char*, const char*>, 3> teile{{{"_Gesamt", "Gesamtbeitrag"},
                                                                    {"_AG", "Arbeitgeberanteil"},
                                                                    {"_AN", "Arbeitnehmeranteil"}}};
    for (std::size_t l = 0; l < AnzahlLinien; ++l) {
        for (std::size_t i = 0; i < teile.size(); ++i) {
            jeSpalte(LinienNamen[l] + std::string(teile[i].first), linienZeitraum[l],
                     i == 0 ? linienText[l] : teile[i].second, anteile[l][i]);
        }
    }
    jeSpalte("KV_NurAN", "2013–2014",
             "Anteil von 0,9 Prozent, den der Arbeitnehmer allein trägt (in KV enthalten)",
             &JeSpalteSchreiben<&Feld<&SpalteAb2013::KVNurAN>>);
    jeSpalte("PV_Zuschlag", AbJahr, "Beitragszuschlag für Kinderlose (in PV enthalten)",
             &JeSpalteSchreiben<&Feld<&SpalteAb2013::PVZuschlag>>);
    jeSpalte("PV_Abschlag", "ab 07/2023", "Beitragsabschlag für Kinder (von PV abgezogen)",
             &JeSpalteSchreiben<&Feld<&SpalteAb2013::PVAbschlag>>);
    const std::array<Schreiber, AnzahlUmlagen> umlage{&JeSpalteSchreiben<&Umlage<U1>>,
                                                      &JeSpalteSchreiben<&Umlage<U2>>,
                                                      &JeSpalteSchreiben<&Umlage<U3>>};
    for (const Umlageart u : Umlagearten) {
        jeSpalte(std::string(UmlageNamen[u]) + "_Betrag", AbJahr,
                 "Umlage des Arbeitgebers auf die Bemessungsgrundlage der RV (0, wenn RV aus ist)",
                 umlage[u]);
    }
    jeSpalte("Umlagen", AbJahr, "U1 + U2 + U3", &JeSpalteSchreiben<&Feld<&SpalteAb2013::Umlagen>>);
    jeSpalte("Summe_Gesamt", AbJahr, "Summe der Gesamtbeiträge",
             &JeSpalteSchreiben<&Summe<&Beitrag::Gesamt>>);
    jeSpalte("Summe_AG", AbJahr, "Summe der Arbeitgeberanteile",
             &JeSpalteSchreiben<&Summe<&Beitrag::AG>>);
    jeSpalte("Summe_AN", AbJahr, "Summe der Arbeitnehmeranteile",
             &JeSpalteSchreiben<&Summe<&Beitrag::AN>>);
    jeSpalte("AG_Gesamtkosten", AbJahr, "Entgelt + Arbeitgeberanteile + Umlagen",
             &JeSpalteSchreiben<&Feld<&SpalteAb2013::AGAufwand>>);
    jeSpalte("Netto", AbJahr, "Entgelt − Arbeitnehmeranteile (nur Sozialversicherung)",
             &JeSpalteSchreiben<&Feld<&SpalteAb2013::Netto>>);

    const auto jeZweig = [&t](const char* name, const char* zeitraum, const char* bedeutung,
                              Schreiber schreiben) {
        t.push_back({{name, A::JeZweig, zeitraum, bedeutung}, schreiben});
    };
    jeZweig("Status", AbJahr,
            "Zone (Übergangsbereich), unter (bis zur Geringfügigkeitsgrenze), über (über der "
            "Obergrenze), Verzicht (RV bis 06/2019) oder keiner (kein Entgelt im Zweig)",
            &JeZweigSchreiben<&Status>);
    jeZweig("BE_Monat", "ab 2013, nur in der Zone",
            "verminderte Einnahme aller Beschäftigungen des Zweigs für den vollen Monat",
            &JeZweigSchreiben<&ZweigBetrag<&ZweigAb2013::BEMonat>>);
    jeZweig("BE_Zeitraum", "ab 2013, nur in der Zone", "dieselbe für die SV-Tage des Zeitraums",
            &JeZweigSchreiben<&ZweigBetrag<&ZweigAb2013::BEZeitraum>>);
    jeZweig("BE_AN_Monat", "ab 10/2022, nur in der Zone",
            "Einnahme für den Arbeitnehmeranteil, voller Monat",
            &JeZweigSchreiben<&ZweigBetrag<&ZweigAb2013::BEANMonat>>);
    jeZweig("BE_AN_Zeitraum", "ab 10/2022, nur in der Zone",
            "dieselbe für die SV-Tage des Zeitraums",
            &JeZweigSchreiben<&ZweigBetrag<&ZweigAb2013::BEANZeitraum>>);

    const auto einzeln = [&t](const char* name, const char* zeitraum, const char* bedeutung,
                              Schreiber schreiben) {
        t.push_back({{name, A::Einzeln, zeitraum, bedeutung}, schreiben});
    };
    einzeln("SV_Tage", AbJahr, "SV-Tage des Zeitraums (30 im vollen Monat)",
            [](Zeilenschreiber& z, const EingabenAb2013& ein, const ErgebnisAb2013&) {
                z.Ganzzahl(ein.Tage);
            });
    einzeln("Grenze_G", AbJahr,
            "Geringfügigkeitsgrenze des Monats; die Zone beginnt 0,01 € darüber",
            [](Zeilenschreiber& z, const EingabenAb2013&, const ErgebnisAb2013& e) {
                z.Betrag(e.Parameter->G, 2);
            });
    einzeln("Grenze_O", AbJahr, "Obergrenze der Zone im Monat",
            [](Zeilenschreiber& z, const EingabenAb2013&, const ErgebnisAb2013& e) {
                z.Betrag(e.Parameter->O, 2);
            });
    einzeln("Satz_Zuschlag", AbJahr, "Satz des Zuschlags für Kinderlose in Prozent",
            [](Zeilenschreiber& z, const EingabenAb2013&, const ErgebnisAb2013& e) {
                z.Dezimal(SatzAlsZahl(e.Parameter->Kinderlos), 3);
            });
    einzeln("Satz_Abschlag", "ab 07/2023", "Satz des Abschlags für die Kinder in Prozent",
            [](Zeilenschreiber& z, const EingabenAb2013&, const ErgebnisAb2013& e) {
                SatzOderLeer(z, e.Parameter->Kinderabschlag ? std::optional(e.Kinderabschlag)
                                                            : std::nullopt);
            });
    return t;
}

const std::vector<Zonenspalte>& Spalten() {
    static const std::vector<Zonenspalte> tabelle = Tabelle();
    return tabelle;
}

}  // namespace

// The four input columns only rows from 2013 may fill.
void ZoneneingabenReferenz(std::string& text) {
    // A percentage cell of a sheet holds the fraction (2,9 % is 0,029); it
    // counts with what it shows.
    const std::string nurAb =
        "; auch mit Prozentzeichen (`2,9 %`), in Tabellendateien auch als Zelle im "
        "Prozentformat; nur ab 2013, in Zeilen bis 2012 leer";
    Tabellenzeile(text,
                  {Code("Zusatzbeitrag"),
                   "Zusatzbeitragssatz der Kasse in Prozent, höchstens drei "
                   "Nachkommastellen (" +
                       Code("1,3") + ", " + Code("2,945") + "); 2013–2014 ohne Wirkung" + nurAb,
                   "der durchschnittliche Zusatzbeitrag des Jahres"});
    for (const char* u : {"U1", "U2"}) {
        Tabellenzeile(text, {Code(std::string(u) + "_Satz"),
                             "Umlagesatz " + std::string(u) +
                                 " der Kasse in Prozent, höchstens drei Nachkommastellen" + nurAb,
                             "0"});
    }
    Tabellenzeile(text, {Code("Kinder"),
                         "Zahl der Kinder unter 25 Jahren, ab 07/2023 mindert sie die PV; mit " +
                             Code("Kinderlos") + " an nur 0; nur ab 2013, in Zeilen bis 2012 leer",
                         "0"});
}

// The result columns of the months from 2013.
void ZonenergebnisReferenz(std::string& text) {
    text +=
        "\nAb 2013 (nur in Zeilen ab 2013, in Zeilen bis 2012 leer; eine Zahl, die es im "
        "Monat, im Zweig oder bei der Beschäftigung nicht gibt, ist eine leere Zelle):\n\n"
        "| Spalte | Zeitraum | Inhalt |\n|---|---|---|\n";
    for (const Zonenbeschreibung& s : Zonenbeschreibungen()) {
        std::string namen;
        switch (s.Art) {
            case Zonenart::JeSpalte:
                namen = Gruppe(s.Name) + ", " + Code(s.Name + "_Summe");
                break;
            case Zonenart::JeZweig:
                namen = Code(s.Name + "_KV") + " … " + Code(s.Name + "_AV");
                break;
            case Zonenart::Einzeln:
                namen = Code(s.Name);
                break;
        }
        Tabellenzeile(text, {namen, s.Zeitraum, s.Bedeutung});
    }
}

Waehrung SatzAlsZahl(Satz satz) {
    return satz.Prozent();
}

const std::vector<Zonenbeschreibung>& Zonenbeschreibungen() {
    static const std::vector<Zonenbeschreibung> beschreibungen = [] {
        std::vector<Zonenbeschreibung> b;
        for (const Zonenspalte& s : Spalten()) {
            b.push_back(s.Beschreibung);
        }
        return b;
    }();
    return beschreibungen;
}

std::vector<std::string> Zonenspalten() {
    std::vector<std::string> namen;
    for (const Zonenbeschreibung& s : Zonenbeschreibungen()) {
        switch (s.Art) {
            case Zonenart::JeSpalte:
                for (int j = ErsteSpalte; j <= LetzterJob; ++j) {
                    namen.push_back(s.Name + "_" + std::to_string(j));
                }
                namen.push_back(s.Name + "_Summe");
                break;
            case Zonenart::JeZweig:
                for (const char* zweig : ZweigNamen) {
                    namen.push_back(s.Name + "_" + zweig);
                }
                break;
            case Zonenart::Einzeln:
                namen.push_back(s.Name);
                break;
        }
    }
    return namen;
}

void ZonenfelderSchreiben(Zeilenschreiber& zeile, const EingabenAb2013* eingaben,
                          const ErgebnisAb2013* ergebnis) {
    static const std::size_t anzahl = Zonenspalten().size();
    if (eingaben == nullptr || ergebnis == nullptr) {
        zeile.Leer(anzahl);
        return;
    }
    for (const Zonenspalte& s : Spalten()) {
        s.Schreiben(zeile, *eingaben, *ergebnis);
    }
}

}  // namespace lohnwippe::rechner
