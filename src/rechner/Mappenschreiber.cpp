#include "rechner/Mappenschreiber.h"

#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "calc/Formate.h"
#include "calc/Utf8.h"
#include "rechner/Fehler.h"

namespace lohnwippe::rechner {

namespace {

// Characters a cell holds at most; the library counts them as we do and
// refuses a longer text.
constexpr std::size_t Textgrenze = 32767;

constexpr std::size_t Zwischenpuffer = std::size_t{1} << 20;

constexpr std::array<const char*, 7> Zahlformate{nullptr, "#,##0.00", "0",     "0.0",
                                                 "0.00",  "0.000",    "0.0000"};

// The library writes what it is given into XML: a broken sequence (a
// damaged data file, a foreign input) would make the whole file unreadable,
// so it becomes U+FFFD here. Control characters the library escapes itself.
std::string Zelltext(std::string_view utf8) {
    std::string text;
    text.reserve(std::min(utf8.size(), 4 * Textgrenze));
    std::size_t zeichen = 0;
    for (std::size_t pos = 0; pos < utf8.size() && zeichen < Textgrenze; ++zeichen) {
        const std::size_t anfang = pos;
        char32_t z = 0;
        if (Utf8Lesen(utf8, pos, z)) {
            text.append(utf8, anfang, pos - anfang);
        } else {
            text += "\uFFFD";
        }
    }
    return text;
}

std::size_t Zeichenzahl(std::string_view utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return !Utf8Folgebyte(c); }));
}

// The library's reasons, in the words of the file layer's messages.
std::string Grund(lxw_error fehler, int fehlerNr) {
    switch (fehler) {
        case LXW_ERROR_CREATING_XLSX_FILE:
        case LXW_ERROR_CREATING_TMPFILE:
        case LXW_ERROR_READING_TMPFILE:
        case LXW_ERROR_ZIP_FILE_OPERATION:
        case LXW_ERROR_ZIP_FILE_ADD:
        case LXW_ERROR_ZIP_CLOSE:
            // A file operation failed; the system's reason says more than
            // the library's (a full disk, a file too large).
            if (fehlerNr != 0) {
                return Fehlertext(fehlerNr);
            }
            return fehler == LXW_ERROR_CREATING_XLSX_FILE ? "Die Datei lässt sich nicht anlegen"
                   : fehler == LXW_ERROR_CREATING_TMPFILE || fehler == LXW_ERROR_READING_TMPFILE
                       ? "Die Zwischendateien der Tabelle lassen sich nicht anlegen oder lesen"
                       : "Die Datei lässt sich nicht packen";
        case LXW_ERROR_MEMORY_MALLOC_FAILED:
            return Fehlertext(ENOMEM);
        default:
            return "Fehler " + std::to_string(static_cast<int>(fehler)) +
                   " der Tabellenbibliothek (" + lxw_strerror(fehler) + ")";
    }
}

// The library says its failures on standard error in English, which our
// own message then says in German: while it packs, they go nowhere.
class Stumm {
  public:
    Stumm() : fehlerkanal_(::dup(STDERR_FILENO)) {
        const int nichts = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (fehlerkanal_ >= 0 && nichts >= 0) {
            (void)std::fflush(stderr);
            (void)::dup2(nichts, STDERR_FILENO);
        }
        if (nichts >= 0) {
            ::close(nichts);
        }
    }
    ~Stumm() {
        if (fehlerkanal_ >= 0) {
            (void)std::fflush(stderr);
            (void)::dup2(fehlerkanal_, STDERR_FILENO);
            ::close(fehlerkanal_);
        }
    }
    Stumm(const Stumm&) = delete;
    Stumm& operator=(const Stumm&) = delete;

  private:
    int fehlerkanal_;
};

// The folder of `datei`, "." for a bare name.
std::string Ordner(const std::string& datei) {
    const std::string ordner = std::filesystem::path(datei).parent_path().string();
    return ordner.empty() ? "." : ordner;
}

}  // namespace

Zellformat Dezimalformat(int stellen) {
    return static_cast<Zellformat>(static_cast<int>(Zellformat::Dezimal0) +
                                   std::clamp(stellen, 0, 4));
}

Mappenschreiber::Mappenschreiber(const std::string& datei, std::string name, long zeilen)
    : zwischenordner_(Ordner(datei)),
      name_(std::move(name)),
      zeilenGrenze_(std::min(zeilen, Blattzeilen)) {
    lxw_workbook_options optionen{};
    optionen.constant_memory = LXW_TRUE;
    // A sheet of a million rows of our columns is some ten gigabytes of XML,
    // more than the plain zip format can hold; a reader that knows the
    // format knows the extension too.
    optionen.use_zip64 = LXW_TRUE;
    optionen.tmpdir = zwischenordner_.data();
    mappe_ = workbook_new_opt(datei.c_str(), &optionen);
    if (mappe_ == nullptr) {
        Gescheitert(LXW_ERROR_MEMORY_MALLOC_FAILED);
    }
    fett_ = workbook_add_format(mappe_);
    format_set_bold(fett_);
    for (const char* zahlformat : Zahlformate) {
        lxw_format* format = nullptr;
        if (zahlformat != nullptr) {
            format = workbook_add_format(mappe_);
            format_set_num_format(format, zahlformat);
        }
        formate_.push_back(format);
    }
}

Mappenschreiber::~Mappenschreiber() {
    if (mappe_ != nullptr) {
        lxw_workbook_free(mappe_);
    }
}

