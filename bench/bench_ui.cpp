// Speed of the main window, drawn off screen: one remuneration entry through
// the whole handler, against a bare rewrite of a table of the same size, and
// the start-up in an empty folder.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <random>

#include "calc/Perioden.h"
#include "store/Spaetsatznummern.h"
#include "ui/main/Hauptfenster.h"

#include "Arbeitsordner.h"

namespace lohnwippe {
namespace {

// A world in which nothing shows, beeps or opens.
class StilleWelt final : public Meldungen,
                         public Signalton,
                         public Adressoeffner,
                         public Ordnerpruefer,
                         public Kalender,
                         public Druckausgabe {
  public:
    void Zeigen(const QString&, const QString&, Meldungssymbol) override {}
    bool Fragen(const QString&, const QString&, const QString&, const QString&) override {
        return true;
    }
    void Piepen() override {}
    void Oeffnen(const QString&) override {}
    bool OrdnerVorhanden(const QString&) override { return true; }
    QDate Heute() override { return {2012, 1, 31}; }
    void Drucken(const Berichtsdaten&) override {}
    void Drucken(const BerichtsdatenAb2013&) override {}
    Umgebung Welt() { return {*this, *this, *this, *this, *this, *this}; }
};

void BM_EntgeltEnter(benchmark::State& state) {
    Arbeitsordner ordner;
    StilleWelt welt;
    auto fenster = Hauptfenster::Starten(welt.Welt());
    QLineEdit* feld = fenster->Elemente().Entgelt[1];
    int i = 0;
    for (auto _ : state) {
        feld->setText(QString::number(400 + (i++ % 400)));
        QTest::keyClick(feld, Qt::Key_Return);
    }
}
BENCHMARK(BM_EntgeltEnter)->Unit(benchmark::kMicrosecond);

// The same Enter on a case of 2026: the later file, today's law and the
// grid of its period.
void BM_EntgeltEnter2026(benchmark::State& state) {
    Arbeitsordner ordner;
    StilleWelt welt;
    auto fenster = Hauptfenster::Starten(welt.Welt());
    QComboBox* jahr = fenster->Elemente().Jahr;
    jahr->setCurrentIndex(2026 - ErstesJahr);
    emit jahr->activated(2026 - ErstesJahr);
    QLineEdit* feld = fenster->Elemente().Entgelt[1];
    int i = 0;
    for (auto _ : state) {
        feld->setText(QString::number(400 + (i++ % 400)));
        QTest::keyClick(feld, Qt::Key_Return);
    }
}
BENCHMARK(BM_EntgeltEnter2026)->Unit(benchmark::kMicrosecond);

// The least any refresh of the result table costs: 175 cell texts.
void BM_TabelleNurSchreiben(benchmark::State& state) {
    QTableWidget tabelle(35, 6);
    for (int r = 0; r < 35; ++r) {
        for (int c = 0; c < 6; ++c) {
            tabelle.setItem(r, c, new QTableWidgetItem);
        }
    }
    int i = 0;
    for (auto _ : state) {
        const QString text = "     " + QString::number(i++ % 1000) + ",00";
        for (int r = 0; r < 35; ++r) {
            for (int c = 1; c < 6; ++c) {
                tabelle.item(r, c)->setText(text);
            }
        }
    }
}
BENCHMARK(BM_TabelleNurSchreiben)->Unit(benchmark::kMicrosecond);

void BM_StartImLeerenOrdner(benchmark::State& state) {
    StilleWelt welt;
    for (auto _ : state) {
        state.PauseTiming();
        {
            Arbeitsordner ordner;
            state.ResumeTiming();
            auto fenster = Hauptfenster::Starten(welt.Welt());
            benchmark::DoNotOptimize(fenster.get());
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartImLeerenOrdner)->Unit(benchmark::kMillisecond);

// A folder in which every case of 2013 to 2026 holds pays, and a case of
// 2026 was shown last: the start reads the later file and shows that case.
void BM_StartMitVierzehnJahren(benchmark::State& state) {
    StilleWelt welt;
    Arbeitsordner vorlage;
    const auto quelle = std::filesystem::current_path();
    {
        auto daten = Datenbestand::Oeffnen().Wert();
        if (!daten.DatenAnlegen().HatWert()) {
            state.SkipWithError("Dateien nicht angelegt");
            return;
        }
        for (int jahr = ErstesSpaetjahr; jahr <= LetztesBekanntesJahr(); ++jahr) {
            for (int person = 0; person < 10; ++person) {
                for (int monat = 0; monat < MonateJeJahr; ++monat) {
                    const int nr = FallNrAb2013(jahr, person, monat);
                    Fallsatz satz = daten.FallAb2013Lesen(nr).Wert();
                    satz.Entgelte[1] = Waehrung::AusGanzzahl(500 + jahr + monat);
                    satz.Entgelte[2] = Waehrung::AusGanzzahl(100 + person);
                    (void)daten.FallAb2013Schreiben(nr, satz);
                }
            }
        }
        Fallsatz einstellung = daten.FallAb2013Lesen(SpaetEinstellungsSatz).Wert();
        einstellung.LetzterFall = static_cast<std::int16_t>(FallNrAb2013(2026, 3, 5));
        (void)daten.FallAb2013Schreiben(SpaetEinstellungsSatz, einstellung);
        (void)daten.Sichern();
    }
    for (auto _ : state) {
        state.PauseTiming();
        {
            Arbeitsordner ordner;
            for (const char* name : {FalldateiName, UmlagedateiName, SpaetdateiName}) {
                std::filesystem::copy_file(quelle / name, name);
            }
            state.ResumeTiming();
            auto fenster = Hauptfenster::Starten(welt.Welt());
            benchmark::DoNotOptimize(fenster.get());
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartMitVierzehnJahren)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lohnwippe

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
