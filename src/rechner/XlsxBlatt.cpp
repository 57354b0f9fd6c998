// .xlsx: the workbook names the sheets, its relationships say which entry
// holds each; texts mostly sit once in the shared strings table and the
// cells point there.
#include <charconv>
#include <cstdint>
#include <map>
#include <utility>

#include "rechner/Blattformate.h"
#include "rechner/Fehler.h"

namespace lohnwippe::rechner {
namespace {

// Both the usual and the strict variant of the format's namespaces.
bool IstHaupt(std::string_view raum) {
    return raum == "http://schemas.openxmlformats.org/spreadsheetml/2006/main" ||
           raum == "http://purl.oclc.org/ooxml/spreadsheetml/main";
}
constexpr std::string_view Beziehungen =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view BeziehungenStreng =
    "http://purl.oclc.org/ooxml/officeDocument/relationships";
constexpr std::string_view Paket = "http://schemas.openxmlformats.org/package/2006/relationships";

// The shared strings table may be read whole (it holds each text once),
// but not beyond this.
constexpr std::size_t HoechstTexttabelle = std::size_t{256} << 20;

struct Mappenblatt {
    std::string Name, Id;
};

class Mappenleser : public Xmlleser {
  public:
    std::vector<Mappenblatt> Blaetter;

    void Anfang(std::string_view raum, std::string_view name, const char** attribute) override {
        if (IstHaupt(raum) && name == "sheet") {
            const char* blatt = Attribut(attribute, {}, "name");
            const char* id = Attribut(attribute, Beziehungen, "id");
            if (id == nullptr) {
                id = Attribut(attribute, BeziehungenStreng, "id");
            }
            Blaetter.push_back({blatt != nullptr ? blatt : "", id != nullptr ? id : ""});
        }
    }
    void Ende(std::string_view /*raum*/, std::string_view /*name*/) override {}
    void Zeichen(std::string_view /*text*/) override {}
};

struct Beziehung {
    std::string Art, Ziel;
};

class Beziehungsleser : public Xmlleser {
  public:
    std::map<std::string, Beziehung, std::less<>> Nach;

    void Anfang(std::string_view raum, std::string_view name, const char** attribute) override {
        if (raum == Paket && name == "Relationship") {
            const char* id = Attribut(attribute, {}, "Id");
            const char* art = Attribut(attribute, {}, "Type");
            const char* ziel = Attribut(attribute, {}, "Target");
            if (id != nullptr && ziel != nullptr) {
                Nach[id] = {art != nullptr ? art : "", ziel};
            }
        }
    }
    void Ende(std::string_view /*raum*/, std::string_view /*name*/) override {}
    void Zeichen(std::string_view /*text*/) override {}
};

// All texts end to end in one string: a table of many short texts costs
// little more than their bytes.
class Texttabelle : public Xmlleser {
  public:
    explicit Texttabelle(std::string name) : name_(std::move(name)) {}
    std::size_t Anzahl() const { return enden_.size(); }
    std::string_view Text(std::size_t i) const {
        const std::uint32_t anfang = i == 0 ? 0 : enden_[i - 1];
        return std::string_view(alles_).substr(anfang, enden_[i] - anfang);
    }

    void Anfang(std::string_view raum, std::string_view name, const char** /*a*/) override {
        if (!IstHaupt(raum)) {
            return;
        }
        if (name == "si") {
            offen_ = true;
        } else if (name == "rPh") {
            ++lautschrift_;  // the reading aid of East Asian names, not the text
        } else if (name == "t" && offen_ && lautschrift_ == 0) {
            text_ = true;
        }
    }
    void Ende(std::string_view raum, std::string_view name) override {
        if (!IstHaupt(raum)) {
            return;
        }
        if (name == "si" && offen_) {
            offen_ = false;
            enden_.push_back(static_cast<std::uint32_t>(alles_.size()));
            Pruefen(0);
        } else if (name == "rPh" && lautschrift_ > 0) {
            --lautschrift_;
        } else if (name == "t") {
            text_ = false;
        }
    }
    void Zeichen(std::string_view text) override {
        if (text_) {
            Pruefen(text.size());
            alles_ += text;
        }
    }

  private:
    void Pruefen(std::size_t mehr) const {
        if (alles_.size() + mehr + enden_.size() * sizeof(std::uint32_t) > HoechstTexttabelle) {
            throw Abbruch(name_ + ": die Texttabelle xl/sharedStrings.xml ist größer als 256 MiB");
        }
    }

