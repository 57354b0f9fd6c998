// The characterisation traces recorded from the window, replayed against the
// case model alone: what a window would do with each action is done here by
// hand, and the files, the figures a window would show and the messages must
// be those recorded.
#include "FallTest.h"
#include "Spuren.h"
#include "calc/Ergebniszeilen.h"
#include "fall/Anzeige.h"
#include "rates/Jahreswerte.h"

namespace lohnwippe::test {
namespace {

class SpurenTest : public FallTest {
  protected:
    void Sagen(const std::vector<Meldung>& meldungen) {
        gesagt_.insert(gesagt_.end(), meldungen.begin(), meldungen.end());
    }
    void Sagen(const Aenderung& a) { Sagen(a.Meldungen); }

    void Neu() {
        fall.reset();
        std::filesystem::remove("SV.dat");
        std::filesystem::remove("U12.dat");
        Starten();
        gesagt_ = gemeldet;
        regler_ = {};
    }

    // The master-data window: opened on the first fund, then the fund of
    // the action, one name, one month's rates, the line printer, perhaps
    // Enter in the U1 box, and "Speichern und schließen".
    void Stammdaten(const std::vector<std::string>& a, int kasse) {
        Stammdateneingabe e;
        for (std::size_t k = 0; k < 10; ++k) {
            e.Personen[k] = fall->Stammdaten().Namen().Personen[k];
        }
        e.Abrechnungsstelle = fall->Stammdaten().Namen().Abrechnungsstelle;
        for (const int k : {0, kasse}) {
            const Aenderung saetze = fall->Stammdaten().KasseWaehlen(*Kassenplatz::Aus(k));
            ASSERT_TRUE(saetze.Meldungen.empty());
            e.U1 = *saetze.U1Texte;
            e.U2 = *saetze.U2Texte;
        }
        e.Kasse = *Kassenplatz::Aus(kasse);
        const auto k = static_cast<std::size_t>(std::stoi(a.at(2)));
        (k <= 10 ? e.Personen[k - 1] : e.Abrechnungsstelle[k - 11]) = a.at(3);
        const auto m = static_cast<std::size_t>(std::stoi(a.at(4)));
        e.U1[m] = a.at(5);
        e.U2[m] = a.at(6);
        fall->ZeilendruckerSetzen(a.at(7) == "1");
        if (a.at(8) != "-") {
            e.U1[m] = a.at(8);
            const Aenderung enter =
                Stammdatenformular::U1Enter(e.U1, *Monatsplatz::Aus(static_cast<int>(m)));
            e.U1 = *enter.U1Texte;
            Sagen(enter);
        }
        Sagen(fall->StammdatenSpeichern(e));
    }

    void Ausfuehren(const std::vector<std::string>& a) {
        const auto zahl = [&](std::size_t i) { return std::stoi(a.at(i)); };
        const auto job = [&](std::size_t i) { return J(zahl(i)); };
        const std::string& art = a.at(0);
        if (art == "entgelt" || art == "tippen") {
            Sagen(Tippen(zahl(1), a.at(2), art == "entgelt"));
        } else if (art == "spielen") {
            int& regler = regler_[static_cast<std::size_t>(zahl(1))];
            if (regler != zahl(2)) {
                const Aenderung a = fall->SchiebereglerGestellt(job(1), zahl(2));
                regler = *a.Regler[job(1)];
                Sagen(a);
            }
        } else if (art == "schalter") {
            static const std::map<std::string, Jobschalter> namen = {
                {"KV", Jobschalter::KV}, {"PV", Jobschalter::PV}, {"RV", Jobschalter::RV},
                {"AV", Jobschalter::AV}, {"KG", Jobschalter::KG}, {"U1", Jobschalter::U1},
                {"U2", Jobschalter::U2}, {"U3", Jobschalter::U3}};
            Sagen(fall->SchalterKlicken(job(1), namen.at(a.at(2))));
        } else if (art == "allgemein") {
            Sagen(fall->SchalterKlicken(a.at(1) == "Sachsen"     ? Allgemeinschalter::Sachsen
                                        : a.at(1) == "Kinderlos" ? Allgemeinschalter::Kinderlos
                                                                 : Allgemeinschalter::RVBefreiung));
        } else if (art == "liste") {
            const std::string& liste = a.at(1);
            const int p = zahl(2);
            Sagen(liste == "Jahr"         ? fall->JahrWaehlen(*Jahresplatz::Aus(p))
                  : liste == "Monat"      ? fall->MonatWaehlen(*Monatsplatz::Aus(p))
                  : liste == "Minijobber" ? fall->PersonWaehlen(*Personenplatz::Aus(p))
                  : liste == "Kassen"     ? fall->KasseWaehlen(*Kassenplatz::Aus(p))
                  : liste == "Teilmonat"  ? fall->TeilmonatWaehlen(*Teilmonatsplatz::Aus(p))
                                          : fall->BeitragWaehlen());
        } else if (art == "ag" || art == "agtippen") {
            fall->ArbeitgeberGetippt(job(1), a.at(2));
            if (art == "ag") {
                Sagen(fall->ArbeitgeberEnter(job(1)));
            }
        } else if (art == "agverlassen") {
            fall->ArbeitgeberVerlassen(job(1));
        } else if (art == "dez") {
            Sagen(fall->BisDezemberKopieren());
        } else if (art == "stamm") {
            Stammdaten(a, zahl(1));
        } else if (art == "verschieben") {
            // Pixels of a screen at 96 dpi: 15 twips each.
            lage.Ort = {15 * zahl(2), 15 * zahl(1)};
        } else if (art == "neustart") {
            Beenden();
            Sagen(gemeldet);
            Starten();
            Sagen(gemeldet);
            regler_ = {};
        } else {
            FAIL() << "unbekannte Aktion " << art;
        }
    }

    // What a window would show: the table, the warning, the annual sum and
    // the rate panel; then what was said since the last step.
    Spurzustand Zustand() {
        Spurzustand z;
        const Ergebnis& r = fall->Bildschirm().Resultat();
        const Umlagesatz& u = fall->Bildschirm().Umlagen();
        const Kassenplatz k = fall->Bildschirm().Angaben().Kasse;
        const Jahreswert* jahr = Jahreswerte(fall->Bildschirm().Monat().JahrPos());
        z.Anzeige = Anzeigewerte(
            [&r](int zeile, int spalte) { return Tabellenzelle(zeile, spalte, &r); },
            r.WarnungSichtbar,
            {JahressummeText(fall->Bildschirm().Jahressumme()), KVSatzText(u, k),
             std::string(jahr->PVText), std::string(jahr->RVText), std::string(jahr->AVText),
             std::string(jahr->FText), UmlagesatzText(u, k, U1), UmlagesatzText(u, k, U2),
             UmlagesatzText(u, k, U3)});
        for (const Meldung& m : gesagt_) {
            z.Meldungen.push_back({m.Titel, m.Text, static_cast<int>(m.Art)});
        }
        gesagt_.clear();
        return z;
    }

  private:
    std::vector<Meldung> gesagt_;
    std::array<int, 5> regler_{};
};

TEST_F(SpurenTest, ModellHinterlaesstWasDasFensterHinterliess) {
    SpurenAbspielen([this] { Neu(); }, [this](const auto& aktion) { Ausfuehren(aktion); },
                    [this] { return Zustand(); });
}

}  // namespace
}  // namespace lohnwippe::test
