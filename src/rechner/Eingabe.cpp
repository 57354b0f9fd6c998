#include "rechner/Eingabe.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <utility>

#include "calc/Utf8.h"
#include "store/Cp1252.h"

namespace lohnwippe::rechner {

std::size_t DateiStrom::Lesen(char* ziel, std::size_t anzahl) {
    return OderAbbruch(datei_.Lesen(std::as_writable_bytes(std::span(ziel, anzahl))));
}

std::size_t TextStrom::Lesen(char* ziel, std::size_t anzahl) {
    if (rest_.empty()) {
        return danach_ != nullptr ? danach_->Lesen(ziel, anzahl) : 0;
    }
    const std::size_t n = std::min(anzahl, rest_.size());
    std::memcpy(ziel, rest_.data(), n);
    rest_.remove_prefix(n);
    return n;
}

std::size_t Zeichensatzstrom::Lesen(char* ziel, std::size_t anzahl) {
    while (ausAb_ == aus_.size()) {
        if (art_ == Zeichensatz::Utf8 && roh_.empty()) {
            return quelle_.Lesen(ziel, anzahl);
        }
        aus_.clear();
        ausAb_ = 0;
        const std::size_t vorher = roh_.size();
        Nachfuellen();
        if (aus_.empty() && roh_.size() == vorher) {
            return 0;
        }
    }
    const std::size_t n = std::min(anzahl, aus_.size() - ausAb_);
    std::memcpy(ziel, aus_.data() + ausAb_, n);
    ausAb_ += n;
    return n;
}

void Zeichensatzstrom::Nachfuellen() {
    std::array<char, std::size_t{64} * 1024> block{};
    const std::size_t n = quelle_.Lesen(block.data(), block.size());
    roh_.append(block.data(), n);
    if (!art_) {
        const auto hoch = std::find_if(roh_.begin(), roh_.end(),
                                       [](char c) { return static_cast<unsigned char>(c) > 127; });
        const auto stelle = static_cast<std::size_t>(hoch - roh_.begin());
        // Four bytes are the longest sequence: with fewer, wait for more.
        if (hoch == roh_.end() || (roh_.size() - stelle < 4 && n > 0)) {
            aus_.assign(roh_, 0, stelle);
            roh_.erase(0, stelle);
            return;
        }
        std::size_t pos = stelle;
        char32_t zeichen = 0;
        art_ = Utf8Lesen(roh_, pos, zeichen) ? Zeichensatz::Utf8 : Zeichensatz::Windows1252;
        if (art_ == Zeichensatz::Windows1252 && erkannt_) {
            erkannt_();
        }
    }
    aus_ = art_ == Zeichensatz::Windows1252 ? AusCp1252(roh_) : std::move(roh_);
    roh_.clear();
}

// Twice the longest line: one whole line and room to read behind it. Not
// cleared: the system hands out its pages as the lines come to need them.
Zeilenteiler::Zeilenteiler(Eingabestrom& strom)
    : strom_(strom), puffer_(std::make_unique_for_overwrite<char[]>(Puffergroesse)) {}

bool Zeilenteiler::Nachladen() {
    if (schluss_) {
        return false;
    }
    if (anfang_ > 0) {
        std::memmove(puffer_.get(), puffer_.get() + anfang_, ende_ - anfang_);
        ende_ -= anfang_;
        lfAb_ -= std::min(lfAb_, anfang_);
        anfang_ = 0;
    }
    const std::size_t n = strom_.Lesen(puffer_.get() + ende_, Puffergroesse - ende_);
    ende_ += n;
    schluss_ = n == 0;
    return n > 0;
}

std::size_t Zeilenteiler::NaechstesLf() {
    lfAb_ = std::max(lfAb_, anfang_);
    if (lfAb_ < ende_ && puffer_[lfAb_] != '\n') {
        const void* lf = std::memchr(puffer_.get() + lfAb_, '\n', ende_ - lfAb_);
        lfAb_ = lf != nullptr
                    ? static_cast<std::size_t>(static_cast<const char*>(lf) - puffer_.get())
                    : ende_;
    }
    return lfAb_;
}

bool Zeilenteiler::Naechste(std::string_view& zeile, bool& zuLang) {
    zuLang = false;
    if (std::exchange(nachCr_, false) && (anfang_ < ende_ || Nachladen()) &&
        puffer_[anfang_] == '\n') {
        ++anfang_;
    }
    std::size_t gesucht = anfang_;  // up to here there is no CR
    for (;;) {
        // A CR ends the line where it comes before the next LF.
        const std::size_t lf = NaechstesLf();
        const void* cr = std::memchr(puffer_.get() + gesucht, '\r', lf - gesucht);
        const std::size_t stelle =
            cr != nullptr ? static_cast<std::size_t>(static_cast<const char*>(cr) - puffer_.get())
                          : lf;
        if (stelle < ende_) {
            zeile = std::string_view(puffer_.get() + anfang_, stelle - anfang_);
            anfang_ = stelle + 1;
            nachCr_ = cr != nullptr;
            if (zeile.size() > HoechsteLaenge) {
                zuLang = true;
                zeile = {};
                ++nummer_;
                return true;
            }
            break;
        }
        if (ende_ - anfang_ > HoechsteLaenge) {
            // Dropped up to its end, however far that is.
            zuLang = true;
            anfang_ = ende_;
            while (Nachladen()) {
                const char* ende = std::find_if(puffer_.get(), puffer_.get() + ende_,
                                                [](char c) { return c == '\n' || c == '\r'; });
                anfang_ = static_cast<std::size_t>(ende - puffer_.get());
                if (anfang_ < ende_) {
                    nachCr_ = *ende == '\r';
                    ++anfang_;
                    break;
                }
            }
            zeile = {};
            ++nummer_;
            return true;
        }
        const std::size_t vorher = ende_ - anfang_;
        if (!Nachladen()) {
            if (anfang_ == ende_) {
                return false;
            }
            zeile = std::string_view(puffer_.get() + anfang_, ende_ - anfang_);
            anfang_ = ende_;
            break;
        }
        gesucht = anfang_ + vorher;
    }
    if (nummer_++ == 0 && zeile.starts_with("\xEF\xBB\xBF")) {
        zeile.remove_prefix(3);
    }
    return true;
}

bool ZeileBeginnen(Zeilenteiler& zeilen, Eingabezeile& zeile, std::string_view& text) {
    bool zuLang = false;
    if (!zeilen.Naechste(text, zuLang)) {
        return false;
    }
    zeile.Nummer = zeilen.Nummer();
    zeile.Fehler.reset();
    if (zuLang) {
        zeile.Fehler = Zeilenfehler{"", "Zeile länger als 1 MiB"};
    }
    return true;
}

}  // namespace lohnwippe::rechner
