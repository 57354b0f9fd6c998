#include "fall/Kassenformular.h"

#include "calc/Zahllesen.h"
#include "calc/Zeichen.h"
#include "store/Cp1252.h"
#include "store/Kasseneintrag.h"
#include "store/Spaetsatznummern.h"

namespace lohnwippe {

namespace {

const char* const Titel = "Stammdaten";

Kassenantwort Hinweis(std::string text) {
    Kassenantwort antwort;
    antwort.Anzeige.Meldungen.push_back({Titel, std::move(text), Symbol::Ausrufezeichen});
    return antwort;
}

Kassenantwort Dateifehler(const DateiFehler& fehler, std::string_view folge) {
    Kassenantwort antwort;
    antwort.Anzeige.Meldungen.push_back(Dateimeldung(fehler, folge, Titel));
    return antwort;
}

// Rates as funds publish them: two decimals, a third where there is one.
std::string Satzanzeige(Satz satz) {
    return SatzText(satz, satz.Tausendstel % 10 == 0 ? 2 : 3);
}

Kassenzeile Zeile(const Kasseneintrag& kasse, int herkunft) {
    return {std::string(Getrimmt(kasse.Name)), Satzanzeige(kasse.Zusatzbeitrag),
            Satzanzeige(kasse.U1), Satzanzeige(kasse.U2), herkunft};
}

std::size_t Zeichenzahl(std::string_view utf8) {
    std::size_t zahl = 0;
    for (const char c : utf8) {
        // Continuation bytes of UTF-8 start with the bits 10.
        zahl += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U ? 1 : 0;
    }
    return zahl;
}

std::string Eintragsname(std::size_t zeile, std::string_view name) {
    std::string text = "Kasse " + std::to_string(zeile + 1);
    if (!name.empty()) {
        text += " („" + std::string(name) + "“)";
    }
    return text;
}

const char* Spaltenname(Kassenspalte spalte) {
    switch (spalte) {
        case Kassenspalte::Zusatzbeitrag:
            return "Zusatzbeitrag";
        case Kassenspalte::U1:
            return "Umlagesatz U1";
        case Kassenspalte::U2:
            return "Umlagesatz U2";
        case Kassenspalte::Name:
            break;
    }
    return "Name";
}

// A rate box in percent: a comma or, as the 2012 boxes are typed, a point;
// a fourth decimal is refused rather than rounded away unseen.
std::optional<std::string> SatzLesen(std::string_view text, Satz& satz) {
    if (Getrimmt(text).empty()) {
        return "ist leer.";
    }
    const Zahllesung lesung = ZahlLesen(text, {.ZweitesDezimalzeichen = '.',
                                               .MitMinus = false,
                                               .Stellen = 3,
                                               .Runden = false,
                                               .Hoechstens = HoechsterKassensatz.Prozent().Roh()});
    if (!lesung.Fehler) {
        satz = Satz::AusProzent(lesung.Wert);
        return std::nullopt;
    }
    switch (*lesung.Fehler) {
        case Lesefehler::ZuVieleStellen:
            return "„" + std::string(text) + "“ hat mehr als drei Nachkommastellen.";
        case Lesefehler::Negativ:
        case Lesefehler::ZuGross:
            return "„" + std::string(text) + "“ liegt nicht zwischen 0 und 100 %.";
        case Lesefehler::Tausender:
        case Lesefehler::KeineZahl:
            break;
    }
    return "„" + std::string(text) + "“ ist keine gültige Zahl.";
}

// The entry as the file will hold it, or the box to correct and why.
std::optional<std::string> EintragLesen(const std::vector<Kassenzeile>& zeilen, std::size_t i,
                                        Kasseneintrag& kasse, Kassenspalte& spalte) {
    const std::string name(Getrimmt(zeilen[i].Name));
    spalte = Kassenspalte::Name;
    if (name.empty()) {
        return "Bitte geben Sie den Namen der Kasse ein.";
    }
    if (Zeichenzahl(name) > Kassenformular::NameLaenge) {
        return "Der Name ist länger als 20 Zeichen.";
    }
    if (AusCp1252(NachCp1252(name)) != name) {
        return "Der Name enthält Zeichen, die die Datei nicht aufnehmen kann.";
    }
    for (std::size_t j = 0; j < i; ++j) {
        if (AsciiKlein(Getrimmt(zeilen[j].Name)) == AsciiKlein(name)) {
            return "Diesen Namen trägt schon " + Eintragsname(j, {}) + ".";
        }
    }
    kasse.Name = name;
    const std::pair<Kassenspalte, std::pair<const std::string*, Satz*>> saetze[] = {
        {Kassenspalte::Zusatzbeitrag, {&zeilen[i].Zusatzbeitrag, &kasse.Zusatzbeitrag}},
        {Kassenspalte::U1, {&zeilen[i].U1, &kasse.U1}},
        {Kassenspalte::U2, {&zeilen[i].U2, &kasse.U2}}};
    for (const auto& [s, box] : saetze) {
        spalte = s;
        if (auto fehler = SatzLesen(*box.first, *box.second)) {
            return std::string(Spaltenname(s)) + ": " + *fehler;
        }
    }
    return std::nullopt;
}

}  // namespace

Kassenantwort Kassenformular::Lesen(int jahr) const {
    auto kassen = daten_.KassenLesen(jahr);
    if (!kassen.HatWert()) {
        return Dateifehler(kassen.Fehler(),
                           "Die Kassen dieses Jahres können nicht angezeigt "
                           "werden.");
    }
    Kassenantwort antwort;
    antwort.Zeilen.emplace();
    // The average is the law's, whatever an older file holds in its place.
    antwort.Zeilen->push_back(Zeile(StandardKassen(jahr).front(), 0));
    for (std::size_t i = 1; i < kassen.Wert().size(); ++i) {
        antwort.Zeilen->push_back(Zeile(kassen.Wert()[i], static_cast<int>(i)));
    }
    return antwort;
}

Kassenantwort Kassenformular::Neu(std::vector<Kassenzeile> zeilen) {
    if (zeilen.size() >= static_cast<std::size_t>(KassenJeJahr)) {
        return Hinweis("Ein Jahr hat höchstens " + std::to_string(KassenJeJahr) + " Kassen.");
    }
    zeilen.push_back({"", "0,00", "0,00", "0,00", std::nullopt});
    Kassenantwort antwort;
    antwort.Korrigieren = Kassenantwort::Feld{zeilen.size() - 1, Kassenspalte::Name};
    antwort.Zeilen = std::move(zeilen);
    return antwort;
}

std::optional<std::vector<int>> Kassenformular::Nutzung(int jahr, Aenderung& a) const {
    std::vector<int> nutzung(static_cast<std::size_t>(KassenJeJahr), 0);
    for (int person = 0; person < AnzahlPersonen; ++person) {
        for (int monat = 0; monat < MonateJeJahr; ++monat) {
            auto fall = daten_.FallAb2013Lesen(FallNrAb2013(jahr, person, monat));
            if (!fall.HatWert()) {
                a.Meldungen.push_back(Dateimeldung(
                    fall.Fehler(), "Die Kassen dieses Jahres bleiben unverändert.", Titel));
                return std::nullopt;
            }
            const int pos = fall.Wert().KassePos;
            if (pos >= 0 && pos < KassenJeJahr) {
                ++nutzung[static_cast<std::size_t>(pos)];
            }
        }
    }
    return nutzung;
}

Kassenantwort Kassenformular::Entfernen(int jahr, std::vector<Kassenzeile> zeilen,
                                        std::size_t zeile) const {
    if (zeile == 0 || zeile >= zeilen.size()) {
        return Hinweis("„Durchschnitt“ steht für keine echte Kasse und bleibt in jedem Jahr.");
    }
    if (const auto herkunft = zeilen[zeile].Herkunft) {
        Kassenantwort antwort;
        const auto nutzung = Nutzung(jahr, antwort.Anzeige);
        if (!nutzung) {
            return antwort;
        }
        if (const int faelle = (*nutzung)[static_cast<std::size_t>(*herkunft)]; faelle > 0) {
            return Hinweis(Eintragsname(zeile, Getrimmt(zeilen[zeile].Name)) + " ist in " +
                           std::to_string(faelle) + (faelle == 1 ? " Fall" : " Fällen") +
                           " des Jahres " + std::to_string(jahr) +
                           " gewählt und kann nicht entfernt werden. Wählen Sie dort zuerst "
                           "eine andere Kasse.");
        }
    }
    zeilen.erase(zeilen.begin() + static_cast<std::ptrdiff_t>(zeile));
    Kassenantwort antwort;
    antwort.Zeilen = std::move(zeilen);
    return antwort;
}

Kassenantwort Kassenformular::Speichern(int jahr, const std::vector<Kassenzeile>& zeilen) {
    if (zeilen.empty() || zeilen.size() > static_cast<std::size_t>(KassenJeJahr)) {
        return Hinweis("Ein Jahr hat höchstens " + std::to_string(KassenJeJahr) + " Kassen.");
    }
    std::vector<Kasseneintrag> kassen{StandardKassen(jahr).front()};
    for (std::size_t i = 1; i < zeilen.size(); ++i) {
        Kassenspalte spalte{};
        if (auto fehler = EintragLesen(zeilen, i, kassen.emplace_back(), spalte)) {
            Kassenantwort antwort =
                Hinweis(Eintragsname(i, Getrimmt(zeilen[i].Name)) + ": " + *fehler);
            antwort.Korrigieren = Kassenantwort::Feld{i, spalte};
            return antwort;
        }
    }

    auto bisher = daten_.KassenLesen(jahr);
    if (!bisher.HatWert()) {
        return Dateifehler(bisher.Fehler(), "Die Kassen dieses Jahres bleiben unverändert.");
    }
    // Where each stored place goes; -1 where the entry was removed.
    std::vector<int> ziel(bisher.Wert().size(), -1);
    ziel.front() = 0;
    for (std::size_t i = 1; i < zeilen.size(); ++i) {
        const auto h = zeilen[i].Herkunft;
        if (h && *h > 0 && static_cast<std::size_t>(*h) < ziel.size()) {
            ziel[static_cast<std::size_t>(*h)] = static_cast<int>(i);
        }
    }
    Kassenantwort antwort;
    const auto nutzung = Nutzung(jahr, antwort.Anzeige);
    if (!nutzung) {
        return antwort;
    }
    for (std::size_t p = 0; p < ziel.size(); ++p) {
        // Another window may have chosen it since it was taken off the list.
        if (ziel[p] < 0 && (*nutzung)[p] > 0) {
            return Hinweis(Eintragsname(p, Getrimmt(bisher.Wert()[p].Name)) + " ist in " +
                           std::to_string((*nutzung)[p]) + " Fällen des Jahres " +
                           std::to_string(jahr) +
                           " gewählt und kann nicht entfernt werden. Die Kassen bleiben "
                           "unverändert.");
        }
    }

    const std::string folge = "Die Kassen dieses Jahres bleiben unverändert.";
    Datenbestand::Verbund verbund(daten_);
    auto gescheitert = [&](const DateiFehler& fehler) {
        (void)verbund.Zuruecknehmen();
        return Dateifehler(fehler, folge);
    };
    std::array<std::byte, KassenblockLaenge> block{};
    KassenKodieren(kassen, block);
    for (int i = 0; i < KassensaetzeJeJahr; ++i) {
        const auto satz = std::span<const std::byte>(block).subspan(
            static_cast<std::size_t>(i) * FallsatzLaenge, FallsatzLaenge);
        if (auto geschrieben =
                daten_.SatzSchreiben(Datendatei::Ab2013, KassensatzNr(jahr, i), satz);
            !geschrieben.HatWert()) {
            return gescheitert(geschrieben.Fehler());
        }
    }
    for (int person = 0; person < AnzahlPersonen; ++person) {
        for (int monat = 0; monat < MonateJeJahr; ++monat) {
            const int nr = FallNrAb2013(jahr, person, monat);
            auto fall = daten_.FallAb2013Lesen(nr);
            if (!fall.HatWert()) {
                return gescheitert(fall.Fehler());
            }
            const int pos = fall.Wert().KassePos;
            if (pos < 0 || static_cast<std::size_t>(pos) >= ziel.size() ||
                ziel[static_cast<std::size_t>(pos)] == pos) {
                continue;
            }
            fall.Wert().KassePos = static_cast<std::int16_t>(ziel[static_cast<std::size_t>(pos)]);
            if (auto geschrieben = daten_.FallAb2013Schreiben(nr, fall.Wert());
                !geschrieben.HatWert()) {
                return gescheitert(geschrieben.Fehler());
            }
        }
    }
    if (auto gesichert = verbund.Abschliessen(); !gesichert.HatWert()) {
        return gescheitert(gesichert.Fehler());
    }
    antwort = Lesen(jahr);
    antwort.Gespeichert = true;
    return antwort;
}

}  // namespace lohnwippe
