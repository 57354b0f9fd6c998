#pragma once

// The two layers under the spreadsheet readers: the zip archive a .xlsx or
// .ods file is, and the XML of one of its entries fed to expat piece by
// piece as the entry is unpacked.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "store/Deskriptor.h"

struct zip;
struct zip_file;
struct XML_ParserStruct;

namespace lohnwippe::rechner {

// An opened archive. Every failure is an Abbruch that begins with the name
// the file was given as.
class Zipmappe {
  public:
    // The file behind `datei`, which must allow seeking (not a pipe).
    static Zipmappe AusDatei(Deskriptor& datei, const std::string& name);
    // A copy of `daten`, so that the caller's bytes need not outlive it.
    static Zipmappe AusSpeicher(std::string_view daten, const std::string& name);

    Zipmappe(Zipmappe&& andere) noexcept;
    Zipmappe& operator=(Zipmappe&& andere) noexcept;
    Zipmappe(const Zipmappe&) = delete;
    Zipmappe& operator=(const Zipmappe&) = delete;
    ~Zipmappe();

    const std::string& Name() const { return name_; }
    bool Hat(const std::string& eintrag) const;
    // The whole entry; more than `hoechstens` bytes unpacked is an Abbruch.
    std::string Ganz(const std::string& eintrag, std::size_t hoechstens) const;

    // "NAME: beschädigt oder keine .xlsx-/.ods-Datei (grund)".
    [[noreturn]] void Beschaedigt(const std::string& grund) const;

  private:
    friend class Zipeintrag;
    Zipmappe(zip* archiv, std::string name, std::unique_ptr<std::string> daten);

    zip* archiv_;
    std::string name_;
    // The bytes an archive in memory reads from, where they stay put.
    std::unique_ptr<std::string> daten_;
};

// One entry of the archive, unpacked as it is read.
class Zipeintrag {
  public:
    // A missing entry is an Abbruch naming it.
    Zipeintrag(const Zipmappe& mappe, std::string eintrag);
    Zipeintrag(const Zipeintrag&) = delete;
    Zipeintrag& operator=(const Zipeintrag&) = delete;
    ~Zipeintrag();

    // No entry is unpacked beyond this, and none that the directory says
    // is packed more tightly than deflate can pack: such an archive is
    // made to exhaust the reader.
    static constexpr std::uint64_t HoechstGroesse = std::uint64_t{4} << 30;
    static constexpr std::uint64_t HoechstVerhaeltnis = 1100;

    const std::string& Eintrag() const { return eintrag_; }
    // Up to `anzahl` further bytes, 0 at the end; damaged data (also a
    // wrong checksum at the end) is an Abbruch.
    std::size_t Lesen(char* ziel, std::size_t anzahl);
    // Reads what is left, so that the checksum at the end is checked.
    void Auslesen();

  private:
    const Zipmappe& mappe_;
    std::string eintrag_;
    zip_file* datei_ = nullptr;
    std::uint64_t groesse_ = 0;  // as the directory says
    std::uint64_t gelesen_ = 0;
};

// Gets what expat finds. Names are split into the namespace (the URI) and
// the local name; `attribute` alternates names and values, as expat gives
// them, up to a null.
class Xmlleser {
  public:
    virtual ~Xmlleser() = default;
    virtual void Anfang(std::string_view raum, std::string_view name, const char** attribute) = 0;
    virtual void Ende(std::string_view raum, std::string_view name) = 0;
    virtual void Zeichen(std::string_view text) = 0;
};

// The namespace and local name of an expat name ("URI name" or "name").
void NameTeilen(const char* voll, std::string_view& raum, std::string_view& name);

// The value of the attribute `name` in namespace `raum`, or null.
const char* Attribut(const char** attribute, std::string_view raum, std::string_view name);

// An entry's XML parsed a piece at a time. A document type declaration is
// refused (no entity expansion); an exception thrown by the Xmlleser is
// carried out of expat and thrown again from Weiter.
class Xmlstrom {
  public:
    static constexpr std::size_t Stueck = std::size_t{1} << 20;

    Xmlstrom(const Zipmappe& mappe, std::string eintrag, Xmlleser& leser);
    Xmlstrom(const Xmlstrom&) = delete;
    Xmlstrom& operator=(const Xmlstrom&) = delete;
    ~Xmlstrom();

    // Parses the next piece; false once the entry has ended (or Anhalten
    // was called: then the rest is read unparsed, for its checksum).
    bool Weiter();
    // Reads to the end.
    void Ganz() {
        while (Weiter()) {
        }
    }
    // Nothing more is read: what follows is of no interest. Only from
    // within an Xmlleser's call.
    void Anhalten();

    const std::string& Eintrag() const { return eintrag_.Eintrag(); }
    // The line the parser is at, for messages.
    long Zeile() const;
    // Ends the parse with the reason as a damage message naming the entry
    // and line.
    [[noreturn]] void Beschaedigt(const std::string& grund) const;

  private:
    static void BeiAnfang(void* selbst, const char* name, const char** attribute);
    static void BeiEnde(void* selbst, const char* name);
    static void BeiZeichen(void* selbst, const char* text, int laenge);
    static void BeiDoctype(void* selbst, const char*, const char*, const char*, int);
    void Fangen(const std::exception_ptr& fehler);

    const Zipmappe& mappe_;
    Zipeintrag eintrag_;
    Xmlleser& leser_;
    XML_ParserStruct* parser_;
    std::unique_ptr<char[]> puffer_;
    std::exception_ptr fehler_;
    bool fertig_ = false;
    bool angehalten_ = false;
};

}  // namespace lohnwippe::rechner
