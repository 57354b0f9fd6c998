#include "rechner/Zeilenschreiber.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "calc/Zeichen.h"
#include "rechner/Mappenschreiber.h"
#include "rechner/Zeilenleser.h"
#include "store/Cp1252.h"

extern "C" {
#include <csv.h>
}

namespace lohnwippe::rechner {

namespace {

constexpr std::size_t Puffergroesse = std::size_t{1} << 20;

// A sign, then digits, points and commas only: a number to any
// spreadsheet, never a formula.
bool Zahlaehnlich(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    return !text.empty() && IstZiffer(text.front()) &&
           text.find_first_not_of("0123456789.,") == std::string_view::npos;
}

// A field that a CSV reader would take apart or trim unless it is quoted.
// A plain loop: find_first_of looks up every byte in the set with a call,
// and the notices of a row from 2013 run to some hundred bytes.
bool BrauchtAnfuehrung(std::string_view text, char trenner) {
    if (!text.empty() && (IstLeerzeichen(text.front()) || IstLeerzeichen(text.back()))) {
        return true;
    }
    return std::any_of(text.begin(), text.end(), [trenner](char c) {
        return c == trenner || c == '"' || c == '\r' || c == '\n';
    });
}

// A spreadsheet takes a cell that begins like this for a formula.
bool Formelanfang(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

}  // namespace

Zeilenschreiber::Zeilenschreiber(Ausgabeziel ziel, Ausgabeformat format,
                                 std::vector<std::string> spalten, bool bom, Zahlformat csv)
    : format_(format),
      zahlen_(format == Ausgabeformat::Csv ? csv : Zahlformat::Punkt),
      trenner_(csv == Zahlformat::Englisch ? ',' : ';'),
      bom_(bom && format == Ausgabeformat::Csv),
      spalten_(std::move(spalten)),
      puffer_(std::make_unique_for_overwrite<char[]>(Puffergroesse)),
      groesse_(Puffergroesse),
      ziel_(std::move(ziel)) {
    for (const std::string& name : spalten_) {
        // Column names are plain ASCII; the library's dump quotes anyway.
        std::string schluessel(schluessel_.empty() ? "{" : ",");
        schluessel += nlohmann::json(name).dump();
        schluessel += ':';
        zahlfeldPlatz_ = std::max(zahlfeldPlatz_, schluessel.size() + ZahltextPlatz + 3);
        schluessel_.push_back(std::move(schluessel));
    }
}

Zeilenschreiber::Zeilenschreiber(Mappenschreiber& mappe, std::string blatt,
                                 std::vector<std::string> spalten)
    : format_(Ausgabeformat::Xlsx),
      zahlen_(Zahlformat::Punkt),
      trenner_(';'),
      bom_(false),
      spalten_(std::move(spalten)),
      groesse_(0),  // no buffer: see Zahlfeld
      mappe_(&mappe),
      blatt_(std::move(blatt)) {}

bool Zeilenschreiber::Zellfeld() {
    if (mappe_ == nullptr) {
        return false;
    }
    if (feld_ >= spalten_.size()) {
        throw std::logic_error("Zeilenschreiber: mehr Felder als Spalten");
    }
    ++feld_;
    return true;
}

void Zeilenschreiber::Platz(std::size_t bytes) {
    if (belegt_ + bytes > groesse_) {
        Leeren();
        if (bytes > groesse_) {
            // One huge text field; never in real data.
            puffer_ = std::make_unique_for_overwrite<char[]>(bytes);
            groesse_ = bytes;
        }
    }
}

void Zeilenschreiber::Leeren() {
    if (belegt_ > 0) {
        ziel_(std::string_view(puffer_.get(), belegt_));
        belegt_ = 0;
        zuletzt_.Art = -1;
    }
}

void Zeilenschreiber::Kopf() {
    if (mappe_ != nullptr) {
        mappe_->Blatt(blatt_, spalten_);
        return;
    }
    if (format_ != Ausgabeformat::Csv) {
        return;
    }
    if (bom_) {
        const std::string_view bom = "\xEF\xBB\xBF";
        Platz(bom.size());
        std::copy(bom.begin(), bom.end(), puffer_.get() + belegt_);
        belegt_ += bom.size();
    }
    // A carried column's name is the user's text, as any cell: quoted where
    // it holds a separator, guarded where it looks like a formula.
    for (const std::string& name : spalten_) {
        Text(name);
    }
    feld_ = 0;
    ++zeile_;
    Platz(1);
    puffer_[belegt_++] = '\n';
}

char* Zeilenschreiber::Feldanfang(std::size_t platz) {
    if (feld_ >= spalten_.size()) {
        throw std::logic_error("Zeilenschreiber: mehr Felder als Spalten");
    }
    if (format_ == Ausgabeformat::Csv) {
        Platz(platz + 3);
        char* p = puffer_.get() + belegt_;
        *p = trenner_;
        return p + (feld_++ == 0 ? 0 : 1);
    }
    const std::string& schluessel = schluessel_[feld_];
    Platz(schluessel.size() + platz + 2);
    ++feld_;
    return std::copy(schluessel.begin(), schluessel.end(), puffer_.get() + belegt_);
}

void Zeilenschreiber::Feldende(char* ende) {
    belegt_ = static_cast<std::size_t>(ende - puffer_.get());
}

void Zeilenschreiber::Text(std::string_view utf8) {
    // A cell is text or number by its type, so a leading "=" needs no
    // apostrophe there.
    if (Zellfeld()) {
        mappe_->Text(utf8);
        return;
    }
    if (format_ == Ausgabeformat::JsonZeilen) {
        const std::string text =
            nlohmann::json(std::string(utf8))
                .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        char* p = Feldanfang(text.size());
        Feldende(std::copy(text.begin(), text.end(), p));
        return;
    }
    if (cp1252Melden_) {
        Cp1252Pruefen(utf8);
    }
    // A spreadsheet takes a cell that begins like a formula for one and
    // runs it; a name typed into the window must stay a name. A carried
    // number ("-12,50") is no formula and stays as it came.
    if (!utf8.empty() && Formelanfang(utf8.front()) && !formelfrei_) {
        const std::string text = "'" + std::string(utf8);
        const std::size_t platz = 2 * text.size() + 2;
        char* p = Feldanfang(platz);
        Feldende(p + csv_write2(p, platz, text.data(), text.size(), '"'));
        return;
    }
    if (!BrauchtAnfuehrung(utf8, trenner_)) {
        char* p = Feldanfang(utf8.size());
        std::memcpy(p, utf8.data(), utf8.size());
        Feldende(p + utf8.size());
        return;
    }
    const std::size_t platz = 2 * utf8.size() + 2;
    char* p = Feldanfang(platz);
    Feldende(p + csv_write2(p, platz, utf8.data(), utf8.size(), '"'));
}

void Zeilenschreiber::Cp1252Pruefen(std::string_view utf8) {
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; })) {
        return;
    }
    const std::string umgesetzt = NachCp1252(utf8);
    if (std::count(umgesetzt.begin(), umgesetzt.end(), '?') ==
        std::count(utf8.begin(), utf8.end(), '?')) {
        return;
    }
    cp1252Melden_("Ausgabezeile " + std::to_string(zeile_) + ", Spalte " + Zitat(spalten_[feld_]) +
                  ": Windows-1252 hat nicht alle Zeichen von " + Zitat(utf8) +
                  "; sie stehen als „?“ in der Ausgabe (gemeldet nur das erste Mal; --zeichensatz "
                  "utf-8 behält sie)");
    cp1252Melden_ = nullptr;
}

