#pragma once

// The automatic styles at the head of an .ods content.xml, as far as the
// reader needs them: which tables are hidden, and which number format a
// cell style shows its number in (as an .xlsx format code).

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace lohnwippe::rechner {

class Odsstile {
  public:
    explicit Odsstile(std::string name) : name_(std::move(name)) {}

    // The elements before the sheets, as the parser meets them.
    void Anfang(std::string_view raum, std::string_view name, const char** attribute);
    void Ende(std::string_view raum, std::string_view name);
    void Zeichen(std::string_view text);

    bool Ausgeblendet(std::string_view tabellenstil) const;
    // The format code of a cell style; empty for the general format or an
    // unknown style.
    const std::string& Format(std::string_view zellstil) const;

  private:
    void Zaehlen();

    std::string name_;
    std::map<std::string, bool, std::less<>> tabellen_;
    std::map<std::string, std::string, std::less<>> datenstile_;
    std::map<std::string, std::string, std::less<>> zellformate_;
    std::size_t anzahl_ = 0;
    // The style being read: its name and family or kind of data style.
    std::string stil_;
    std::string art_;
    std::string code_;
    std::string literal_;
    std::string positiv_;
    bool allgemein_ = true;
    bool text_ = false;
    bool zeitdauer_ = false;
};

}  // namespace lohnwippe::rechner
