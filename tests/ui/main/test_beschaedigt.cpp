// Start-ups from damaged, short and hostile data files, and a disk that is
// really full.
#include <sys/mount.h>

#include <QLabel>
#include <QPushButton>
#include <QTextDocument>
#include <cstring>
#include <fstream>

#include "FensterTest.h"
#include "store/Satznummern.h"

namespace lohnwippe::test {
namespace {

namespace fs = std::filesystem;

void Schreiben(const fs::path& datei, const std::vector<char>& inhalt) {
    std::ofstream strom(datei, std::ios::binary | std::ios::trunc);
    strom.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
}

// Where record `satzNr` of the case file begins.
std::ptrdiff_t Stelle(int satzNr) {
    return std::ptrdiff_t{204} * (satzNr - 1);
}

std::vector<char> Zufall(std::size_t laenge, unsigned saat) {
    std::mt19937 zufall(saat);
    std::vector<char> inhalt(laenge);
    for (char& zeichen : inhalt) {
        zeichen = static_cast<char>(zufall());
    }
    return inhalt;
}

class BeschaedigtTest : public FensterTest {
  protected:
    // Every list shows an entry it has.
    void ListenGueltig() const {
        for (const QComboBox* liste :
             {E().Jahr, E().Monat, E().Minijobber, E().Kassen, E().Teilmonat, E().Beitrag0}) {
            if (liste == E().Beitrag0) {
                continue;  // the contribution list keeps its design text
            }
            EXPECT_GE(liste->currentIndex(), 0) << liste->objectName().toStdString();
            EXPECT_LT(liste->currentIndex(), liste->count()) << liste->objectName().toStdString();
        }
    }
};

TEST_F(BeschaedigtTest, KurzeDateienWerdenEinmalGemeldetUndErgaenzt) {
    Schreiben("SV.dat", Zufall(204 * 100 + 31, 1));
    Starten();
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    const QString text = meldungen.Eintraege[0].Text;
    EXPECT_TRUE(
        text.contains("Die Datei SV.dat ist unvollständig oder beschädigt (20431 statt "
                      "123012 Bytes)."));
    EXPECT_TRUE(text.contains("Die Datei U12.dat fehlt oder ist leer."));
    EXPECT_EQ(fenster->FallNr(), 360);  // record 603 reads as zeros
    ListenGueltig();
    EXPECT_EQ(E().SozversK->text(), "0,00 %");

    Tippen(E().Entgelt[1], "600");
    EXPECT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_EQ(fenster->Daten().FallLesen(360).Wert().Entgelte[1], Waehrung::AusGanzzahl(600));
    Schliessen();
    EXPECT_EQ(fs::file_size("SV.dat"), 204u * 603);  // 603 written at closing
}

TEST_F(BeschaedigtTest, BeliebigeBytesStartenArbeitenUndSchliessen) {
    for (unsigned saat = 1; saat <= 12; ++saat) {
        SCOPED_TRACE("Saat " + std::to_string(saat));
        Schreiben("SV.dat", Zufall(std::size_t{204} * 603, saat));
        Schreiben("U12.dat", Zufall(std::size_t{176} * 48, saat + 100));
        meldungen = MeldungenAttrappe{};
        Starten();
        ASSERT_NE(fenster, nullptr);
        ListenGueltig();
        Tippen(E().Entgelt[2], "450");
        Auswaehlen(E().Minijobber, static_cast<int>(saat % 10));
        Auswaehlen(E().Kassen, static_cast<int>(saat % 22));
        QTest::mouseClick(E().Speichern, Qt::LeftButton);
        ListenGueltig();
        Schliessen();
        EXPECT_EQ(fs::file_size("SV.dat"), 204u * 603);
    }
}

TEST_F(BeschaedigtTest, SatzMitHalbemEndeWirdGemeldet) {
    Starten();
    Schliessen();
    fs::resize_file("SV.dat", 204 * 603 + 5);
    Starten();
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_TRUE(meldungen.Eintraege[0].Text.contains("(123017 statt 123012 Bytes)"));
}

// Names from the file are shown as written, never as markup, and go back
// into the file byte for byte; what the file cannot hold becomes "?".
TEST_F(BeschaedigtTest, NamenBleibenKlartextUndUnveraendert) {
    Starten();
    Schliessen();
    auto sv = DateiInhalt("SV.dat");
    const auto setzen = [&sv](int satzNr, int job, std::string name) {
        name.resize(20, ' ');
        std::copy(name.begin(), name.end(),
                  sv.begin() + Stelle(satzNr) + std::ptrdiff_t{20} * (job - 1));
    };
    setzen(361, 1, "<b>fett</b>&amp;<i>");
    setzen(361, 2,
           "\x01\x07\x1b\x7f\x81\x8d\x8f\x90\x9d"
           "A\tB");
    setzen(361, 3, "WWWWWWWWWWWWWWWWWWWW");
    setzen(361, 4, "\xe4\xf6\xfc\xdf\x80 <a href=x>");
    setzen(NamenSatz1, 1, "<script>x</script>");
    Schreiben("SV.dat", sv);
    const std::vector<char> namenVorher(sv.begin() + Stelle(361), sv.begin() + Stelle(361) + 80);

    Starten();
    EXPECT_EQ(E().Arbeitgeber[1]->text(), "<b>fett</b>&amp;<i> ");
    EXPECT_EQ(E().Arbeitgeber[4]->text(), QString::fromUtf8("äöüß€ <a href=x>    "));
    EXPECT_EQ(E().Minijobber->itemText(0), "<script>x</script>  ");
    Fokus(E().Arbeitgeber[1], true);
    Fokus(E().Arbeitgeber[1], false);
    EXPECT_TRUE(E().Arbeitgeber[1]->toolTip().contains("&lt;b&gt;fett&lt;/b&gt;&amp;amp;"));
    for (const QLabel* label : fenster->findChildren<QLabel*>()) {
        EXPECT_FALSE(label->openExternalLinks()) << label->objectName().toStdString();
        if (Qt::mightBeRichText(label->text())) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
        }
    }

