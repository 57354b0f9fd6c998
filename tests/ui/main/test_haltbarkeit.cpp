// The window against failing writes, damaged files and a full disk: one
// clear message, nothing lost, nothing crashes.
#include <sys/mount.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <climits>
#include <fstream>

#include "FensterTest.h"
#include "store/Satznummern.h"
#include "ui/master/Stammdaten.h"

namespace lohnwippe::test {
namespace {

namespace fs = std::filesystem;

// Where two files part, by record and byte; empty when they are equal.
std::string Unterschied(const std::vector<char>& ist, const std::vector<char>& soll,
                        std::size_t satzlaenge) {
    if (ist == soll) {
        return {};
    }
    const auto stelle = static_cast<std::size_t>(
        std::mismatch(ist.begin(), ist.end(), soll.begin(), soll.end()).first - ist.begin());
    return "Satz " + std::to_string(stelle / satzlaenge + 1) + ", Byte " +
           std::to_string(stelle % satzlaenge) + " (Länge " + std::to_string(ist.size()) +
           " statt " + std::to_string(soll.size()) + ")";
}

// How the system lets down the k-th write call of a session.
enum class Stoerart {
    Voll,            // disk full
    EinAusgabe,      // I/O error
    Schreibschutz,   // read-only file system
    KurzDannVoll,    // part of the bytes, then the disk is full
    KurzDannWeiter,  // part of the bytes, the rest in the next call
    Unterbrochen,    // a signal came in between
};

struct Stoerstelle final : Systemaufrufe {
    Stoerart Art = Stoerart::Voll;
    int Bei = INT_MAX;  // the first write call that fails, from 1
    int Bis = 0;        // the last one, if more than `Bei` fail
    int Aufrufe = 0;

    long PWrite(int fd, const void* daten, std::size_t anzahl, std::uint64_t position) override {
        const int aufruf = ++Aufrufe;
        const auto scheitern = [](int fehlerNr) {
            errno = fehlerNr;
            return -1L;
        };
        if (aufruf == Bei || (aufruf > Bei && aufruf <= Bis)) {
            switch (Art) {
                case Stoerart::Voll:
                    return scheitern(ENOSPC);
                case Stoerart::EinAusgabe:
                    return scheitern(EIO);
                case Stoerart::Schreibschutz:
                    return scheitern(EROFS);
                case Stoerart::Unterbrochen:
                    return scheitern(EINTR);
                case Stoerart::KurzDannVoll:
                case Stoerart::KurzDannWeiter:
                    return Systemaufrufe::PWrite(fd, daten, anzahl / 2, position);
            }
        }
        if (aufruf - 1 == Bei && Art == Stoerart::KurzDannVoll) {
            return scheitern(ENOSPC);
        }
        return Systemaufrufe::PWrite(fd, daten, anzahl, position);
    }
};

class HaltbarkeitTest : public FensterTest {
  protected:
    Datenbestand Oeffnen(Stoerstelle& stoerung) {
        return Datenbestand::Oeffnen([&stoerung](const std::string& name) {
                   return SystemDatei::Oeffnen(name, stoerung);
               })
            .Wert();
    }

    // File failures are errors; the mini-job warning is not one of them.
    int Fehlermeldungen() const {
        return static_cast<int>(std::count_if(
            meldungen.Eintraege.begin(), meldungen.Eintraege.end(),
            [](const auto& eintrag) { return eintrag.Symbol == Meldungssymbol::Fehler; }));
    }
    QString Fehlermeldung(int n) const {
        for (const auto& eintrag : meldungen.Eintraege) {
            if (eintrag.Symbol == Meldungssymbol::Fehler && n-- == 0) {
                return eintrag.Text;
            }
        }
        return {};
    }

    // Counts the messages of a step; the user repeats a step that failed
    // with a message, as the message asks.
    template <typename Schritt>
    void Wiederholt(Schritt schritt) {
        const int vorher = Fehlermeldungen();
        schritt();
        if (Fehlermeldungen() > vorher) {
            schritt();
        }
    }

