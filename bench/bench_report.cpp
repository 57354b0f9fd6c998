// Speed of the printed report: the whole document onto a surface that only
// counts, and onto one that keeps every text as a print service would.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <vector>

#include "Testfall.h"
#include "report/Bericht.h"

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

// Four employments with every switch on, the longest report; a partial
// month and the waiver add their texts.
Berichtsdaten Fall(bool woche, bool verzicht) {
    const double teil = woche ? 4.348 : 1;  // a week of the same monthly pay
    Eingaben e = test::Beispieleingaben(310.5 / teil, 120 / teil);
    e.Entgelt[3] = test::W(95.25 / teil);
    e.Entgelt[4] = test::W(64 / teil);
    e.RVVerzicht = verzicht;
    return test::Beispielbericht(e, woche ? 1 : 0);
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
