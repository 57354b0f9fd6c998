// The characterisation traces through the window: with
// LOHNWIPPE_SPUREN_AUFNEHMEN=<folder> the seeded action sequences are
// generated and recorded there; without it every recorded trace is replayed
// and each step must leave the same behind.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <cstdlib>

#include "FensterTest.h"
#include "Spuren.h"
#include "ui/main/Ergebnistabelle.h"
#include "ui/master/Stammdaten.h"

namespace lohnwippe::test {
namespace {

namespace fs = std::filesystem;
using Aktion = std::vector<std::string>;

// Seeded user actions. Amounts stay far below what the calculation cannot
// take; nothing typed is left pending when the program closes, and the U1
// boxes get only rates that every reading of them agrees on.
class Erzeuger {
  public:
    explicit Erzeuger(unsigned startwert) : zufall_(startwert) {}

    std::vector<Aktion> Spur(int anzahl) {
        std::vector<Aktion> spur;
        while (static_cast<int>(spur.size()) < anzahl) {
            spur.push_back(Naechste());
        }
        return spur;
    }

  private:
    int Zahl(int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(zufall_); }
    template <typename T>
    const T& Eines(const std::vector<T>& auswahl) {
        return auswahl[static_cast<std::size_t>(Zahl(0, static_cast<int>(auswahl.size()) - 1))];
    }

    std::string Betrag() {
        switch (Zahl(0, 9)) {
            case 0:
                return "";
            case 1:
                return Eines<std::string>({"1,2,3", ",", "12,,5", "0", ".5"});
            case 2:
                return std::to_string(Zahl(0, 9999999));
            default:
                break;
        }
        std::string text = std::to_string(Zahl(0, 1200));
        switch (Zahl(0, 4)) {
            case 0:
                return text + "," + std::to_string(Zahl(0, 9));
            case 1:
                return text + "," + std::to_string(Zahl(10, 99));
            case 2:
                return text + "." + std::to_string(Zahl(0, 99));
            default:
                return text;
        }
    }

    std::string Name() {
        static const std::vector<std::string> woerter = {
            "Bäckerei", "Müller",    "GmbH",      "Straßenbau", "& Co.", "Łódź", "KG",
            "Öko",      "Gärtnerei", "Neckartal", "Schmidt",    "e.V.",  "Café", "Zürich"};
        std::string name = Eines(woerter);
        for (int n = Zahl(0, 3); n > 0; --n) {
            name += " " + Eines(woerter);
        }
        return name;
    }

    std::string Satz() {
        return Eines<std::string>(
            {"0,450", "0.45", "1.2", "0.37", "2,1", "0", "abc", "40", "", "0.125", "1"});
    }

    Aktion Naechste() {
        const int j = Zahl(1, 4);
        const std::string job = std::to_string(j);
        const int art = Zahl(0, 99);
        if (art < 22) {
            offenEntgelt_[static_cast<std::size_t>(j)] = false;
            return {"entgelt", job, Betrag()};
        }
        if (art < 25) {
            offenEntgelt_[static_cast<std::size_t>(j)] = true;
            return {"tippen", job, Betrag()};
        }
        if (art < 32) {
            offenEntgelt_[static_cast<std::size_t>(j)] = false;
            return {"spielen", job,
                    std::to_string(Eines<int>({0, 1, 1, 2, Zahl(0, 900), 32767, Zahl(395, 805)}))};
        }
        if (art < 50) {
            offenName_ = false;
            return {"schalter", job,
                    Eines<std::string>({"KV", "PV", "RV", "AV", "KG", "U1", "U2", "U3"})};
        }
        if (art < 56) {
            offenName_ = false;
            return {"allgemein", Eines<std::string>({"RV_Befreiung", "Sachsen", "Kinderlos"})};
        }
        if (art < 71) {
            offenName_ = false;
            const std::string liste =
                Eines<std::string>({"Jahr", "Jahr", "Monat", "Monat", "Monat", "Minijobber",
                                    "Minijobber", "Kassen", "Teilmonat", "Teilmonat", "Beitrag_0"});
            const int anzahl = liste == "Jahr"         ? 4
                               : liste == "Monat"      ? 12
                               : liste == "Minijobber" ? 10
                               : liste == "Kassen"     ? 22
                               : liste == "Teilmonat"  ? 35
                                                       : 61;
            // Loading a case shows its amounts again; the partial month and
            // the rate list only calculate.
            if (liste != "Teilmonat" && liste != "Beitrag_0") {
                offenEntgelt_ = {};
            }
            return {"liste", liste, std::to_string(Zahl(0, anzahl - 1))};
        }
        if (art < 76) {
            return {"ag", job, Name()};
        }
        if (art < 79) {
            offenName_ = true;
            return {"agtippen", job, Name()};
        }
        if (art < 81) {
            return {"agverlassen", job};
        }
        if (art < 85) {
            offenName_ = false;
            return {"dez"};
        }
        if (art < 90) {
            // A save that a wrong box refuses reloads nothing: typed text
            // stays pending.
            offenName_ = false;
            const int u1Enter = Zahl(0, 2);
            return {"stamm",
                    std::to_string(Zahl(0, 21)),
                    std::to_string(Zahl(1, 12)),
                    Name(),
                    std::to_string(Zahl(0, 11)),
                    Satz(),
                    Satz(),
                    std::to_string(Zahl(0, 1)),
                    u1Enter == 0 ? "-" : Eines<std::string>({"0.5", "0", "2", "", "0.25", "1"})};
        }
        if (art < 93) {
            return {"verschieben", std::to_string(Zahl(0, 300)), std::to_string(Zahl(0, 200))};
        }
        if (offenName_ ||
            std::find(offenEntgelt_.begin(), offenEntgelt_.end(), true) != offenEntgelt_.end()) {
            return {"dez"};
        }
        return {"neustart"};
    }

