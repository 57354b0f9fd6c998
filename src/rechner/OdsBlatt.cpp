// .ods: all sheets in content.xml one after the other. Rows and cells that
// repeat are written once with a count; empty ones at the end of a sheet
// come with counts up to the sheet's size and must cost nothing.
#include <algorithm>
#include <charconv>
#include <limits>
#include <utility>

#include "rechner/Blattformate.h"
#include "rechner/Fehler.h"
#include "rechner/Formatcode.h"
#include "rechner/OdsStile.h"

namespace lohnwippe::rechner {
namespace {

constexpr std::string_view Office = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view Table = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view Text = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";

// A count attribute; what is missing or nonsense counts once, and the
// counters stay far from overflowing.
std::size_t Anzahl(const char* wert) {
    if (wert == nullptr) {
        return 1;
    }
    const std::string_view text(wert);
    std::size_t anzahl = 0;
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), anzahl);
    if (fehler == std::errc::result_out_of_range) {
        return std::size_t{1} << 40;
    }
    if (fehler != std::errc() || anzahl == 0) {
        return 1;
    }
    return std::min(anzahl, std::size_t{1} << 40);
}

// All of styles.xml goes to the styles.
class Stilleser : public Xmlleser {
  public:
    explicit Stilleser(Odsstile& stile) : stile_(stile) {}
    void Anfang(std::string_view raum, std::string_view name, const char** attribute) override {
        stile_.Anfang(raum, name, attribute);
    }
    void Ende(std::string_view raum, std::string_view name) override { stile_.Ende(raum, name); }
    void Zeichen(std::string_view text) override { stile_.Zeichen(text); }

  private:
    Odsstile& stile_;
};

enum class Wertart { Text, Zahl, Wahrheit, Datum, Dauer };

// Table names and their number: what a person makes stays far below.
constexpr std::size_t HoechstName = 4096;
constexpr std::size_t HoechstTabellen = 10000;

class OdsBlatt : public Stromblatt {
  public:
    OdsBlatt(Zipmappe mappe, std::optional<std::string> blatt)
        : Stromblatt(std::move(mappe)), gesucht_(std::move(blatt)), stile_(mappe_.Name()) {
        // The common styles hold the number formats LibreOffice gives cells.
        if (mappe_.Hat("styles.xml")) {
            Stilleser leser(stile_);
            Xmlstrom(mappe_, "styles.xml", leser).Ganz();
        }
        StromOeffnen("content.xml");
        // Up to the sheet's beginning now, so that a missing sheet is said
        // at opening.
        while (tabelle_ < 0 && xml_->Weiter()) {
        }
        if (tabelle_ < 0) {
            if (gesucht_) {
                BlattFehlt(mappe_.Name(), *gesucht_, namen_);
            }
            if (verborgen_) {
                throw Abbruch(mappe_.Name() + ": alle Tabellenblätter sind ausgeblendet – " +
                              "--blatt wählt eines, etwa „" + Blattname(*verborgen_) + "“");
            }
            throw Abbruch(mappe_.Name() + ": die Datei hat kein Tabellenblatt");
        }
    }

  protected:
    void Anfang(std::string_view raum, std::string_view name, const char** attribute) override {
        ++tiefe_;
        if (aus_ >= 0) {
            return;
        }
        if (zelle_ >= 0) {
            InZelle(raum, name, attribute);
        } else if (zeile_ >= 0) {
            if (raum == Table && (name == "table-cell" || name == "covered-table-cell")) {
                ZelleBeginnen(attribute);
            } else {
                aus_ = tiefe_;
            }
        } else if (tabelle_ >= 0) {
            if (raum == Table && name == "table-row") {
                zeile_ = tiefe_;
                zeilenAnzahl_ = Anzahl(Attribut(attribute, Table, "number-rows-repeated"));
                NeueZeile(
                    static_cast<long>(std::min<std::size_t>(naechsteZeile_, HoechstZeilen + 1)));
                spalte_ = 0;
            } else if (raum == Table && name == "table-column") {
                SpalteVormerken(attribute);
                aus_ = tiefe_;
            } else if (!(raum == Table &&
                         (name == "table-header-rows" || name == "table-row-group" ||
                          name == "table-rows" || name == "table-columns" ||
                          name == "table-header-columns" || name == "table-column-group"))) {
                aus_ = tiefe_;  // shapes, names: nothing of the cells
            }
        } else if (tabellen_ >= 0) {
            if (raum == Table && name == "table" && tiefe_ == tabellen_ + 1 &&
                TabelleBeginnen(attribute)) {
                return;
            }
            aus_ = tiefe_;  // another sheet
        } else if (raum == Office && name == "spreadsheet") {
            tabellen_ = tiefe_;
        } else if (stile_tiefe_ >= 0) {
            stile_.Anfang(raum, name, attribute);
        } else if (raum == Office && name == "automatic-styles") {
            stile_tiefe_ = tiefe_;
        }
    }

