#include "rechner/Spalten.h"

#include <array>
#include <set>

#include "calc/Ergebniszeilen.h"
#include "calc/Perioden.h"
#include "calc/Teilmonat.h"
#include "calc/Zeichen.h"
#include "rechner/Referenztext.h"
#include "rechner/Zonenspalten.h"
#include "store/Fallsatz.h"
#include "store/Umlagesatz.h"

namespace lohnwippe::rechner {

namespace {

// The eight switches of one employment, in column order, with what the
// reference says of them.
struct Schalterart {
    const char* Name;
    Feldart Art;
    int Stelle;
    const char* Bedeutung;
};
constexpr std::array<Schalterart, 8> Schalterarten{{
    {"KV", Feldart::Zweig, KV, "Krankenversicherung"},
    {"PV", Feldart::Zweig, PV, "Pflegeversicherung"},
    {"RV", Feldart::Zweig, RV, "Rentenversicherung"},
    {"AV", Feldart::Zweig, AV, "Arbeitslosenversicherung"},
    {"KG", Feldart::Umlage, KGStelle,
     "Anspruch auf Krankengeld (ohne ihn ist der KV-Satz 0,6 Punkte niedriger)"},
    {"U1", Feldart::Umlage, U1, "Umlage U1"},
    {"U2", Feldart::Umlage, U2, "Umlage U2"},
    {"U3", Feldart::Umlage, U3, "Umlage U3"},
}};

struct Allgemeiner {
    const char* Name;
    const char* Bedeutung;
};
constexpr std::array<Allgemeiner, 3> Allgemeine{{
    {"RV-Verzicht",
     "„Verzicht auf Gleitzone in RV“: 1 oder WAHR an, 0 oder FALSCH aus, 2 grau (zählt wie "
     "an); ab 07/2019 ohne Wirkung, mit Hinweis in „Warnung“"},
    {"Sachsen",
     "Beschäftigungsort in Sachsen: 1 oder WAHR an, 0 oder FALSCH aus, 2 grau (zählt wie an)"},
    {"Kinderlos", "kinderlos: 1 oder WAHR an, 0 oder FALSCH aus, 2 grau (zählt wie aus)"},
}};

constexpr std::array<const char*, 5> Spaltenendungen{"_1", "_2", "_3", "_4", "_Summe"};

const char* const Genau = "_genau";

// Columns outside the result table; `JeJob` stands for four columns _1 .. _4.
struct Zusatzspalte {
    const char* Name;
    bool JeJob;
    const char* Bedeutung;
};

// Behind the results, in the order ErgebnisfelderSchreiben writes them.
constexpr std::array<Zusatzspalte, 12> Zusatzspalten{{
    {"Teilmonatsfaktor", false,
     "Faktor, der ein Teilmonatsentgelt auf einen vollen Monat hochrechnet (1 im vollen Monat, "
     "4,348 für eine Woche); ab 2013 leer"},
    {"Zusatzsatz", false,
     "Zusatzbeitrag des Arbeitnehmers in Prozent: 0,90, kinderlos 1,15; ab 2013 leer"},
    {"Satz_KV", false,
     "allgemeiner KV-Satz der Kasse in Prozent, wie das Fenster ihn zeigt; ab 2013 der "
     "allgemeine Satz 14,60 ohne Zusatzbeitrag (2013–2014 ohne die 0,9 des Arbeitnehmers)"},
    {"Satz_KV", true, "KV-Satz der Beschäftigung: ohne Krankengeld 0,6 Punkte weniger"},
    {"Satz_PV", false, "PV-Satz des Jahres in Prozent (ab 2013 des Monats)"},
    {"Satz_RV", false, "RV-Satz des Jahres in Prozent"},
    {"Satz_AV", false, "AV-Satz des Jahres in Prozent"},
    {"Satz_U1", false, "Umlagesatz U1 der Kasse im Monat in Prozent (ab 2013 aus U1_Satz)"},
    {"Satz_U2", false, "Umlagesatz U2 der Kasse im Monat in Prozent (ab 2013 aus U2_Satz)"},
    {"Satz_U3", false, "Umlagesatz U3 im Monat in Prozent"},
    {"Faktor_F", false, "Faktor F der Gleitzonenformel im Jahr (ab 10/2022 im Zeitraum)"},
    {"Warnung", false,
     "bis 2012: 1, wenn das Fenster den Hinweis „Das Entgelt liegt außerhalb der Gleitzone“ "
     "zeigt, sonst 0; ab 2013 die Warnungen und Hinweise der Rechnung als Text, durch „; “ "
     "getrennt, leer, wenn es keine gibt"},
}};

// Before and behind the columns of `rechnen` in the export.
constexpr std::array<Zusatzspalte, 4> Exportvorspann{{
    {"Fall_Nr", false, "Nummer des Falls in SV.dat (1 bis 480), ab 2013 in SVab2013.dat"},
    {"Person_Nr", false, "Nummer der Person in der Personenliste (1 bis 10)"},
    {"Person", false, "Name der Person"},
    {"Arbeitgeber", true, "Name des Arbeitgebers"},
}};
constexpr Zusatzspalte Exportnachspann{
    "Jahressumme", false,
    "Summe der Entgelte der Person in allen zwölf Monaten des Jahres, wie unter der Tabelle"};

std::string Job(int job) {
    return "_" + std::to_string(job);
}

void Anhaengen(std::vector<std::string>& ziel, const std::vector<std::string>& teil) {
    ziel.insert(ziel.end(), teil.begin(), teil.end());
}

void Anhaengen(std::vector<std::string>& ziel, const Zusatzspalte& spalte) {
    if (!spalte.JeJob) {
        ziel.emplace_back(spalte.Name);
        return;
    }
    for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
        ziel.push_back(spalte.Name + Job(job));
    }
}

}  // namespace

