#include "fall/Verlauf.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <utility>

#include "calc/Formate.h"
#include "store/Satznummern.h"
#include "store/Spaetsatznummern.h"

namespace lohnwippe {

void FallnameAnhaengen(std::string& ziel, const Namensfelder& namen, Personenplatz person,
                       Berichtsmonat monat) {
    const std::string& name = namen.Personen[static_cast<std::size_t>(person.Wert())];
    // Every step is named so, at every Enter: one allocation at most.
    ziel.reserve(ziel.size() + name.size() + 24);
    ziel.append(name, 0, name.find_last_not_of(' ') + 1);
    ziel += ", ";
    ziel += MonatUndJahr(monat.Monat, monat.Jahr);
}

std::string Fallname(const Namensfelder& namen, Personenplatz person, Berichtsmonat monat) {
    std::string name;
    FallnameAnhaengen(name, namen, person, monat);
    return name;
}

std::string Satzname(const Namensfelder& namen, const Satzaenderung& satz) {
    if (satz.Datei == Datendatei::Umlagen) {
        const int monat0 = satz.SatzNr - 1;
        return "die Beitrags- und Umlagesätze für " +
               MonatUndJahr(monat0 % MonateJeJahr + 1, ErstesJahr + monat0 / MonateJeJahr);
    }
    if (satz.Datei == Datendatei::Ab2013) {
        const auto ort = FallAb2013Zerlegen(satz.SatzNr);
        if (!ort) {
            return "die Kassen des Jahres " +
                   std::to_string(ErstesSpaetjahr +
                                  (satz.SatzNr - SpaetjahrAnfang(ErstesSpaetjahr)) /
                                      SaetzeJeSpaetjahr);
        }
        return "„" +
               Fallname(namen, Personenplatz::Gelesen(ort->PersonPos),
                        {ort->Jahr, ort->MonatPos + 1}) +
               "“";
    }
    if (satz.SatzNr >= NamenSatz1) {
        return "die Namen der Personalfälle";
    }
    const FallPosition ort = FallZerlegen(satz.SatzNr);
    return "„" +
           Fallname(namen, Personenplatz::Gelesen(ort.PersonPos),
                    *Berichtsmonat::AusPositionen(ort.JahrPos, ort.MonatPos)) +
           "“";
}

namespace {

void JobnameAnhaengen(std::string& ziel, Job job) {
    if (job.Nr() == 1) {
        ziel += "Hauptbeschäftigung";
        return;
    }
    ziel += std::to_string(job.Nr() - 1);
    ziel += ". Mini-Job";
}

}  // namespace

std::string Jobname(Job job) {
    std::string name;
    JobnameAnhaengen(name, job);
    return name;
}

std::string Entgeltschritt(Job job, Waehrung vorher, Waehrung nachher) {
    std::string text;
    // The whole name of the step, its case included, in one allocation.
    text.reserve(128);
    text += "Entgelt ";
    JobnameAnhaengen(text, job);
    text += ' ';
    text += FormatBetrag(vorher);
    text += " → ";
    text += FormatBetrag(nachher);
    return text;
}

std::string BisDezemberText(Berichtsmonat monat) {
    return "--> Dez., " +
           (monat.Monat < MonateJeJahr ? VollerMonatsname(monat.Monat + 1) + " bis "
                                       : std::string()) +
           MonatUndJahr(MonateJeJahr, monat.Jahr);
}

std::string Schaltername(Jobschalter schalter) {
    static constexpr std::array<const char*, 8> namen{"KV",          "PV",  "RV",  "AV",
                                                      "Krankengeld", "U 1", "U 2", "U 3"};
    return namen[static_cast<std::size_t>(schalter)];
}

std::string Schaltername(Allgemeinschalter schalter) {
    static constexpr std::array<const char*, 3> namen{"Verzicht auf Gleitzone in RV", "Sachsen",
                                                      "Kinderlos"};
    return namen[static_cast<std::size_t>(schalter)];
}

namespace {

// `offen` into the records of `schritt`: each record with its bytes before
// the first and after the last write.
void Einfuegen(Schritt& schritt, std::vector<Satzaenderung> offen) {
    std::vector<Satzaenderung>& saetze = schritt.Saetze;
    // A new step takes the list over as it is, without a copy.
    std::size_t neu = saetze.size();
    if (saetze.empty()) {
        saetze = std::move(offen);
    } else {
        std::move(offen.begin(), offen.end(), std::back_inserter(saetze));
    }
    for (std::size_t i = neu; i < saetze.size(); ++i) {
        const auto frueher =
            std::find_if(saetze.begin(), saetze.begin() + static_cast<std::ptrdiff_t>(neu),
                         [&](const Satzaenderung& s) {
                             return s.Datei == saetze[i].Datei && s.SatzNr == saetze[i].SatzNr;
                         });
        if (frueher == saetze.begin() + static_cast<std::ptrdiff_t>(neu)) {
            if (i != neu) {
                saetze[neu] = std::move(saetze[i]);
            }
            ++neu;
        } else {
            frueher->Nachher = std::move(saetze[i].Nachher);
        }
    }
    saetze.erase(saetze.begin() + static_cast<std::ptrdiff_t>(neu), saetze.end());
    // memcmp: a comparison of std::byte elements goes one by one.
    std::erase_if(schritt.Saetze, [](const Satzaenderung& s) {
        return s.Vorher.size() == s.Nachher.size() &&
               std::memcmp(s.Vorher.data(), s.Nachher.data(), s.Vorher.size()) == 0;
    });
}

}  // namespace

void Verlauf::Verwerfen() {
    offen_.clear();
}

void Verlauf::VorVerwerfen() {
    vor_.clear();
}

void Verlauf::Abschliessen(std::optional<Schritt> neu) {
    Abschliessen(std::move(neu), true);
}

void Verlauf::Abschliessen(std::optional<Schritt> neu, bool zumLetzten) {
    std::vector<Satzaenderung> offen = std::move(offen_);
    offen_.clear();
    if (!neu) {
        // Loading a case may store it anew (its rates as they stand now).
        // That belongs to the last step: taking it back then finds the
        // bytes it left and restores the state before it.
        Schritt ohne;
        Einfuegen(ohne, std::move(offen));
        // What can be redone now starts from the bytes loading stored: the
        // next step to touch a record finds them there.
        for (const Satzaenderung& satz : ohne.Saetze) {
            // The next redo first.
            for (std::size_t i = vor_.size(); i-- > 0;) {
                Schritt& vor = vor_[i];
                auto gleich =
                    std::find_if(vor.Saetze.begin(), vor.Saetze.end(), [&](const Satzaenderung& s) {
                        return s.Datei == satz.Datei && s.SatzNr == satz.SatzNr;
                    });
                if (gleich != vor.Saetze.end()) {
                    if (gleich->Vorher == satz.Vorher) {
                        gleich->Vorher = satz.Nachher;
                    }
                    break;
                }
            }
        }
        if (zumLetzten && !ohne.Saetze.empty() && !zurueck_.empty()) {
            Einfuegen(zurueck_.back(), std::move(ohne.Saetze));
        }
        return;
    }
    Schritt& schritt = *neu;
    Einfuegen(schritt, std::move(offen));
    const auto gleich = [](const auto& a, const auto& b) { return a && b ? *a == *b : a == b; };
    if (schritt.Saetze.empty() && gleich(schritt.StammVorher, schritt.StammNachher)) {
        return;
    }
    vor_.clear();
    if (zurueck_.size() == HoechstensSchritte) {
        zurueck_.pop_front();
    }
    zurueck_.push_back(std::move(schritt));
}

void Verlauf::Benennen(std::string text, Berichtsmonat monat, Personenplatz person) {
    if (laufend_) {
        laufend_->Text += "; " + text;
        return;
    }
    laufend_ = Schritt{std::move(text), monat, person, {}, nullptr, nullptr, false};
}

void Verlauf::Stammdaten(Schritt::Stammwerte vorher, Schritt::Stammwerte nachher) {
    if (laufend_) {
        laufend_->StammVorher = std::make_shared<const Schritt::Stammwerte>(std::move(vorher));
        laufend_->StammNachher = std::make_shared<const Schritt::Stammwerte>(std::move(nachher));
    }
}

void Verlauf::Nachgeholt(const Namensfelder& namen, Berichtsmonat monat, Personenplatz person) {
    Abschliessen(Schritt{"Nachgeholtes Speichern, " + Fallname(namen, person, monat),
                         monat,
                         person,
                         {},
                         nullptr,
                         nullptr,
                         false});
}

std::optional<std::string> Verlauf::Menuetext(bool rueckwaerts) const {
    const Schritt* s = Naechster(rueckwaerts);
    if (s == nullptr) {
        return std::nullopt;
    }
    return (rueckwaerts ? "Rückgängig: " : "Wiederholen: ") + s->Text;
}

void Verlauf::Beenden(bool ungesichert) {
    if (laufend_ && ungesichert) {
        VorVerwerfen();
    }
    Abschliessen(std::exchange(laufend_, std::nullopt));
}

void Verlauf::Streichen(bool rueckwaerts) {
    auto& von = rueckwaerts ? zurueck_ : vor_;
    if (!von.empty()) {
        von.pop_back();
    }
}

void Verlauf::Uebernommen() {
    for (auto* liste : {&zurueck_, &vor_}) {
        for (Schritt& schritt : *liste) {
            schritt.Frueher = true;
        }
    }
    // What loading the new file stored belongs to none of them.
    Abschliessen(std::nullopt, false);
}

void Verlauf::Gegangen(bool rueckwaerts) {
    auto& von = rueckwaerts ? zurueck_ : vor_;
    auto& nach = rueckwaerts ? vor_ : zurueck_;
    if (!von.empty()) {
        nach.push_back(std::move(von.back()));
        von.pop_back();
    }
}

}  // namespace lohnwippe