    // A working day in brief: start, type, switch, name an employer, change
    // person, copy to December, save master data, close.
    void Sitzung(Stoerstelle& stoerung) {
        fenster = Hauptfenster::Starten(Welt(), Oeffnen(stoerung));
        if (fenster == nullptr) {
            // The defaults could not be written: the user starts again.
            fenster = Hauptfenster::Starten(Welt(), Oeffnen(stoerung));
        }
        ASSERT_NE(fenster, nullptr);
        Tippen(E().Entgelt[1], "650");
        QTest::mouseClick(E().Kinderlos, Qt::LeftButton);
        Tippen(E().Entgelt[2], "200");
        QTest::mouseClick(ZweigBox(E(), 2, RV), Qt::LeftButton);
        Fokus(E().Arbeitgeber[2], true);
        E().Arbeitgeber[2]->setText("Bäckerei Holm");
        QTest::keyClick(E().Arbeitgeber[2], Qt::Key_Return);
        Auswaehlen(E().Minijobber, 4);
        Tippen(E().Entgelt[1], "480,5");
        Wiederholt([&] { QTest::mouseClick(E().Speichern, Qt::LeftButton); });

        QTest::mouseClick(E().Hilfe, Qt::LeftButton);
        Stammdaten* stammdaten = fenster->OffeneStammdaten();
        ASSERT_NE(stammdaten, nullptr);
        stammdaten->findChild<QLineEdit*>("Nameneingabe_5")->setText("Frau Ebert");
        stammdaten->findChild<QLineEdit*>("u1zahl_3")->setText("2,1");
        Wiederholt([&] {
            QTest::mouseClick(stammdaten->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        });
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(fenster->OffeneStammdaten(), nullptr);

        // "Nein" to ending with something unsaved, then closing again.
        meldungen.Antwort = false;
        fenster->close();
        if (fenster->isVisible() || !meldungen.Gefragt.empty()) {
            meldungen.Antwort = true;
            fenster->close();
        }
        fenster.reset();
    }
};

TEST_F(HaltbarkeitTest, JederScheiterndeSchreibvorgangEinerSitzungVerliertNichts) {
    Stoerstelle ohne;
    fenster = nullptr;
    Sitzung(ohne);
    ASSERT_EQ(Fehlermeldungen(), 0);
    const auto sv = DateiInhalt("SV.dat");
    const auto u12 = DateiInhalt("U12.dat");
    ASSERT_GT(ohne.Aufrufe, 20);

    for (const Stoerart art :
         {Stoerart::Voll, Stoerart::EinAusgabe, Stoerart::Schreibschutz, Stoerart::KurzDannVoll,
          Stoerart::KurzDannWeiter, Stoerart::Unterbrochen}) {
        const bool bemerkbar = art != Stoerart::KurzDannWeiter && art != Stoerart::Unterbrochen;
        for (int k = 1; k <= ohne.Aufrufe; ++k) {
            SCOPED_TRACE("Art " + std::to_string(static_cast<int>(art)) + ", Schreibvorgang " +
                         std::to_string(k));
            fs::remove("SV.dat");
            fs::remove("U12.dat");
            meldungen = MeldungenAttrappe{};
            Stoerstelle stoerung;
            stoerung.Art = art;
            stoerung.Bei = k;
            Sitzung(stoerung);

            // One clear message naming the file and the reason, or one
            // question at closing that says the same.
            ASSERT_EQ(Fehlermeldungen() + static_cast<int>(meldungen.Gefragt.size()),
                      bemerkbar ? 1 : 0);
            if (bemerkbar) {
                const QString text =
                    meldungen.Gefragt.empty() ? Fehlermeldung(0) : meldungen.Gefragt[0];
                EXPECT_TRUE(text.contains("SV.dat") || text.contains("U12.dat"))
                    << text.toStdString();
                EXPECT_TRUE(text.contains("Speicherplatz") || text.contains("Ein-/Ausgabefehler") ||
                            text.contains("schreibgeschützt"))
                    << text.toStdString();
            }
            // Everything the user did is on disk in the end.
            ASSERT_EQ(Unterschied(DateiInhalt("SV.dat"), sv, 204), "");
            ASSERT_EQ(Unterschied(DateiInhalt("U12.dat"), u12, 176), "");
        }
    }
}

TEST_F(HaltbarkeitTest, EinUngespeicherterFallWirdNichtVerlassen) {
    Stoerstelle stoerung;
    fenster = Hauptfenster::Starten(Welt(), Oeffnen(stoerung));
    ASSERT_NE(fenster, nullptr);
    const int fall = fenster->FallNr();
    stoerung.Bei = stoerung.Aufrufe + 1;  // the disk is full from now on
    stoerung.Bis = INT_MAX;
    Tippen(E().Entgelt[1], "700");
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);

