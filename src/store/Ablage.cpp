#include "store/Ablage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "store/Einsetzen.h"

namespace lohnwippe {

namespace {

using Fehlerart = DateiFehler::Fehlerart;

// The length of what the name leads to now; none when nothing does.
Erwartet<std::optional<std::uint64_t>> LaengeUnterDemNamen(const std::string& name) {
    struct stat angaben {};
    if (::stat(name.c_str(), &angaben) != 0) {
        if (errno == ENOENT) {
            return std::optional<std::uint64_t>();
        }
        return DateiFehler{.Art = Fehlerart::Zugriff, .Datei = name, .FehlerNr = errno};
    }
    return std::optional<std::uint64_t>(static_cast<std::uint64_t>(angaben.st_size));
}

}  // namespace

Ablage::Ablage(std::unique_ptr<Datei> datei, std::size_t satzlaenge, int anzahlSaetze,
               int hoechsteNr)
    : datei_(std::move(datei)),
      satzlaenge_(satzlaenge),
      anzahl_(anzahlSaetze),
      hoechsteNr_(hoechsteNr) {}

bool Ablage::Enthaelt(int ersterSatz, int anzahl) const {
    // Written so that no sum can overflow, whatever number comes in.
    return ersterSatz >= 1 && anzahl >= 1 && ersterSatz <= hoechsteNr_ - anzahl + 1;
}

DateiFehler Ablage::MitSatz(DateiFehler fehler) const {
    fehler.Satz = static_cast<long>(fehler.Position / satzlaenge_ + 1);
    return fehler;
}

Erwartet<void> Ablage::Laden() {
    std::vector<std::byte> bild(static_cast<std::size_t>(Soll()));
    auto gelesen = datei_->Lesen(0, bild);
    if (!gelesen.HatWert()) {
        return MitSatz(gelesen.Fehler());
    }
    auto laenge = datei_->Laenge();
    if (!laenge.HatWert()) {
        return laenge.Fehler();
    }
    bild_ = std::move(bild);
    laenge_ = laenge.Wert();
    ungleich_.clear();
    geladen_ = true;
    return {};
}

Erwartet<void> Ablage::Pruefen() {
    if (fremd_) {
        return {};
    }
    auto pruefung = datei_->Pruefen();
    if (!pruefung.HatWert()) {
        return pruefung.Fehler();
    }
    beschrieben_ = false;
    // Loaded from the open file, which is the program's version even when
    // another one now lies under the name.
    if (!geladen_) {
        if (auto geladen = Laden(); !geladen.HatWert()) {
            return geladen;
        }
    }
    if (pruefung.Wert() == Datei::Pruefung::Geloescht) {
        // The open file is no longer the program's version; the image is.
        ungleich_.clear();
        laenge_ = bild_.size();
        return datei_->Neuanlegen(bild_);
    }
    // A file that holds the program's bytes (only its time touched, or the
    // same bytes renamed over it) is no other version to ask about.
    fremd_ = pruefung.Wert() == Datei::Pruefung::Fremd &&
             !(GleicherInhalt() && datei_->Annehmen().HatWert());
    return {};
}

bool Ablage::GleicherInhalt() const {
    auto datei = Deskriptor::DateiOeffnen(Name(), O_RDONLY);
    if (!datei.HatWert()) {
        return false;
    }
    auto laenge = datei.Wert().Laenge();
    if (!laenge.HatWert() || laenge.Wert() != laenge_) {
        return false;
    }
    std::vector<std::byte> inhalt(std::min<std::size_t>(laenge_, bild_.size()));
    auto gelesen = datei.Wert().Lesen(0, inhalt);
    return gelesen.HatWert() && gelesen.Wert() == inhalt.size() &&
           std::equal(inhalt.begin(), inhalt.end(), bild_.begin());
}

Erwartet<std::string> Ablage::Beiseitelegen(const std::string& stempel) {
    if (beiseite_.empty()) {
        beiseite_ = FreierName(stempel);
    }
    auto kopie =
        Einsetzen(beiseite_, {.Fuellen = [this](Deskriptor& d) { return d.Schreiben(0, bild_); },
                              .Vorher = nullptr,
                              .Ersetzen = true});
    if (!kopie.HatWert()) {
        return kopie.Fehler();
    }
    return beiseite_;
}

Erwartet<void> Ablage::Lesen(int ersterSatz, int anzahl, std::span<std::byte> ziel) {
    if (!Enthaelt(ersterSatz, anzahl)) {
        return DateiFehler{.Art = Fehlerart::Satznummer, .Datei = Name(), .Wert = ersterSatz};
    }
    // Served from the image, the program's own version: a file another
    // program put under the name is never read. Whether there is one, the
    // next write and the end of every step find out.
    if (!geladen_) {
        if (auto geprueft = Pruefen(); !geprueft.HatWert()) {
            return geprueft;
        }
    }
    const std::size_t ab = satzlaenge_ * static_cast<std::size_t>(ersterSatz - 1);
    const std::size_t da = ab < bild_.size() ? std::min(ziel.size(), bild_.size() - ab) : 0;
    std::copy_n(bild_.begin() + static_cast<std::ptrdiff_t>(std::min(ab, bild_.size())), da,
                ziel.begin());
    std::fill(ziel.begin() + static_cast<std::ptrdiff_t>(da), ziel.end(), std::byte{0});
    return {};
}

Erwartet<void> Ablage::Schreiben(int ersterSatz, int anzahl, std::span<const std::byte> quelle) {
    if (!Enthaelt(ersterSatz, anzahl)) {
        return DateiFehler{.Art = Fehlerart::Satznummer, .Datei = Name(), .Wert = ersterSatz};
    }
    if (auto geprueft = Pruefen(); !geprueft.HatWert()) {
        return geprueft;
    }
    const std::size_t ab = satzlaenge_ * static_cast<std::size_t>(ersterSatz - 1);
    if (bild_.size() < ab + quelle.size()) {
        bild_.resize(ab + quelle.size());
    }
    if (!fremd_) {
        // What an earlier failure left owed goes first, unless this write
        // covers it; if it fails again, it stays owed, and this write may
        // still go through.
        std::erase_if(ungleich_, [&](const auto& strecke) {
            return strecke.first >= ab && strecke.second <= ab + quelle.size();
        });
        (void)Angleichen();
        beschrieben_ = true;
        if (auto geschrieben = datei_->Schreiben(ab, quelle); !geschrieben.HatWert()) {
            // The bytes up to where writing stopped went through: the
            // image, still the state before, goes back over them.
            const std::uint64_t bis =
                std::clamp<std::uint64_t>(geschrieben.Fehler().Position, ab, ab + quelle.size());
            if (bis > ab) {
                ungleich_.emplace_back(ab, bis);
                (void)Angleichen();
            }
            return MitSatz(geschrieben.Fehler());
        }
    }
    if (vorgemerkt_ != nullptr) {
        vorgemerkt_->push_back(
            {this, ab,
             std::vector<std::byte>(
                 bild_.begin() + static_cast<std::ptrdiff_t>(ab),
                 bild_.begin() + static_cast<std::ptrdiff_t>(ab + quelle.size())),
             laenge_});
    }
    laenge_ = std::max<std::uint64_t>(laenge_, ab + quelle.size());
    if (mitschrift_ != nullptr) {
        // Compared before the image takes the new bytes: only records that
        // change are recorded.
        for (std::size_t i = 0; i < quelle.size(); i += satzlaenge_) {
            const auto nachher = quelle.subspan(i, std::min(satzlaenge_, quelle.size() - i));
            const auto vorher = bild_.begin() + static_cast<std::ptrdiff_t>(ab + i);
            const int satzNr = ersterSatz + static_cast<int>(i / satzlaenge_);
            // memcmp: a comparison of std::byte elements goes one by one.
            if (satzNr != ausser_ && std::memcmp(nachher.data(), &*vorher, nachher.size()) != 0) {
                mitschrift_->push_back(
                    {art_, satzNr,
                     std::vector<std::byte>(vorher,
                                            vorher + static_cast<std::ptrdiff_t>(nachher.size())),
                     std::vector<std::byte>(nachher.begin(), nachher.end())});
            }
        }
    }
    std::copy(quelle.begin(), quelle.end(), bild_.begin() + static_cast<std::ptrdiff_t>(ab));
    return {};
}

Erwartet<void> Ablage::Bildschreiben(std::uint64_t ab, std::uint64_t bis) {
    const std::uint64_t ende = std::min(bis, laenge_);
    if (ab < ende) {
        const auto bytes = std::span<const std::byte>(bild_).subspan(
            static_cast<std::size_t>(ab), static_cast<std::size_t>(ende - ab));
        beschrieben_ = true;
        if (auto geschrieben = datei_->Schreiben(ab, bytes); !geschrieben.HatWert()) {
            return MitSatz(geschrieben.Fehler());
        }
    }
    // Bytes a failed write added beyond the file's end go again.
    return bis > laenge_ ? datei_->Kuerzen(laenge_) : Erwartet<void>();
}

Erwartet<void> Ablage::Angleichen() {
    // Not in a file another program put under the name: it is not ours.
    while (!fremd_ && !ungleich_.empty()) {
        const auto [ab, bis] = ungleich_.back();
        if (auto geschrieben = Bildschreiben(ab, bis); !geschrieben.HatWert()) {
            return geschrieben;
        }
        ungleich_.pop_back();
    }
    return {};
}

Erwartet<void> Ablage::Zuruecklegen(const Altstand& alt) {
    std::copy(alt.Bytes.begin(), alt.Bytes.end(),
              bild_.begin() + static_cast<std::ptrdiff_t>(alt.Ab));
    if (fremd_) {
        return {};
    }
    laenge_ = alt.Laenge;
    ungleich_.emplace_back(alt.Ab, alt.Ab + alt.Bytes.size());
    return Angleichen();
}

Erwartet<void> Ablage::Kuerzen(std::uint64_t laenge) {
    geladen_ = false;
    ungleich_.clear();
    return datei_->Kuerzen(laenge);
}

std::string Ablage::FreierName(const std::string& stempel) const {
    const std::string grund = Name() + ".ersetzt-" + stempel;
    std::string name = grund;
    struct stat angaben {};
    for (int nr = 2; ::lstat(name.c_str(), &angaben) == 0; ++nr) {
        name = grund + "-" + std::to_string(nr);
    }
    return name;
}

Erwartet<Ablage::Entscheidung> Ablage::Entscheiden(bool uebernehmen, const std::string& stempel) {
    Entscheidung entscheidung{"", false, std::nullopt};
    auto laenge = LaengeUnterDemNamen(Name());
    if (!laenge.HatWert()) {
        return laenge.Fehler();
    }
    if (uebernehmen && laenge.Wert() && *laenge.Wert() >= Soll()) {
        // The program's version first, as it stands now, so that nothing the
        // user entered is ever only in memory.
        auto beiseite = Beiseitelegen(stempel);
        if (!beiseite.HatWert()) {
            return beiseite.Fehler();
        }
        if (auto uebernommen = datei_->Uebernehmen(); !uebernommen.HatWert()) {
            return uebernommen.Fehler();
        }
        fremd_ = false;
        ungleich_.clear();
        entscheidung.Beiseite = std::exchange(beiseite_, "");
        entscheidung.Uebernommen = true;
        if (auto geladen = Laden(); !geladen.HatWert()) {
            return geladen.Fehler();
        }
        return entscheidung;
    }
    if (uebernehmen && laenge.Wert()) {
        entscheidung.Unvollstaendig = *laenge.Wert();
    }
    if (laenge.Wert()) {
        // Nothing to keep where the name leads nowhere.
        entscheidung.Beiseite = FreierName(stempel);
    }
    if (auto behalten = datei_->Behalten(bild_, entscheidung.Beiseite); !behalten.HatWert()) {
        return behalten.Fehler();
    }
    // The file under the name is the image now, whole; the copy made
    // while asking says nothing more.
    fremd_ = false;
    ungleich_.clear();
    laenge_ = bild_.size();
    if (!beiseite_.empty()) {
        ::unlink(std::exchange(beiseite_, "").c_str());
    }
    return entscheidung;
}

}  // namespace lohnwippe