    void Ende(std::string_view raum, std::string_view name) override {
        if (stile_tiefe_ == tiefe_) {
            stile_tiefe_ = -1;
        } else if (stile_tiefe_ >= 0) {
            stile_.Ende(raum, name);
        } else if (aus_ == tiefe_) {
            aus_ = -1;
        } else if (aus_ < 0) {
            if (absatz_ == tiefe_) {
                absatz_ = -1;
            } else if (zelle_ == tiefe_) {
                ZelleBeenden();
            } else if (zeile_ == tiefe_) {
                zeile_ = -1;
                ZeileFertig(
                    static_cast<long>(std::min<std::size_t>(zeilenAnzahl_, HoechstZeilen + 1)));
                naechsteZeile_ = std::min(naechsteZeile_ + zeilenAnzahl_, std::size_t{1} << 41);
            } else if (tabelle_ == tiefe_) {
                xml_->Anhalten();  // the other sheets are of no interest
            }
        }
        --tiefe_;
    }

    void Zeichen(std::string_view text) override {
        if (stile_tiefe_ >= 0) {
            stile_.Zeichen(text);
        } else if (absatz_ >= 0 && aus_ < 0) {
            TextAnfuegen(text_, text, spalte_);
        }
    }

  private:
    // Whether the table is the one to read: the one asked for, or the
    // first the user sees.
    bool TabelleBeginnen(const char** attribute) {
        const char* tabelle = Attribut(attribute, Table, "name");
        const std::string_view name = tabelle != nullptr ? tabelle : "";
        if (name.size() > HoechstName || namen_.size() >= HoechstTabellen) {
            throw Abbruch(
                mappe_.Name() + ": " +
                (namen_.size() >= HoechstTabellen
                     ? "mehr als " + std::to_string(HoechstTabellen) + " Blätter"
                     : "ein Blattname länger als " + std::to_string(HoechstName) + " Bytes") +
                " – die Datei wird nicht gelesen");
        }
        namen_.emplace_back(name);
        const char* stil = Attribut(attribute, Table, "style-name");
        const bool verborgen = stil != nullptr && stile_.Ausgeblendet(stil);
        if (gefunden_ || (gesucht_ && *gesucht_ != name)) {
            return false;
        }
        if (!gesucht_ && verborgen) {
            if (!verborgen_) {
                verborgen_ = std::string(name);
            }
            return false;
        }
        hinweis_ = AusgeblendetHinweis(mappe_.Name(), std::string(name), verborgen, verborgen_);
        gefunden_ = true;
        tabelle_ = tiefe_;
        return true;
    }

    // A column's default cell style: the number format of its cells that
    // have none of their own.
    void SpalteVormerken(const char** attribute) {
        const std::size_t anzahl = Anzahl(Attribut(attribute, Table, "number-columns-repeated"));
        const char* stil = Attribut(attribute, Table, "default-cell-style-name");
        const std::string format = stil != nullptr ? stile_.Format(stil) : std::string();
        if (spaltenende_ < HoechstSpalten && !format.empty()) {
            spaltenformate_.push_back({spaltenende_, spaltenende_ + anzahl, format});
        }
        spaltenende_ = std::min(spaltenende_ + anzahl, HoechstSpalten);
    }

    const std::string& Spaltenformat(std::size_t spalte) const {
        static const std::string Allgemein;
        for (const auto& s : spaltenformate_) {
            if (spalte >= s.Von && spalte < s.Bis) {
                return s.Format;
            }
        }
        return Allgemein;
    }

    // Only the paragraphs of a cell are its text: a comment, a shape or a
    // footnote anchored there is not.
    void InZelle(std::string_view raum, std::string_view name, const char** attribute) {
        if (raum != Text || name == "note" || name == "ruby") {
            aus_ = tiefe_;
        } else if (absatz_ < 0) {
            if ((name == "p" || name == "h") && tiefe_ == zelle_ + 1) {
                if (absaetze_++ > 0) {
                    TextAnfuegen(text_, "\n", spalte_);
                }
                absatz_ = tiefe_;
            } else {
                aus_ = tiefe_;
            }
        } else if (name == "s") {
            const std::size_t anzahl = Anzahl(Attribut(attribute, Text, "c"));
            TextAnfuegen(text_, std::string(std::min(anzahl, HoechstZelltext + 1), ' '), spalte_);
        } else if (name == "tab") {
            TextAnfuegen(text_, "\t", spalte_);
        } else if (name == "line-break") {
            TextAnfuegen(text_, "\n", spalte_);
        }
    }

