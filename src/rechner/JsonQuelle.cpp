#include <algorithm>
#include <nlohmann/json.hpp>

#include "calc/Utf8.h"
#include "rechner/Eingabe.h"

namespace lohnwippe::rechner {

namespace {

using Json = nlohmann::json;

// Reads one line's object into the texts of the input columns. The SAX
// interface hands over a number as it was written, so that 551.70 stays
// exactly that and never passes through a binary fraction.
class Objektleser final : public nlohmann::json_sax<Json> {
  public:
    // `sammeln`: the first line, whose keys the calculator does not know
    // become the columns carried; later lines may only repeat them.
    Objektleser(std::array<std::string, AnzahlEingabespalten>& werte,
                std::array<bool, AnzahlEingabespalten>& vorhanden,
                std::vector<std::string>& mitgefuehrt, std::vector<Zellwert>& fremde, bool sammeln)
        : werte_(werte),
          vorhanden_(vorhanden),
          mitgefuehrt_(mitgefuehrt),
          fremde_(fremde),
          sammeln_(sammeln) {
        vorhanden_.fill(false);
        fremde_.assign(mitgefuehrt_.size(), Zellwert{});
        fremdVorhanden_.assign(mitgefuehrt_.size(), false);
    }

    std::optional<Zeilenfehler> Fehler;

    // No column has a value a literal could stand for unmistakably: true
    // as an amount, a month or a list position is no answer.
    bool null() override { return Literal("null"); }
    bool boolean(bool wert) override { return Literal(wert ? "true" : "false"); }
    bool number_integer(number_integer_t wert) override {
        return Wert(std::to_string(wert), static_cast<double>(wert));
    }
    bool number_unsigned(number_unsigned_t wert) override {
        return Wert(std::to_string(wert), static_cast<double>(wert));
    }
    bool number_float(number_float_t wert, const string_t& text) override {
        return Wert(text, static_cast<double>(wert));
    }
    bool string(string_t& wert) override { return Wert(wert); }
    bool binary(binary_t& /*wert*/) override { return Verschachtelt(); }

    bool start_object(std::size_t /*anzahl*/) override {
        if (tiefe_++ > 0) {
            return Verschachtelt();
        }
        return true;
    }
    bool end_object() override {
        --tiefe_;
        return true;
    }
    bool start_array(std::size_t /*anzahl*/) override { return Verschachtelt(); }
    bool end_array() override { return true; }

    bool key(string_t& name) override {
        schluessel_ = name;
        spalte_ = Eingabespaltennummer(name);
        fremd_ = -1;
        if (spalte_ >= 0) {
            return !vorhanden_[static_cast<std::size_t>(spalte_)] ||
                   Scheitern(name, "steht zweimal in der Zeile");
        }
        if (Ausgabespalte(name)) {
            return true;
        }
        const auto stelle = std::find(mitgefuehrt_.begin(), mitgefuehrt_.end(), name);
        fremd_ = static_cast<int>(stelle - mitgefuehrt_.begin());
        if (stelle == mitgefuehrt_.end()) {
            if (!sammeln_) {
                return Scheitern(name,
                                 "unbekannte Spalte, die die erste Zeile nicht hat; mitgeführt "
                                 "werden die Spalten der ersten Zeile – „lohnwippe-rechner "
                                 "spalten“ zeigt alle bekannten");
            }
            mitgefuehrt_.push_back(name);
            fremde_.emplace_back();
            fremdVorhanden_.push_back(false);
        }
        const auto i = static_cast<std::size_t>(fremd_);
        if (fremdVorhanden_[i]) {
            return Scheitern(name, "steht zweimal in der Zeile");
        }
        fremdVorhanden_[i] = true;
        return true;
    }

    bool parse_error(std::size_t stelle, const std::string& /*token*/,
                     const nlohmann::detail::exception& /*fehler*/) override {
        if (!Fehler) {
            Fehler = Zeilenfehler{"", "kein gültiges JSON (Zeichen " + std::to_string(stelle) +
                                          " der Zeile); erwartet ist ein Objekt wie "
                                          "{\"Jahr\": \"2012\", \"Monat\": \"1\", …}"};
        }
        return false;
    }

