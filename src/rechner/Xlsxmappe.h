#pragma once

// What of an .xlsx lies around its sheets: which entry holds the sheet
// asked for, and the shared strings table its cells point into.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rechner/Zipmappe.h"

namespace lohnwippe::rechner {

// The format's main namespace, usual or strict.
bool IstHaupt(std::string_view raum);

// Texts may carry characters XML cannot hold as "_x000D_"; "_x005F_" is a
// literal underscore. Decodes `text` from `ab` on.
void OoxmlText(std::string& text, std::size_t ab = 0);

// The entries of the sheet asked for (the first visible table when none
// is), of the shared strings table and of the styles (empty when there is
// none), and what the user should hear about a hidden sheet. A sheet not
// there is an Abbruch naming those there are.
struct Xlsxeintraege {
    std::string Blatt, Texte, Stile, Hinweis;
};
Xlsxeintraege XlsxEintraege(const Zipmappe& mappe, const std::optional<std::string>& blatt);

// The shared strings table, all texts end to end in one string: a table of
// many short texts costs little more than their bytes. At most 256 MiB.
class Texttabelle : public Xmlleser {
  public:
    explicit Texttabelle(std::string name) : name_(std::move(name)) {}
    std::size_t Anzahl() const { return enden_.size(); }
    std::string_view Text(std::size_t i) const {
        const std::uint32_t anfang = i == 0 ? 0 : enden_[i - 1];
        return std::string_view(alles_).substr(anfang, enden_[i] - anfang);
    }

    void Anfang(std::string_view raum, std::string_view name, const char** attribute) override;
    void Ende(std::string_view raum, std::string_view name) override;
    void Zeichen(std::string_view text) override;

  private:
    void Pruefen(std::size_t mehr) const;

    std::string name_;
    std::string alles_;
    std::vector<std::uint32_t> enden_;
    bool offen_ = false;
    bool text_ = false;
    int lautschrift_ = 0;
};

// The number format code of each cell style (cellXfs) of styles.xml, by
// the index a cell's `s` names; empty for the general format.
class Stiltabelle : public Xmlleser {
  public:
    explicit Stiltabelle(const Zipmappe& mappe) : mappe_(mappe) {}
    const std::string& Format(std::size_t stil) const {
        static const std::string Allgemein;
        return stil < formate_.size() ? formate_[stil] : Allgemein;
    }

    void Anfang(std::string_view raum, std::string_view name, const char** attribute) override;
    void Ende(std::string_view raum, std::string_view name) override;
    void Zeichen(std::string_view /*text*/) override {}

  private:
    const Zipmappe& mappe_;
    std::map<unsigned, std::string> eigene_;
    std::vector<std::string> formate_;
    bool zellstile_ = false;
};

}  // namespace lohnwippe::rechner
