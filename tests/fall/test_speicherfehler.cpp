// The case against a disk that fails to write or to read: one clear message,
// and nothing lost or overwritten.
#include <functional>

#include "FallTest.h"
#include "Stichprobe.h"

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
        Sagen(gestartet);
        const auto tippen = [&](int job, const char* text) {
            const auto betrag = EntgeltUebernehmen(text).Betrag->Roh();
            Eingabe(FalldateiName,
                    Stelle(FallNr(fall->Bildschirm().Monat(), fall->Bildschirm().Person().Wert())) +
                        172 + 8 * (static_cast<std::uint64_t>(job) - 1),
                    &betrag, 8);
            Wiederholt([&] { return Tippen(job, text); });
        };
        tippen(1, "650");
        Sagen(fall->SchalterKlicken(Allgemeinschalter::Kinderlos));
        tippen(2, "200");
        Sagen(fall->SchalterKlicken(J(2), Jobschalter::RV));
        fall->ArbeitgeberGetippt(J(2), "Bäckerei Holm");
        Wiederholt([&] { return fall->ArbeitgeberEnter(J(2)); });
        Wiederholt([&] { return fall->KasseWaehlen(*Kassenplatz::Aus(3)); });
        tippen(3, "50");
        Wiederholt([&] { return fall->PersonWaehlen(*Personenplatz::Aus(4)); });
        tippen(1, "480,5");
        Wiederholt([&] { return fall->BisDezemberKopieren(); });
        tippen(2, "99");

        Stammdateneingabe e{fall->Stammdaten().Namen().Personen,
                            fall->Stammdaten().Namen().Abrechnungsstelle,
                            {},
                            {},
                            {}};
        e.Personen[4] = "Frau Ebert";
        e.U1.fill("2,1");
        e.U2.fill("0,3");
        const std::int16_t u1 = 2100;
        Eingabe(UmlagedateiName, UmlagesatzLaenge * (ErsterUmlagesatz2012 - 1), &u1, 2);
        Eingabe(FalldateiName, Stelle(NamenSatz2), "Frau Ebert          ", 20);
        Wiederholt([&] { return fall->StammdatenSpeichern(e); });
        Sagen(fall->SchalterKlicken(J(1), Jobschalter::KG));

        for (int versuch = 0; versuch < 6; ++versuch) {
            const Aenderung schluss = Sagen(fall->Schliessen());
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
    // What a step said, with the user's answer to a file another program
    // changed, and then the files as the step left them.
    Aenderung Sagen(Aenderung a) {
        Sagen(a.Meldungen);
        for (int mal = 0; a.Wahl && mal < 4; ++mal) {
            const bool neue = a.Wahl->Text.starts_with("Die Datei SV") ? neueSv_ : neueU12_;
            a = fall->ErsetzungEntscheiden(neue);
            Sagen(a.Meldungen);
        }
        if (nachJedemSchritt_) {
            nachJedemSchritt_();
        }
        return a;
    }
    void Wiederholt(const std::function<Aenderung()>& schritt) {
        for (int mal = 0; mal < 6 && Fehler(Sagen(schritt()).Meldungen) > 0; ++mal) {
        }
    }

    // What the user entered: these bytes at this place of a data file.
    struct Eingegeben {
        const char* Datei;
        std::uint64_t Stelle;
        std::string Bytes;
    };
    void Eingabe(const char* datei, std::uint64_t stelle, const void* bytes, std::size_t anzahl) {
        eingaben_.push_back({datei, stelle, std::string(static_cast<const char*>(bytes), anzahl)});
    }
    // Where a file or a copy of it kept beside holds what was entered.
    static bool Gehalten(const Eingegeben& e) {
        for (const auto& eintrag : fs::directory_iterator(".")) {
            const std::string name = eintrag.path().filename().string();
            const auto inhalt = DateiInhalt(name);
            if ((name == e.Datei || name.starts_with(e.Datei + std::string(".ersetzt-"))) &&
                inhalt.size() >= e.Stelle + e.Bytes.size() &&
                std::equal(e.Bytes.begin(), e.Bytes.end(),
                           inhalt.begin() + static_cast<std::ptrdiff_t>(e.Stelle))) {
                return true;
            }
        }
        return false;
    }

    std::vector<Meldung> gesagt_;
    std::vector<Eingegeben> eingaben_;
    bool neueSv_ = false, neueU12_ = false;
    std::function<void()> nachJedemSchritt_;
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
                fs::remove("SVab2013.dat");
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

// The same day with each read call failing in turn, in three ways (the
// files are read whole when the program starts). A failed read changes
// nothing on disk: what it refused is done again, and the files end as
// after an undisturbed day.
TEST_F(SpeicherfehlerTest, JederScheiterndeLesevorgangEinerSitzungVerliertNichts) {
    Stoerstelle ohne;
    ASSERT_EQ(Sitzung(ohne), 0);
    const auto sv = DateiInhalt("SV.dat");
    const auto u12 = DateiInhalt("U12.dat");
    ASSERT_GE(ohne.Lesevorgaenge, 2);
    for (const Leseart art : {Leseart::EinAusgabe, Leseart::Unterbrochen, Leseart::Kurz}) {
        for (int k = 1; k <= ohne.Lesevorgaenge; ++k) {
            SCOPED_TRACE("Art " + std::to_string(static_cast<int>(art)) + ", Lesevorgang " +
                         std::to_string(k));
            fs::remove("SV.dat");
            fs::remove("U12.dat");
            fs::remove("SVab2013.dat");
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

// After each read or write call of the working day, another program
// replaces, deletes or cuts one of the data files, and the user takes the
// new file or keeps theirs: after every step, what the user has entered is
// in the file or in the copy kept beside it.
TEST_F(SpeicherfehlerTest, FremdeEingriffeVerlierenNichtsWasEingegebenWurde) {
    Stoerstelle ohne;
    ASSERT_EQ(Sitzung(ohne), 0);
    const auto eingreifen = [](const char* datei, int art) {
        if (!fs::exists(datei)) {
            return;
        }
        if (art == 0) {  // a sync tool renames its own copy over
            fs::copy_file(datei, "fremd");
            std::fstream("fremd", std::ios::in | std::ios::out | std::ios::binary).write("X", 1);
            fs::rename("fremd", datei);
        } else if (art == 1) {
            fs::remove(datei);
        } else {
            fs::resize_file(datei, fs::file_size(datei) / 2);
        }
    };
    Stichprobe stichprobe(32);
    for (int k = 1; k <= ohne.Zugriffe; ++k) {
        if (!stichprobe.Nehmen()) {
            continue;
        }
        for (const char* datei : {FalldateiName, UmlagedateiName}) {
            for (int art = 0; art < 3; ++art) {
                for (const bool neue : {false, true}) {
                    SCOPED_TRACE(std::string(datei) + ", Eingriff " + std::to_string(art) +
                                 " nach Zugriff " + std::to_string(k) +
                                 (neue ? ", neue" : ", meine"));
                    for (const auto& eintrag : fs::directory_iterator(".")) {
                        fs::remove(eintrag.path());
                    }
                    eingaben_.clear();
                    neueSv_ = neueU12_ = neue;
                    std::string verloren;
                    nachJedemSchritt_ = [&] {
                        for (const Eingegeben& e : eingaben_) {
                            if (verloren.empty() && !Gehalten(e)) {
                                verloren = std::string(e.Datei) + " ab Byte " +
                                           std::to_string(e.Stelle) + " nach Schritt " +
                                           std::to_string(eingaben_.size());
                            }
                        }
                    };
                    Stoerstelle stoerung;
                    stoerung.EingriffBei = k;
                    stoerung.Eingriff = [&] { eingreifen(datei, art); };
                    Sitzung(stoerung);
                    nachJedemSchritt_ = nullptr;
                    ASSERT_EQ(verloren, "");
                }
            }
        }
    }
}

}  // namespace
}  // namespace lohnwippe::test
