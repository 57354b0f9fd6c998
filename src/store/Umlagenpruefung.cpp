#include "store/Umlagenpruefung.h"

#include <algorithm>

#include "calc/Formate.h"
#include "store/Satznummern.h"

namespace lohnwippe {

namespace {

std::string Monat(int umlageNr) {
    return VollerMonatsname((umlageNr - 1) % MonateJeJahr + 1);
}

int Jahr(int umlageNr) {
    return 2009 + (umlageNr - 1) / MonateJeJahr;
}

std::string MitJahr(int umlageNr) {
    return MonatUndJahr((umlageNr - 1) % MonateJeJahr + 1, Jahr(umlageNr));
}

// "a", "a und b", "a, b und c".
std::string Aufzaehlung(const std::vector<std::string>& teile) {
    std::string text;
    for (std::size_t i = 0; i < teile.size(); ++i) {
        if (i > 0) {
            text += i + 1 == teile.size() ? " und " : ", ";
        }
        text += teile[i];
    }
    return text;
}

// Runs of consecutive records, each as its first and last record.
std::vector<std::pair<int, int>> Laeufe(std::vector<int> umlageNrn) {
    std::erase_if(umlageNrn, [](int nr) { return nr < 1 || nr > AnzahlUmlagesaetze; });
    std::ranges::sort(umlageNrn);
    std::vector<std::pair<int, int>> laeufe;
    for (int nr : umlageNrn) {
        if (!laeufe.empty() && nr <= laeufe.back().second + 1) {
            laeufe.back().second = nr;
        } else {
            laeufe.emplace_back(nr, nr);
        }
    }
    return laeufe;
}

// The months of one line of the damage report; a scatter of many runs is
// summed up rather than spelt out.
std::string Monatsangabe(const std::vector<int>& umlageNrn) {
    constexpr std::size_t HoechstensLaeufe = 3;
    const auto laeufe = Laeufe(umlageNrn);
    if (laeufe.size() <= HoechstensLaeufe) {
        return Monatsbereiche(umlageNrn);
    }
    return std::to_string(umlageNrn.size()) + " Monate zwischen " + MitJahr(laeufe.front().first) +
           " und " + MitJahr(laeufe.back().second);
}

std::string Kassenangabe(const std::vector<int>& kassen) {
    constexpr std::size_t HoechstensNamen = 4;
    if (kassen.size() == AnzahlKassen) {
        return "alle Kassen";
    }
    if (kassen.size() > HoechstensNamen) {
        return std::to_string(kassen.size()) + " Kassen";
    }
    std::vector<std::string> namen;
    namen.reserve(kassen.size());
    for (int kasse : kassen) {
        namen.emplace_back(Kassennamen[static_cast<std::size_t>(kasse)]);
    }
    return Aufzaehlung(namen);
}

}  // namespace

std::string Monatsbereiche(std::vector<int> umlageNrn) {
    const auto laeufe = Laeufe(std::move(umlageNrn));
    std::vector<std::string> teile;
    for (const auto& [von, bis] : laeufe) {
        if (von == bis) {
            teile.push_back(MitJahr(von));
        } else if (Jahr(von) == Jahr(bis)) {
            teile.push_back(Monat(von) + " bis " + MitJahr(bis));
        } else {
            teile.push_back(MitJahr(von) + " bis " + MitJahr(bis));
        }
    }
    return Aufzaehlung(teile);
}

std::string UmlagenErgaenztMeldung(const std::vector<int>& saetze) {
    const std::string bereiche = Monatsbereiche(saetze);
    if (bereiche.empty()) {
        return {};
    }
    std::string text = "Die Beitrags- und Umlagesätze für " + bereiche + " fehlten in der Datei " +
                       UmlagedateiName +
                       ". Sie wurden ergänzt und enthalten jetzt die Standardsätze des Programms.";
    // Only the 2012 rates are the user's own; the master data hold them.
    if (std::ranges::any_of(saetze, [](int nr) {
            return nr >= ErsterUmlagesatz2012 && nr <= AnzahlUmlagesaetze;
        })) {
        text +=
            " Eigene Umlagesätze für 2012 tragen Sie bitte unter \u201EVorgaben\u201C erneut ein.";
    }
    return text;
}

bool Unplausibel(const Umlagesatz& satz, int kasse) {
    const auto k = static_cast<std::size_t>(kasse);
    const auto umlage = [](std::int16_t wert) { return wert < 0 || wert > HoechsterUmlagesatz; };
    return umlage(satz.U1Saetze[k]) || umlage(satz.U2Saetze[k]) || umlage(satz.U3Saetze[k]) ||
           satz.KVSaetze[k] < 0 || satz.KVSaetze[k] > HoechsterKVSatz;
}

bool Umlagenbefund::Leer() const {
    return std::ranges::all_of(Monate, [](const auto& monate) { return monate.empty(); });
}

std::string Umlagenbefund::Meldung() const {
    // Funds with the same months share one line, in the order of the funds.
    std::vector<std::pair<std::vector<int>, std::vector<int>>> zeilen;  // funds, months
    std::vector<int> alleMonate, alleKassen;
    for (int kasse = 0; kasse < AnzahlKassen; ++kasse) {
        const auto& monate = Monate[static_cast<std::size_t>(kasse)];
        if (monate.empty()) {
            continue;
        }
        alleKassen.push_back(kasse);
        alleMonate.insert(alleMonate.end(), monate.begin(), monate.end());
        const auto gleich =
            std::ranges::find_if(zeilen, [&](const auto& zeile) { return zeile.second == monate; });
        if (gleich == zeilen.end()) {
            zeilen.push_back({{kasse}, monate});
        } else {
            gleich->first.push_back(kasse);
        }
    }
    if (zeilen.empty()) {
        return {};
    }
    // Beyond a handful of lines a list says less than one line over all.
    constexpr std::size_t HoechstensZeilen = 5;
    if (zeilen.size() > HoechstensZeilen) {
        std::ranges::sort(alleMonate);
        alleMonate.erase(std::unique(alleMonate.begin(), alleMonate.end()), alleMonate.end());
        zeilen = {{alleKassen, alleMonate}};
    }
    std::string text = std::string("In der Datei ") + UmlagedateiName +
                       " stehen Beitrags- oder Umlagesätze, die es bei keiner Kasse gibt (unter "
                       "0, KV über 20 % oder U1 bis U3 über 10 %):";
    for (const auto& [kassen, monate] : zeilen) {
        text += "\n\u2013 " + Kassenangabe(kassen) + ": " + Monatsangabe(monate);
    }
    return text + "\nDas Programm rechnet mit diesen Werten so, wie sie sind.";
}

Umlagenbefund UmlagenPruefen(std::span<const Umlagesatz> saetze) {
    Umlagenbefund befund;
    for (std::size_t i = 0; i < saetze.size(); ++i) {
        for (int kasse = 0; kasse < AnzahlKassen; ++kasse) {
            if (Unplausibel(saetze[i], kasse)) {
                befund.Monate[static_cast<std::size_t>(kasse)].push_back(static_cast<int>(i) + 1);
            }
        }
    }
    return befund;
}

}  // namespace lohnwippe
