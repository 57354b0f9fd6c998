// The case model against a disk that fails to read: a scripted session is
// run once undisturbed, then again with its k-th read call failing, for
// every k and each way a read can fail. A failed read must change nothing
// on disk: the user, told once, repeats what was refused, and the files end
// byte for byte as in the undisturbed session.
#include <cerrno>
#include <climits>
#include <fstream>
#include <functional>

#include "FallTest.h"
#include "store/Datei.h"

namespace lohnwippe::test {
namespace {

enum class Leseart { EinAusgabe, Unterbrochen, Kurz };

struct Lesestoerung final : Systemaufrufe {
    Leseart Art = Leseart::EinAusgabe;
    int Bei = INT_MAX;  // the read call that fails, from 1
    int Aufrufe = 0;

    long PRead(int fd, void* daten, std::size_t anzahl, std::uint64_t position) override {
        if (++Aufrufe == Bei) {
            switch (Art) {
                case Leseart::EinAusgabe:
                    errno = EIO;
                    return -1;
                case Leseart::Unterbrochen:
                    errno = EINTR;
                    return -1;
                case Leseart::Kurz:
                    return Systemaufrufe::PRead(fd, daten, anzahl / 2, position);
            }
        }
        return Systemaufrufe::PRead(fd, daten, anzahl, position);
    }
    // Nothing here is about the disk's cache; the sessions run many times.
    int FDatasync(int) override { return 0; }
};

std::string Inhalt(const char* datei) {
    std::ifstream strom(datei, std::ios::binary);
    return {std::istreambuf_iterator<char>(strom), {}};
}

bool Lesefehler(const std::vector<Meldung>& meldungen) {
    for (const Meldung& m : meldungen) {
        // The annual sum is shown as unknown; the action itself went through.
        if (m.Text.find("Lesen nicht möglich") != std::string::npos &&
            m.Text.find("Jahresentgelt") == std::string::npos) {
            return true;
        }
    }
    return false;
}

class LesefehlerTest : public FallTest {
  protected:
    struct Ablauf {
        std::string Sv, U12;
        std::vector<Meldung> Gesagt;
        int Fragen = 0;
    };

    void Oeffnen(Lesestoerung& stoerung) {
        for (int versuch = 0; versuch < 3 && !fall; ++versuch) {
            auto daten = Datenbestand::Oeffnen(
                [&](const std::string& name) { return SystemDatei::Oeffnen(name, stoerung); });
            ASSERT_TRUE(daten.HatWert());
            auto start = OffenerFall::Starten(std::move(daten).Wert(), fenster);
            Sagen(start.Anzeige.Meldungen);
            fall = std::move(start.Fall);
        }
        ASSERT_NE(fall, nullptr);
    }

    void Sagen(const std::vector<Meldung>& meldungen) {
        ablauf_.Gesagt.insert(ablauf_.Gesagt.end(), meldungen.begin(), meldungen.end());
    }

    // An action refused for a failed read is repeated, as a user would.
    void Tun(const std::function<Aenderung()>& aktion) {
        Aenderung a = aktion();
        Sagen(a.Meldungen);
        if (Lesefehler(a.Meldungen)) {
            Sagen(aktion().Meldungen);
        }
    }

    void Schliessen() {
        for (int versuch = 0; versuch < 2; ++versuch) {
            auto schluss = fall->Schliessen();
            Sagen(schluss.Meldungen);
            if (!schluss.Frage) {
                break;
            }
            ++ablauf_.Fragen;  // "Nein": the window stays, the user tries again
        }
        fall.reset();
    }

