#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <filesystem>

#include "Datenbestand.h"
#include "Hilfen.h"

namespace lohnwippe {
namespace {

using test::FehlerDatei;
using Art = DateiFehler::Fehlerart;

class DatenbestandTest : public test::TempOrdner {
  protected:
    Datenbestand Angelegt() {
        auto bestand = Datenbestand::Oeffnen();
        EXPECT_TRUE(bestand.HatWert());
        EXPECT_TRUE(bestand.Wert().DatenAnlegen().HatWert());
        return std::move(bestand).Wert();
    }
};

std::string Zwanzig(std::string text) {
    return text.append(20 - text.size(), ' ');
}

TEST_F(DatenbestandTest, NeueDateienErhaltenDenStandardinhalt) {
    auto bestand = Datenbestand::Oeffnen().Wert();
    EXPECT_TRUE(bestand.FalldateiLeer().Wert());
    ASSERT_TRUE(bestand.DatenAnlegen().HatWert());
    EXPECT_FALSE(bestand.FalldateiLeer().Wert());
    EXPECT_EQ(Inhalt("SV.dat").size(), 123012u);
    EXPECT_EQ(Inhalt("U12.dat").size(), 8448u);

    for (int nr : {1, 361, 600}) {
        const Fallsatz fall = bestand.FallLesen(nr).Wert();
        EXPECT_EQ(fall.Namen[1], Zwanzig("Arbeitgeber 1"));
        EXPECT_EQ(fall.Namen[4], Zwanzig("Arbeitgeber 4"));
        for (int job = 1; job <= 4; ++job) {
            EXPECT_EQ(fall.Zweige[job], (std::array<std::int16_t, 4>{1, 1, 1, 1}));
            EXPECT_EQ(fall.Umlagen[job], (std::array<std::int16_t, 4>{1, 1, 1, 1}));
            EXPECT_EQ(fall.Entgelte[job], Waehrung());
        }
        EXPECT_EQ(fall.LetzterFall, 0);
        EXPECT_EQ(fall.KassePos, 0);
    }
    const Fallsatz namen1 = bestand.FallLesen(601).Wert();
    const Fallsatz namen2 = bestand.FallLesen(602).Wert();
    const Fallsatz einstellungen = bestand.FallLesen(603).Wert();
    EXPECT_EQ(namen1.Namen[1], Zwanzig("Personalfall 1"));
    EXPECT_EQ(namen1.Namen[4], Zwanzig("Personalfall 4"));
    EXPECT_EQ(namen2.Namen[1], Zwanzig("Personalfall 5"));
    EXPECT_EQ(namen2.Namen[4], Zwanzig("Personalfall 8"));
    EXPECT_EQ(einstellungen.Namen,
              (JeJob<std::string>{"", Zwanzig("Personalfall 9"), Zwanzig("Personalfall 10"),
                                  Zwanzig("Stadt Neckartal"), Zwanzig("Abt. Personal")}));
    EXPECT_EQ(einstellungen.LetzterFall, 361);
    EXPECT_EQ(einstellungen.Zweige, namen1.Zweige);
}

TEST_F(DatenbestandTest, StandardUmlagesaetzeFolgenDerTabelle) {
    auto bestand = Angelegt();
    const auto monat = [&](int jahrPos, int monatPos) {
        return bestand.UmlageLesen(UmlageNr(jahrPos, monatPos)).Wert();
    };
    EXPECT_EQ(monat(2, 7).U2Saetze[1], 39);  // AOK Bayern, August 2011
    EXPECT_EQ(monat(2, 6).U2Saetze[1], 28);
    EXPECT_EQ(monat(2, 7).KVSaetze[1], 1460);
    EXPECT_EQ(monat(0, 8).U1Saetze[7], 220);  // AOK Mecklenb., September 2009
    EXPECT_EQ(monat(0, 7).U1Saetze[7], 210);
    EXPECT_EQ(monat(1, 8).U2Saetze[9], 20);  // AOK Westf.L, 2010 from October
    EXPECT_EQ(monat(1, 9).U2Saetze[9], 18);
    EXPECT_EQ(monat(1, 9).U1Saetze[9], 360);
    EXPECT_EQ(monat(1, 5).U2Saetze[13], 20);  // AOK S-Anhalt, 2010 from July
    EXPECT_EQ(monat(1, 6).U2Saetze[13], 28);
    EXPECT_EQ(monat(0, 0).U1Saetze[0], 390);
    EXPECT_EQ(monat(3, 11).U2Saetze[12], 49);
    EXPECT_EQ(monat(3, 0).U1Saetze[21], 350);
    for (int kasse = 0; kasse < AnzahlKassen; ++kasse) {
        EXPECT_EQ(monat(0, 5).KVSaetze[kasse], 1460);
        EXPECT_EQ(monat(0, 6).KVSaetze[kasse], 1400);
        EXPECT_EQ(monat(1, 3).U3Saetze[kasse], 410);
        EXPECT_EQ(monat(2, 3).U3Saetze[kasse], 0);
        EXPECT_EQ(monat(3, 3).U3Saetze[kasse], 40);
    }
}

TEST_F(DatenbestandTest, SaetzeHinterDemDateiendeLesenSichAlsNullen) {
    {
        std::ofstream datei("SV.dat", std::ios::binary);
        datei << std::string(FallsatzLaenge + 100, '\x11');  // record 2 only begun
    }
    auto bestand = Datenbestand::Oeffnen().Wert();
    const auto zweiter = FallsatzKodieren(bestand.FallLesen(2).Wert());
    for (std::size_t i = 0; i < FallsatzLaenge; ++i) {
        ASSERT_EQ(zweiter[i], std::byte(i < 100 ? 0x11 : 0)) << "Byte " << i;
    }
    EXPECT_EQ(FallsatzKodieren(bestand.FallLesen(603).Wert()), (std::array<std::byte, 204>{}));
    EXPECT_EQ(bestand.UmlageLesen(48).Wert(), Umlagesatz{});
}

TEST_F(DatenbestandTest, KopieBisDezemberBeschreibtDieRestlichenMonate) {
    auto bestand = Angelegt();
    Fallsatz satz = bestand.FallLesen(1).Wert();
    satz.Entgelte[1] = Waehrung::AusGanzzahl(450);

    ASSERT_TRUE(bestand.BisDezemberKopieren(FallNr(2, 2, 0), satz).HatWert());
    for (int nr = 264; nr <= 277; ++nr) {
        const bool kopiert = nr >= 265 && nr <= 276;
        EXPECT_EQ(bestand.FallLesen(nr).Wert() == satz, kopiert) << "Satz " << nr;
    }

    satz.Entgelte[2] = Waehrung::AusGanzzahl(100);
    ASSERT_TRUE(bestand.BisDezemberKopieren(276, satz).HatWert());
    EXPECT_EQ(bestand.FallLesen(276).Wert(), satz);
    EXPECT_NE(bestand.FallLesen(275).Wert(), satz);
    EXPECT_EQ(Inhalt("SV.dat").size(), 123012u);
}

TEST_F(DatenbestandTest, JahressummeZaehltNurDieZwoelfMonateDerPerson) {
    auto bestand = Angelegt();
    Fallsatz satz = bestand.FallLesen(1).Wert();
    for (int nr = 264; nr <= 277; ++nr) {
        satz.Entgelte[1] = Waehrung::AusGanzzahl(nr);
        satz.Entgelte[4] = Waehrung::AusRoh(5000);  // 0.50 Euro
        ASSERT_TRUE(bestand.FallSchreiben(nr, satz).HatWert());
    }
    // 265 + ... + 276 = 3246 Euro, plus twelve times 0.50.
    const Waehrung erwartet = Waehrung::AusGanzzahl(3252);
    EXPECT_EQ(bestand.Jahressumme(265).Wert(), erwartet);
    EXPECT_EQ(bestand.Jahressumme(270).Wert(), erwartet);
    EXPECT_EQ(bestand.Jahressumme(276).Wert(), erwartet);

    satz.Entgelte[1] = Waehrung::AusRoh(LLONG_MAX);
    ASSERT_TRUE(bestand.FallSchreiben(270, satz).HatWert());
    const auto ueberlauf = bestand.Jahressumme(265);
    ASSERT_FALSE(ueberlauf.HatWert());
    EXPECT_EQ(ueberlauf.Fehler().Art, Art::Ueberlauf);
    EXPECT_EQ(ueberlauf.Fehler().Satz, 270);
}

TEST_F(DatenbestandTest, Umlagen2012AendernNurDieGewaehlteKasse) {
    auto bestand = Angelegt();
    const auto vorher = Inhalt("U12.dat");
    Datenbestand::Monatswerte u1, u2;
    for (int m = 0; m < 12; ++m) {
        u1[m] = static_cast<std::int16_t>(-1 - m);
        u2[m] = static_cast<std::int16_t>(0x7F00 + m);
    }
    ASSERT_TRUE(bestand.Umlagesaetze2012Schreiben(5, u1, u2).HatWert());

    auto erwartet = vorher;
    for (int m = 0; m < 12; ++m) {
        auto satz = UmlagesatzDekodieren(std::span(erwartet).subspan((36 + m) * 176).first<176>());
        satz.U1Saetze[5] = u1[m];
        satz.U2Saetze[5] = u2[m];
        std::ranges::copy(UmlagesatzKodieren(satz), erwartet.begin() + (36 + m) * 176);
    }
    EXPECT_EQ(Inhalt("U12.dat"), erwartet);

    const auto falsch = bestand.Umlagesaetze2012Schreiben(22, u1, u2);
    ASSERT_FALSE(falsch.HatWert());
    EXPECT_EQ(falsch.Fehler().Meldung(), "U12.dat: Ungültige Kassenposition 22");
    EXPECT_FALSE(bestand.Umlagesaetze2012Schreiben(-1, u1, u2).HatWert());
    EXPECT_EQ(Inhalt("U12.dat"), erwartet);
}

TEST_F(DatenbestandTest, UngueltigeSatznummernWerdenAbgewiesen) {
    auto bestand = Angelegt();
    EXPECT_EQ(bestand.FallLesen(0).Fehler().Meldung(), "SV.dat: Ungültige Satznummer 0");
    EXPECT_EQ(bestand.FallSchreiben(-3, Fallsatz{}).Fehler().Art, Art::Satznummer);
    EXPECT_FALSE(bestand.FallSchreiben(HoechsteSatzNr + 1, Fallsatz{}).HatWert());
    EXPECT_FALSE(bestand.FallLesen(INT_MAX).HatWert());
    EXPECT_FALSE(bestand.Jahressumme(INT_MAX).HatWert());
    EXPECT_FALSE(bestand.BisDezemberKopieren(INT_MAX, Fallsatz{}).HatWert());
    EXPECT_FALSE(bestand.Jahressumme(0).HatWert());
    EXPECT_FALSE(bestand.BisDezemberKopieren(0, Fallsatz{}).HatWert());
    EXPECT_EQ(bestand.UmlageLesen(49).Fehler().Datei, "U12.dat");
    EXPECT_FALSE(bestand.UmlageSchreiben(0, Umlagesatz{}).HatWert());
    EXPECT_EQ(Inhalt("SV.dat").size(), 123012u);
}

// Failures of the file layer, through the in-memory double.
struct Doppel {
    FehlerDatei* Fall = new FehlerDatei("SV.dat");
    FehlerDatei* Umlage = new FehlerDatei("U12.dat");
    Datenbestand Bestand{std::unique_ptr<Datei>(Fall), std::unique_ptr<Datei>(Umlage)};
};

TEST(DatenbestandFehler, MehrereSaetzeGehenInEinemZug) {
    // A single transfer keeps a new installation from being left half
    // written record by record, and keeps the annual sum cheap.
    Doppel d;
    ASSERT_TRUE(d.Bestand.DatenAnlegen().HatWert());
    EXPECT_EQ(d.Fall->Schreibvorgaenge, 1);
    EXPECT_EQ(d.Umlage->Schreibvorgaenge, 1);
    ASSERT_TRUE(d.Bestand.BisDezemberKopieren(FallNr(1, 4, 3), Fallsatz{}).HatWert());
    EXPECT_EQ(d.Fall->Schreibvorgaenge, 2);
    ASSERT_TRUE(d.Bestand.Jahressumme(FallNr(1, 4, 3)).HatWert());
    EXPECT_EQ(d.Fall->Lesevorgaenge, 1);
}

TEST(DatenbestandFehler, KurzesSchreibenNenntDateiSatzUndGrund) {
    Doppel d;
    ASSERT_TRUE(d.Bestand.DatenAnlegen().HatWert());
    Fallsatz satz = d.Bestand.FallLesen(17).Wert();
    satz.Entgelte[1] = Waehrung::AusGanzzahl(600);
    const Fallsatz kopie = satz;

    d.Fall->SchreibBudget = 100;
    d.Fall->SchreibFehler = ENOSPC;
    const auto ergebnis = d.Bestand.FallSchreiben(17, satz);
    ASSERT_FALSE(ergebnis.HatWert());
    EXPECT_EQ(ergebnis.Fehler().Meldung(),
              "SV.dat, Satz 17: Kein Speicherplatz mehr auf dem Datenträger");
    EXPECT_EQ(satz, kopie);

    d.Fall->SchreibBudget = 0;
    d.Fall->SchreibFehler = 0;  // stopped short without a reason
    EXPECT_EQ(d.Bestand.BisDezemberKopieren(17, satz).Fehler().Meldung(),
              "SV.dat, Satz 17: Satz wurde nicht vollständig geschrieben");
}

TEST(DatenbestandFehler, AnlegenMeldetDenSatzBeiDemDerPlatzAusging) {
    Doppel d;
    d.Fall->SchreibBudget = 10 * FallsatzLaenge + 50;
    d.Fall->SchreibFehler = ENOSPC;
    const auto ergebnis = d.Bestand.DatenAnlegen();
    ASSERT_FALSE(ergebnis.HatWert());
    EXPECT_EQ(ergebnis.Fehler().Satz, 11);
    // Emptied again, so that the next start sees a new installation.
    EXPECT_TRUE(d.Fall->Inhalt.empty());
    EXPECT_TRUE(d.Bestand.FalldateiLeer().Wert());
    d.Fall->SchreibBudget = SIZE_MAX;
    ASSERT_TRUE(d.Bestand.DatenAnlegen().HatWert());
    EXPECT_EQ(d.Fall->Inhalt.size(), 123012u);
    EXPECT_EQ(d.Umlage->Inhalt.size(), 8448u);

    Doppel e;
    e.Umlage->SchreibBudget = 0;
    e.Umlage->SchreibFehler = EROFS;
    EXPECT_EQ(e.Bestand.DatenAnlegen().Fehler().Meldung(),
              "U12.dat, Satz 1: Datenträger ist schreibgeschützt");
    EXPECT_TRUE(e.Fall->Inhalt.empty());
}

TEST(DatenbestandFehler, LesefehlerWerdenGemeldet) {
    Doppel d;
    ASSERT_TRUE(d.Bestand.DatenAnlegen().HatWert());
    d.Fall->LeseFehler = EIO;
    d.Umlage->LeseFehler = EIO;
    EXPECT_EQ(d.Bestand.Jahressumme(270).Fehler().Meldung(),
              "SV.dat, Satz 265: Lesen nicht möglich – Ein-/Ausgabefehler");
    EXPECT_EQ(d.Bestand.FallLesen(3).Fehler().Art, Art::Lesen);
    const auto vorher = d.Umlage->Inhalt;
    EXPECT_FALSE(d.Bestand.Umlagesaetze2012Schreiben(0, {}, {}).HatWert());
    EXPECT_EQ(d.Umlage->Inhalt, vorher);
}

TEST_F(DatenbestandTest, OeffnenScheitertMitNamenDerDatei) {
    const auto ohneU12 = Datenbestand::Oeffnen([](const std::string& name) {
        if (name == "U12.dat") {
            return Erwartet<std::unique_ptr<Datei>>(
                DateiFehler{.Art = Art::Oeffnen, .Datei = name, .FehlerNr = EACCES});
        }
        return SystemDatei::Oeffnen(name);
    });
    ASSERT_FALSE(ohneU12.HatWert());
    EXPECT_EQ(ohneU12.Fehler().Meldung(), "U12.dat: Öffnen nicht möglich – Zugriff verweigert");

    std::filesystem::remove("SV.dat");
    std::filesystem::create_directory("SV.dat");
    const auto ordner = Datenbestand::Oeffnen();
    ASSERT_FALSE(ordner.HatWert());
    EXPECT_EQ(ordner.Fehler().Art, Art::Oeffnen);
    EXPECT_EQ(ordner.Fehler().Datei, "SV.dat");
    EXPECT_NE(ordner.Fehler().FehlerNr, 0);
}

TEST_F(DatenbestandTest, SystemdateiLaesstSichKuerzen) {
    auto datei = SystemDatei::Oeffnen("SV.dat").Wert();
    const std::vector<std::byte> bytes(500, std::byte{7});
    ASSERT_TRUE(datei->Schreiben(0, bytes).HatWert());
    ASSERT_TRUE(datei->Kuerzen(0).HatWert());
    EXPECT_EQ(datei->Laenge().Wert(), 0u);
    EXPECT_TRUE(Inhalt("SV.dat").empty());
}

TEST_F(DatenbestandTest, VollerDatentraegerWirdErkannt) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    std::filesystem::create_symlink("/dev/full", "SV.dat");
    auto bestand = Datenbestand::Oeffnen().Wert();
    EXPECT_EQ(bestand.DatenAnlegen().Fehler().Meldung(),
              "SV.dat, Satz 1: Kein Speicherplatz mehr auf dem Datenträger");
    EXPECT_EQ(bestand.FallSchreiben(42, Fallsatz{}).Fehler().Satz, 42);
}

}  // namespace
}  // namespace lohnwippe