const std::vector<Eingabespalte>& Eingabespalten() {
    static const std::vector<Eingabespalte> spalten = [] {
        std::vector<Eingabespalte> s{{"Jahr", Feldart::Jahr, 0, 0},
                                     {"Monat", Feldart::Monat, 0, 0},
                                     {"Kasse", Feldart::Kasse, 0, 0},
                                     {"Teilmonat", Feldart::Teilmonat, 0, 0}};
        for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
            s.push_back({"Entgelt" + Job(job), Feldart::Entgelt, job, 0});
        }
        for (int job = ErsteSpalte; job <= LetzterJob; ++job) {
            for (const Schalterart& art : Schalterarten) {
                s.push_back({art.Name + Job(job), art.Art, job, art.Stelle});
            }
        }
        for (int i = 0; i < static_cast<int>(Allgemeine.size()); ++i) {
            s.push_back({Allgemeine[static_cast<std::size_t>(i)].Name, Feldart::Allgemein, 0, i});
        }
        s.push_back({"Zusatzbeitrag", Feldart::Satz, 0, ZusatzbeitragSpalte});
        s.push_back({"U1_Satz", Feldart::Satz, 0, U1SatzSpalte});
        s.push_back({"U2_Satz", Feldart::Satz, 0, U2SatzSpalte});
        s.push_back({"Kinder", Feldart::Kinder, 0, 0});
        return s;
    }();
    return spalten;
}

namespace {

// A column name as a header may hold it: blanks around it and the case of
// its letters do not count (a cell typed "entgelt_1 " means Entgelt_1).
// `ohneTrenner` drops blanks, "_" and "-" inside too, for a name that only
// looks like a column.
std::string Schluessel(std::string_view name, bool ohneTrenner = false) {
    std::string schluessel;
    for (const char c : Getrimmt(name)) {
        if (ohneTrenner && (IstLeerzeichen(c) || c == '_' || c == '-')) {
            continue;
        }
        schluessel += AsciiKlein(c);
    }
    return schluessel;
}

}  // namespace

bool Ausgabespalte(std::string_view name) {
    static const std::set<std::string, std::less<>> namen = [] {
        std::set<std::string, std::less<>> s;
        for (const std::string& spalte : Exportspalten()) {
            s.insert(Schluessel(spalte));
        }
        return s;
    }();
    return namen.contains(Schluessel(name));
}

