#include <algorithm>
#include <deque>

#include "calc/Zeichen.h"
#include "rechner/Eingabe.h"
#include "rechner/Kopfzeile.h"

extern "C" {
#include <csv.h>
}

namespace lohnwippe::rechner {

namespace {

constexpr unsigned char Optionen = CSV_STRICT | CSV_STRICT_FINI;

// The line splitter has found the line ends already: a line break libcsv
// sees stands inside a quoted field.
int KeinZeilenende(unsigned char /*zeichen*/) {
    return 0;
}

// Rows waiting for a column to show its notation, at most so many bytes;
// then the ambiguous texts among them are refused.
constexpr std::size_t HoechstesWarten = std::size_t{32} << 20;

// Every record goes through libcsv on its own, ended by csv_fini: a quote
// left open spoils only its own record. A record is a line, or several
// where a quoted field holds line breaks (a spreadsheet's notes), and counts
// as one row, as the spreadsheet counts it.
//
// An amount such as "1.005" is 1.005,00 in German and 1,01 in English
// notation. A column holding one is not read further until another of its
// cells shows the notation; the rows wait meanwhile (HoechstesWarten).
class Csv final : public Zeilenquelle {
  public:
    Csv(Eingabestrom& strom, std::string name, Zahlformat dialekt)
        : zeilen_(strom),
          name_(std::move(name)),
          dialekt_(dialekt),
          trenner_(dialekt == Zahlformat::Englisch ? ',' : ';'),
          formate_(dialekt) {
        Anfangen();
    }
    ~Csv() override { csv_free(&parser_); }
    Csv(const Csv&) = delete;
    Csv& operator=(const Csv&) = delete;

    bool Naechste(Eingabezeile& zeile) override;
    Zahlformat Zahlen() const override { return dialekt_; }
    const Spaltenformate& Formate() const override { return formate_; }
    const std::vector<std::string>& Mitgefuehrt() override {
        if (!kopf_) {
            KopfLesen();
        }
        return kopf_->Mitgefuehrt();
    }

  private:
    struct Satz {
        long Nummer = 0;
        std::string Text;
        std::vector<std::size_t> Grenzen;  // where each field begins in Text
        std::optional<Zeilenfehler> Fehler;

        std::string_view Feld(std::size_t i) const {
            const std::size_t bis = i + 1 < Grenzen.size() ? Grenzen[i + 1] : Text.size();
            return std::string_view(Text).substr(Grenzen[i], bis - Grenzen[i]);
        }
        bool Leer() const {
            for (std::size_t i = 0; i < Grenzen.size(); ++i) {
                if (!Getrimmt(Feld(i)).empty()) {
                    return false;
                }
            }
            return true;
        }
        std::size_t Bytes() const {
            return sizeof(Satz) + Text.capacity() + Grenzen.capacity() * sizeof(std::size_t);
        }
    };

    void Anfangen() {
        if (csv_init(&parser_, Optionen) != 0) {
            throw Abbruch("Speicher für den CSV-Leser fehlt");
        }
        csv_set_delim(&parser_, static_cast<unsigned char>(trenner_));
        csv_set_term_func(&parser_, KeinZeilenende);
    }

    static void Feld(void* text, std::size_t laenge, void* selbst) {
        Satz& satz = static_cast<Csv*>(selbst)->satz_;
        satz.Grenzen.push_back(satz.Text.size());
        if (laenge > 0) {  // an empty field may come without a buffer
            satz.Text.append(static_cast<const char*>(text), laenge);
        }
    }

    bool SatzLesen();
    bool SchlichtLesen(std::string_view zeile);
    void Scheitern(std::string grund);
    void KopfLesen();
    void FelderPruefen();
    bool Einordnen();
    bool Wartet() const;
    void Fuellen(Eingabezeile& zeile) const;