    Ablauf Sitzung(Lesestoerung& stoerung) {
        std::filesystem::remove("SV.dat");
        std::filesystem::remove("U12.dat");
        ablauf_ = {};
        Oeffnen(stoerung);
        if (!fall) {
            return ablauf_;
        }
        Tun([&] { return Tippen(1, "600"); });
        Tun([&] { return fall->SchalterKlicken(2, Jobschalter::AV); });
        Tun([&] { return fall->PersonWaehlen(1); });
        Tun([&] { return Tippen(1, "450,50"); });
        Tun([&] { return fall->MonatWaehlen(4); });
        Tun([&] { return fall->KasseWaehlen(5); });
        Tun([&] { return fall->JahrWaehlen(2010); });
        Tun([&] { return fall->BisDezemberKopieren(); });
        fall->ArbeitgeberGetippt(2, "Bäckerei Schmidt");
        Tun([&] { return fall->ArbeitgeberEnter(2); });
        // Saved master data are not saved again when the case cannot be
        // read back afterwards.
        for (int versuch = 0; versuch < 2; ++versuch) {
            auto saetze = fall->Umlagesaetze2012(3);
            if (auto* meldung = std::get_if<Meldung>(&saetze)) {
                Sagen({*meldung});
                saetze = fall->Umlagesaetze2012(3);
            }
            Stammdateneingabe e{fall->Namen().Personen, fall->Namen().Abrechnungsstelle, 3, {}, {}};
            e.Personen[9] = "Frau Meier";
            for (std::size_t m = 0; m < 12; ++m) {
                e.U1[m] = OffenerFall::Satztext(std::get<0>(saetze)[0][m] + 10);
                e.U2[m] = OffenerFall::Satztext(std::get<0>(saetze)[1][m]);
            }
            auto ergebnis = fall->StammdatenSpeichern(e);
            if (auto* geschafft = std::get_if<Aenderung>(&ergebnis)) {
                Sagen(geschafft->Meldungen);
                break;
            }
            Sagen(std::get<Stammdatenfehler>(ergebnis).Meldungen);
        }
        Tun([&] { return fall->TeilmonatWaehlen(2); });
        Schliessen();
        Oeffnen(stoerung);
        Tun([&] { return fall->PersonWaehlen(0); });
        Tun([&] { return Tippen(3, "120"); });
        Schliessen();
        ablauf_.Sv = Inhalt("SV.dat");
        ablauf_.U12 = Inhalt("U12.dat");
        return ablauf_;
    }

    Ablauf ablauf_;
};

TEST_F(LesefehlerTest, JederScheiterndeLesevorgangEinerSitzungVerliertNichts) {
    Lesestoerung zaehler;
    const Ablauf ungestoert = Sitzung(zaehler);
    ASSERT_FALSE(ungestoert.Sv.empty());
    Lesestoerung probe;
    Sitzung(probe);
    const int lesevorgaenge = probe.Aufrufe;
    ASSERT_GT(lesevorgaenge, 30);

    for (const Leseart art : {Leseart::EinAusgabe, Leseart::Unterbrochen, Leseart::Kurz}) {
        for (int k = 1; k <= lesevorgaenge; ++k) {
            Lesestoerung stoerung;
            stoerung.Art = art;
            stoerung.Bei = k;
            const Ablauf a = Sitzung(stoerung);
            const std::string wo = "Art " + std::to_string(static_cast<int>(art)) +
                                   ", Lesevorgang " + std::to_string(k);
            ASSERT_TRUE(a.Sv == ungestoert.Sv) << wo;
            ASSERT_TRUE(a.U12 == ungestoert.U12) << wo;
            if (art != Leseart::EinAusgabe) {
                EXPECT_EQ(a.Gesagt, ungestoert.Gesagt) << wo;
                EXPECT_EQ(a.Fragen, 0) << wo;
                continue;
            }
            // One message (or the closing question) more than undisturbed,
            // naming the file and the reason.
            int mehr = a.Fragen;
            for (const Meldung& m : a.Gesagt) {
                mehr += m.Text.find("Lesen nicht möglich") != std::string::npos ? 1 : 0;
            }
            EXPECT_EQ(mehr, 1) << wo;
            EXPECT_EQ(a.Gesagt.size() + static_cast<std::size_t>(a.Fragen),
                      ungestoert.Gesagt.size() + 1)
                << wo;
        }
    }
}

}  // namespace
}  // namespace lohnwippe::test
