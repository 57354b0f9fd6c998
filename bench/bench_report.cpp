// Speed of the printed report: the whole document onto a surface that only
// counts, and onto one that keeps every text as a print service would.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <vector>

#include "Bericht.h"
#include "Ergebnis.h"

namespace lohnwippe {
namespace {

// Does nothing but follow y, which the report reads back.
class Zaehlflaeche : public Druckflaeche {
  public:
    void Schriftart(const std::string&) override {}
    void Groesse(double) override {}
    void Fett(bool) override {}
    void Hervorhebung(bool) override {}
    void XSetzen(double) override {}
    double Y() const override { return y_; }
    void YSetzen(double twips) override { y_ = twips; }
    void Drucken(const std::string& text, bool zeilenende) override {
        bytes_ += text.size();
        if (zeilenende) {
            y_ += 240;
        }
        benchmark::DoNotOptimize(bytes_);
    }
    void Beenden() override { y_ = 0; }
    bool Gescheitert() const override { return false; }

  private:
    std::size_t bytes_ = 0;
    double y_ = 0;
};

// Keeps each text with its font and position; the storage is reused between
// reports so that the measurement shows the report, not the allocator's
// first pass.
class Merkflaeche : public Druckflaeche {
  public:
    void Schriftart(const std::string& name) override { schrift_.assign(name); }
    void Groesse(double punkte) override { punkte_ = punkte; }
    void Fett(bool an) override { fett_ = an; }
    void Hervorhebung(bool an) override { hervorgehoben_ = an; }
    void XSetzen(double twips) override { x_ = twips; }
    double Y() const override { return y_; }
    void YSetzen(double twips) override { y_ = twips; }
    void Drucken(const std::string& text, bool zeilenende) override {
        if (n_ == texte_.size()) {
            texte_.emplace_back();
        }
        Text& t = texte_[n_++];
        t.text.assign(text);
        t.schrift.assign(schrift_);
        t.punkte = punkte_;
        t.fett = fett_;
        t.hervorgehoben = hervorgehoben_;
        t.x = x_;
        t.y = y_;
        if (zeilenende) {
            x_ = 0;
            y_ += 240;
        }
    }
    void Beenden() override {
        benchmark::DoNotOptimize(texte_.data());
        n_ = 0;
        x_ = y_ = 0;
    }
    bool Gescheitert() const override { return false; }

  private:
    struct Text {
        std::string text, schrift;
        double punkte = 0;
        bool fett = false, hervorgehoben = false;
        double x = 0, y = 0;
    };
    std::vector<Text> texte_;
    std::size_t n_ = 0;
    std::string schrift_;
    double punkte_ = 0;
    bool fett_ = false, hervorgehoben_ = false;
    double x_ = 0, y_ = 0;
};

Waehrung W(double wert) {
    return Waehrung::AusDoubleHalbGerade(wert);
}

// Four employments with every switch on, the longest report; a partial
// month and the waiver add their texts.
Berichtsdaten Fall(bool woche, bool verzicht) {
    Eingaben e;
    e.PVSatz = W(1.95);
    e.RVSatz = W(19.6);
    e.AVSatz = W(3);
    e.FaktorF = W(0.7491);
    e.Teilmonatsfaktor = W(woche ? 4.348 : 1);
    e.U1Satz = 2100;
    e.U2Satz = 370;
    e.U3Satz = 40;
    e.KVGrundsatz = 1460;
    e.RVVerzicht = verzicht ? 1 : 0;
    e.JahrPos = 3;
    const double entgelte[] = {0, 310.5, 120, 95.25, 64};
    for (int j = 1; j <= 4; ++j) {
        e.KV[j] = e.PV[j] = e.RV[j] = e.AV[j] = 1;
        e.U1[j] = e.U2[j] = e.U3[j] = e.KG[j] = 1;
        e.KVSatz[j] = KVSatzAbleiten(e.KVGrundsatz, e.KG[j]);
        e.Entgelt[j] = W(entgelte[j] / (woche ? 4.348 : 1));
    }

    Berichtsdaten d;
    d.Abrechnungsstelle1 = "Lohnbüro Sonnberg   ";
    d.Abrechnungsstelle2 = "Am Markt 3          ";
    d.Tag = 5;
    d.Monat = 12;
    d.Jahr = 2012;
    d.Person = "Erika Beispiel";
    d.MonatText = "JAN";
    d.JahrText = "2012";
    d.Arbeitgeber = {"", "Baeckerei Korn", "Gasthof Linde", "Kiosk Eck", "Reinigung Blank"};
    d.Kasse = "AOK Musterland";
    d.TeilmonatText = woche ? "für 1 Woche" : "für vollen Monat";
    d.Resultat = Berechnen(e);
    d.Eingabe = e;
    d.RVVerzichtImSatz = e.RVVerzicht;
    d.RVBefreiungAngehakt = verzicht;
    d.U1Prozent = W(2.1);
    d.U2Prozent = W(0.37);
    d.U3Prozent = W(0.04);
    const std::string zusatz = woche ? " / Teilmonatsfaktor (4,348)" : "";
    d.Abschnitte = {"1. Beitragspflichtiges Arbeitsentgelt (AE)" +
                        std::string(woche ? " * Teilmonatsfaktor (4,348)" : ""),
                    "3. Gesamtbeitrag je SV-Zweig aus 2." + zusatz,
                    "4. Arbeitgeberanteil aus 1." + zusatz};
    return d;
}

template <typename Flaeche>
void BM_Bericht(benchmark::State& state) {
    const Berichtsdaten d = Fall(state.range(0) != 0, state.range(1) != 0);
    Flaeche flaeche;
    for (auto _ : state) {
        const bool ok = BerichtDrucken(d, flaeche);
        benchmark::DoNotOptimize(ok);
    }
}
// Arguments: partial month, waiver.
BENCHMARK(BM_Bericht<Zaehlflaeche>)->Args({0, 0})->Args({1, 1});
BENCHMARK(BM_Bericht<Merkflaeche>)->Args({0, 0})->Args({1, 1});

}  // namespace
}  // namespace lohnwippe