int Eingabespaltennummer(std::string_view name) {
    const auto& spalten = Eingabespalten();
    for (std::size_t i = 0; i < spalten.size(); ++i) {
        if (spalten[i].Name == name) {
            return static_cast<int>(i);
        }
    }
    const std::string schluessel = Schluessel(name);
    for (std::size_t i = 0; i < spalten.size(); ++i) {
        if (Schluessel(spalten[i].Name) == schluessel) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<std::string> AehnlicheEingabespalte(std::string_view name) {
    const std::string schluessel = Schluessel(name, true);
    for (const Eingabespalte& spalte : Eingabespalten()) {
        if (Schluessel(spalte.Name, true) == schluessel) {
            return spalte.Name;
        }
    }
    return std::nullopt;
}

bool Pflichtspalte(const Eingabespalte& spalte) {
    return spalte.Art == Feldart::Jahr || spalte.Art == Feldart::Monat;
}

std::string Zeilenname(int zeile) {
    const Ergebniszeile& z = Ergebniszeilen.at(static_cast<std::size_t>(zeile));
    if (z.Wert == nullptr) {
        return {};
    }
    int gleiche = 0;
    for (const Ergebniszeile& andere : Ergebniszeilen) {
        gleiche += andere.Linie == z.Linie ? 1 : 0;
    }
    std::string name(z.Linie);
    if (gleiche > 1) {
        const std::string_view titel = z.Tabelle;
        name += "_";
        name += titel.substr(titel.rfind(' ') + 1);
    }
    return name;
}

std::vector<std::string> Ergebnisspalten() {
    std::vector<std::string> spalten;
    for (int zeile = 0; zeile < AnzahlErgebniszeilen; ++zeile) {
        const std::string name = Zeilenname(zeile);
        if (name.empty()) {
            continue;
        }
        for (const char* endung : Spaltenendungen) {
            spalten.push_back(name + endung);
        }
        if (Ergebniszeilen[static_cast<std::size_t>(zeile)].VierStellen) {
            for (const char* endung : Spaltenendungen) {
                spalten.push_back(name + endung + Genau);
            }
        }
    }
    return spalten;
}

std::vector<std::string> Rechenspalten(std::vector<std::string> davor) {
    std::vector<std::string> spalten = std::move(davor);
    for (const Eingabespalte& s : Eingabespalten()) {
        spalten.push_back(s.Name);
    }
    Anhaengen(spalten, Ergebnisspalten());
    for (const Zusatzspalte& spalte : Zusatzspalten) {
        Anhaengen(spalten, spalte);
    }
    Anhaengen(spalten, Zonenspalten());
    return spalten;
}

std::vector<std::string> Exportspalten() {
    std::vector<std::string> spalten;
    for (const Zusatzspalte& spalte : Exportvorspann) {
        Anhaengen(spalten, spalte);
    }
    Anhaengen(spalten, Rechenspalten());
    Anhaengen(spalten, Exportnachspann);
    return spalten;
}

namespace {

void Zusatzzeile(std::string& text, const Zusatzspalte& spalte) {
    Tabellenzeile(text, {spalte.JeJob ? Gruppe(spalte.Name) : Code(spalte.Name), spalte.Bedeutung});
}

std::string Kasse1() {
    return Code(Kassennamen[0]);
}

void Eingabereferenz(std::string& text) {
    text += "| Spalte | Inhalt | leer oder fehlend |\n|---|---|---|\n";
    Tabellenzeile(text, {Code("Jahr"),
                         "Beitragsjahr 2009 bis " + std::to_string(LetztesBekanntesJahr()) +
                             "; eine Datei darf Jahre mischen",
                         "Pflichtspalte"});
    Tabellenzeile(text, {Code("Monat"),
                         "1 bis 12, " + Code("Januar") + " … " + Code("Dezember") +
                             " oder abgekürzt (" + Code("JAN") + ", " + Code("Mär") + ", " +
                             Code("Mrz") + ", " + Code("Sept.") + "), groß oder klein",
                         "Pflichtspalte"});
    Tabellenzeile(text, {Code("Kasse"),
                         "bis 2012: Name wie in der Kassenliste (" + Code(Kassennamen[1]) +
                             ") oder seine Nummer in der Liste, 1 bis 22; ab 2013: freier Text, "
                             "der unverändert in die Ausgabe geht",
                         "bis 2012 1, " + Kasse1() + "; ab 2013 leer"});
    Tabellenzeile(text, {Code("Teilmonat"),
                         "Text wie in der Teilmonatsliste (" + Code("für 1 Woche") + ", " +
                             Code("für 3 Tage") +
                             ") oder seine Nummer in der Liste, 1 bis 35; ab 2013 die SV-Tage: "
                             "voller Monat 30, n Wochen 7·n, n Tage n",
                         "1, " + Code("für vollen Monat")});
    Tabellenzeile(text,
                  {Gruppe("Entgelt"),
                   "Entgelt in Euro, höchstens zwei Nachkommastellen, bis 99.999.999,99; "
                   "CSV " +
                       Code("1.234,50") + ", " + Code("1234,5") + " oder " + Code("450,50 €") +
                       ", JSON " + Code("1234.50") + ", Tabellendatei eine Zahl",
                   "0"});
    for (const Schalterart& art : Schalterarten) {
        Tabellenzeile(text, {Gruppe(art.Name),
                             std::string(art.Bedeutung) +
                                 ": 1 oder WAHR an, 0 oder FALSCH aus, 2 grau (zählt wie aus)",
                             "1"});
    }
    for (const Allgemeiner& schalter : Allgemeine) {
        Tabellenzeile(text, {Code(schalter.Name), schalter.Bedeutung, "0"});
    }
    ZoneneingabenReferenz(text);
    text += "\nKassen: ";
    for (std::size_t i = 0; i < Kassennamen.size(); ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(i + 1) + " " + Code(Kassennamen[i]);
    }
    text += ".\n\nTeilmonate: ";
    for (int pos : {0, 1, 2, 4, 5, 6, AnzahlTeilmonate - 1}) {
        text += (pos == 0                                  ? ""
                 : pos == 4 || pos == AnzahlTeilmonate - 1 ? " … "
                                                           : ", ") +
                std::to_string(pos + 1) + " " + Code(TeilmonatText(pos));
    }
    text +=
        ".\n\nJSON-Zeilen: je Zeile ein Objekt mit den Spaltennamen als Schlüsseln; jeder Wert "
        "ein Text oder eine Zahl (" +
        Code(R"("Monat": 1)") + ", " + Code(R"("Entgelt_1": "600.00")") + "). " + Code("true") +
        ", " + Code("false") + " und " + Code("null") +
        " sind in keiner Spalte ein Wert: eine Zeile damit wird abgewiesen.\n\n"
        "Tabellendateien (" +
        Code(".xlsx") + ", " + Code(".ods") + "): das erste Blatt oder das mit " +
        Code("--blatt NAME") +
        "; seine erste Zeile mit Inhalt ist die Kopfzeile. Zahlenzellen gelten als Zahlen "
        "(Formeln mit ihrem Ergebnis), Textzellen wie CSV-Felder, leere Zeilen werden "
        "übergangen.\n\n"
        "Weitere Spalten, die das Programm nicht kennt (etwa " +
        Code("Personalnummer") +
        "), gehen unverändert und in ihrer Reihenfolge vorn in jede Ergebniszeile mit. "
        "Spalten einer Ausgabe (Ergebnisse, " +
        Code("Fall_Nr") +
        ") und Spalten ohne Namen werden übergangen; eine Eingabespalte zweimal ist ein "
        "Fehler. Bei JSON-Zeilen gelten die unbekannten Schlüssel der ersten Zeile; eine "
        "spätere Zeile mit einem anderen wird abgewiesen.\n";
}

void Ergebnisreferenz(std::string& text) {
    text += "| Spalte | Inhalt |\n|---|---|\n";
    std::string abschnitt;
    for (int zeile = 0; zeile < AnzahlErgebniszeilen; ++zeile) {
        const Ergebniszeile& z = Ergebniszeilen[static_cast<std::size_t>(zeile)];
        if (z.Wert == nullptr) {
            abschnitt = z.Bericht;
            continue;
        }
        const std::string name = Zeilenname(zeile);
        const std::string titel =
            z.Quelle == Titelquelle::Zusatzsatz ? std::string(z.Linie) : std::string(z.Tabelle);
        std::string inhalt = abschnitt;
        inhalt += " – ";
        inhalt += titel;
        if (z.VierStellen) {
            inhalt += "; dazu dieselben Spalten mit " + Code(Genau) + " und vier Nachkommastellen";
        }
        Tabellenzeile(text, {Gruppe(name) + ", " + Code(name + "_Summe"), inhalt});
    }
    for (const Zusatzspalte& spalte : Zusatzspalten) {
        Zusatzzeile(text, spalte);
    }
}

}  // namespace

std::string Spaltenreferenz() {
    std::string text =
        "Eingabespalten (Nummer 1 ist die Hauptbeschäftigung, 2 bis 4 sind der 1. bis 3. "
        "Mini-Job):\n\n";
    Eingabereferenz(text);
    text +=
        "\nAusgabe von `rechnen`: die mitgeführten Spalten, die Eingabespalten, so wie "
        "gerechnet wurde (Kasse als Name, Teilmonat als Text, fehlende Spalten mit ihrem "
        "Vorgabewert), dahinter:\n\n";
    Ergebnisreferenz(text);
    ZonenergebnisReferenz(text);
    text += "\nAusgabe von `export`: davor und dahinter\n\n| Spalte | Inhalt |\n|---|---|\n";
    for (const Zusatzspalte& spalte : Exportvorspann) {
        Zusatzzeile(text, spalte);
    }
    Tabellenzeile(text, {"…", "die Spalten von " + Code("rechnen")});
    Zusatzzeile(text, Exportnachspann);
    text +=
        "\nBeträge haben zwei Nachkommastellen wie in der Tabelle des Fensters (kaufmännisch "
        "gerundet); die Spalten auf " +
        Code(Genau) +
        " zeigen alle vier Nachkommastellen, "
        "mit denen gerechnet wird. CSV schreibt Zahlen deutsch (" +
        Code("1.234,50") + "), JSON-Zeilen jeden Wert als Text mit Dezimalpunkt (" +
        Code("\"1234.50\"") +
        "), .xlsx jede Zahl als Zahl mit passendem Zahlenformat und jeden Text als Text.\n";
    return text;
}

}  // namespace lohnwippe::rechner
