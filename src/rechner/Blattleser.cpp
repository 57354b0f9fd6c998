#include "rechner/Blattleser.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <span>
#include <utility>

#include "calc/Utf8.h"
#include "rechner/Blattformate.h"
#include "rechner/Fehler.h"

namespace lohnwippe::rechner {
namespace {

// An office file of the older compound kind: either the old binary formats
// or, what users meet more often, an .xlsx saved with a password, which is
// encrypted into that kind of container.
constexpr std::string_view Verbunddatei("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

[[noreturn]] void Verbund(const std::string& name) {
    throw Abbruch(name +
                  ": keine .xlsx-/.ods-Datei, sondern eine ältere Office-Datei oder eine mit "
                  "Kennwort geschützte – bitte ohne Kennwort als .xlsx oder .ods speichern");
}

std::unique_ptr<Blattleser> Oeffnen(Zipmappe mappe, const std::optional<std::string>& blatt) {
    if (mappe.Hat("xl/workbook.xml")) {
        return XlsxOeffnen(std::move(mappe), blatt);
    }
    if (!mappe.Hat("content.xml")) {
        mappe.Beschaedigt("weder xl/workbook.xml noch content.xml darin");
    }
    return OdsOeffnen(std::move(mappe), blatt);
}

}  // namespace

void Stromblatt::StromOeffnen(const std::string& eintrag) {
    Xmlleser& leser = *this;
    xml_ = std::make_unique<Xmlstrom>(mappe_, eintrag, leser);
}

bool Stromblatt::Naechste(Blattzeile& zeile) {
    while (schlange_.empty()) {
        if (ende_) {
            return false;
        }
        ende_ = !xml_->Weiter();
    }
    Posten& vorn = schlange_.front();
    if (vorn.Anzahl > 1) {
        zeile = vorn.Zeile;
        ++vorn.Zeile.Nummer;
        --vorn.Anzahl;
        return true;
    }
    std::swap(zeile, vorn.Zeile);
    frei_.push_back(std::move(vorn.Zeile.Zellen));
    schlange_.pop_front();
    return true;
}

void Stromblatt::NeueZeile(long nummer) {
    aktuell_.Nummer = nummer;
    aktuell_.Zellen.clear();
    zeilentext_ = 0;
}

void Stromblatt::ZeileFertig(long anzahl) {
    if (aktuell_.Zellen.empty()) {
        return;
    }
    if (aktuell_.Nummer > HoechstZeilen - anzahl + 1) {
        throw Abbruch(mappe_.Name() + ": Inhalt jenseits der Zeile " +
                      std::to_string(HoechstZeilen) + " – mehr Zeilen hat kein Tabellenblatt");
    }
    if (anzahl > 1) {
        const auto mal = static_cast<std::size_t>(anzahl - 1);
        Wiederholt(mal * aktuell_.Zellen.size(), mal * zeilentext_);
    }
    Posten posten{{aktuell_.Nummer, {}}, anzahl};
    std::swap(posten.Zeile.Zellen, aktuell_.Zellen);
    schlange_.push_back(std::move(posten));
    if (!frei_.empty()) {
        aktuell_.Zellen = std::move(frei_.back());
        frei_.pop_back();
        aktuell_.Zellen.clear();
    }
}

void Stromblatt::ZelleAnfuegen(std::size_t spalte, std::string text, std::optional<double> zahl,
                               std::size_t anzahl, const std::string& format) {
    if (text.empty() && !zahl) {
        return;
    }
    if (spalte >= HoechstSpalten || anzahl > HoechstSpalten - spalte) {
        throw Abbruch(mappe_.Name() + ": Inhalt jenseits der Spalte " +
                      Spaltenbuchstaben(HoechstSpalten - 1) + " in Zeile " +
                      std::to_string(aktuell_.Nummer) + " – so breit ist kein Tabellenblatt");
    }
    zeilentext_ += text.size() * anzahl;
    if (anzahl > 1) {
        Wiederholt(anzahl - 1, text.size() * (anzahl - 1));
    }
    if (zeilentext_ > HoechstZeilentext) {
        throw Abbruch(mappe_.Name() + ": Zeile " + std::to_string(aktuell_.Nummer) +
                      " hält mehr als 16 MiB Text");
    }
    for (std::size_t i = 1; i < anzahl; ++i) {
        aktuell_.Zellen.push_back({spalte + i - 1, text, zahl, format});
    }
    aktuell_.Zellen.push_back({spalte + anzahl - 1, std::move(text), zahl, format});
}

void Stromblatt::OhneErgebnis(std::size_t spalte) const {
    throw Abbruch(mappe_.Name() + ": Zelle " + Zelle(spalte) +
                  " hält eine Formel ohne gespeichertes Ergebnis – bitte die Datei einmal in "
                  "einem Tabellenprogramm öffnen und speichern, dann steht das Ergebnis darin");
}

void Stromblatt::Wiederholt(std::size_t zellen, std::size_t text) {
    wiederholteZellen_ += zellen;
    wiederholterText_ += text;
    if (wiederholteZellen_ > HoechstWiederholteZellen ||
        wiederholterText_ > HoechstWiederholterText) {
        throw Abbruch(
            mappe_.Name() + ": Zeile " + std::to_string(aktuell_.Nummer) +
            ": Wiederholungen machen mehr als " +
            (wiederholteZellen_ > HoechstWiederholteZellen ? "1.000.000 Zellen" : "256 MiB Text") +
            " – so viel liest der Rechner nicht aus einer Datei");
    }
}

void Stromblatt::TextAnfuegen(std::string& text, std::string_view mehr, std::size_t spalte) const {
    if (mehr.size() > HoechstZelltext - text.size()) {
        throw Abbruch(mappe_.Name() + ": Zelle " + Zelle(spalte) + " hält mehr als 1 MiB Text");
    }
    text += mehr;
}

std::string Stromblatt::Zelle(std::size_t spalte) const {
    return Spaltenbuchstaben(spalte) + std::to_string(aktuell_.Nummer);
}

std::string Blattname(std::string_view name) {
    constexpr std::size_t Hoechstens = 80;
    std::string anzeige;
    for (const char zeichen : name) {
        if (anzeige.size() >= Hoechstens && !Utf8Folgebyte(zeichen)) {
            return anzeige + "…";
        }
        anzeige += static_cast<unsigned char>(zeichen) < 0x20 ? ' ' : zeichen;
    }
    return anzeige;
}

std::string AusgeblendetHinweis(const std::string& name, const std::string& blatt,
                                bool ausgeblendet, const std::optional<std::string>& uebergangen) {
    if (uebergangen) {
        return name + ": das erste Blatt „" + Blattname(*uebergangen) + "“ ist ausgeblendet – " +
               "gelesen wird „" + Blattname(blatt) + "“ (--blatt wählt ein anderes)";
    }
    if (ausgeblendet) {
        return name + ": das Blatt „" + Blattname(blatt) +
               "“ ist ausgeblendet – es wird trotzdem gelesen";
    }
    return {};
}

void BlattFehlt(const std::string& name, const std::string& blatt,
                const std::vector<std::string>& namen) {
    std::string liste;
    for (const std::string& vorhanden : namen) {
        liste += (liste.empty() ? "„" : ", „") + Blattname(vorhanden) + "“";
    }
    throw Abbruch(
        name + ": kein Blatt „" + blatt + "“ – " +
        (namen.empty() ? "die Datei hat keine Tabellenblätter" : "die Datei hat " + liste));
}

std::optional<double> ZahlLesen(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' ||
                             text.front() == '\r')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' ||
                             text.back() == '\r')) {
        text.remove_suffix(1);
    }
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    double zahl = 0;
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), zahl);
    if (text.empty() || fehler != std::errc() || ende != text.data() + text.size() ||
        !std::isfinite(zahl)) {
        return std::nullopt;
    }
    return zahl;
}