    std::string name_;
    std::string alles_;
    std::vector<std::uint32_t> enden_;
    bool offen_ = false;
    bool text_ = false;
    int lautschrift_ = 0;
};

// "worksheets/sheet1.xml" lies beside the workbook, "/xl/…" is from the
// archive's root; "." and ".." are resolved.
std::string Pfad(std::string_view ziel) {
    std::string voll =
        ziel.starts_with('/') ? std::string(ziel.substr(1)) : "xl/" + std::string(ziel);
    std::vector<std::string> teile;
    std::size_t anfang = 0;
    while (anfang <= voll.size()) {
        std::size_t ende = voll.find('/', anfang);
        if (ende == std::string::npos) {
            ende = voll.size();
        }
        const std::string teil = voll.substr(anfang, ende - anfang);
        if (teil == "..") {
            if (!teile.empty()) {
                teile.pop_back();
            }
        } else if (!teil.empty() && teil != ".") {
            teile.push_back(teil);
        }
        anfang = ende + 1;
    }
    std::string pfad;
    for (const std::string& teil : teile) {
        pfad += (pfad.empty() ? "" : "/") + teil;
    }
    return pfad;
}

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
    XlsxBlatt(Zipmappe mappe, const std::string& eintrag, std::unique_ptr<Texttabelle> texte)
        : Stromblatt(std::move(mappe)), texte_(std::move(texte)) {
        StromOeffnen(eintrag);
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
        wert_.clear();
        text_.clear();
        zelle_ = true;
    }

    void ZelleBeenden() {
        zelle_ = false;
        eingebettet_ = false;
        teil_ = nullptr;
        switch (art_) {
            case Zellart::Zahl:
                if (wert_.empty()) {
                    return;
                }
                if (const auto zahl = ZahlLesen(wert_)) {
                    ZelleAnfuegen(spalte_, {}, zahl);
                    return;
                }
                Beschaedigt("Zelle " + Zelle(spalte_) + ": Zahlwert unlesbar");
            case Zellart::Geteilt:
                ZelleAnfuegen(spalte_, GeteilterText(), std::nullopt);
                return;
            case Zellart::Eingebettet:
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
            index >= texte_->Anzahl()) {
            Beschaedigt("Zelle " + Zelle(spalte_) + " verweist auf einen Text, den es nicht gibt");
        }
        const std::string_view text = texte_->Text(index);
        if (text.size() > HoechstZelltext) {
            throw Abbruch(mappe_.Name() + ": Zelle " + Zelle(spalte_) +
                          " hält mehr als 1 MiB Text");
        }
        return std::string(text);
    }

    std::unique_ptr<Texttabelle> texte_;
    bool daten_ = false;
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
    Mappenleser mappenleser;
    Xmlstrom(mappe, "xl/workbook.xml", mappenleser).Ganz();
    Beziehungsleser beziehungen;
    if (mappe.Hat("xl/_rels/workbook.xml.rels")) {
        Xmlstrom(mappe, "xl/_rels/workbook.xml.rels", beziehungen).Ganz();
    }
    const auto ziel = [&](const Mappenblatt& b) -> const Beziehung* {
        const auto gefunden = beziehungen.Nach.find(b.Id);
        return gefunden == beziehungen.Nach.end() ? nullptr : &gefunden->second;
    };
    const auto tabelle = [](const Beziehung* b) {
        return b != nullptr && b->Art.ends_with("/worksheet");
    };

    const Mappenblatt* gewaehlt = nullptr;
    std::vector<std::string> namen;
    for (const Mappenblatt& b : mappenleser.Blaetter) {
        namen.push_back(b.Name);
        if (gewaehlt == nullptr && (blatt ? b.Name == *blatt : tabelle(ziel(b)))) {
            gewaehlt = &b;
        }
    }
    if (gewaehlt == nullptr) {
        if (blatt) {
            BlattFehlt(mappe.Name(), *blatt, namen);
        }
        throw Abbruch(mappe.Name() + ": die Datei hat kein Tabellenblatt");
    }
    const Beziehung* beziehung = ziel(*gewaehlt);
    if (beziehung == nullptr) {
        mappe.Beschaedigt("Blatt „" + Blattname(gewaehlt->Name) + "“ ohne Eintrag");
    }
    if (!tabelle(beziehung)) {
        throw Abbruch(mappe.Name() + ": „" + Blattname(gewaehlt->Name) +
                      "“ ist kein Tabellenblatt (ein Diagramm?)");
    }

    auto texte = std::make_unique<Texttabelle>(mappe.Name());
    for (const auto& [id, b] : beziehungen.Nach) {
        if (b.Art.ends_with("/sharedStrings")) {
            Xmlstrom(mappe, Pfad(b.Ziel), *texte).Ganz();
            break;
        }
    }
    const std::string eintrag = Pfad(beziehung->Ziel);
    return std::make_unique<XlsxBlatt>(std::move(mappe), eintrag, std::move(texte));
}

}  // namespace lohnwippe::rechner
