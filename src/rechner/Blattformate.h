#pragma once

// What the .xlsx and the .ods reader share: the queue of finished rows that
// lies between the unpacking and the caller, and the limits.

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rechner/Blattleser.h"
#include "rechner/Zipmappe.h"

namespace lohnwippe::rechner {

// The sheet sizes both programs that write these files allow; beyond them
// a file is not one a person made.
inline constexpr std::size_t HoechstSpalten = 16384;
inline constexpr long HoechstZeilen = 1048576;
// A cell's text, and all text of one row: a row repeated in an .ods file
// copies its cells, and memory must not follow a crafted file's wishes.
inline constexpr std::size_t HoechstZelltext = std::size_t{1} << 20;
inline constexpr std::size_t HoechstZeilentext = std::size_t{16} << 20;
// A number format code beyond this is no person's: the cell is shown in
// the general format (each cell carries its code).
inline constexpr std::size_t HoechstFormatcode = 255;
// What repeat counts of an .ods may make over the whole sheet: a few bytes
// must not turn into endless output.
inline constexpr std::size_t HoechstWiederholteZellen = 1000000;
inline constexpr std::size_t HoechstWiederholterText = std::size_t{256} << 20;

// A reader that parses one entry of the archive a piece at a time, as the
// caller asks for rows. A piece's rows wait in the queue; a row repeated
// there many times waits once, with its count.
class Stromblatt : public Blattleser, protected Xmlleser {
  public:
    bool Naechste(Blattzeile& zeile) override;

  protected:
    explicit Stromblatt(Zipmappe mappe) : mappe_(std::move(mappe)) {}
    void StromOeffnen(const std::string& eintrag);

    // The row being read, empty, with the number `nummer`.
    void NeueZeile(long nummer);
    // Queues the row being read, `anzahl` times with rising numbers, if it
    // holds anything.
    void ZeileFertig(long anzahl);
    // Adds a cell to the row being read, `anzahl` times in the columns from
    // `spalte` on, if it holds anything.
    void ZelleAnfuegen(std::size_t spalte, std::string text, std::optional<double> zahl,
                       std::size_t anzahl = 1, const std::string& format = {});
    // "NAME: Zelle F3 hält eine Formel ohne gespeichertes Ergebnis …".
    [[noreturn]] void OhneErgebnis(std::size_t spalte) const;
    // Appends to a cell's text within its limit; `spalte` and the row's
    // number name the cell in the message.
    void TextAnfuegen(std::string& text, std::string_view mehr, std::size_t spalte) const;
    // Counts what a repeat count makes, within the limits.
    void Wiederholt(std::size_t zellen, std::size_t text);

    [[noreturn]] void Beschaedigt(const std::string& grund) const { xml_->Beschaedigt(grund); }
    std::string Zelle(std::size_t spalte) const;
    long Zeilennummer() const { return aktuell_.Nummer; }

    Zipmappe mappe_;
    std::unique_ptr<Xmlstrom> xml_;

  private:
    struct Posten {
        Blattzeile Zeile;
        long Anzahl;
    };
    std::deque<Posten> schlange_;
    Blattzeile aktuell_;
    std::size_t zeilentext_ = 0;
    std::size_t wiederholteZellen_ = 0;
    std::size_t wiederholterText_ = 0;
    // Cell vectors handed back by the caller, to be filled again.
    std::vector<std::vector<Blattzelle>> frei_;
    bool ende_ = false;
};

// A sheet's name as a message may quote it: one line, not endless.
std::string Blattname(std::string_view name);

// What a reader says when the sheet it reads is hidden or hidden ones
// were passed over (`uebergangen`, the first of them); empty when neither.
std::string AusgeblendetHinweis(const std::string& name, const std::string& blatt,
                                bool ausgeblendet, const std::optional<std::string>& uebergangen);

// "NAME: kein Blatt „X“ – die Datei hat „Tabelle1“, „Notizen“".
[[noreturn]] void BlattFehlt(const std::string& name, const std::string& blatt,
                             const std::vector<std::string>& namen);

// A number as the files store it: decimal point, no locale.
std::optional<double> ZahlLesen(std::string_view text);

std::unique_ptr<Blattleser> XlsxOeffnen(Zipmappe mappe, const std::optional<std::string>& blatt);
std::unique_ptr<Blattleser> OdsOeffnen(Zipmappe mappe, const std::optional<std::string>& blatt);

}  // namespace lohnwippe::rechner