// In JSON every number is a string, so that no reader turns it into a
// binary fraction. The common path of some two hundred fields a row: one
// check for room, no call. A spreadsheet has no buffer, so that its cells
// take the way of a full one and cost the text formats nothing; a cell
// holds the number as the text writes it, which reads back as the double
// nearest to the value rounded as the text rounds.
template <typename Zahlschreiber>
void Zeilenschreiber::Zahlfeld(Zahlschreiber schreiben, Zellformat zellformat) {
    if (belegt_ + zahlfeldPlatz_ > groesse_) [[unlikely]] {
        if (mappe_ != nullptr) {
            Zellfeld();
            std::array<char, ZahltextPlatz> text{};
            const char* ende = schreiben(text.data());
            mappe_->Zahl(
                std::string_view(text.data(), static_cast<std::size_t>(ende - text.data())),
                zellformat);
            return;
        }
        Leeren();
    }
    if (feld_ >= spalten_.size()) [[unlikely]] {
        throw std::logic_error("Zeilenschreiber: mehr Felder als Spalten");
    }
    char* p = puffer_.get() + belegt_;
    if (format_ == Ausgabeformat::Csv) {
        *p = trenner_;
        p += feld_ == 0 ? 0 : 1;
        p = schreiben(p);
    } else {
        const std::string& schluessel = schluessel_[feld_];
        p = std::copy(schluessel.begin(), schluessel.end(), p);
        *p++ = '"';
        p = schreiben(p);
        *p++ = '"';
    }
    ++feld_;
    belegt_ = static_cast<std::size_t>(p - puffer_.get());
}

