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
    Objektleser(std::array<std::string, AnzahlEingabespalten>& werte,
                std::array<bool, AnzahlEingabespalten>& vorhanden)
        : werte_(werte), vorhanden_(vorhanden) {
        vorhanden_.fill(false);
    }

    std::optional<Zeilenfehler> Fehler;

    // No column has a value a literal could stand for unmistakably: true
    // as an amount, a month or a list position is no answer.
    bool null() override { return Literal("null"); }
    bool boolean(bool wert) override { return Literal(wert ? "true" : "false"); }
    bool number_integer(number_integer_t wert) override { return Wert(std::to_string(wert)); }
    bool number_unsigned(number_unsigned_t wert) override { return Wert(std::to_string(wert)); }
    bool number_float(number_float_t /*wert*/, const string_t& text) override { return Wert(text); }
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
        if (spalte_ < 0 && !Ausgabespalte(name)) {
            return Scheitern(name, "unbekannte Spalte – „lohnwippe-rechner spalten“ zeigt alle");
        }
        if (spalte_ >= 0 && vorhanden_[static_cast<std::size_t>(spalte_)]) {
            return Scheitern(name, "steht zweimal in der Zeile");
        }
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
    bool Wert(const std::string& text) {
        if (tiefe_ != 1) {
            return Verschachtelt();
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
    int tiefe_ = 0;
    int spalte_ = -1;
    std::string schluessel_;
};

class JsonZeilen final : public Zeilenquelle {
  public:
    explicit JsonZeilen(Eingabestrom& strom) : zeilen_(strom) {}

    Zahlformat Zahlen() const override { return Zahlformat::Punkt; }

    bool Naechste(Eingabezeile& zeile) override {
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
            Objektleser leser(werte_, vorhanden_);
            if (!Json::sax_parse(text, &leser) || leser.Fehler) {
                zeile.Fehler = leser.Fehler.value_or(Zeilenfehler{"", "kein gültiges JSON"});
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

  private:
    Zeilenteiler zeilen_;
    std::array<std::string, AnzahlEingabespalten> werte_;
    std::array<bool, AnzahlEingabespalten> vorhanden_{};
};

}  // namespace

std::unique_ptr<Zeilenquelle> JsonQuelle(Eingabestrom& strom) {
    return std::make_unique<JsonZeilen>(strom);
}

}  // namespace lohnwippe::rechner
