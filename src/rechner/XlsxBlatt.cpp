// .xlsx: a sheet's cells, streamed; texts mostly sit once in the shared
// strings table and the cells point there.
#include <charconv>
#include <cstdint>
#include <cstring>
#include <utility>

#include "rechner/Blattformate.h"
#include "rechner/Fehler.h"
#include "rechner/Xlsxmappe.h"

namespace lohnwippe::rechner {
namespace {

enum class Zellart { Zahl, Geteilt, Formeltext, Eingebettet, Wahrheit, Fehler, Datum };

Zellart ArtLesen(const char* t) {
    const std::string_view art = t != nullptr ? t : "n";
    if (art == "s") {
        return Zellart::Geteilt;
    }
    if (art == "str") {
        return Zellart::Formeltext;
    }
    if (art == "inlineStr") {
        return Zellart::Eingebettet;
    }
    if (art == "b") {
        return Zellart::Wahrheit;
    }
    if (art == "e") {
        return Zellart::Fehler;
    }
    return art == "d" ? Zellart::Datum : Zellart::Zahl;
}

class XlsxBlatt : public Stromblatt {
  public:
    XlsxBlatt(Zipmappe mappe, const Xlsxeintraege& eintraege)
        : Stromblatt(std::move(mappe)), texte_(mappe_.Name()), stile_(mappe_) {
        hinweis_ = eintraege.Hinweis;
        if (!eintraege.Texte.empty()) {
            Xmlstrom(mappe_, eintraege.Texte, texte_).Ganz();
        }
        if (!eintraege.Stile.empty() && mappe_.Hat(eintraege.Stile)) {
            Xmlstrom(mappe_, eintraege.Stile, stile_).Ganz();
        }
        StromOeffnen(eintraege.Blatt);
    }

  protected:
    void Anfang(std::string_view raum, std::string_view name, const char** attribute) override {
        if (!IstHaupt(raum)) {
            return;
        }
        if (name == "c" && zeile_) {
            ZelleBeginnen(attribute);
        } else if (name == "v" && zelle_) {
            teil_ = &wert_;
            gespeichert_ = true;
        } else if (name == "f" && zelle_) {
            formel_ = true;
        } else if (name == "is" && zelle_) {
            eingebettet_ = true;
        } else if (name == "rPh") {
            ++lautschrift_;
        } else if (name == "t" && eingebettet_ && lautschrift_ == 0) {
            teil_ = &text_;
        } else if (name == "row" && daten_) {
            ZeileBeginnen(Attribut(attribute, {}, "r"));
        } else if (name == "sheetData") {
            daten_ = true;
        }
    }

    void Ende(std::string_view raum, std::string_view name) override {
        if (!IstHaupt(raum)) {
            return;
        }
        if (name == "v" || name == "t") {
            teil_ = nullptr;
        } else if (name == "c" && zelle_) {
            ZelleBeenden();
        } else if (name == "is") {
            eingebettet_ = false;
        } else if (name == "rPh" && lautschrift_ > 0) {
            --lautschrift_;
        } else if (name == "row" && zeile_) {
            zeile_ = false;
            ZeileFertig(1);
        } else if (name == "sheetData") {
            // Nothing after the cells matters.
            xml_->Anhalten();
        }
    }

    void Zeichen(std::string_view text) override {
        if (teil_ != nullptr) {
            TextAnfuegen(*teil_, text, spalte_);
        }
    }

  private:
    void ZeileBeginnen(const char* r) {
        long nummer = letzteZeile_ + 1;
        if (r != nullptr) {
            const std::string_view text(r);
            const auto [ende, fehler] =
                std::from_chars(text.data(), text.data() + text.size(), nummer);
            if (fehler != std::errc() || ende != text.data() + text.size()) {
                Beschaedigt("Zeilennummer „" + std::string(text.substr(0, 20)) + "“ ungültig");
            }
        }
        if (nummer <= letzteZeile_ || nummer > HoechstZeilen) {
            Beschaedigt("Zeile " + std::to_string(nummer) + " nicht nach Zeile " +
                        std::to_string(letzteZeile_) + " oder außerhalb des Blatts");
        }
        letzteZeile_ = nummer;
        NeueZeile(nummer);
        zeile_ = true;
        naechsteSpalte_ = 0;
    }

