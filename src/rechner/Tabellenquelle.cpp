#include <algorithm>
#include <array>

#include "calc/Zahltext.h"
#include "rechner/Blattleser.h"
#include "rechner/Eingabe.h"
#include "rechner/Formatcode.h"
#include "rechner/Kopfzeile.h"

namespace lohnwippe::rechner {

namespace {

// A number cell's text as the sheet shows it in the general format.
void ZahlAlsText(Blattzelle& zelle) {
    if (zelle.Zahl) {
        std::array<char, ZahltextPlatz> text{};
        zelle.Text.assign(text.data(), GleitText(text.data(), *zelle.Zahl, Zahlformat::Deutsch));
    }
}

// A percentage cell shows its number a hundredfold with the sign ("2,9 %"
// for 0.029): a rate column reads the percent it shows, any other column
// refuses the cell instead of reading 0,029.
void ProzentAlsText(Blattzelle& zelle) {
    std::array<char, ZahltextPlatz> text{};
    zelle.Text.assign(text.data(), GleitText(text.data(), *zelle.Zahl * 100, Zahlformat::Deutsch));
    zelle.Text += " %";
}

// A number cell's text as the sheet shows it in its own format, where the
// file does not hold that text itself.
void ZahlWieGezeigt(Blattzelle& zelle) {
    if (zelle.Zahl && zelle.Text.empty()) {
        if (auto gezeigt = FormatAnwenden(*zelle.Zahl, zelle.Format)) {
            zelle.Text = std::move(*gezeigt);
        } else {
            ZahlAlsText(zelle);
        }
    }
}

// A sheet read as the rows of a CSV file: the first row with content is the
// header; a text cell is read as a CSV field would be; a number cell as the
// sheet shows it in the general format, so that the binary noise of a
// formula does not count as decimals (0,30000000000000004 is 0,3) while a
// third decimal that is really there is refused like in CSV. A date or time
// is no amount: it is read as the text it shows. The carried columns keep
// what the sheet shows beside the number and its format.
class Tabelle final : public Zeilenquelle {
  public:
    Tabelle(std::unique_ptr<Blattleser> blatt, std::string name)
        : blatt_(std::move(blatt)), name_(std::move(name)) {}

    Zahlformat Zahlen() const override { return Zahlformat::Deutsch; }

    const std::vector<std::string>& Mitgefuehrt() override {
        if (!kopf_) {
            KopfLesen();
        }
        return kopf_->Mitgefuehrt();
    }

    std::string Zellort(const std::string& spalte, long zeile) const override {
        if (!kopf_) {
            return {};
        }
        std::optional<std::size_t> feld;
        if (const int nr = Eingabespaltennummer(spalte); nr >= 0) {
            if (const int f = kopf_->Feld(static_cast<std::size_t>(nr)); f >= 0) {
                feld = static_cast<std::size_t>(f);
            }
        } else {
            for (std::size_t f : kopf_->MitgefuehrteFelder()) {
                if (kopf_->Name(f) == spalte) {
                    feld = f;
                    break;
                }
            }
        }
        return feld ? " (" + Spaltenbuchstaben(*feld) + std::to_string(zeile) + ")" : "";
    }