    std::mt19937 zufall_;
    bool offenName_ = false;
    std::array<bool, 5> offenEntgelt_{};
};

class SpurenTest : public FensterTest {
  protected:
    QComboBox* Liste(const std::string& name) const {
        return fenster->findChild<QComboBox*>(QString::fromStdString(name));
    }
    QCheckBox* Schalter(const std::string& name, int job) const {
        const QString objekt =
            QString::fromStdString(name) + (job > 0 ? QStringLiteral("_%1").arg(job) : QString());
        return fenster->findChild<QCheckBox*>(objekt);
    }

    void Ausfuehren(const Aktion& a) {
        const auto zahl = [&](std::size_t i) { return std::stoi(a.at(i)); };
        const auto text = [&](std::size_t i) { return QString::fromStdString(a.at(i)); };
        const std::string& art = a.at(0);
        if (art == "entgelt" || art == "tippen") {
            QLineEdit* feld = E().Entgelt[zahl(1)];
            Tippen(feld, text(2), art == "entgelt");
            Fokus(feld, false);
        } else if (art == "spielen") {
            E().Spielen[zahl(1)]->setValue(zahl(2));
        } else if (art == "schalter") {
            Schalter(a.at(2), zahl(1))->click();
        } else if (art == "allgemein") {
            Schalter(a.at(1), 0)->click();
        } else if (art == "liste") {
            Auswaehlen(Liste(a.at(1)), zahl(2));
        } else if (art == "ag" || art == "agtippen") {
            QLineEdit* feld = E().Arbeitgeber[zahl(1)];
            feld->setText(text(2));
            if (art == "ag") {
                QTest::keyClick(feld, Qt::Key_Return);
            }
        } else if (art == "agverlassen") {
            Fokus(E().Arbeitgeber[zahl(1)], false);
        } else if (art == "dez") {
            E().Speichern->click();
        } else if (art == "stamm") {
            E().Hilfe->click();
            Stammdaten* s = fenster->OffeneStammdaten();
            const auto feld = [&](const QString& name) { return s->findChild<QLineEdit*>(name); };
            Auswaehlen(s->findChild<QComboBox*>("Kassen"), zahl(1));
            feld(QStringLiteral("Nameneingabe_%1").arg(zahl(2)))->setText(text(3));
            feld(QStringLiteral("u1zahl_%1").arg(zahl(4)))->setText(text(5));
            feld(QStringLiteral("u2zahl_%1").arg(zahl(4)))->setText(text(6));
            auto* check = s->findChild<QCheckBox*>("Check1");
            if (check->isChecked() != (zahl(7) == 1)) {
                check->click();
            }
            if (a.at(8) != "-") {
                QLineEdit* u1 = feld(QStringLiteral("u1zahl_%1").arg(zahl(4)));
                u1->setText(text(8));
                QTest::keyClick(u1, Qt::Key_Return);
            }
            s->findChild<QPushButton*>("Command1")->click();
            // A box that could not be read keeps the window open; the next
            // step starts without it.
            if (fenster->OffeneStammdaten() != nullptr) {
                fenster->OffeneStammdaten()->close();
            }
            QApplication::processEvents();
        } else if (art == "verschieben") {
            fenster->move(zahl(1), zahl(2));
        } else if (art == "neustart") {
            Schliessen();
            Starten();
        } else {
            FAIL() << "unbekannte Aktion " << art;
        }
    }

