// .xlsx around its sheets: the workbook names the sheets, its
// relationships say which entry holds each and where the shared strings
// are.
#include "rechner/Xlsxmappe.h"

#include <map>
#include <utility>

#include "calc/Utf8.h"
#include "rechner/Blattformate.h"
#include "rechner/Fehler.h"

namespace lohnwippe::rechner {
namespace {

constexpr std::string_view Beziehungen =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view BeziehungenStreng =
    "http://purl.oclc.org/ooxml/officeDocument/relationships";
constexpr std::string_view Paket = "http://schemas.openxmlformats.org/package/2006/relationships";

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

// The shared strings table may be read whole (it holds each text once),
// but not beyond this.
constexpr std::size_t HoechstTexttabelle = std::size_t{256} << 20;

int Hexziffer(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

}  // namespace

bool IstHaupt(std::string_view raum) {
    return raum == "http://schemas.openxmlformats.org/spreadsheetml/2006/main" ||
           raum == "http://purl.oclc.org/ooxml/spreadsheetml/main";
}

void OoxmlText(std::string& text, std::size_t ab) {
    std::size_t pos = text.find("_x", ab);
    if (pos == std::string::npos) {
        return;
    }
    std::string klar = text.substr(0, pos);
    while (pos < text.size()) {
        char32_t zeichen = 0;
        bool gueltig =
            pos + 7 <= text.size() && text.compare(pos, 2, "_x") == 0 && text[pos + 6] == '_';
        for (std::size_t i = 2; gueltig && i < 6; ++i) {
            const int ziffer = Hexziffer(text[pos + i]);
            gueltig = ziffer >= 0;
            zeichen = zeichen * 16 + static_cast<char32_t>(ziffer);
        }
        if (gueltig && (zeichen < 0xD800 || zeichen > 0xDFFF)) {
            Utf8Anhaengen(klar, zeichen);
            pos += 7;
        } else {
            klar += text[pos++];
        }
    }
    text = std::move(klar);
}

void Texttabelle::Anfang(std::string_view raum, std::string_view name, const char** /*a*/) {
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

void Texttabelle::Ende(std::string_view raum, std::string_view name) {
    if (!IstHaupt(raum)) {
        return;
    }
    if (name == "si" && offen_) {
        offen_ = false;
        OoxmlText(alles_, enden_.empty() ? 0 : enden_.back());
        enden_.push_back(static_cast<std::uint32_t>(alles_.size()));
        Pruefen(0);
    } else if (name == "rPh" && lautschrift_ > 0) {
        --lautschrift_;
    } else if (name == "t") {
        text_ = false;
    }
}

void Texttabelle::Zeichen(std::string_view text) {
    if (text_) {
        Pruefen(text.size());
        alles_ += text;
    }
}

void Texttabelle::Pruefen(std::size_t mehr) const {
    if (alles_.size() + mehr + enden_.size() * sizeof(std::uint32_t) > HoechstTexttabelle) {
        throw Abbruch(name_ + ": die Texttabelle xl/sharedStrings.xml ist größer als 256 MiB");
    }
}

Xlsxeintraege XlsxEintraege(const Zipmappe& mappe, const std::optional<std::string>& blatt) {
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

    Xlsxeintraege eintraege{Pfad(beziehung->Ziel), {}};
    for (const auto& [id, b] : beziehungen.Nach) {
        if (b.Art.ends_with("/sharedStrings")) {
            eintraege.Texte = Pfad(b.Ziel);
            break;
        }
    }
    return eintraege;
}

}  // namespace lohnwippe::rechner
