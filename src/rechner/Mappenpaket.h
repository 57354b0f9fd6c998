#pragma once

#include <cstddef>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "rechner/Fehler.h"

namespace lohnwippe::rechner {

// The parts of an .xlsx workbook around its sheets, and the packing of the
// whole into the file: a minimal SpreadsheetML package, zipped by libzip.

// A file without a name beside the output, gone with its descriptor: a
// run that ends in any way leaves nothing of it behind.
class Zwischendatei {
  public:
    // Abbruch naming `name` when the folder takes no file.
    Zwischendatei(const std::string& ordner, const std::string& name);
    ~Zwischendatei();
    Zwischendatei(Zwischendatei&& andere) noexcept;
    Zwischendatei& operator=(Zwischendatei&&) = delete;
    Zwischendatei(const Zwischendatei&) = delete;
    Zwischendatei& operator=(const Zwischendatei&) = delete;

    // All of `daten`, or Abbruch naming `name` with the system's reason.
    void Schreiben(std::string_view daten, const std::string& name) const;
    int Fd() const { return fd_; }

  private:
    int fd_;
};

// A sheet as it is written: its XML in a temporary file.
struct Blattteil {
    std::string Name;
    Zwischendatei Xml;
    std::size_t Spalten = 0;
    long Zeilen = 0;  // header included
};

// "A", "Z", "AA" .. "XFD" for the columns 0, 25, 26 .. 16383.
std::string Spaltenname(std::size_t spalte);

// Appends the pieces in their order.
void Anhaengen(std::string& ziel, std::initializer_list<std::string_view> teile);

// Text as XML writes it between tags and in attributes.
std::string XmlText(std::string_view text);

class Mappenteile {
  public:
    // The style of each fixed number format: general, bold header, then
    // those of `formate` in their order.
    static constexpr std::size_t Allgemein = 0;
    static constexpr std::size_t Fett = 1;
    explicit Mappenteile(const std::vector<std::string>& formate);

    // The style of a number format code; general for an empty one, and
    // beyond as many formats as the programs take (`voll` true then).
    std::size_t Stil(std::string_view formatcode, bool& voll);

    std::vector<Blattteil>& Blaetter() { return blaetter_; }

    // Writes the workbook into the file `datei`, whose contents it
    // replaces; Abbruch naming `name` when that fails.
    void Packen(const std::string& datei, const std::string& name) const;

  private:
    std::string Stile() const;
    std::string Mappe() const;
    std::string Beziehungen() const;
    std::string Inhaltsarten() const;

    std::vector<std::string> formate_;
    std::map<std::string, std::size_t, std::less<>> stile_;
    std::vector<Blattteil> blaetter_;
};

}  // namespace lohnwippe::rechner