    void ZelleBeginnen(const char** attribute) {
        zelle_ = tiefe_;
        zellAnzahl_ = Anzahl(Attribut(attribute, Table, "number-columns-repeated"));
        const std::string_view art = [&] {
            const char* a = Attribut(attribute, Office, "value-type");
            return std::string_view(a != nullptr ? a : "");
        }();
        wertart_ = Wertart::Text;
        wert_.clear();
        text_.clear();
        absaetze_ = 0;
        const char* stil = Attribut(attribute, Table, "style-name");
        format_ = stil != nullptr ? stile_.Format(stil) : Spaltenformat(spalte_);
        // A formula without its result (a file a script wrote) has no value.
        const bool formel = Attribut(attribute, Table, "formula") != nullptr;
        if (formel && art.empty()) {
            OhneErgebnis(spalte_);
        }
        if (art == "date" || art == "time") {
            wertart_ = art == "date" ? Wertart::Datum : Wertart::Dauer;
            const char* wert =
                Attribut(attribute, Office, art == "date" ? "date-value" : "time-value");
            wert_ = wert != nullptr ? wert : "";
        } else if (art == "float" || art == "percentage" || art == "currency") {
            wertart_ = Wertart::Zahl;
            const char* wert = Attribut(attribute, Office, "value");
            wert_ = wert != nullptr ? wert : "";
        } else if (art == "boolean") {
            wertart_ = Wertart::Wahrheit;
            const char* wert = Attribut(attribute, Office, "boolean-value");
            wert_ = wert != nullptr ? wert : "";
        } else if (const char* wert = Attribut(attribute, Office, "string-value")) {
            TextAnfuegen(wert_, wert, spalte_);
        }
        if (formel && wertart_ != Wertart::Text && wert_.empty()) {
            OhneErgebnis(spalte_);
        }
    }

    void ZelleBeenden() {
        zelle_ = -1;
        std::optional<double> zahl;
        std::string format;
        if (wertart_ == Wertart::Zahl) {
            zahl = ZahlLesen(wert_);
            if (!zahl) {
                Beschaedigt("Zelle " + Zelle(spalte_) + ": Zahlwert unlesbar");
            }
            // What the sheet shows stays beside the number where it is not
            // the general format's.
            format = format_;
            if (format.empty()) {
                text_.clear();
            }
        } else if (wertart_ == Wertart::Datum || wertart_ == Wertart::Dauer) {
            // A date the calculator cannot count stays the text shown.
            zahl = wertart_ == Wertart::Datum ? OdsDatum(wert_) : OdsDauer(wert_);
            if (zahl) {
                format = !format_.empty()                       ? format_
                         : wertart_ == Wertart::Dauer           ? "[HH]:MM:SS"
                         : wert_.find('T') != std::string::npos ? "DD.MM.YYYY HH:MM:SS"
                                                                : "DD.MM.YYYY";
            }
        } else if (wertart_ == Wertart::Wahrheit) {
            text_ = wert_ == "true" || wert_ == "1" ? "1" : "0";
        } else if (text_.empty()) {
            text_ = std::move(wert_);
        }
        // Only cells with something in them spend the count on copies.
        ZelleAnfuegen(spalte_, std::move(text_), zahl, std::min(zellAnzahl_, HoechstSpalten + 1),
                      format);
        spalte_ = std::min(spalte_ + zellAnzahl_, std::size_t{1} << 41);
    }

    struct Spaltenstil {
        std::size_t Von, Bis;
        std::string Format;
    };

    std::optional<std::string> gesucht_;
    std::vector<std::string> namen_;
    std::optional<std::string> verborgen_;  // the first hidden table passed over
    bool gefunden_ = false;
    Odsstile stile_;
    long stile_tiefe_ = -1;
    std::vector<Spaltenstil> spaltenformate_;
    std::size_t spaltenende_ = 0;
    std::string format_;
    // Depths of the open elements of interest, -1 where none is open;
    // `aus_` is the element whose content is passed over.
    long tiefe_ = 0;
    long aus_ = -1;
    long tabellen_ = -1;
    long tabelle_ = -1;
    long zeile_ = -1;
    long zelle_ = -1;
    long absatz_ = -1;
    std::size_t naechsteZeile_ = 1;
    std::size_t zeilenAnzahl_ = 1;
    std::size_t spalte_ = 0;
    std::size_t zellAnzahl_ = 1;
    std::size_t absaetze_ = 0;
    Wertart wertart_ = Wertart::Text;
    std::string wert_;
    std::string text_;
};

}  // namespace

std::unique_ptr<Blattleser> OdsOeffnen(Zipmappe mappe, const std::optional<std::string>& blatt) {
    constexpr std::string_view Tabellendokument = "application/vnd.oasis.opendocument.spreadsheet";
    if (mappe.Hat("mimetype")) {
        const std::string art = mappe.Ganz("mimetype", 256);
        if (art != Tabellendokument) {
            mappe.Beschaedigt("ein OpenDocument, aber kein Tabellendokument");
        }
    }
    if (mappe.Hat("META-INF/manifest.xml") &&
        mappe.Ganz("META-INF/manifest.xml", std::size_t{4} << 20).find("encryption-data") !=
            std::string::npos) {
        throw Abbruch(mappe.Name() +
                      ": mit Kennwort geschützt – bitte ohne Kennwort als .ods speichern");
    }
    return std::make_unique<OdsBlatt>(std::move(mappe), blatt);
}

}  // namespace lohnwippe::rechner