    // Neither another person nor another month throws the 700,00 away.
    Auswaehlen(E().Minijobber, 5);
    Auswaehlen(E().Monat, 3);
    EXPECT_EQ(fenster->FallNr(), fall);
    EXPECT_EQ(E().Minijobber->currentIndex(), 0);
    EXPECT_EQ(E().Monat->currentIndex(), 0);
    EXPECT_EQ(E().Entgelt[1]->text(), "700,00");
    ASSERT_EQ(meldungen.Eintraege.size(), 3u);
    EXPECT_TRUE(meldungen.Eintraege[2].Text.contains("noch nicht gespeichert"));

    // Closing asks; "Nein" keeps the window.
    meldungen.Antwort = false;
    fenster->show();
    fenster->close();
    EXPECT_TRUE(fenster->isVisible());
    ASSERT_EQ(meldungen.Gefragt.size(), 1u);
    EXPECT_TRUE(meldungen.Gefragt[0].contains("Trotzdem beenden?"));

    // With space again, the next change stores the case before it goes.
    stoerung.Bis = stoerung.Aufrufe;
    Auswaehlen(E().Minijobber, 5);
    EXPECT_NE(fenster->FallNr(), fall);
    EXPECT_EQ(fenster->Daten().FallLesen(fall).Wert().Entgelte[1], Waehrung::AusGanzzahl(700));
}

TEST_F(HaltbarkeitTest, KasseUndArbeitgeberNehmenDenUngespeichertenFallMit) {
    Stoerstelle stoerung;
    fenster = Hauptfenster::Starten(Welt(), Oeffnen(stoerung));
    ASSERT_NE(fenster, nullptr);
    const int fall = fenster->FallNr();
    stoerung.Bei = stoerung.Aufrufe + 1;
    stoerung.Bis = INT_MAX;
    Tippen(E().Entgelt[1], "700");
    Auswaehlen(E().Kassen, 3);  // its save fails too: nothing reloads
    EXPECT_EQ(E().Entgelt[1]->text(), "700,00");
    EXPECT_EQ(E().Kassen->currentIndex(), 3);
    EXPECT_EQ(fenster->AktuelleEingaben().Entgelt[1], Waehrung::AusGanzzahl(700));

    stoerung.Bis = stoerung.Aufrufe;  // space again
    E().Arbeitgeber[2]->setText("Gärtnerei Jung");
    QTest::keyClick(E().Arbeitgeber[2], Qt::Key_Return);
    const Fallsatz satz = fenster->Daten().FallLesen(fall).Wert();
    EXPECT_EQ(satz.Entgelte[1], Waehrung::AusGanzzahl(700));
    EXPECT_EQ(satz.KassePos, 3);
    EXPECT_EQ(satz.Namen[2], "Gärtnerei Jung      ");
}

TEST_F(HaltbarkeitTest, ZweiterStartImSelbenOrdnerEndetOhneZuSchreiben) {
    Starten();
    Tippen(E().Entgelt[1], "612");
    const auto sv = DateiInhalt("SV.dat");
    EXPECT_EQ(Hauptfenster::Starten(Welt()), nullptr);
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_TRUE(
        meldungen.Eintraege[0].Text.startsWith("Lohnwippe ist in diesem Ordner bereits geöffnet"));
    EXPECT_EQ(DateiInhalt("SV.dat"), sv);
    Schliessen();
    Starten();  // the lock went with the first window
    EXPECT_EQ(E().Entgelt[1]->text(), "612,00");
}

}  // namespace
}  // namespace lohnwippe::test