    void ZelleBeginnen(const char** attribute) {
        std::size_t spalte = naechsteSpalte_;
        if (const char* r = Attribut(attribute, {}, "r")) {
            // Letters for the column; the row's number after them is the row's.
            spalte = 0;
            std::size_t buchstaben = 0;
            for (const char* p = r; *p >= 'A' && *p <= 'Z' && buchstaben < 4; ++p, ++buchstaben) {
                spalte = spalte * 26 + static_cast<std::size_t>(*p - 'A' + 1);
            }
            if (buchstaben == 0 || buchstaben > 3) {
                Beschaedigt("Zellbezug ungültig in Zeile " + std::to_string(Zeilennummer()));
            }
            --spalte;
        }
        if (spalte < naechsteSpalte_ || spalte >= HoechstSpalten) {
            Beschaedigt("Zelle " + Zelle(spalte) + " nicht in der Reihenfolge der Spalten");
        }
        spalte_ = spalte;
        naechsteSpalte_ = spalte + 1;
        art_ = ArtLesen(Attribut(attribute, {}, "t"));
        stil_ = 0;
        if (const char* s = Attribut(attribute, {}, "s")) {
            std::from_chars(s, s + std::strlen(s), stil_);
        }
        formel_ = false;
        gespeichert_ = false;
        wert_.clear();
        text_.clear();
        zelle_ = true;
    }

    void ZelleBeenden() {
        zelle_ = false;
        eingebettet_ = false;
        teil_ = nullptr;
        // An empty text is a formula's result too; nothing else is.
        if (formel_ && (!gespeichert_ || (wert_.empty() && art_ != Zellart::Formeltext))) {
            OhneErgebnis(spalte_);
        }
        switch (art_) {
            case Zellart::Zahl:
                if (wert_.empty()) {
                    return;
                }
                if (const auto zahl = ZahlLesen(wert_)) {
                    ZelleAnfuegen(spalte_, {}, zahl, 1, stile_.Format(stil_));
                    return;
                }
                Beschaedigt("Zelle " + Zelle(spalte_) + ": Zahlwert unlesbar");
            case Zellart::Geteilt:
                ZelleAnfuegen(spalte_, GeteilterText(), std::nullopt);
                return;
            case Zellart::Eingebettet:
                OoxmlText(text_);
                ZelleAnfuegen(spalte_, std::move(text_), std::nullopt);
                text_.clear();
                return;
            case Zellart::Wahrheit:
                if (!wert_.empty()) {
                    ZelleAnfuegen(spalte_, wert_ == "0" || wert_ == "false" ? "0" : "1",
                                  std::nullopt);
                }
                return;
            case Zellart::Formeltext:
            case Zellart::Fehler:
            case Zellart::Datum:
                ZelleAnfuegen(spalte_, wert_, std::nullopt);
                return;
        }
    }

    std::string GeteilterText() const {
        if (wert_.empty()) {
            return {};
        }
        std::size_t index = 0;
        const auto [ende, fehler] =
            std::from_chars(wert_.data(), wert_.data() + wert_.size(), index);
        if (fehler != std::errc() || ende != wert_.data() + wert_.size() ||
            index >= texte_.Anzahl()) {
            Beschaedigt("Zelle " + Zelle(spalte_) + " verweist auf einen Text, den es nicht gibt");
        }
        const std::string_view text = texte_.Text(index);
        if (text.size() > HoechstZelltext) {
            throw Abbruch(mappe_.Name() + ": Zelle " + Zelle(spalte_) +
                          " hält mehr als 1 MiB Text");
        }
        return std::string(text);
    }

    Texttabelle texte_;
    Stiltabelle stile_;
    bool daten_ = false;
    bool formel_ = false;
    bool gespeichert_ = false;
    std::size_t stil_ = 0;
    bool zeile_ = false;
    bool zelle_ = false;
    bool eingebettet_ = false;
    int lautschrift_ = 0;
    long letzteZeile_ = 0;
    std::size_t naechsteSpalte_ = 0;
    std::size_t spalte_ = 0;
    Zellart art_ = Zellart::Zahl;
    std::string wert_;
    std::string text_;
    // Where character data goes: the value, an inline text, or nowhere.
    std::string* teil_ = nullptr;
};

}  // namespace

std::unique_ptr<Blattleser> XlsxOeffnen(Zipmappe mappe, const std::optional<std::string>& blatt) {
    const Xlsxeintraege eintraege = XlsxEintraege(mappe, blatt);
    return std::make_unique<XlsxBlatt>(std::move(mappe), eintraege);
}

}  // namespace lohnwippe::rechner
