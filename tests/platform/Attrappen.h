#pragma once

#include <QString>
#include <algorithm>
#include <functional>
#include <vector>

#include "platform/Aussenwelt.h"
#include "platform/Druckausgabe.h"
#include "platform/Meldungen.h"

namespace lohnwippe::test {

// Records every message instead of showing it; answers at once.
class MeldungenAttrappe final : public Meldungen {
  public:
    struct Eintrag {
        QString Titel;
        QString Text;
        Meldungssymbol Symbol;
    };
    std::vector<Eintrag> Eintraege;

    void Zeigen(const QString& titel, const QString& text, Meldungssymbol symbol) override {
        Eintraege.push_back({titel, text, symbol});
    }
    // Questions are recorded like messages (without a symbol) and get
    // `Antwort`, after `Waehrenddessen` has run as the open box's own event
    // loop would.
    bool Antwort = true;
    std::vector<QString> Gefragt;
    std::function<void()> Waehrenddessen;
    bool Fragen(const QString& titel, const QString& text, const QString& ja,
                const QString& nein) override {
        Gefragt.push_back(titel + "\n" + text + "\n" + ja + " / " + nein);
        if (Waehrenddessen) {
            Waehrenddessen();
        }
        return Antwort;
    }
    using Meldungen::Fragen;
};

class SignaltonAttrappe final : public Signalton {
  public:
    int Anzahl = 0;
    void Piepen() override { ++Anzahl; }
};

// Keeps the reports instead of printing them.
class DruckausgabeAttrappe final : public Druckausgabe {
  public:
    std::vector<Berichtsdaten> Berichte;
    std::vector<BerichtsdatenAb2013> BerichteAb2013;
    void Drucken(const Berichtsdaten& daten) override { Berichte.push_back(daten); }
    void Drucken(const BerichtsdatenAb2013& daten) override { BerichteAb2013.push_back(daten); }
};

// A fixed day.
class KalenderAttrappe final : public Kalender {
  public:
    QDate Tag{2012, 12, 5};
    QDate Heute() override { return Tag; }
};

// Records the addresses instead of starting a browser.
class AdressoeffnerAttrappe final : public Adressoeffner {
  public:
    std::vector<QString> Adressen;
    void Oeffnen(const QString& adresse) override { Adressen.push_back(adresse); }
};

// Answers from a list of existing folders and records every question.
class OrdnerprueferAttrappe final : public Ordnerpruefer {
  public:
    std::vector<QString> Vorhanden;
    std::vector<QString> Gefragt;
    bool OrdnerVorhanden(const QString& pfad) override {
        Gefragt.push_back(pfad);
        return std::find(Vorhanden.begin(), Vorhanden.end(), pfad) != Vorhanden.end();
    }
};

}  // namespace lohnwippe::test