    // What the step left behind, in the order the trace keeps it.
    std::map<std::string, std::string> Zustand() {
        std::map<std::string, std::string> z;
        z["sv"] = DateiHash("SV.dat");
        z["u12"] = DateiHash("U12.dat");

        Fnv anzeige;
        for (int r = 0; r < Ergebnistabelle::Zeilen; ++r) {
            for (int c = 0; c < Ergebnistabelle::Spalten; ++c) {
                anzeige.Text(E().MSFlexGrid1->item(r, c)->text().toStdString());
            }
        }
        anzeige.Text(E().Warnung->isHidden() ? "verborgen" : "sichtbar");
        for (const QLabel* label :
             {E().Jahressumme, E().SozversK, E().SozversP, E().SozversR, E().SozversA, E().SozversF,
              E().Umlage1, E().Umlage2, E().Umlage3}) {
            anzeige.Text(label->text().toStdString());
        }
        z["anzeige"] = anzeige.Hex();

        Fnv bild;
        for (const char* name :
             {"Jahr", "Monat", "Minijobber", "Teilmonat", "Kassen", "Beitrag_0"}) {
            const QComboBox* liste = fenster->findChild<QComboBox*>(name);
            bild.Text(std::to_string(liste->currentIndex()) + liste->currentText().toStdString());
        }
        for (int i = 0; i < E().Minijobber->count(); ++i) {
            bild.Text(E().Minijobber->itemText(i).toStdString());
        }
        for (int j = 1; j <= 4; ++j) {
            bild.Text(E().Arbeitgeber[j]->text().toStdString());
            bild.Text(E().Entgelt[j]->text().toStdString());
            for (const char* name : {"KV", "PV", "RV", "AV", "KG", "U1", "U2", "U3"}) {
                bild.Text(std::to_string(Schalter(name, j)->checkState()));
            }
        }
        for (const char* name : {"RV_Befreiung", "Sachsen", "Kinderlos"}) {
            bild.Text(std::to_string(Schalter(name, 0)->checkState()));
        }
        z["fenster"] = bild.Hex();

        Fnv gemeldet;
        for (std::size_t i = gemeldet_; i < meldungen.Eintraege.size(); ++i) {
            gemeldet.Text(meldungen.Eintraege[i].Titel.toStdString());
            gemeldet.Text(meldungen.Eintraege[i].Text.toStdString());
            gemeldet.Text(std::to_string(static_cast<int>(meldungen.Eintraege[i].Symbol)));
        }
        z["meldungen"] =
            std::to_string(meldungen.Eintraege.size() - gemeldet_) + ":" + gemeldet.Hex();
        gemeldet_ = meldungen.Eintraege.size();
        return z;
    }

    void Neu() {
        fenster.reset();
        for (const char* datei : {"SV.dat", "U12.dat"}) {
            fs::remove(datei);
        }
        meldungen.Eintraege.clear();
        gemeldet_ = 0;
        Starten();
    }

    std::size_t gemeldet_ = 0;
};

TEST_F(SpurenTest, FensterHinterlaesstWasAufgezeichnetIst) {
    if (const char* ziel = std::getenv("LOHNWIPPE_SPUREN_AUFNEHMEN")) {
        for (unsigned startwert = 1; startwert <= 12; ++startwert) {
            Neu();
            const auto spur = Erzeuger(startwert).Spur(startwert <= 4 ? 300 : 120);
            std::ofstream aus(fs::path(ziel) /
                              ("spur_" + std::to_string(100 + startwert).substr(1) + ".spur"));
            aus << "# Startwert " << startwert << "\n";
            for (const Aktion& a : spur) {
                Ausfuehren(a);
                std::string zeile = "> ";
                for (std::size_t i = 0; i < a.size(); ++i) {
                    zeile += (i > 0 ? "\t" : "") + a[i];
                }
                aus << zeile << "\n<";
                for (const auto& [name, wert] : Zustand()) {
                    aus << " " << name << "=" << wert;
                }
                aus << "\n";
            }
        }
        return;
    }
    for (const fs::path& datei : Spurdateien()) {
        Neu();
        int nr = 0;
        for (const Schritt& schritt : SpurLesen(datei)) {
            ++nr;
            Ausfuehren(schritt.Aktion);
            const auto ist = Zustand();
            for (const auto& [name, wert] : schritt.Erwartet) {
                ASSERT_EQ(ist.at(name), wert) << datei.filename() << ", Schritt " << nr << " ("
                                              << schritt.Aktion.at(0) << "): " << name;
            }
        }
    }
}

}  // namespace
}  // namespace lohnwippe::test
