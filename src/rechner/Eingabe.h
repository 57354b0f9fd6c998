#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rechner/Zeilenleser.h"
#include "rechner/Zellwert.h"
#include "store/Deskriptor.h"

namespace lohnwippe::rechner {

// Where the rows come from. Lesen gives up to `anzahl` bytes and 0 at the
// end; it throws Abbruch when the input cannot be read.
class Eingabestrom {
  public:
    virtual ~Eingabestrom() = default;
    virtual std::size_t Lesen(char* ziel, std::size_t anzahl) = 0;
};

// A file, a pipe or standard input, read where it stands.
class DateiStrom final : public Eingabestrom {
  public:
    explicit DateiStrom(Deskriptor& datei) : datei_(datei) {}
    std::size_t Lesen(char* ziel, std::size_t anzahl) override;

  private:
    Deskriptor& datei_;
};

// A text in memory, for tests, benchmarks and fuzzing, and for the bytes
// read ahead to tell the input format.
class TextStrom final : public Eingabestrom {
  public:
    explicit TextStrom(std::string_view text, Eingabestrom* danach = nullptr)
        : rest_(text), danach_(danach) {}
    std::size_t Lesen(char* ziel, std::size_t anzahl) override;

  private:
    std::string_view rest_;
    Eingabestrom* danach_;
};

// Hands the input on as UTF-8. Windows-1252 (what many spreadsheet
// programs write as "CSV") is converted byte by byte. Without a fixed
// character set the first byte above 127 decides: up to it, both read
// alike; a valid UTF-8 sequence there keeps the input UTF-8 (a broken one
// later is that row's fault), anything else makes all of it Windows-1252
// and calls `erkannt` once.
class Zeichensatzstrom final : public Eingabestrom {
  public:
    Zeichensatzstrom(Eingabestrom& quelle, std::optional<Zeichensatz> fest,
                     std::function<void()> erkannt = {})
        : quelle_(quelle), art_(fest), erkannt_(std::move(erkannt)) {}
    std::size_t Lesen(char* ziel, std::size_t anzahl) override;

  private:
    void Nachfuellen();

    Eingabestrom& quelle_;
    std::optional<Zeichensatz> art_;  // none: not decided yet
    std::function<void()> erkannt_;
    std::string roh_;  // read, not yet passed on
    std::string aus_;  // converted, not yet handed out from ausAb_
    std::size_t ausAb_ = 0;
};

// Splits the input into lines: LF, CRLF or a CR alone (old Mac files) ends
// one, a byte-order mark at the start is dropped. Memory stays bounded: a line longer than
// HoechsteLaenge is skipped to its end and reported as too long.
class Zeilenteiler {
  public:
    static constexpr std::size_t HoechsteLaenge = std::size_t{1} << 20;

    explicit Zeilenteiler(Eingabestrom& strom);

    // The next line without its end; false at the end of the input.
    // `zuLang`: the line was too long and `zeile` is empty.
    bool Naechste(std::string_view& zeile, bool& zuLang);
    long Nummer() const { return nummer_; }

  private:
    bool Nachladen();
    std::size_t NaechstesLf();

    Eingabestrom& strom_;
    static constexpr std::size_t Puffergroesse = 2 * HoechsteLaenge;
    std::unique_ptr<char[]> puffer_;
    std::size_t anfang_ = 0;
    std::size_t ende_ = 0;
    bool schluss_ = false;
    long nummer_ = 0;
    // No LF lies between anfang_ and here; where this is below ende_, an LF
    // stands here. Remembered, so that a file of CR line ends is not
    // searched to the end of the buffer for every line.
    std::size_t lfAb_ = 0;
    // The last line ended with a CR: an LF next belongs to its line end.
    bool nachCr_ = false;
};

// One row of input: its line number and its fields, or why it could not be
// taken apart into fields (quoting, JSON syntax, a field too many).
struct Eingabezeile {
    long Nummer = 0;
    Eingabefelder Felder{};
    // The values of the columns the source carries (Mitgefuehrt), in their
    // order; a value the row lacks is empty.
    std::vector<Zellwert> Mitgefuehrt;
    std::optional<Zeilenfehler> Fehler;
};

// Takes the next line of `zeilen` into `text` for `zeile`: its number set
// and its failure cleared, or the failure of a line too long to read.
// False at the end of the input.
bool ZeileBeginnen(Zeilenteiler& zeilen, Eingabezeile& zeile, std::string_view& text);

// Rows with content; empty lines and rows of empty fields are passed over.
class Zeilenquelle {
  public:
    virtual ~Zeilenquelle() = default;
    // False at the end of the input. Throws Abbruch for a CSV header the
    // program cannot use: then no row can be read.
    virtual bool Naechste(Eingabezeile& zeile) = 0;
    // How the input writes its amounts.
    virtual Zahlformat Zahlen() const = 0;
    // How each column writes them, as far as the rows read so far tell.
    virtual const Spaltenformate& Formate() const {
        if (!alle_) {
            alle_.emplace(Zahlen());
        }
        return *alle_;
    }
    // The names of the columns the calculator does not know, which every
    // row carries to its output row. Reads the header if it has not been
    // read (Abbruch as Naechste).
    virtual const std::vector<std::string>& Mitgefuehrt() = 0;
    // Where a row's field stands, for the messages: " (D7)" in a sheet,
    // empty elsewhere.
    virtual std::string Zellort(const std::string& /*spalte*/, long /*zeile*/) const { return {}; }

  private:
    mutable std::optional<Spaltenformate> alle_;  // Zahlen() for every column
};

// CSV: semicolon, double quotes, a header row naming the columns (see
// Spalten.h); columns of the output (results, export) are passed over, so
// that an output can be read again. `name` heads the messages about the
// header. Dialekt Englisch: comma-separated, as English spreadsheets write
// it. Either way each amount column is read in the notation its cells show
// (Spaltenformate).
std::unique_ptr<Zeilenquelle> CsvQuelle(Eingabestrom& strom, const std::string& name = {},
                                        Zahlformat dialekt = Zahlformat::Deutsch);

// JSON lines: one object per line, keys as the column names, values as
// strings or numbers (taken as written); true, false and null are refused.
std::unique_ptr<Zeilenquelle> JsonQuelle(Eingabestrom& strom);

class Blattleser;
// A sheet of a spreadsheet file: its first row with content the header,
// the rest read as CSV rows are (see Tabellenquelle.cpp); messages name the
// cell (" (D7)", Zellort).
std::unique_ptr<Zeilenquelle> TabellenQuelle(std::unique_ptr<Blattleser> blatt,
                                             const std::string& name = {});

}  // namespace lohnwippe::rechner
