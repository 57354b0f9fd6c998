// The case against a disk that fails to write or to read: one clear message,
// and nothing lost or overwritten.
#include <functional>

#include "FallTest.h"

namespace lohnwippe::test {
namespace {

namespace fs = std::filesystem;

class SpeicherfehlerTest : public FallTest {
  protected:
    // A working day in brief, as model operations: start, type, switch,
    // name an employer, change fund and person, copy to December, save the
    // master data, close; before each step that leaves the case, a change
    // that only a save stores. The user does a step again that failed with
    // a message, as the message asks (a click would undo itself: not that),
    // starts again when the start failed, and says "Nein" to the question at
    // closing until closing works. Returns the failures said and asked.
    int Sitzung(Stoerstelle& stoerung) {
        for (int start = 0; start < 6 && StartenMit(stoerung) == nullptr; ++start) {
            Sagen(gemeldet);
        }
        EXPECT_NE(fall, nullptr);
        if (fall == nullptr) {
            return -1;
        }
        Sagen(gemeldet);
        const auto tippen = [&](int job, const char* text) {
            Wiederholt([&] { return Tippen(job, text).Meldungen; });
        };
        tippen(1, "650");
        Sagen(fall->SchalterKlicken(Allgemeinschalter::Kinderlos));
        tippen(2, "200");
        Sagen(fall->SchalterKlicken(J(2), Jobschalter::RV));
        fall->ArbeitgeberGetippt(J(2), "Bäckerei Holm");
        Wiederholt([&] { return fall->ArbeitgeberEnter(J(2)).Meldungen; });
        Wiederholt([&] { return fall->KasseWaehlen(*Kassenplatz::Aus(3)).Meldungen; });
        tippen(3, "50");
        Wiederholt([&] { return fall->PersonWaehlen(*Personenplatz::Aus(4)).Meldungen; });
        tippen(1, "480,5");
        Wiederholt([&] { return fall->BisDezemberKopieren().Meldungen; });
        tippen(2, "99");

        Stammdateneingabe e{fall->Namen().Personen, fall->Namen().Abrechnungsstelle, {}, {}, {}};
        e.Personen[4] = "Frau Ebert";
        e.U1.fill("2,1");
        e.U2.fill("0,3");
        Wiederholt([&] { return fall->StammdatenSpeichern(e).Meldungen; });
        Sagen(fall->SchalterKlicken(J(1), Jobschalter::KG));

        for (int versuch = 0; versuch < 6; ++versuch) {
            const Aenderung schluss = fall->Schliessen();
            Sagen(schluss.Meldungen);
            if (!schluss.Frage) {
                break;
            }
            gesagt_.push_back({"Frage", *schluss.Frage, Symbol::Fehler});
        }
        fall.reset();
        return Fehler(gesagt_);
    }

    void Sagen(const std::vector<Meldung>& meldungen) {
        gesagt_.insert(gesagt_.end(), meldungen.begin(), meldungen.end());
    }
    void Sagen(const Aenderung& a) { Sagen(a.Meldungen); }
    void Wiederholt(const std::function<std::vector<Meldung>()>& schritt) {
        for (int mal = 0; mal < 6; ++mal) {
            const auto meldungen = schritt();
            Sagen(meldungen);
            if (Fehler(meldungen) == 0) {
                break;
            }
        }
    }

    std::vector<Meldung> gesagt_;
};

// A case file as the next start reads it: all of it, or all but the copy of
// the case in the settings record after the case number and window place.
std::vector<char> Gelesen(std::vector<char> sv, int anzahl) {
    if (anzahl > 1 && sv.size() == Stelle(EinstellungsSatz + 1)) {
        std::fill(sv.end() - FallsatzLaenge + 86, sv.end(), 0);
    }
    return sv;
}

// One failing write at each write call of the session, and four in a row
// from each call on, so that a whole calculation's saves fail; in six ways.
TEST_F(SpeicherfehlerTest, JederScheiterndeSchreibvorgangEinerSitzungVerliertNichts) {
    Stoerstelle ohne;
    ASSERT_EQ(Sitzung(ohne), 0);
    const auto sv = DateiInhalt("SV.dat");
    const auto u12 = DateiInhalt("U12.dat");
    ASSERT_GT(ohne.Aufrufe, 30);

    for (const Stoerart art :
         {Stoerart::Voll, Stoerart::EinAusgabe, Stoerart::Schreibschutz, Stoerart::KurzDannVoll,
          Stoerart::KurzDannWeiter, Stoerart::Unterbrochen}) {
        const bool bemerkbar = art != Stoerart::KurzDannWeiter && art != Stoerart::Unterbrochen;
        for (const int anzahl : {1, 4}) {
            for (int k = 1; k <= ohne.Aufrufe; ++k) {
                SCOPED_TRACE("Art " + std::to_string(static_cast<int>(art)) + ", " +
                             std::to_string(anzahl) + " ab Schreibvorgang " + std::to_string(k));
                fs::remove("SV.dat");
                fs::remove("U12.dat");
                gesagt_.clear();
                Stoerstelle stoerung;
                stoerung.Art = art;
                stoerung.Bei = k;
                stoerung.Bis = k + anzahl - 1;
                // One failure, one message naming the file, or one question.
                const int gesagt = Sitzung(stoerung);
                ASSERT_TRUE(anzahl > 1 && bemerkbar ? gesagt > 0 : gesagt == (bemerkbar ? 1 : 0))
                    << gesagt;
                const auto fehler =
                    std::find_if(gesagt_.begin(), gesagt_.end(),
                                 [](const Meldung& m) { return m.Art == Symbol::Fehler; });
                EXPECT_TRUE(fehler == gesagt_.end() ||
                            fehler->Text.find(".dat") != std::string::npos)
                    << fehler->Text;
                // Everything the user did is on disk in the end. After a
                // whole calculation failed, the settings record may keep an
                // older copy of the case where nothing reads it.
                ASSERT_TRUE(Gelesen(DateiInhalt("SV.dat"), anzahl) == Gelesen(sv, anzahl));
                ASSERT_TRUE(DateiInhalt("U12.dat") == u12);
            }
        }
    }
}

// The same day with each read call failing in turn, in three ways. A failed
// read changes nothing on disk: what it refused is done again, and the files
// end as after an undisturbed day.
TEST_F(SpeicherfehlerTest, JederScheiterndeLesevorgangEinerSitzungVerliertNichts) {
    Stoerstelle ohne;
    ASSERT_EQ(Sitzung(ohne), 0);
    const auto sv = DateiInhalt("SV.dat");
    const auto u12 = DateiInhalt("U12.dat");
    ASSERT_GE(ohne.Lesevorgaenge, 15);
    for (const Leseart art : {Leseart::EinAusgabe, Leseart::Unterbrochen, Leseart::Kurz}) {
        for (int k = 1; k <= ohne.Lesevorgaenge; ++k) {
            SCOPED_TRACE("Art " + std::to_string(static_cast<int>(art)) + ", Lesevorgang " +
                         std::to_string(k));
            fs::remove("SV.dat");
            fs::remove("U12.dat");
            gesagt_.clear();
            Stoerstelle stoerung;
            stoerung.LeseArt = art;
            stoerung.LeseBei = k;
            ASSERT_EQ(Sitzung(stoerung), art == Leseart::EinAusgabe ? 1 : 0);
            ASSERT_TRUE(DateiInhalt("SV.dat") == sv);
            ASSERT_TRUE(DateiInhalt("U12.dat") == u12);
        }
    }
}

}  // namespace
}  // namespace lohnwippe::test