bool MappeNachInhalt(std::string_view anfang) {
    return anfang.starts_with("PK\x03\x04") || anfang.starts_with(Verbunddatei);
}

std::unique_ptr<Blattleser> BlattOeffnen(Deskriptor& datei, const std::string& name,
                                         const std::optional<std::string>& blatt) {
    // The archive's directory sits at its end, so the file must be read out
    // of order.
    if (::lseek(datei.Fd(), 0, SEEK_CUR) < 0 && errno == ESPIPE) {
        throw Abbruch(name +
                      ": eine Tabellendatei (.xlsx, .ods) lässt sich nur aus einer Datei lesen, "
                      "nicht aus einer Pipe");
    }
    std::array<std::byte, Verbunddatei.size()> anfang{};
    const std::size_t gelesen = OderAbbruch(datei.Lesen(0, anfang));
    if (std::string_view(reinterpret_cast<const char*>(anfang.data()), gelesen) == Verbunddatei) {
        Verbund(name);
    }
    return Oeffnen(Zipmappe::AusDatei(datei, name), blatt);
}

std::unique_ptr<Blattleser> BlattAusSpeicher(std::string_view daten, const std::string& name,
                                             const std::optional<std::string>& blatt) {
    if (daten.starts_with(Verbunddatei)) {
        Verbund(name);
    }
    return Oeffnen(Zipmappe::AusSpeicher(daten, name), blatt);
}

std::string Spaltenbuchstaben(std::size_t spalte) {
    std::string buchstaben;
    for (std::size_t n = spalte + 1; n > 0; n = (n - 1) / 26) {
        buchstaben.insert(buchstaben.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return buchstaben;
}

}  // namespace lohnwippe::rechner