    bool Naechste(Eingabezeile& zeile) override {
        Mitgefuehrt();
        while (blatt_->Naechste(reihe_)) {
            zeile.Nummer = reihe_.Nummer;
            zeile.Fehler.reset();
            const std::size_t spalten = kopf_->Anzahl();
            for (std::string& text : texte_) {
                text.clear();
            }
            std::fill(zahlen_.begin(), zahlen_.end(), std::nullopt);
            for (std::string& format : formate_) {
                format.clear();
            }
            bool leer = true;
            for (Blattzelle& zelle : reihe_.Zellen) {
                if (zelle.Spalte >= spalten) {
                    zeile.Fehler = Zeilenfehler{
                        "", "Zelle " + Spaltenbuchstaben(zelle.Spalte) +
                                std::to_string(reihe_.Nummer) + " steht rechts der Kopfzeile, " +
                                "die nur " + std::to_string(spalten) + " Spalten hat"};
                    break;
                }
                if (mitgefuehrt_[zelle.Spalte] || (zelle.Zahl && Zeitformat(zelle.Format))) {
                    ZahlWieGezeigt(zelle);
                } else if (zelle.Zahl && IstProzentformat(zelle.Format)) {
                    ProzentAlsText(zelle);
                } else {
                    ZahlAlsText(zelle);
                }
                leer = leer && zelle.Text.find_first_not_of(" \t") == std::string::npos;
                texte_[zelle.Spalte] = std::move(zelle.Text);
                zahlen_[zelle.Spalte] = zelle.Zahl;
                formate_[zelle.Spalte] = std::move(zelle.Format);
            }
            if (zeile.Fehler) {
                return true;
            }
            if (leer) {
                continue;
            }
            for (std::size_t i = 0; i < AnzahlEingabespalten; ++i) {
                const int feld = kopf_->Feld(i);
                zeile.Felder[i] =
                    feld < 0
                        ? std::nullopt
                        : std::optional<std::string_view>(texte_[static_cast<std::size_t>(feld)]);
            }
            const auto& mitgefuehrt = kopf_->MitgefuehrteFelder();
            zeile.Mitgefuehrt.resize(mitgefuehrt.size());
            for (std::size_t i = 0; i < mitgefuehrt.size(); ++i) {
                const std::size_t f = mitgefuehrt[i];
                zeile.Mitgefuehrt[i] = Zellwert{texte_[f], zahlen_[f], formate_[f]};
            }
            return true;
        }
        return false;
    }

  private:
    void KopfLesen() {
        if (!blatt_->Naechste(reihe_)) {
            throw Abbruch(name_ +
                          "Das Tabellenblatt ist leer: die Kopfzeile mit den "
                          "Spaltennamen fehlt");
        }
        std::vector<std::string> namen;
        for (Blattzelle& zelle : reihe_.Zellen) {
            namen.resize(zelle.Spalte + 1);
            ZahlAlsText(zelle);
            namen[zelle.Spalte] = std::move(zelle.Text);
        }
        texte_.resize(namen.size());
        zahlen_.resize(namen.size());
        formate_.resize(namen.size());
        kopf_.emplace(std::move(namen),
                      name_ + "Kopfzeile (Zeile " + std::to_string(reihe_.Nummer) + ")");
        mitgefuehrt_.assign(kopf_->Anzahl(), false);
        for (const std::size_t f : kopf_->MitgefuehrteFelder()) {
            mitgefuehrt_.at(f) = true;
        }
    }

    // Most cells of a column share a format: the last answer is kept.
    bool Zeitformat(const std::string& format) {
        if (format.empty()) {
            return false;
        }
        if (format != letztesFormat_) {
            letztesFormat_ = format;
            letztesIstZeit_ = IstZeitformat(format);
        }
        return letztesIstZeit_;
    }

    std::unique_ptr<Blattleser> blatt_;
    std::string name_;  // in front of the header's messages
    std::optional<Kopfzeile> kopf_;
    Blattzeile reihe_;
    // The row's cells by field; the input's views point here.
    std::vector<std::string> texte_;
    std::vector<std::optional<double>> zahlen_;
    std::vector<std::string> formate_;
    std::vector<bool> mitgefuehrt_;  // by field
    std::string letztesFormat_;
    bool letztesIstZeit_ = false;
};

}  // namespace

std::unique_ptr<Zeilenquelle> TabellenQuelle(std::unique_ptr<Blattleser> blatt,
                                             const std::string& name) {
    return std::make_unique<Tabelle>(std::move(blatt), name.empty() ? name : name + ": ");
}

}  // namespace lohnwippe::rechner