// The text in the buffer has room for ZahltextPlatz bytes behind its
// start, as has `ziel` (see zahlfeldPlatz_), so a whole array is copied,
// which needs no loop; what follows the text there is written over later.
template <typename Zahlschreiber>
char* Zeilenschreiber::Gemerkt(char* ziel, Waehrung wert, int art, Zahlschreiber schreiben) {
    if (wert.Roh() == zuletzt_.Roh && art == zuletzt_.Art) {
        // Through registers, all read before any is written: the two may
        // overlap, and memmove is a call.
        constexpr std::size_t Wort = sizeof(std::uint64_t);
        std::array<std::uint64_t, ZahltextPlatz / Wort> text{};
        const char* von = puffer_.get() + zuletzt_.Anfang;
        for (std::size_t i = 0; i < text.size(); ++i) {
            std::memcpy(&text[i], von + i * Wort, Wort);
        }
        for (std::size_t i = 0; i < text.size(); ++i) {
            std::memcpy(ziel + i * Wort, &text[i], Wort);
        }
        return ziel + zuletzt_.Laenge;
    }
    char* ende = schreiben(ziel);
    if (mappe_ == nullptr) {
        zuletzt_ = {wert.Roh(), art, static_cast<std::size_t>(ziel - puffer_.get()),
                    static_cast<std::size_t>(ende - ziel)};
    }
    return ende;
}

void Zeilenschreiber::Betrag(Waehrung wert, int stellen) {
    Zahlfeld(
        [&](char* p) {
            return Gemerkt(p, wert, stellen,
                           [&](char* q) { return BetragText(q, wert, stellen, zahlen_); });
        },
        stellen == 2 ? Zellformat::Tausender2 : Dezimalformat(stellen));
}

void Zeilenschreiber::Dezimal(Waehrung wert, int stellen) {
    constexpr int Dezimalart = 8;
    Zahlfeld(
        [&](char* p) {
            return Gemerkt(p, wert, Dezimalart + stellen,
                           [&](char* q) { return DezimalText(q, wert, stellen, zahlen_); });
        },
        Dezimalformat(stellen));
}

void Zeilenschreiber::Zahl(Waehrung wert) {
    Zahlfeld([&](char* p) { return ZahlText(p, wert, zahlen_); }, Zellformat::Allgemein);
}

void Zeilenschreiber::Ganzzahl(long wert) {
    Zahlfeld([&](char* p) { return GanzzahlText(p, wert); }, Zellformat::Allgemein);
}

void Zeilenschreiber::Wert(const Zellwert& wert) {
    if (mappe_ != nullptr && wert.Zahl && std::isfinite(*wert.Zahl)) {
        Zellfeld();
        mappe_->Zahl(*wert.Zahl, wert.Format);
        return;
    }
    if (format_ == Ausgabeformat::JsonZeilen && wert.Zahl) {
        std::array<char, ZahltextPlatz> text{};
        Text(std::string_view(text.data(), GleitText(text.data(), *wert.Zahl, Zahlformat::Punkt)));
        return;
    }
    // A carried number ("-12,50") is no formula and stays as it came.
    formelfrei_ = Zahlaehnlich(wert.Text);
    Text(wert.Text);
    formelfrei_ = false;
}

void Zeilenschreiber::LeereFelder(std::size_t anzahl) {
    if (feld_ + anzahl > spalten_.size()) {
        throw std::logic_error("Zeilenschreiber: mehr Felder als Spalten");
    }
    if (mappe_ != nullptr) {
        for (std::size_t i = 0; i < anzahl; ++i) {
            Text({});
        }
        return;
    }
    if (format_ == Ausgabeformat::JsonZeilen) {
        for (std::size_t i = 0; i < anzahl; ++i) {
            char* p = Feldanfang(2);
            p[0] = '"';
            p[1] = '"';
            Feldende(p + 2);
        }
        return;
    }
    const std::size_t trenner = feld_ == 0 && anzahl > 0 ? anzahl - 1 : anzahl;
    Platz(trenner);
    std::memset(puffer_.get() + belegt_, trenner_, trenner);
    belegt_ += trenner;
    feld_ += anzahl;
}

void Zeilenschreiber::Zeilenende() {
    if (feld_ != spalten_.size()) {
        throw std::logic_error("Zeilenschreiber: " + std::to_string(feld_) + " Felder statt " +
                               std::to_string(spalten_.size()));
    }
    feld_ = 0;
    ++zeile_;
    if (mappe_ != nullptr) {
        mappe_->Zeilenende();
        return;
    }
    Platz(2);
    if (format_ == Ausgabeformat::JsonZeilen) {
        puffer_[belegt_++] = '}';
    }
    puffer_[belegt_++] = '\n';
}

}  // namespace lohnwippe::rechner