    Zeilenteiler zeilen_;
    std::string name_;  // in front of the header's messages
    Zahlformat dialekt_;
    char trenner_;
    csv_parser parser_{};
    long fortsetzungen_ = 0;  // lines that went on a record before
    Satz satz_;               // the record read or handed out last
    std::optional<Kopfzeile> kopf_;
    std::vector<std::size_t> entgelte_;  // the input columns of amounts
    Spaltenformate formate_;
    std::size_t offen_ = 0;  // columns whose notation is not known yet
    std::array<bool, AnzahlEingabespalten> mehrdeutig_{};  // among the rows waiting
    std::deque<Satz> warten_;
    std::size_t wartend_ = 0;  // bytes
    bool ausgeben_ = false;    // the rows waiting go out, decided or not
};

void Csv::Scheitern(std::string grund) {
    satz_.Fehler =
        Zeilenfehler{kopf_ ? kopf_->Name(satz_.Grenzen.size()) : std::string(), std::move(grund)};
    // libcsv keeps the failed state; a fresh parser serves the next record.
    csv_free(&parser_);
    Anfangen();
}

// The next record into satz_; false at the end of the input.
bool Csv::SatzLesen() {
    satz_.Text.clear();
    satz_.Grenzen.clear();
    satz_.Fehler.reset();
    std::string_view zeile;
    bool zuLang = false;
    if (!zeilen_.Naechste(zeile, zuLang)) {
        return false;
    }
    satz_.Nummer = zeilen_.Nummer() - fortsetzungen_;
    if (zuLang) {
        satz_.Fehler = Zeilenfehler{"", "Zeile länger als 1 MiB"};
        return true;
    }
    if (SchlichtLesen(zeile)) {
        return true;
    }
    std::size_t laenge = zeile.size();
    std::size_t anfuehrungszeichen = 0;
    for (;;) {
        const std::size_t gelesen =
            csv_parse(&parser_, zeile.data(), zeile.size(), Feld, nullptr, this);
        if (gelesen != zeile.size()) {
            Scheitern("Anführungszeichen an falscher Stelle (Zeichen " +
                      std::to_string(gelesen + 1) +
                      " der Zeile); ein Feld mit „\"“ steht ganz in Anführungszeichen, „\"“ "
                      "darin doppelt");
            return true;
        }
        // libcsv took every quote as it stands, so an odd count leaves a
        // quoted field open, which goes on in the next line.
        anfuehrungszeichen += static_cast<std::size_t>(std::count(zeile.begin(), zeile.end(), '"'));
        if (anfuehrungszeichen % 2 == 0) {
            break;
        }
        if (!zeilen_.Naechste(zeile, zuLang)) {
            break;  // csv_fini below says it
        }
        ++fortsetzungen_;
        laenge += zeile.size() + 1;
        if (zuLang || laenge > Zeilenteiler::HoechsteLaenge) {
            Scheitern(
                "Feld in Anführungszeichen über mehr als 1 MiB – Anführungszeichen nicht "
                "geschlossen?");
            return true;
        }
        csv_parse(&parser_, "\n", 1, Feld, nullptr, this);
    }
    if (csv_fini(&parser_, Feld, nullptr, this) != 0) {
        Scheitern("Anführungszeichen nicht geschlossen");
    }
    return true;
}

// A line without quotes is its texts between the separators, without the
// blanks at either end, which is all libcsv would make of it, at a fraction
// of its cost for every byte. A line of blanks or none is no record to it,
// so it goes the long way.
bool Csv::SchlichtLesen(std::string_view zeile) {
    if (std::find(zeile.begin(), zeile.end(), '"') != zeile.end() ||
        std::all_of(zeile.begin(), zeile.end(), IstLeerzeichen)) {
        return false;
    }
    satz_.Text.reserve(zeile.size());
    std::size_t anfang = 0;
    for (;;) {
        const std::size_t ende = zeile.find(trenner_, anfang);
        satz_.Grenzen.push_back(satz_.Text.size());
        satz_.Text.append(Getrimmt(zeile.substr(anfang, ende - anfang)));
        if (ende == std::string_view::npos) {
            return true;
        }
        anfang = ende + 1;
    }
}

void Csv::KopfLesen() {
    do {
        if (!SatzLesen()) {
            throw Abbruch(name_ + "Die Eingabe ist leer: die Kopfzeile mit den Spaltennamen fehlt");
        }
    } while (!satz_.Fehler && satz_.Leer());
    const std::string ort = name_ + "Kopfzeile (Zeile " + std::to_string(satz_.Nummer) + ")";
    if (satz_.Fehler) {
        throw Abbruch(ort + ": " + satz_.Fehler->Grund);
    }
    std::vector<std::string> namen;
    for (std::size_t feld = 0; feld < satz_.Grenzen.size(); ++feld) {
        namen.emplace_back(satz_.Feld(feld));
    }
    kopf_.emplace(std::move(namen), ort, trenner_);
    for (std::size_t i = 0; i < AnzahlEingabespalten; ++i) {
        if (Eingabespalten()[i].Art == Feldart::Entgelt && kopf_->Feld(i) >= 0) {
            entgelte_.push_back(i);
            formate_.Offen[i] = true;
            ++offen_;
        }
    }
}

void Csv::FelderPruefen() {
    const std::size_t anzahl = satz_.Grenzen.size();
    const std::size_t spalten = kopf_->Anzahl();
    if (anzahl < spalten) {
        satz_.Fehler =
            Zeilenfehler{kopf_->Name(anzahl), "die Zeile endet nach " + std::to_string(anzahl) +
                                                  " Feldern; die Kopfzeile hat " +
                                                  std::to_string(spalten) + " Spalten"};
        return;
    }
    for (std::size_t i = spalten; i < anzahl; ++i) {
        if (!satz_.Feld(i).empty()) {
            satz_.Fehler = Zeilenfehler{kopf_->Name(i), "die Zeile hat " + std::to_string(anzahl) +
                                                            " Felder, die Kopfzeile nur " +
                                                            std::to_string(spalten) + " Spalten"};
            return;
        }
    }
}

// Learns the notation of the open columns from satz_; whether it holds an
// ambiguous amount in a column still open.
bool Csv::Einordnen() {
    bool mehrdeutig = false;
    for (const std::size_t i : entgelte_) {
        if (!formate_.Offen[i]) {
            continue;
        }
        const auto feld = static_cast<std::size_t>(kopf_->Feld(i));
        const Notation notation = NotationDes(Getrimmt(satz_.Feld(feld)));
        switch (notation) {
            case Notation::Keine:
                break;
            case Notation::Mehrdeutig:
                mehrdeutig_[i] = true;
                mehrdeutig = true;
                break;
            case Notation::Deutsch:
            case Notation::Englisch:
                formate_.Format[i] =
                    notation == Notation::Deutsch ? Zahlformat::Deutsch : Zahlformat::Englisch;
                formate_.Offen[i] = false;
                --offen_;
                break;
        }
    }
    return mehrdeutig;
}

bool Csv::Wartet() const {
    return std::any_of(entgelte_.begin(), entgelte_.end(),
                       [&](std::size_t i) { return mehrdeutig_[i] && formate_.Offen[i]; });
}

void Csv::Fuellen(Eingabezeile& zeile) const {
    zeile.Nummer = satz_.Nummer;
    zeile.Fehler = satz_.Fehler;
    if (zeile.Fehler) {
        return;
    }
    for (std::size_t i = 0; i < AnzahlEingabespalten; ++i) {
        const int feld = kopf_->Feld(i);
        zeile.Felder[i] =
            feld < 0 ? std::nullopt : std::optional(satz_.Feld(static_cast<std::size_t>(feld)));
    }
    const auto& mitgefuehrt = kopf_->MitgefuehrteFelder();
    zeile.Mitgefuehrt.resize(mitgefuehrt.size());
    for (std::size_t i = 0; i < mitgefuehrt.size(); ++i) {
        zeile.Mitgefuehrt[i].Text = satz_.Feld(mitgefuehrt[i]);
        zeile.Mitgefuehrt[i].Zahl.reset();
    }
}

bool Csv::Naechste(Eingabezeile& zeile) {
    if (!kopf_) {
        KopfLesen();
    }
    for (;;) {
        if (!warten_.empty() && (ausgeben_ || !Wartet())) {
            wartend_ -= warten_.front().Bytes();
            satz_ = std::move(warten_.front());
            warten_.pop_front();
            if (warten_.empty()) {
                ausgeben_ = false;
                mehrdeutig_.fill(false);
            }
            Fuellen(zeile);
            return true;
        }
        if (!SatzLesen()) {
            if (warten_.empty()) {
                return false;
            }
            ausgeben_ = true;
            continue;
        }
        if (!satz_.Fehler && satz_.Leer()) {
            continue;
        }
        if (!satz_.Fehler) {
            FelderPruefen();
        }
        const bool mehrdeutig = !satz_.Fehler && offen_ > 0 && Einordnen();
        if (warten_.empty() && !mehrdeutig) {
            Fuellen(zeile);
            return true;
        }
        warten_.push_back(satz_);
        wartend_ += warten_.back().Bytes();
        ausgeben_ = ausgeben_ || wartend_ > HoechstesWarten;
    }
}

}  // namespace

std::unique_ptr<Zeilenquelle> CsvQuelle(Eingabestrom& strom, const std::string& name,
                                        Zahlformat dialekt) {
    return std::make_unique<Csv>(strom, name.empty() ? name : name + ": ", dialekt);
}

}  // namespace lohnwippe::rechner
