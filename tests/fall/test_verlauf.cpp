// Undo and redo on the model: random sessions against a list of file
// images, someone else's change, and writes that fail on the way back.
#include <algorithm>
#include <random>

#include "FallTest.h"

namespace lohnwippe::test {
namespace {

namespace fs = std::filesystem;

// What the steps change: both files but the settings record, which follows
// the case on screen, and the master data it holds besides.
std::string Stand(const OffenerFall& f) {
    auto sv = DateiInhalt("SV.dat");
    sv.erase(sv.begin() + static_cast<std::ptrdiff_t>(Stelle(EinstellungsSatz)), sv.end());
    const auto u12 = DateiInhalt("U12.dat");
    std::string stand(sv.begin(), sv.end());
    stand.append(u12.begin(), u12.end());
    for (const std::string& name : f.Stammdaten().Namen().Personen) {
        stand += name;
    }
    return stand + f.Stammdaten().Namen().Abrechnungsstelle[0] +
           f.Stammdaten().Namen().Abrechnungsstelle[1];
}

// Where two states differ first: none, or the record and byte.
std::string Abweichung(const std::string& ist, const std::string& soll) {
    const auto [a, b] = std::mismatch(ist.begin(), ist.end(), soll.begin(), soll.end());
    if (a == ist.end() && b == soll.end()) {
        return "";
    }
    const auto stelle = static_cast<std::size_t>(a - ist.begin());
    return "SV.dat-Satz " + std::to_string(stelle / FallsatzLaenge + 1) + ", Byte " +
           std::to_string(stelle % FallsatzLaenge);
}

class VerlaufTest : public FallTest {
  protected:
    enum class Art { Schritt, Wandern, Zurueck, Vor };
    // One random action of a working day, as a step (or navigation), an
    // undo or a redo.
    Art Handeln(std::mt19937& zufall) {
        const auto wahl = [&](int n) {
            return static_cast<int>(zufall() % static_cast<unsigned>(n));
        };
        const Job job = J(1 + wahl(4));
        static const char* betraege[] = {"0", "450", "612,34", "800", "5"};
        switch (wahl(11)) {
            case 0:
                Tippen(job.Nr(), betraege[wahl(5)]);
                break;
            case 1:
                fall->SchalterKlicken(job, static_cast<Jobschalter>(wahl(8)));
                break;
            case 2:
                fall->SchalterKlicken(static_cast<Allgemeinschalter>(wahl(3)));
                break;
            case 3:
                fall->KasseWaehlen(*Kassenplatz::Aus(wahl(AnzahlKassen)));
                break;
            case 4:
                fall->TeilmonatWaehlen(*Teilmonatsplatz::Aus(wahl(35)));
                break;
            case 5:
                fall->ArbeitgeberGetippt(job, "Firma " + std::to_string(wahl(3)));
                fall->ArbeitgeberEnter(job);
                break;
            case 6:
                fall->BisDezemberKopieren();
                break;
            case 7:
                fall->PersonWaehlen(*Personenplatz::Aus(wahl(10)));
                fall->MonatWaehlen(*Monatsplatz::Aus(wahl(12)));
                return Art::Wandern;
            case 8: {
                Stammdateneingabe e{fall->Stammdaten().Namen().Personen,
                                    fall->Stammdaten().Namen().Abrechnungsstelle,
                                    *Kassenplatz::Aus(wahl(AnzahlKassen)),
                                    {},
                                    {}};
                e.Personen[static_cast<std::size_t>(wahl(10))] = "Neu " + std::to_string(wahl(9));
                e.U1.fill(std::to_string(wahl(3)) + ",5");
                e.U2.fill("0,2");
                fall->StammdatenSpeichern(e);
                break;
            }
            case 9:
                fall->Rueckgaengig();
                return Art::Zurueck;
            default:
                fall->Wiederholen();
                return Art::Vor;
        }
        return Art::Schritt;
    }
};

TEST_F(VerlaufTest, ZufaelligeSitzungenGehenZurueckUndVorWieEineListeVonDateibildern) {
    for (const unsigned saat : {1U, 2U, 3U}) {
        SCOPED_TRACE("Saat " + std::to_string(saat));
        fs::remove("SV.dat");
        fs::remove("U12.dat");
        Starten();
        std::mt19937 zufall(saat);
        std::vector<std::string> bilder{Stand(*fall)};
        std::size_t jetzt = 0;
        for (int schritt = 0; schritt < 120; ++schritt) {
            const Art art = Handeln(zufall);
            const std::string nachher = Stand(*fall);
            if (art == Art::Zurueck && jetzt > 0) {
                --jetzt;
            } else if (art == Art::Vor && jetzt + 1 < bilder.size()) {
                ++jetzt;
            } else if (art == Art::Wandern && nachher != bilder[jetzt]) {
                // A case stored anew on loading: part of the last step, and
                // the start of the next steps that did not touch it.
                for (std::size_t ab = 0; ab < Stelle(EinstellungsSatz); ab += FallsatzLaenge) {
                    const auto satz = [&](const std::string& bild) {
                        return bild.substr(ab, FallsatzLaenge);
                    };
                    for (std::size_t i = jetzt + 1;
                         i < bilder.size() && satz(bilder[i]) == satz(bilder[jetzt]); ++i) {
                        bilder[i].replace(ab, FallsatzLaenge, satz(nachher));
                    }
                }
                bilder[jetzt] = nachher;
            } else if (art == Art::Schritt && nachher != bilder[jetzt]) {
                // A new step drops what could have been redone.
                bilder.resize(jetzt + 1);
                bilder.push_back(nachher);
                ++jetzt;
            }
            ASSERT_EQ(Abweichung(nachher, bilder[jetzt]), "") << "Schritt " << schritt;
            ASSERT_EQ(fall->Schritte().Menuetext(true).has_value(), jetzt > 0)
                << "Schritt " << schritt;
            ASSERT_EQ(fall->Schritte().Menuetext(false).has_value(), jetzt + 1 < bilder.size());
        }
        for (; jetzt > 0; --jetzt) {
            const Aenderung a = fall->Rueckgaengig();
            ASSERT_TRUE(a.Hinweis && a.Meldungen.empty())
                << (a.Meldungen.empty() ? "" : a.Meldungen[0].Text);
            ASSERT_EQ(Abweichung(Stand(*fall), bilder[jetzt - 1]), "");
        }
        for (; jetzt + 1 < bilder.size(); ++jetzt) {
            fall->Wiederholen();
            ASSERT_EQ(Abweichung(Stand(*fall), bilder[jetzt + 1]), "");
        }
        fall.reset();
    }
}

// Another program changed a record the step left: nothing goes back, and
// the message names the case.
TEST_F(VerlaufTest, FremdeAenderungWirdNichtUeberschrieben) {
    Starten();
    Tippen(1, "450");
    FremdesSvDat(361, 999);
    ASSERT_TRUE(fall->Rueckgaengig().Wahl);  // first the question which file goes on
    fall->ErsetzungEntscheiden(true);
    const std::string vorher = Stand(*fall);
    const Aenderung a = fall->Rueckgaengig();
    ASSERT_EQ(a.Meldungen.size(), 1u);
    EXPECT_EQ(a.Meldungen[0].Text,
              "„Entgelt Hauptbeschäftigung 0,00 → 450,00, Personalfall 1, Januar 2012“ wurde nicht "
              "rückgängig gemacht: „Personalfall 1, Januar 2012“ wurde seitdem von einem anderen "
              "Programm geändert. Es wurde nichts zurückgeschrieben.");
    EXPECT_EQ(Abweichung(Stand(*fall), vorher), "");
}

// After another program's file is taken over, a step the file no longer
// holds is refused once, named, and dropped; the steps before it go on the
// new file, which keeps the other program's change.
TEST_F(VerlaufTest, NachDerUebernahmeGehenDieFruherenSchritteWeiter) {
    Starten();
    Tippen(1, "450");
    Tippen(2, "100");
    FremdesSvDat(362, 100);
    ASSERT_TRUE(Tippen(1, "650").Wahl);  // typed into the program's version alone
    fall->ErsetzungEntscheiden(true);
    const Aenderung a = fall->Rueckgaengig();
    ASSERT_EQ(a.Meldungen.size(), 1u);
    EXPECT_TRUE(a.Meldungen[0].Text.starts_with(
        "„Entgelt Hauptbeschäftigung 450,00 → 650,00, Personalfall 1, Januar 2012“ wurde nicht "
        "rückgängig gemacht: „Personalfall 1, Januar 2012“ wurde seitdem"));
    EXPECT_EQ(fall->Schritte().Menuetext(true),
              "Rückgängig: Entgelt 1. Mini-Job 0,00 → 100,00, Personalfall 1, Januar 2012");
    EXPECT_TRUE(fall->Rueckgaengig().Meldungen.empty());
    EXPECT_TRUE(fall->Rueckgaengig().Meldungen.empty());
    EXPECT_FALSE(fall->Schritte().Menuetext(true));
    EXPECT_EQ(GespeicherterFall(361).Entgelte, JeJob<Waehrung>{});
    EXPECT_EQ(GespeicherterFall(362).Entgelte[1], Waehrung::AusGanzzahl(100));
}

// A write fails on the way back (the third record of a copy to December),
// at once or after part of its bytes: what went through is put back, the
// step stays, and it goes once the disk takes it.
TEST_F(VerlaufTest, GescheiterterRueckwegLaesstDenSchrittGanz) {
    Stoerstelle stoerung;
    StartenMit(stoerung);
    Tippen(1, "450");
    // A name, so that the first half of each record changes too.
    fall->ArbeitgeberGetippt(J(1), "Holm");
    fall->ArbeitgeberEnter(J(1));
    fall->BisDezemberKopieren();
    const std::string nachher = Stand(*fall);
    for (int mal = 0; mal < 4; ++mal) {
        const bool rueckwaerts = mal % 2 == 0;
        const std::string vorher = Stand(*fall);
        stoerung.Art = mal < 2 ? Stoerart::Voll : Stoerart::KurzDannVoll;
        stoerung.Bei = stoerung.Aufrufe + 3;
        stoerung.Bis = stoerung.Bei;
        const Aenderung a = rueckwaerts ? fall->Rueckgaengig() : fall->Wiederholen();
        ASSERT_EQ(Fehler(a.Meldungen), 1);
        EXPECT_TRUE(a.Meldungen[0].Text.ends_with("Die Daten sind unverändert."))
            << a.Meldungen[0].Text;
        EXPECT_EQ(Abweichung(Stand(*fall), vorher), "");
        EXPECT_TRUE(rueckwaerts ? fall->Schritte().Menuetext(true)
                                : fall->Schritte().Menuetext(false));
        const Aenderung b = rueckwaerts ? fall->Rueckgaengig() : fall->Wiederholen();
        EXPECT_EQ(b.Hinweis, (rueckwaerts ? "Rückgängig gemacht: " : "Wiederholt: ") +
                                 std::string("--> Dez., Februar bis Dezember 2012"));
        EXPECT_EQ(Abweichung(Stand(*fall), nachher).empty(), !rueckwaerts);
    }
    EXPECT_EQ(fall->Schritte().Menuetext(true), "Rückgängig: --> Dez., Februar bis Dezember 2012");
    stoerung.Art = Stoerart::Voll;

    // A save owed since a failure goes first, as a step of its own.
    stoerung.AbJetztVoll();
    Tippen(1, "500");
    stoerung.WiederPlatz();
    EXPECT_EQ(fall->Rueckgaengig().Hinweis,
              "Rückgängig gemacht: Nachgeholtes Speichern, Personalfall 1, Januar 2012");
    EXPECT_EQ(Abweichung(Stand(*fall), nachher), "");
    EXPECT_EQ(fall->Schritte().Menuetext(false),
              "Wiederholen: Nachgeholtes Speichern, Personalfall 1, Januar 2012");
}

// The program stores a case again when it loads it; what can be redone
// still goes, from the bytes it stored. A change whose save fails after an
// undo drops what could be redone, and its undo names the amount stored.
TEST_F(VerlaufTest, WiederholenNachNeuGespeichertemFallUndGescheitertemSpeichern) {
    Stoerstelle stoerung;
    StartenMit(stoerung);
    fall->PersonWaehlen(*Personenplatz::Aus(1));
    Tippen(1, "450");
    fall->BisDezemberKopieren();
    fall->Rueckgaengig();
    const Fallsatz feb = GespeicherterFall(374);
    fall->MonatWaehlen(*Monatsplatz::Aus(1));
    ASSERT_FALSE(GespeicherterFall(374) == feb);  // stored anew on loading
    const Aenderung a = fall->Wiederholen();
    EXPECT_TRUE(a.Meldungen.empty()) << a.Meldungen.at(0).Text;
    EXPECT_EQ(GespeicherterFall(374).Entgelte[1], Waehrung::AusGanzzahl(450));

    fall->Rueckgaengig();
    fall->Rueckgaengig();
    stoerung.AbJetztVoll();
    Tippen(1, "500");
    EXPECT_FALSE(fall->Schritte().Menuetext(false));
    stoerung.WiederPlatz();
    Tippen(1, "600");
    EXPECT_EQ(fall->Schritte().Menuetext(true),
              "Rückgängig: Entgelt Hauptbeschäftigung 0,00 → 600,00, Personalfall 2, Januar 2012");
}

// Undo of a master-data save: the settings record is written with the
// rest or the step is refused whole; the line printer, which the step did
// not change, stays as the user set it since.
TEST_F(VerlaufTest, StammdatenschrittGanzUndOhneZeilendrucker) {
    Stoerstelle stoerung;
    StartenMit(stoerung);
    Stammdateneingabe e{fall->Stammdaten().Namen().Personen,
                        fall->Stammdaten().Namen().Abrechnungsstelle,
                        {},
                        {},
                        {}};
    e.U1 = *fall->Stammdaten().KasseWaehlen(Kassenplatz()).U1Texte;
    e.U2 = *fall->Stammdaten().KasseWaehlen(Kassenplatz()).U2Texte;
    e.Personen[9] = "Herr Zehn";  // in the settings record alone
    ASSERT_TRUE(fall->StammdatenSpeichern(e).StammdatenSchliessen);
    const auto sv = DateiInhalt("SV.dat");
    stoerung.Bei = stoerung.Bis = stoerung.Aufrufe + 1;
    const Aenderung a = fall->Rueckgaengig();
    ASSERT_EQ(Fehler(a.Meldungen), 1);
    EXPECT_TRUE(a.Meldungen[0].Text.ends_with("Die Daten sind unverändert."));
    EXPECT_TRUE(DateiInhalt("SV.dat") == sv);
    EXPECT_EQ(fall->Stammdaten().Namen().Personen[9], "Herr Zehn           ");
    fall->ZeilendruckerSetzen(true);
    for (const bool rueckwaerts : {true, false}) {
        const Aenderung b = rueckwaerts ? fall->Rueckgaengig() : fall->Wiederholen();
        ASSERT_TRUE(b.Hinweis && b.Meldungen.empty());
        EXPECT_EQ(fall->Stammdaten().Namen().Personen[9],
                  rueckwaerts ? "Personalfall 10     " : "Herr Zehn           ");
        EXPECT_TRUE(fall->Stammdaten().Zeilendrucker());
    }
}

}  // namespace
}  // namespace lohnwippe::test
