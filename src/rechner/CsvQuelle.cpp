#include <algorithm>

#include "rechner/Eingabe.h"
#include "rechner/Kopfzeile.h"

extern "C" {
#include <csv.h>
}

namespace lohnwippe::rechner {

namespace {

constexpr unsigned char Optionen = CSV_STRICT | CSV_STRICT_FINI;
constexpr unsigned char Semikolon = ';';

// The line splitter has found the line ends already: no line holds one.
int KeinZeilenende(unsigned char /*zeichen*/) {
    return 0;
}

// Every line goes through libcsv on its own, ended by csv_fini: a quote
// left open then spoils only its own line, and the line number of every row
// is the line it stands on. No column of the input ever holds a line break.
class Csv final : public Zeilenquelle {
  public:
    Csv(Eingabestrom& strom, std::string name) : zeilen_(strom), name_(std::move(name)) {
        Anfangen();
    }
    ~Csv() override { csv_free(&parser_); }
    Csv(const Csv&) = delete;
    Csv& operator=(const Csv&) = delete;

    bool Naechste(Eingabezeile& zeile) override;
    Zahlformat Zahlen() const override { return Zahlformat::Deutsch; }
    const std::vector<std::string>& Mitgefuehrt() override {
        if (!kopfGelesen_) {
            KopfLesen();
        }
        return kopf_->Mitgefuehrt();
    }

  private:
    void Anfangen() {
        if (csv_init(&parser_, Optionen) != 0) {
            throw Abbruch("Speicher für den CSV-Leser fehlt");
        }
        csv_set_delim(&parser_, Semikolon);
        csv_set_term_func(&parser_, KeinZeilenende);
    }

    static void Feld(void* text, std::size_t laenge, void* selbst) {
        auto& csv = *static_cast<Csv*>(selbst);
        csv.grenzen_.push_back(csv.text_.size());
        if (laenge > 0) {  // an empty field may come without a buffer
            csv.text_.append(static_cast<const char*>(text), laenge);
        }
    }

    // Fields of `zeile` into grenzen_ and text_; the reason when its
    // quoting is broken.
    std::optional<std::string> Zerlegen(std::string_view zeile);
    std::string_view FeldText(std::size_t i) const {
        const std::size_t bis = i + 1 < grenzen_.size() ? grenzen_[i + 1] : text_.size();
        return std::string_view(text_).substr(grenzen_[i], bis - grenzen_[i]);
    }
    void KopfLesen();
    std::string Spaltenname(std::size_t feld) const { return kopf_->Name(feld); }

    Zeilenteiler zeilen_;
    std::string name_;  // in front of the header's messages
    csv_parser parser_{};
    std::string text_;
    std::vector<std::size_t> grenzen_;
    bool kopfGelesen_ = false;
    std::optional<Kopfzeile> kopf_;
};

std::optional<std::string> Csv::Zerlegen(std::string_view zeile) {
    text_.clear();
    grenzen_.clear();
    const std::size_t gelesen =
        csv_parse(&parser_, zeile.data(), zeile.size(), Feld, nullptr, this);
    std::optional<std::string> fehler;
    if (gelesen != zeile.size()) {
        fehler = "Anführungszeichen an falscher Stelle (Zeichen " + std::to_string(gelesen + 1) +
                 " der Zeile); ein Feld mit „\"“ steht ganz in Anführungszeichen, „\"“ darin "
                 "doppelt";
    } else if (csv_fini(&parser_, Feld, nullptr, this) != 0) {
        fehler = "Anführungszeichen nicht geschlossen";
    }
    if (fehler) {
        // libcsv keeps the failed state; a fresh parser serves the next line.
        csv_free(&parser_);
        Anfangen();
    }
    return fehler;
}

void Csv::KopfLesen() {
    kopfGelesen_ = true;
    std::string_view zeile;
    bool zuLang = false;
    do {
        if (!zeilen_.Naechste(zeile, zuLang)) {
            throw Abbruch(name_ + "Die Eingabe ist leer: die Kopfzeile mit den Spaltennamen fehlt");
        }
    } while (!zuLang && zeile.find_first_not_of(" \t;") == std::string_view::npos);
    const std::string ort = name_ + "Kopfzeile (Zeile " + std::to_string(zeilen_.Nummer()) + ")";
    if (zuLang) {
        throw Abbruch(ort + ": länger als 1 MiB");
    }
    if (auto fehler = Zerlegen(zeile)) {
        throw Abbruch(ort + ": " + *fehler);
    }
    std::vector<std::string> namen;
    for (std::size_t feld = 0; feld < grenzen_.size(); ++feld) {
        namen.emplace_back(FeldText(feld));
    }
    kopf_.emplace(std::move(namen), ort);
}

bool Csv::Naechste(Eingabezeile& zeile) {
    if (!kopfGelesen_) {
        KopfLesen();
    }
    std::string_view text;
    while (ZeileBeginnen(zeilen_, zeile, text)) {
        if (zeile.Fehler) {
            return true;
        }
        if (auto fehler = Zerlegen(text)) {
            zeile.Fehler = Zeilenfehler{Spaltenname(grenzen_.size()), std::move(*fehler)};
            return true;
        }
        const std::size_t anzahl = grenzen_.size();
        bool leer = true;
        for (std::size_t i = 0; i < anzahl && leer; ++i) {
            leer = FeldText(i).find_first_not_of(" \t") == std::string_view::npos;
        }
        if (leer) {
            continue;
        }
        const std::size_t spalten = kopf_->Anzahl();
        if (anzahl < spalten) {
            zeile.Fehler =
                Zeilenfehler{kopf_->Name(anzahl), "die Zeile endet nach " + std::to_string(anzahl) +
                                                      " Feldern; die Kopfzeile hat " +
                                                      std::to_string(spalten) + " Spalten"};
            return true;
        }
        for (std::size_t i = spalten; i < anzahl; ++i) {
            if (!FeldText(i).empty()) {
                zeile.Fehler =
                    Zeilenfehler{Spaltenname(i), "die Zeile hat " + std::to_string(anzahl) +
                                                     " Felder, die "
                                                     "Kopfzeile nur " +
                                                     std::to_string(spalten) + " Spalten"};
                return true;
            }
        }
        for (std::size_t i = 0; i < AnzahlEingabespalten; ++i) {
            const int feld = kopf_->Feld(i);
            zeile.Felder[i] =
                feld < 0 ? std::nullopt : std::optional(FeldText(static_cast<std::size_t>(feld)));
        }
        const auto& mitgefuehrt = kopf_->MitgefuehrteFelder();
        zeile.Mitgefuehrt.resize(mitgefuehrt.size());
        for (std::size_t i = 0; i < mitgefuehrt.size(); ++i) {
            zeile.Mitgefuehrt[i].Text = FeldText(mitgefuehrt[i]);
            zeile.Mitgefuehrt[i].Zahl.reset();
        }
        return true;
    }
    return false;
}

}  // namespace

std::unique_ptr<Zeilenquelle> CsvQuelle(Eingabestrom& strom, const std::string& name) {
    return std::make_unique<Csv>(strom, name.empty() ? name : name + ": ");
}

}  // namespace lohnwippe::rechner