    Tippen(E().Entgelt[1], "500");  // a save
    auto nachher = DateiInhalt("SV.dat");
    // The first name lost its trailing blank on leaving the box and got it
    // back as padding: the same bytes.
    EXPECT_EQ(std::vector<char>(nachher.begin() + Stelle(361), nachher.begin() + Stelle(361) + 80),
              namenVorher);

    // Typed characters the file's code page lacks are stored as "?".
    E().Arbeitgeber[3]->setText(QString::fromUtf8("Łódź ✓ 漢"));
    QTest::keyClick(E().Arbeitgeber[3], Qt::Key_Return);
    nachher = DateiInhalt("SV.dat");
    EXPECT_EQ(std::string(nachher.begin() + Stelle(361) + 40, nachher.begin() + Stelle(361) + 60),
              "?\xf3"
              "d? ? ?            ");

    // Only the two fixed addresses ever open.
    QTest::mouseClick(E().Internet, Qt::LeftButton);
    Schliessen();
    for (const QString& adresse : adressen.Adressen) {
        EXPECT_TRUE(adresse == Homepage || adresse.endsWith("/Lohnwippe-Info.html"))
            << adresse.toStdString();
    }
}

// A real, small file system that fills up: the defaults do not fit, the
// start says so and leaves no half file; with room, all goes on.
TEST_F(BeschaedigtTest, EchterVollerDatentraeger) {
    struct Einhaengung {
        fs::path Pfad = fs::current_path() / "platte";
        bool Eingehaengt = false;
        ~Einhaengung() {
            fs::current_path(Pfad.parent_path());
            if (Eingehaengt) {
                ::umount2(Pfad.c_str(), MNT_DETACH);
            }
        }
    } einhaengung;
    const fs::path& platte = einhaengung.Pfad;
    fs::create_directory(platte);
    einhaengung.Eingehaengt = ::mount("tmpfs", platte.c_str(), "tmpfs", 0, "size=64k") == 0;
    if (!einhaengung.Eingehaengt) {
        GTEST_SKIP() << "tmpfs kann hier nicht eingehängt werden: " << std::strerror(errno);
    }
    fs::current_path(platte);
    EXPECT_EQ(Hauptfenster::Starten(Welt()), nullptr);
    ASSERT_EQ(meldungen.Eintraege.size(), 1u);
    EXPECT_TRUE(meldungen.Eintraege[0].Text.startsWith("SV.dat, Satz "));
    EXPECT_TRUE(meldungen.Eintraege[0].Text.contains("Kein Speicherplatz mehr"));
    EXPECT_EQ(fs::file_size("SV.dat"), 0u);

    ASSERT_EQ(::mount("tmpfs", platte.c_str(), "tmpfs", MS_REMOUNT, "size=160k"), 0);
    // A short case file and no space for what it lacks.
    Starten();
    Schliessen();
    fs::resize_file("SV.dat", std::uintmax_t{204} * 300);
    {
        std::ofstream fueller("fueller", std::ios::binary);
        const std::vector<char> block(4096, 'x');
        while (fueller.write(block.data(), static_cast<std::streamsize>(block.size()))) {
        }
    }
    meldungen = MeldungenAttrappe{};
    Starten();  // its case lies beyond the end and cannot be stored
    ASSERT_EQ(meldungen.Eintraege.size(), 2u);
    EXPECT_TRUE(meldungen.Eintraege[1].Text.contains("Kein Speicherplatz"));
    Tippen(E().Entgelt[1], "555");
    EXPECT_EQ(E().Entgelt[1]->text(), "555,00");
    fs::remove("fueller");
    Tippen(E().Entgelt[2], "5");
    EXPECT_EQ(fenster->Daten().FallLesen(fenster->FallNr()).Wert().Entgelte[1],
              Waehrung::AusGanzzahl(555));
    Schliessen();
}

}  // namespace
}  // namespace lohnwippe::test