  private:
    bool Wert(const std::string& text, std::optional<double> zahl = std::nullopt) {
        if (tiefe_ != 1) {
            return Verschachtelt();
        }
        if (fremd_ >= 0) {
            fremde_[static_cast<std::size_t>(fremd_)] = Zellwert{text, zahl};
        }
        if (spalte_ >= 0) {
            const auto i = static_cast<std::size_t>(spalte_);
            werte_[i] = text;
            vorhanden_[i] = true;
        }
        return true;
    }
    bool Literal(const char* wort) {
        if (tiefe_ != 1) {
            return Verschachtelt();
        }
        return Scheitern(schluessel_, "„" + std::string(wort) +
                                          "“ ist kein Wert dieser Spalte; bitte eine Zahl oder "
                                          "einen Text angeben");
    }
    bool Verschachtelt() {
        if (tiefe_ == 0) {
            return Scheitern("", "jede Zeile ist ein JSON-Objekt mit den Spalten als Schlüsseln");
        }
        return Scheitern(schluessel_, "nur Texte und Zahlen; keine verschachtelten Werte");
    }
    bool Scheitern(const std::string& spalte, std::string grund) {
        Fehler = Zeilenfehler{spalte, std::move(grund)};
        return false;
    }

    std::array<std::string, AnzahlEingabespalten>& werte_;
    std::array<bool, AnzahlEingabespalten>& vorhanden_;
    std::vector<std::string>& mitgefuehrt_;
    std::vector<Zellwert>& fremde_;
    std::vector<bool> fremdVorhanden_;
    bool sammeln_;
    int tiefe_ = 0;
    int spalte_ = -1;
    int fremd_ = -1;
    std::string schluessel_;
};

class JsonZeilen final : public Zeilenquelle {
  public:
    explicit JsonZeilen(Eingabestrom& strom) : zeilen_(strom) {}

    Zahlformat Zahlen() const override { return Zahlformat::Punkt; }

    // The first line with content is read ahead: its keys decide.
    const std::vector<std::string>& Mitgefuehrt() override {
        if (!erste_) {
            erste_.emplace();
            if (!Lesen(*erste_)) {
                erste_->Nummer = -1;
            }
        }
        return mitgefuehrt_;
    }

    bool Naechste(Eingabezeile& zeile) override {
        Mitgefuehrt();
        if (erste_->Nummer != 0) {
            const bool da = erste_->Nummer > 0;
            zeile = std::move(*erste_);
            erste_->Nummer = 0;
            return da;
        }
        return Lesen(zeile);
    }

  private:
    bool Lesen(Eingabezeile& zeile) {
        std::string_view text;
        while (ZeileBeginnen(zeilen_, zeile, text)) {
            if (zeile.Fehler) {
                return true;
            }
            if (text.find_first_not_of(" \t") == std::string_view::npos) {
                continue;
            }
            if (const std::size_t stelle = Utf8Fehler(text); stelle != std::string_view::npos) {
                zeile.Fehler = Zeilenfehler{
                    "", "kein gültiges UTF-8 (Byte " + std::to_string(stelle + 1) + " der Zeile)"};
                return true;
            }
            const bool sammeln = !gesammelt_;
            gesammelt_ = true;
            Objektleser leser(werte_, vorhanden_, mitgefuehrt_, zeile.Mitgefuehrt, sammeln);
            if (!Json::sax_parse(text, &leser) || leser.Fehler) {
                zeile.Fehler = leser.Fehler.value_or(Zeilenfehler{"", "kein gültiges JSON"});
                if (sammeln) {
                    mitgefuehrt_.clear();
                }
                return true;
            }
            for (std::size_t i = 0; i < AnzahlEingabespalten; ++i) {
                zeile.Felder[i] =
                    vorhanden_[i] ? std::optional<std::string_view>(werte_[i]) : std::nullopt;
            }
            return true;
        }
        return false;
    }

    Zeilenteiler zeilen_;
    std::array<std::string, AnzahlEingabespalten> werte_;
    std::array<bool, AnzahlEingabespalten> vorhanden_{};
    std::vector<std::string> mitgefuehrt_;
    bool gesammelt_ = false;
    // The first row, read ahead for its keys: Nummer 0 once handed out,
    // -1 when the input has none.
    std::optional<Eingabezeile> erste_;
};

}  // namespace

std::unique_ptr<Zeilenquelle> JsonQuelle(Eingabestrom& strom) {
    return std::make_unique<JsonZeilen>(strom);
}

}  // namespace lohnwippe::rechner
