#include "rechner/Mappenschreiber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <utility>

#include "calc/Formate.h"
#include "calc/Utf8.h"
#include "calc/Waehrung.h"
#include "calc/Zahltext.h"

namespace lohnwippe::rechner {

namespace {

// The XML of a sheet goes to its file in pieces of this size.
constexpr std::size_t Stueck = std::size_t{1} << 20;
constexpr std::size_t HoechstSpalten = 16384;

// The number formats of Zellformat from Tausender2 on.
const std::vector<std::string> Festformate{"#,##0.00", "0", "0.0", "0.00", "0.000", "0.0000"};

// The folder of `datei`, "." for a bare name.
std::string Ordner(const std::string& datei) {
    const std::string ordner = std::filesystem::path(datei).parent_path().string();
    return ordner.empty() ? "." : ordner;
}

char* Kopieren(char* p, std::string_view text) {
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

// "_x0041_" in a cell's text stands for the character U+0041: a text
// that holds such a sequence itself escapes its underscore.
bool Kodeaehnlich(std::string_view text) {
    const auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    return text.size() >= 7 && text[1] == 'x' && hex(text[2]) && hex(text[3]) && hex(text[4]) &&
           hex(text[5]) && text[6] == '_';
}

// The text of a cell as XML content: escaped, broken sequences as U+FFFD
// (a damaged data file must not make the whole file unreadable), control
// characters as the format writes them, cut at the limit of a cell.
// Returns the end; `gekuerzt` when it cut.
char* Zellinhalt(char* p, std::string_view utf8, bool& gekuerzt) {
    std::size_t einheiten = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (einheiten >= Mappenschreiber::Textgrenze) {
            gekuerzt = true;
            break;
        }
        const char c = utf8[pos];
        if (static_cast<unsigned char>(c) < 0x80) {
            ++einheiten;
            switch (c) {
                case '&':
                    p = Kopieren(p, "&amp;");
                    break;
                case '<':
                    p = Kopieren(p, "&lt;");
                    break;
                case '>':
                    p = Kopieren(p, "&gt;");
                    break;
                case '_':
                    p = Kopieren(p, Kodeaehnlich(utf8.substr(pos)) ? "_x005F_" : "_");
                    break;
                case '\t':
                case '\n':
                    *p++ = c;
                    break;
                default:
                    if (static_cast<unsigned char>(c) < 0x20) {  // CR too: XML makes it LF
                        constexpr std::string_view ziffern = "0123456789ABCDEF";
                        p = Kopieren(p, "_x00");
                        *p++ = ziffern[static_cast<unsigned char>(c) >> 4];
                        *p++ = ziffern[static_cast<unsigned char>(c) & 15];
                        *p++ = '_';
                    } else {
                        *p++ = c;
                    }
            }
            ++pos;
            continue;
        }
        const std::size_t anfang = pos;
        char32_t zeichen = 0;
        if (!Utf8Lesen(utf8, pos, zeichen) || zeichen == 0xFFFE || zeichen == 0xFFFF) {
            p = Kopieren(p, "\uFFFD");
            ++einheiten;
            continue;
        }
        const std::size_t n = zeichen > 0xFFFF ? 2 : 1;
        if (einheiten + n > Mappenschreiber::Textgrenze) {
            gekuerzt = true;
            break;
        }
        einheiten += n;
        p = Kopieren(p, utf8.substr(anfang, pos - anfang));
    }
    return p;
}

bool Randleer(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

Zellformat Dezimalformat(int stellen) {
    return static_cast<Zellformat>(static_cast<int>(Zellformat::Dezimal0) +
                                   std::clamp(stellen, 0, 4));
}

Mappenschreiber::Mappenschreiber(std::string datei, std::string name, Melder melden, long zeilen)
    : datei_(std::move(datei)),
      name_(std::move(name)),
      melden_(std::move(melden)),
      zeilenGrenze_(std::min(zeilen, Blattzeilen)),
      teile_(Festformate),
      puffer_(std::make_unique_for_overwrite<char[]>(Stueck)),
      groesse_(Stueck) {}

void Mappenschreiber::Gescheitert(int fehlerNr) const {
    throw Abbruch(
        DateiFehler{.Art = DateiFehler::Fehlerart::Schreiben, .Datei = name_, .FehlerNr = fehlerNr}
            .Meldung());
}

char* Mappenschreiber::Platz(std::size_t bytes) {
    if (belegt_ + bytes > groesse_) {
        if (kopfGeschrieben_) {
            Leeren();
        }
        if (belegt_ + bytes > groesse_) {
            const std::size_t neu = std::max(2 * groesse_, belegt_ + bytes);
            auto puffer = std::make_unique_for_overwrite<char[]>(neu);
            std::memcpy(puffer.get(), puffer_.get(), belegt_);
            puffer_ = std::move(puffer);
            groesse_ = neu;
        }
    }
    return puffer_.get() + belegt_;
}

void Mappenschreiber::Leeren() {
    teile_.Blaetter().back().Xml.Schreiben(std::string_view(puffer_.get(), belegt_), name_);
    belegt_ = 0;
}

void Mappenschreiber::Blatt(const std::string& name, const std::vector<std::string>& spalten) {
    BlattAbschliessen();
    if (spalten.size() > HoechstSpalten) {
        throw Abbruch(name_ + ": mehr als " + FormatGanzzahl(HoechstSpalten) +
                      " Spalten passen nicht in ein Tabellenblatt – bitte als CSV ausgeben");
    }
    teile_.Blaetter().push_back(
        {.Name = name, .Xml = Zwischendatei(Ordner(datei_), name_), .Spalten = spalten.size()});
    blattOffen_ = true;
    spalten_ = spalten;
    zellanfang_.clear();
    for (std::size_t i = 0; i < spalten_.size(); ++i) {
        zellanfang_.push_back("<c r=\"" + Spaltenname(i));
    }
    arten_.assign(spalten_.size(), Spaltenart::Offen);
    werte_.assign(spalten_.size(), Gemerkt{});
    belegt_ = 0;
    kopfGeschrieben_ = false;
    zeile_ = 1;
    spalte_ = 0;
    for (const std::string& spalte : spalten_) {
        const std::uint16_t nr = Zelle(Spaltenart::Offen);
        char* p = Platz(7 * spalte.size() + 128);
        p = Kopieren(p, zellanfang_[nr]);
        p = Kopieren(p, R"(1" s="1" t="inlineStr"><is><t>)");
        bool gekuerzt = false;
        p = Kopieren(Zellinhalt(p, spalte, gekuerzt), "</t></is></c>");
        belegt_ = static_cast<std::size_t>(p - puffer_.get());
    }
    Zeilenende();
}

std::uint16_t Mappenschreiber::Zelle(Spaltenart art) {
    if (!blattOffen_ || spalte_ >= spalten_.size()) {
        throw std::logic_error("Mappenschreiber: Zelle ohne Blatt oder Spalte");
    }
    if (spalte_ == 0) {
        if (zeile_ > static_cast<std::uint32_t>(zeilenGrenze_)) {
            throw Abbruch(name_ + ": mehr als " + FormatGanzzahl(zeilenGrenze_ - 1) +
                          " Zeilen passen nicht in ein Tabellenblatt – bitte als CSV ausgeben");
        }
        zeilennummerLaenge_ = static_cast<std::size_t>(
            std::to_chars(zeilennummer_.data(), zeilennummer_.data() + zeilennummer_.size(), zeile_)
                .ptr -
            zeilennummer_.data());
        char* p = Kopieren(Platz(32), "<row r=\"");
        p = Kopieren(p, std::string_view(zeilennummer_.data(), zeilennummerLaenge_));
        belegt_ = static_cast<std::size_t>(Kopieren(p, "\">") - puffer_.get());
    }
    if (zeile_ == 2) {
        arten_[spalte_] = art;
    }
    return spalte_++;
}

void Mappenschreiber::Text(std::string_view utf8) {
    const std::uint16_t spalte = Zelle(Spaltenart::Text);
    werte_[spalte].Laenge = 0;
    if (utf8.empty()) {
        return;
    }
    char* p = Platz(7 * std::min(utf8.size(), 4 * Textgrenze) + 128);
    p = Kopieren(p, zellanfang_[spalte]);
    p = Kopieren(p, std::string_view(zeilennummer_.data(), zeilennummerLaenge_));
    p = Kopieren(p, Randleer(utf8.front()) || Randleer(utf8.back())
                        ? R"(" t="inlineStr"><is><t xml:space="preserve">)"
                        : R"(" t="inlineStr"><is><t>)");
    bool gekuerzt = false;
    p = Kopieren(Zellinhalt(p, utf8, gekuerzt), "</t></is></c>");
    belegt_ = static_cast<std::size_t>(p - puffer_.get());
    if (gekuerzt && !gekuerzt_) {
        gekuerzt_ = true;
        melden_(name_ + ": Zelle " + Spaltenname(spalte) + std::to_string(zeile_) + " im Blatt „" +
                teile_.Blaetter().back().Name + "“ auf " + FormatGanzzahl(Textgrenze) +
                " Zeichen gekürzt – mehr fasst eine Zelle nicht; weitere zu lange Texte ebenso");
    }
}

void Mappenschreiber::Zahlzelle(std::string_view zahltext, std::size_t stil) {
    const std::uint16_t spalte =
        Zelle(stil == 2 ? Spaltenart::Betrag : Spaltenart::Zahl);  // 2: Tausender2
    Gemerkt& gemerkt = werte_[spalte];
    gemerkt.Laenge = static_cast<std::uint8_t>(std::min(zahltext.size(), gemerkt.Text.size()));
    std::memcpy(gemerkt.Text.data(), zahltext.data(), gemerkt.Laenge);
    char* p = Platz(zahltext.size() + 64);
    p = Kopieren(p, zellanfang_[spalte]);
    p = Kopieren(p, std::string_view(zeilennummer_.data(), zeilennummerLaenge_));
    if (stil != Mappenteile::Allgemein) {
        p = Kopieren(p, "\" s=\"");
        p = std::to_chars(p, p + 8, stil).ptr;
    }
    p = Kopieren(p, "\"><v>");
    p = Kopieren(Kopieren(p, zahltext), "</v></c>");
    belegt_ = static_cast<std::size_t>(p - puffer_.get());
}

void Mappenschreiber::Zahl(std::string_view zahltext, Zellformat format) {
    Zahlzelle(zahltext, format == Zellformat::Allgemein ? Mappenteile::Allgemein
                                                        : static_cast<std::size_t>(format) + 1);
}

void Mappenschreiber::Zahl(double wert, std::string_view formatcode) {
    if (!std::isfinite(wert)) {
        Text("");
        return;
    }
    bool voll = false;
    const std::size_t stil = teile_.Stil(formatcode, voll);
    if (voll && !zuVieleFormate_) {
        zuVieleFormate_ = true;
        melden_(name_ + ": mehr Zahlformate, als eine Mappe fasst – weitere Zellen ab " +
                Spaltenname(spalte_) + std::to_string(zeile_) + " im Standardformat");
    }
    std::array<char, 32> text{};
    const char* ende = std::to_chars(text.data(), text.data() + text.size(), wert + 0.0).ptr;
    Zahlzelle(std::string_view(text.data(), static_cast<std::size_t>(ende - text.data())), stil);
}

void Mappenschreiber::Zeilenende() {
    if (spalte_ > 0) {
        belegt_ = static_cast<std::size_t>(Kopieren(Platz(8), "</row>") - puffer_.get());
    }
    spalte_ = 0;
    ++zeile_;
    if (!kopfGeschrieben_ && zeile_ > 2) {
        Kopfteil();
    } else if (kopfGeschrieben_ && belegt_ >= Stueck) {
        Leeren();
    }
}

std::optional<double> Mappenschreiber::Zahlwert(std::size_t spalte) const {
    if (spalte >= werte_.size() || werte_[spalte].Laenge == 0) {
        return std::nullopt;
    }
    const Gemerkt& gemerkt = werte_[spalte];
    double wert = 0;
    std::from_chars(gemerkt.Text.data(), gemerkt.Text.data() + gemerkt.Laenge, wert);
    return wert;
}

void Mappenschreiber::Kopfteil() {
    const bool erstes = teile_.Blaetter().size() == 1;
    std::string kopf =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheetViews><sheetView ";
    kopf += erstes ? "tabSelected=\"1\" " : "";
    kopf +=
        "workbookViewId=\"0\"><pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" "
        "state=\"frozen\"/><selection pane=\"bottomLeft\" activeCell=\"A2\" sqref=\"A2\"/>"
        "</sheetView></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
    if (!spalten_.empty()) {
        kopf += "<cols>";
        for (std::size_t i = 0; i < spalten_.size(); ++i) {
            // Wide enough for the bold name and the filter's button, and for
            // what the column holds: names more than amounts, amounts more
            // than years and switches.
            const std::size_t inhalt = arten_[i] == Spaltenart::Text     ? 24
                                       : arten_[i] == Spaltenart::Betrag ? 12
                                                                         : 8;
            const auto zeichen = static_cast<std::size_t>(std::count_if(
                spalten_[i].begin(), spalten_[i].end(), [](char c) { return !Utf8Folgebyte(c); }));
            const std::size_t breite = std::min<std::size_t>(60, std::max(inhalt, zeichen + 4));
            const std::string nr = std::to_string(i + 1);
            Anhaengen(kopf, {"<col min=\"", nr, "\" max=\"", nr, "\" width=\"",
                             std::to_string(breite), R"(.7109375" customWidth="1"/>)"});
        }
        kopf += "</cols>";
    }
    kopf += "<sheetData>";
    teile_.Blaetter().back().Xml.Schreiben(kopf, name_);
    kopfGeschrieben_ = true;
    Leeren();
}

void Mappenschreiber::BlattAbschliessen() {
    if (!blattOffen_) {
        return;
    }
    blattOffen_ = false;
    if (!kopfGeschrieben_) {
        Kopfteil();
    }
    Blattteil& blatt = teile_.Blaetter().back();
    blatt.Zeilen = zeile_ - 1;
    std::string ende = "</sheetData>";
    if (!spalten_.empty()) {
        ende += "<autoFilter ref=\"A1:" + Spaltenname(spalten_.size() - 1) +
                std::to_string(blatt.Zeilen) + "\"/>";
    }
    ende +=
        "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
        "footer=\"0.3\"/></worksheet>";
    char* p = Platz(ende.size());
    belegt_ = static_cast<std::size_t>(Kopieren(p, ende) - puffer_.get());
    Leeren();
}

void Mappenschreiber::Schliessen() {
    BlattAbschliessen();
    teile_.Packen(datei_, name_);
}

}  // namespace lohnwippe::rechner
