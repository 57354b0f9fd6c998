#include "rechner/Rechnen.h"

#include <fcntl.h>
#include <unistd.h>

#include "calc/Perioden.h"
#include "calc/Uebergangsbereich.h"
#include "calc/Utf8.h"
#include "calc/Zeichen.h"
#include "fall/Fallrechnung.h"
#include "fall/FallrechnungAb2013.h"
#include "rechner/Ausgabefelder.h"
#include "rechner/Blattleser.h"
#include "rechner/Spalten.h"

namespace lohnwippe::rechner {

namespace {

// Enough to see past a byte-order mark and blank lines to the first sign.
constexpr std::size_t Vorlauf = 4096;

std::string Ort(const std::string& eingabe, long zeile, const std::string& spalte,
                const Zeilenquelle& quelle) {
    std::string ort = eingabe + ", Zeile " + std::to_string(zeile);
    if (!spalte.empty()) {
        ort += ", Spalte " + Zitat(spalte) + quelle.Zellort(spalte, zeile);
    }
    return ort;
}

// A carried text goes out as it came, so it must be text: a spreadsheet
// file could not hold broken bytes at all.
std::optional<Zeilenfehler> MitgefuehrteFehler(const Eingabezeile& zeile,
                                               const std::vector<std::string>& namen) {
    for (std::size_t i = 0; i < zeile.Mitgefuehrt.size(); ++i) {
        if (const std::size_t stelle = Utf8Fehler(zeile.Mitgefuehrt[i].Text);
            stelle != std::string::npos) {
            return Zeilenfehler{namen[i], "kein gültiges UTF-8 (Byte " +
                                              std::to_string(stelle + 1) + " des Feldes)"};
        }
    }
    return std::nullopt;
}

// A spreadsheet file is a zip archive; JSON lines begin with "{", a CSV
// file with its header.
Eingabeart FormatNachInhalt(std::string_view anfang) {
    if (MappeNachInhalt(anfang)) {
        return Eingabeart::Tabelle;
    }
    if (anfang.starts_with("\xEF\xBB\xBF")) {
        anfang.remove_prefix(3);
    }
    const std::size_t erstes = anfang.find_first_not_of(" \t\r\n");
    return erstes != std::string_view::npos && anfang[erstes] == '{' ? Eingabeart::JsonZeilen
                                                                     : Eingabeart::Csv;
}

}  // namespace

std::optional<Eingabeart> EingabeartNachName(const std::string& name) {
    if (const std::string klein = AsciiKlein(name);
        klein.ends_with(".xlsx") || klein.ends_with(".ods")) {
        return Eingabeart::Tabelle;
    }
    if (const auto format = FormatNachName(name)) {
        return *format == Ausgabeformat::Csv ? Eingabeart::Csv : Eingabeart::JsonZeilen;
    }
    return std::nullopt;
}

Eingaben EingabenVonZeile(const Fallzeile& zeile, const Umlagetabelle& umlagen) {
    return EingabenAusFall(zeile.Fall, umlagen[static_cast<std::size_t>(UmlageNr(zeile.Monat) - 1)],
                           zeile.Monat);
}

EingabenAb2013 EingabenAb2013VonZeile(const Fallzeile& zeile) {
    const AngabenAb2013& ab = *zeile.Ab2013;
    return EingabenAusFallAb2013(
        zeile.Fall, zeile.Monat.Jahr, zeile.Monat.Monat,
        {ab.Zusatzbeitrag, ab.U1Satz.value_or(Satz{}), ab.U2Satz.value_or(Satz{})},
        ab.Kinder.value_or(0));
}

namespace {

// The fund a row from 2013 names in its year's list: the rates it leaves
// empty become the fund's. The reason when the list has no such fund.
std::optional<Zeilenfehler> KasseEinsetzen(AngabenAb2013& ab, int jahr,
                                           const Kassenlisten& listen) {
    if (ab.Kasse.empty()) {
        return std::nullopt;
    }
    const std::vector<Kasseneintrag>& kassen = KassenDesJahres(listen, jahr);
    const Kasseneintrag* gefunden = nullptr;
    for (const Kasseneintrag& kasse : kassen) {
        if (Kassenname(kasse) == ab.Kasse) {
            gefunden = &kasse;
            break;
        }
    }
    if (const auto nr = GanzzahlLesen(ab.Kasse);
        gefunden == nullptr && nr && *nr >= 1 && *nr <= static_cast<long>(kassen.size())) {
        gefunden = &kassen[static_cast<std::size_t>(*nr - 1)];
    }
    if (gefunden == nullptr) {
        std::string liste;
        for (const Kasseneintrag& kasse : kassen) {
            liste += (liste.empty() ? "" : ", ") + Zitat(Kassenname(kasse));
        }
        return Zeilenfehler{"Kasse", Zitat(ab.Kasse) + " steht nicht in der Kassenliste " +
                                         std::to_string(jahr) + " in " + SpaetdateiName + " (" +
                                         (liste.empty() ? "keine Kasse" : liste) + ")"};
    }
    ab.Kasse = Kassenname(*gefunden);
    ab.Zusatzbeitrag = ab.Zusatzbeitrag.value_or(gefunden->Zusatzbeitrag);
    ab.U1Satz = ab.U1Satz.value_or(gefunden->U1);
    ab.U2Satz = ab.U2Satz.value_or(gefunden->U2);
    return std::nullopt;
}

// The cell a refusal of the calculation is about, where it is one.
std::string Ab2013Spalte(const EingabenAb2013& e) {
    if (NachLetzterPeriode(e.Jahr, e.Monat)) {
        return "Jahr";
    }
    return e.Kinderlos && e.Kinder > 0 ? "Kinder" : "";
}

}  // namespace

Zaehlung FaelleRechnen(Zeilenquelle& quelle, Zeilenschreiber& ausgabe, const Umlagetabelle& umlagen,
                       const std::string& eingabe, const Melder& melden,
                       const Kassenlisten* kassen) {
    Zaehlung zaehlung;
    Eingabezeile zeile;
    const std::vector<std::string> mitgefuehrt = quelle.Mitgefuehrt();
    // Carried, its amounts would all be 0 without a word.
    for (const std::string& name : mitgefuehrt) {
        if (const auto spalte = AehnlicheEingabespalte(name)) {
            melden(eingabe + ": Spalte " + Zitat(name) +
                   " ist keine Eingabespalte und wird nur mitgeführt – gemeint ist wohl " +
                   Zitat(*spalte));
        }
    }
    while (quelle.Naechste(zeile)) {
        std::optional<Zeilenfehler> fehler = zeile.Fehler;
        if (!fehler) {
            fehler = MitgefuehrteFehler(zeile, mitgefuehrt);
        }
        if (!fehler) {
            auto gelesen = ZeileLesen(zeile.Felder, quelle.Formate());
            auto* fall = std::get_if<Fallzeile>(&gelesen);
            // A year the table does not know is the calculation's to refuse.
            if (fall && fall->Ab2013 && kassen != nullptr &&
                fall->Monat.Jahr <= LetztesBekanntesJahr()) {
                fehler = KasseEinsetzen(*fall->Ab2013, fall->Monat.Jahr, *kassen);
            }
            if (!fehler && fall && fall->Ab2013) {
                const EingabenAb2013 eingaben = EingabenAb2013VonZeile(*fall);
                const RechnungAb2013 rechnung = BerechnenAb2013(eingaben);
                if (rechnung.Ergebnis) {
                    for (const Zellwert& wert : zeile.Mitgefuehrt) {
                        ausgabe.Wert(wert);
                    }
                    EingabefelderSchreiben(ausgabe, fall->Fall, fall->Monat, *fall->Ab2013,
                                           *rechnung.Ergebnis);
                    ErgebnisfelderSchreiben(ausgabe, eingaben, *rechnung.Ergebnis);
                    ausgabe.Zeilenende();
                    ++zaehlung.Gerechnet;
                    continue;
                }
                fehler = Zeilenfehler{Ab2013Spalte(eingaben), rechnung.Meldung};
            } else if (!fehler && fall) {
                const Eingaben eingaben = EingabenVonZeile(*fall, umlagen);
                try {
                    const Ergebnis ergebnis = Berechnen(eingaben);
                    for (const Zellwert& wert : zeile.Mitgefuehrt) {
                        ausgabe.Wert(wert);
                    }
                    EingabefelderSchreiben(ausgabe, fall->Fall, fall->Monat);
                    ErgebnisfelderSchreiben(ausgabe, eingaben, ergebnis);
                    ausgabe.Zeilenende();
                    ++zaehlung.Gerechnet;
                    continue;
                } catch (const std::overflow_error&) {
                    // HoechstesEntgelt keeps every row that was read away
                    // from this; a guard, not a path.
                    fehler = Zeilenfehler{"", "die Beträge sind zu groß, um sie zu berechnen"};
                }
            } else if (!fehler) {
                fehler = std::get<Zeilenfehler>(std::move(gelesen));
            }
        }
        ++zaehlung.Abgewiesen;
        melden(Ort(eingabe, zeile.Nummer, fehler->Spalte, quelle) + ": " + fehler->Grund);
    }
    return zaehlung;
}

int RechnenBefehl(const Rechenauftrag& auftrag, const Melder& melden) {
    return ZeilenAusgeben(auftrag.Ausgabe, melden, [&](Ausgabe& ausgabe) {
        const bool standard = auftrag.Eingabe == "-";
        const std::string name = standard ? "Standardeingabe" : auftrag.Eingabe;
        Deskriptor eingabe = standard ? Deskriptor(STDIN_FILENO, name, false)
                                      : OderAbbruch(Deskriptor::Oeffnen(name, O_RDONLY));
        DateiStrom datei(eingabe);

        Umlagetabelle umlagen = StandardUmlagen();
        std::optional<Kassenlisten> kassen;
        Gelesenes gelesen;
        if (const auto kennung = eingabe.Kennung()) {
            gelesen.Dateien.push_back(*kennung);
        }
        if (auftrag.Daten) {
            Datenbestand daten = DatenordnerLesen(*auftrag.Daten, false, gelesen, melden);
            umlagen = UmlagenLesen(daten);
            kassen = KassenlistenLesen(daten);
        }

        // What the name does not say, the first bytes do.
        std::string vorlauf(Vorlauf, '\0');
        std::size_t vorgelesen = 0;
        while (vorgelesen < Vorlauf &&
               vorlauf.find_first_not_of(" \t\r\n\xEF\xBB\xBF", 0) >= vorgelesen) {
            const std::size_t n = datei.Lesen(vorlauf.data() + vorgelesen, Vorlauf - vorgelesen);
            if (n == 0) {
                break;
            }
            vorgelesen += n;
        }
        vorlauf.resize(vorgelesen);
        const Eingabeart art = auftrag.Eingabeformat.value_or(
            EingabeartNachName(auftrag.Eingabe).value_or(FormatNachInhalt(vorlauf)));
        if (auftrag.Blatt && art != Eingabeart::Tabelle) {
            throw Abbruch("--blatt gilt nur für Tabellendateien (.xlsx, .ods)");
        }
        TextStrom strom(vorlauf, &datei);
        // JSON is UTF-8 by definition; only CSV files come in the other.
        std::optional<Zeichensatz> zeichensatz = auftrag.Textzeichensatz;
        if (zeichensatz == Zeichensatz::Windows1252 && art == Eingabeart::JsonZeilen) {
            throw Abbruch(
                "--zeichensatz windows-1252 gilt nicht für JSON-Zeilen: JSON ist immer UTF-8");
        }
        if (!zeichensatz && art == Eingabeart::JsonZeilen) {
            zeichensatz = Zeichensatz::Utf8;
        }
        Zeichensatzstrom text(strom, zeichensatz, [&] {
            melden(name +
                   ": kein gültiges UTF-8 – als Windows-1252 gelesen (--zeichensatz utf-8 "
                   "liest es als UTF-8)");
        });
        std::unique_ptr<Blattleser> blatt;
        if (art == Eingabeart::Tabelle) {
            blatt = BlattOeffnen(eingabe, name, auftrag.Blatt);
            if (!blatt->Hinweis().empty()) {
                melden(blatt->Hinweis());
            }
        }
        const auto quelle = art == Eingabeart::Tabelle ? TabellenQuelle(std::move(blatt), name)
                            : art == Eingabeart::Csv   ? CsvQuelle(text, name, auftrag.Ausgabe.Csv)
                                                       : JsonQuelle(text);

        Zeilenschreiber& schreiber = ausgabe.Oeffnen(Rechenspalten(quelle->Mitgefuehrt()), gelesen);
        return FaelleRechnen(*quelle, schreiber, umlagen, name, melden,
                             kassen ? &*kassen : nullptr);
    });
}

}  // namespace lohnwippe::rechner