void Mappenschreiber::Gescheitert(int fehler) const {
    throw Abbruch(name_ + ": Schreiben nicht möglich – " +
                  Grund(static_cast<lxw_error>(fehler), errno));
}

void Mappenschreiber::Pruefen(int fehler) const {
    if (fehler != LXW_NO_ERROR) {
        Gescheitert(fehler);
    }
}

void Mappenschreiber::Blatt(const std::string& name, std::vector<std::string> spalten) {
    BlattAbschliessen();
    errno = 0;
    blatt_ = workbook_add_worksheet(mappe_, name.c_str());
    if (blatt_ == nullptr) {  // its temporary file could not be created
        Gescheitert(LXW_ERROR_CREATING_TMPFILE);
    }
    // Some ten kilobytes of XML a row: in pieces of the stream's default
    // page size the system calls cost more than the writing.
    if (blatt_->optimize_tmpfile != nullptr) {
        puffer_.push_back(std::make_unique_for_overwrite<char[]>(Zwischenpuffer));
        (void)std::setvbuf(blatt_->optimize_tmpfile, puffer_.back().get(), _IOFBF, Zwischenpuffer);
    }
    spalten_ = std::move(spalten);
    arten_.assign(spalten_.size(), Spaltenart::Offen);
    werte_.assign(spalten_.size(), std::nullopt);
    zeile_ = 0;
    spalte_ = 0;
    for (std::size_t i = 0; i < spalten_.size(); ++i) {
        Pruefen(worksheet_write_string(blatt_, 0, static_cast<lxw_col_t>(i),
                                       Zelltext(spalten_[i]).c_str(), fett_));
    }
    worksheet_freeze_panes(blatt_, 1, 0);
    zeile_ = 1;
}

std::uint16_t Mappenschreiber::Zelle(Spaltenart art) {
    if (spalte_ == 0 && zeile_ >= zeilenGrenze_) {
        throw Abbruch(name_ + ": mehr als " + FormatGanzzahl(zeilenGrenze_ - 1) +
                      " Zeilen passen nicht in ein Tabellenblatt – bitte als CSV ausgeben");
    }
    if (blatt_ == nullptr || spalte_ >= spalten_.size()) {
        throw std::logic_error("Mappenschreiber: Zelle ohne Blatt oder Spalte");
    }
    if (zeile_ == 1) {
        arten_[spalte_] = art;
    }
    return spalte_++;
}

void Mappenschreiber::Text(std::string_view utf8) {
    const std::uint16_t spalte = Zelle(Spaltenart::Text);
    werte_[spalte].reset();
    if (!utf8.empty()) {
        Pruefen(worksheet_write_string(blatt_, zeile_, spalte, Zelltext(utf8).c_str(), nullptr));
    }
}

void Mappenschreiber::Zahl(double wert, Zellformat format) {
    const std::uint16_t spalte =
        Zelle(format == Zellformat::Tausender2 ? Spaltenart::Betrag : Spaltenart::Zahl);
    werte_[spalte] = wert;
    Pruefen(worksheet_write_number(blatt_, zeile_, spalte, wert,
                                   formate_[static_cast<std::size_t>(format)]));
}

void Mappenschreiber::Zeilenende() {
    spalte_ = 0;
    ++zeile_;
}

std::optional<double> Mappenschreiber::Zahlwert(std::size_t spalte) const {
    return spalte < werte_.size() ? werte_[spalte] : std::nullopt;
}

void Mappenschreiber::BlattAbschliessen() {
    if (blatt_ == nullptr || spalten_.empty()) {
        return;
    }
    // The library writes a row into its temporary file when the next one
    // begins and ignores a failure there, which would leave a sheet cut
    // short in a file said to be complete: the last row is sent after the
    // others here, and the file asked whether all arrived.
    lxw_worksheet_write_single_row(blatt_);
    errno = 0;
    if (blatt_->optimize_tmpfile != nullptr && (std::fflush(blatt_->optimize_tmpfile) != 0 ||
                                                std::ferror(blatt_->optimize_tmpfile) != 0)) {
        throw Abbruch(name_ + ": Schreiben nicht möglich – Zwischendatei der Tabelle: " +
                      (errno != 0 ? Fehlertext(errno) : "unvollständig geschrieben"));
    }
    const auto letzte = static_cast<lxw_col_t>(spalten_.size() - 1);
    worksheet_autofilter(blatt_, 0, 0, zeile_ - 1, letzte);
    for (std::size_t i = 0; i < spalten_.size(); ++i) {
        // Wide enough for the bold name and the filter's button, and for
        // what the column holds: names more than amounts, amounts more than
        // years and switches.
        const double inhalt = arten_[i] == Spaltenart::Text     ? 24
                              : arten_[i] == Spaltenart::Betrag ? 12
                                                                : 8;
        const double breite =
            std::min(60.0, std::max(inhalt, static_cast<double>(Zeichenzahl(spalten_[i])) + 4));
        worksheet_set_column(blatt_, static_cast<lxw_col_t>(i), static_cast<lxw_col_t>(i), breite,
                             nullptr);
    }
}

void Mappenschreiber::Schliessen() {
    BlattAbschliessen();
    lxw_error fehler = LXW_NO_ERROR;
    int fehlerNr = 0;
    {
        const Stumm stumm;
        errno = 0;
        // The library frees the workbook whether it succeeds or not.
        fehler = workbook_close(mappe_);
        fehlerNr = errno;
    }
    mappe_ = nullptr;
    errno = fehlerNr;
    Pruefen(fehler);
}

}  // namespace lohnwippe::rechner
