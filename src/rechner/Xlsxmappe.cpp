// .xlsx around its sheets: the workbook names the sheets, its
// relationships say which entry holds each and where the shared strings
// are.
#include "rechner/Xlsxmappe.h"

#include <charconv>
#include <cstring>
#include <map>
#include <utility>

#include "calc/Utf8.h"
#include "rechner/Blattformate.h"
#include "rechner/Fehler.h"
#include "rechner/Formatcode.h"

namespace lohnwippe::rechner {
namespace {

constexpr std::string_view Beziehungen =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view BeziehungenStreng =
    "http://purl.oclc.org/ooxml/officeDocument/relationships";
constexpr std::string_view Paket = "http://schemas.openxmlformats.org/package/2006/relationships";

struct Mappenblatt {
    std::string Name, Id;
    bool Ausgeblendet = false;
};

// A name, target or id beyond this, or more sheets or relationships than
// this, is no workbook a person made; the limits keep a crafted one small.
constexpr std::size_t HoechstName = 4096;
constexpr std::size_t HoechstAnzahl = 10000;

const char* Begrenzt(const Zipmappe& mappe, const char* wert, std::string_view was) {
    if (wert != nullptr && std::strlen(wert) > HoechstName) {
        throw Abbruch(mappe.Name() + ": " + std::string(was) + " länger als " +
                      std::to_string(HoechstName) + " Bytes – die Datei wird nicht gelesen");
    }
    return wert != nullptr ? wert : "";
}

void Zaehlen(const Zipmappe& mappe, std::size_t anzahl, std::string_view was) {
    if (anzahl >= HoechstAnzahl) {
        throw Abbruch(mappe.Name() + ": mehr als " + std::to_string(HoechstAnzahl) + " " +
                      std::string(was) + " – die Datei wird nicht gelesen");
    }
}

class Mappenleser : public Xmlleser {
  public:
    explicit Mappenleser(const Zipmappe& mappe) : mappe_(mappe) {}
    std::vector<Mappenblatt> Blaetter;

    void Anfang(std::string_view raum, std::string_view name, const char** attribute) override {
        if (IstHaupt(raum) && name == "sheet") {
            Zaehlen(mappe_, Blaetter.size(), "Blätter");
            const char* id = Attribut(attribute, Beziehungen, "id");
            if (id == nullptr) {
                id = Attribut(attribute, BeziehungenStreng, "id");
            }
            const std::string_view zustand = Begrenzt(mappe_, Attribut(attribute, {}, "state"), "");
            Blaetter.push_back({Begrenzt(mappe_, Attribut(attribute, {}, "name"), "ein Blattname"),
                                Begrenzt(mappe_, id, "eine Blatt-Id"),
                                zustand == "hidden" || zustand == "veryHidden"});
        }
    }
    void Ende(std::string_view /*raum*/, std::string_view /*name*/) override {}
    void Zeichen(std::string_view /*text*/) override {}

  private:
    const Zipmappe& mappe_;
};

struct Beziehung {
    std::string Art, Ziel;
};

class Beziehungsleser : public Xmlleser {
  public:
    explicit Beziehungsleser(const Zipmappe& mappe) : mappe_(mappe) {}
    std::map<std::string, Beziehung, std::less<>> Nach;

    void Anfang(std::string_view raum, std::string_view name, const char** attribute) override {
        if (raum == Paket && name == "Relationship") {
            const char* id = Attribut(attribute, {}, "Id");
            const char* ziel = Attribut(attribute, {}, "Target");
            if (id != nullptr && ziel != nullptr) {
                Zaehlen(mappe_, Nach.size(), "Beziehungen");
                Nach[Begrenzt(mappe_, id, "eine Beziehungs-Id")] = {
                    Begrenzt(mappe_, Attribut(attribute, {}, "Type"), "eine Beziehungsart"),
                    Begrenzt(mappe_, ziel, "ein Beziehungsziel")};
            }
        }
    }
    void Ende(std::string_view /*raum*/, std::string_view /*name*/) override {}
    void Zeichen(std::string_view /*text*/) override {}

  private:
    const Zipmappe& mappe_;
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

void Stiltabelle::Anfang(std::string_view raum, std::string_view name, const char** attribute) {
    if (!IstHaupt(raum)) {
        return;
    }
    const auto nummer = [&] {
        const std::string_view text = Begrenzt(mappe_, Attribut(attribute, {}, "numFmtId"), "");
        unsigned id = 0;
        std::from_chars(text.data(), text.data() + text.size(), id);
        return id;
    };
    if (name == "numFmt") {
        Zaehlen(mappe_, eigene_.size(), "Zahlformate");
        eigene_[nummer()] =
            Begrenzt(mappe_, Attribut(attribute, {}, "formatCode"), "ein Zahlformat");
    } else if (name == "cellXfs") {
        zellstile_ = true;
    } else if (name == "xf" && zellstile_) {
        if (formate_.size() >= 65536) {
            throw Abbruch(mappe_.Name() +
                          ": mehr als 65536 Zellformate – die Datei wird nicht "
                          "gelesen");
        }
        const unsigned id = nummer();
        const auto eigen = eigene_.find(id);
        std::string code = eigen != eigene_.end() ? eigen->second : EingebautesFormat(id);
        // "General" under its own number is the general format.
        formate_.push_back(code == "General" || code == "Standard" ||
                                   code.size() > HoechstFormatcode
                               ? ""
                               : std::move(code));
    }
}

void Stiltabelle::Ende(std::string_view raum, std::string_view name) {
    if (IstHaupt(raum) && name == "cellXfs") {
        zellstile_ = false;
    }
}

Xlsxeintraege XlsxEintraege(const Zipmappe& mappe, const std::optional<std::string>& blatt) {
    Mappenleser mappenleser(mappe);
    Xmlstrom(mappe, "xl/workbook.xml", mappenleser).Ganz();
    Beziehungsleser beziehungen(mappe);
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

    // Unasked, the first table the user sees; a hidden one only when all are.
    const Mappenblatt* gewaehlt = nullptr;
    const Mappenblatt* verborgen = nullptr;
    std::vector<std::string> namen;
    for (const Mappenblatt& b : mappenleser.Blaetter) {
        namen.push_back(b.Name);
        if (gewaehlt != nullptr) {
            continue;
        }
        if (blatt) {
            gewaehlt = b.Name == *blatt ? &b : nullptr;
        } else if (tabelle(ziel(b))) {
            if (!b.Ausgeblendet) {
                gewaehlt = &b;
            } else if (verborgen == nullptr) {
                verborgen = &b;
            }
        }
    }
    std::string hinweis;
    if (gewaehlt == nullptr && verborgen != nullptr) {
        gewaehlt = verborgen;
    }
    if (gewaehlt != nullptr) {
        hinweis = AusgeblendetHinweis(mappe.Name(), gewaehlt->Name, gewaehlt->Ausgeblendet,
                                      verborgen != nullptr && verborgen != gewaehlt
                                          ? std::optional<std::string>(verborgen->Name)
                                          : std::nullopt);
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

    Xlsxeintraege eintraege{Pfad(beziehung->Ziel), {}, {}, std::move(hinweis)};
    for (const auto& [id, b] : beziehungen.Nach) {
        if (b.Art.ends_with("/sharedStrings") && eintraege.Texte.empty()) {
            eintraege.Texte = Pfad(b.Ziel);
        } else if (b.Art.ends_with("/styles") && eintraege.Stile.empty()) {
            eintraege.Stile = Pfad(b.Ziel);
        }
    }
    return eintraege;
}

}  // namespace lohnwippe::rechner
