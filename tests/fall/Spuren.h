#pragma once

// Characterisation traces: seeded sequences of user actions, each followed
// by what the program left behind (both data files, the figures on screen,
// the messages), recorded once from the window and kept as test data. The
// window and the case model replay them and must leave the same behind.
//
// A trace file holds one step per two lines:
//   > action<TAB>argument<TAB>...
//   < sv=HASH u12=HASH anzeige=HASH fenster=HASH meldungen=N:HASH
// Hashes are FNV-1a over the bytes (files) or over the texts in the order
// the recorder wrote them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lohnwippe::test {

class Fnv {
  public:
    void Bytes(const void* daten, std::size_t anzahl) {
        const auto* p = static_cast<const unsigned char*>(daten);
        for (std::size_t i = 0; i < anzahl; ++i) {
            wert_ = (wert_ ^ p[i]) * 0x100000001b3ULL;
        }
    }
    // A text and an end mark, so that "ab","c" and "a","bc" differ.
    void Text(std::string_view text) {
        Bytes(text.data(), text.size());
        const char ende = '\x1f';
        Bytes(&ende, 1);
    }
    std::string Hex() const {
        static const char* ziffern = "0123456789abcdef";
        std::string text(16, '0');
        for (int i = 0; i < 16; ++i) {
            text[static_cast<std::size_t>(15 - i)] = ziffern[(wert_ >> (4 * i)) & 0xf];
        }
        return text;
    }

  private:
    std::uint64_t wert_ = 0xcbf29ce484222325ULL;
};

inline std::string DateiHash(const std::filesystem::path& pfad) {
    std::ifstream strom(pfad, std::ios::binary);
    const std::string inhalt{std::istreambuf_iterator<char>(strom), {}};
    Fnv fnv;
    fnv.Bytes(inhalt.data(), inhalt.size());
    return fnv.Hex() + ":" + std::to_string(inhalt.size());
}

struct Schritt {
    std::vector<std::string> Aktion;
    // "sv" -> hash and so on, as recorded.
    std::map<std::string, std::string> Erwartet;
};

// Every field, empty ones at the end included.
inline std::vector<std::string> Zerlegen(const std::string& zeile, char trenner) {
    std::vector<std::string> teile(1);
    for (const char zeichen : zeile) {
        if (zeichen == trenner) {
            teile.emplace_back();
        } else {
            teile.back() += zeichen;
        }
    }
    return teile;
}

inline std::vector<Schritt> SpurLesen(const std::filesystem::path& pfad) {
    std::vector<Schritt> schritte;
    std::ifstream strom(pfad);
    std::string zeile;
    while (std::getline(strom, zeile)) {
        if (zeile.rfind("> ", 0) == 0) {
            schritte.push_back({Zerlegen(zeile.substr(2), '\t'), {}});
        } else if (zeile.rfind("< ", 0) == 0 && !schritte.empty()) {
            for (const std::string& paar : Zerlegen(zeile.substr(2), ' ')) {
                const auto gleich = paar.find('=');
                if (gleich != std::string::npos) {
                    schritte.back().Erwartet[paar.substr(0, gleich)] = paar.substr(gleich + 1);
                }
            }
        }
    }
    return schritte;
}

inline std::vector<std::filesystem::path> Spurdateien() {
    std::vector<std::filesystem::path> dateien;
    for (const auto& eintrag : std::filesystem::directory_iterator(LOHNWIPPE_SPUREN)) {
        if (eintrag.path().extension() == ".spur") {
            dateien.push_back(eintrag.path());
        }
    }
    std::sort(dateien.begin(), dateien.end());
    return dateien;
}

// Plays every trace from a fresh start (`neu`): each action (`tun`), then
// what it left behind (`zustand`, with the files' hashes added here) must be
// what was recorded, for every name the recording has and `zustand` gives.
inline void SpurenAbspielen(const std::function<void()>& neu,
                            const std::function<void(const std::vector<std::string>&)>& tun,
                            const std::function<std::map<std::string, std::string>()>& zustand) {
    const auto dateien = Spurdateien();
    ASSERT_FALSE(dateien.empty());
    for (const std::filesystem::path& datei : dateien) {
        neu();
        int nr = 0;
        for (const Schritt& schritt : SpurLesen(datei)) {
            ++nr;
            tun(schritt.Aktion);
            auto ist = zustand();
            ist["sv"] = DateiHash("SV.dat");
            ist["u12"] = DateiHash("U12.dat");
            for (const auto& [name, wert] : ist) {
                ASSERT_EQ(wert, schritt.Erwartet.at(name))
                    << datei.filename() << ", Schritt " << nr << " (" << schritt.Aktion.at(0)
                    << "): " << name;
            }
        }
    }
}

}  // namespace lohnwippe::test
