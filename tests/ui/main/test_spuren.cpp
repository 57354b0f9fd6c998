// The characterisation traces replayed through the window: each recorded
// action done on the controls, and each step must leave the same files,
// figures on screen and messages behind.
//
// The traces were recorded from the window before it became a view of the
// case model, and must never be recorded from this program: they are what
// it is measured against. The seeded generator that recorded them is in
// tests/ui/main/test_spuren.cpp of commit 8207136, as changed for per-box
// pending text in commit 0af7085, which recorded the traces kept here.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "FensterTest.h"
#include "Spuren.h"
#include "calc/Ergebniszeilen.h"
#include "ui/main/Ergebnistabelle.h"
#include "ui/master/Stammdaten.h"

namespace lohnwippe::test {
namespace {

namespace fs = std::filesystem;
using Aktion = std::vector<std::string>;

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
            ASSERT_NE(s, nullptr);
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
            fenster->close();
            fenster.reset();
            Starten();
        } else {
            FAIL() << "unbekannte Aktion " << art;
        }
    }

    // What the step left behind.
    Spurzustand Zustand() {
        static_assert(Ergebnistabelle::Zeilen == AnzahlErgebniszeilen &&
                      Ergebnistabelle::Spalten == SummenSpalte + 1);
        Spurzustand z;
        std::vector<std::string> tafel;
        for (const QLabel* label :
             {E().Jahressumme, E().SozversK, E().SozversP, E().SozversR, E().SozversA, E().SozversF,
              E().Umlage1, E().Umlage2, E().Umlage3}) {
            tafel.push_back(label->text().toStdString());
        }
        z.Anzeige = Anzeigewerte(
            [this](int r, int c) { return E().MSFlexGrid1->item(r, c)->text().toStdString(); },
            !E().Warnung->isHidden(), tafel);

        std::vector<Wert>& bild = z.Fenster.emplace();
        const auto wert = [&bild](std::string name, std::string text) {
            bild.push_back({std::move(name), std::move(text)});
        };
        for (const char* name :
             {"Jahr", "Monat", "Minijobber", "Teilmonat", "Kassen", "Beitrag_0"}) {
            const QComboBox* liste = fenster->findChild<QComboBox*>(name);
            wert(std::string("Liste ") + name,
                 std::to_string(liste->currentIndex()) + " " + liste->currentText().toStdString());
        }
        for (int i = 0; i < E().Minijobber->count(); ++i) {
            wert("Person " + std::to_string(i + 1), E().Minijobber->itemText(i).toStdString());
        }
        for (int j = 1; j <= 4; ++j) {
            const std::string nr = " " + std::to_string(j);
            wert("Arbeitgeber" + nr, E().Arbeitgeber[j]->text().toStdString());
            wert("Entgelt" + nr, E().Entgelt[j]->text().toStdString());
            for (const char* name : {"KV", "PV", "RV", "AV", "KG", "U1", "U2", "U3"}) {
                wert(name + nr, std::to_string(Schalter(name, j)->checkState()));
            }
        }
        for (const char* name : {"RV_Befreiung", "Sachsen", "Kinderlos"}) {
            wert(name, std::to_string(Schalter(name, 0)->checkState()));
        }

        for (std::size_t i = gemeldet_; i < meldungen.Eintraege.size(); ++i) {
            const auto& m = meldungen.Eintraege[i];
            z.Meldungen.push_back(
                {m.Titel.toStdString(), m.Text.toStdString(), static_cast<int>(m.Symbol)});
        }
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
    SpurenAbspielen([this] { Neu(); }, [this](const auto& aktion) { Ausfuehren(aktion); },
                    [this] { return Zustand(); });
}

}  // namespace
}  // namespace lohnwippe::test
