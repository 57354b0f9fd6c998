// Replays the corpus of a fuzz target in the normal builds: every file of
// the given folders (and every file given by name) goes once through
// LLVMFuzzerTestOneInput. A broken property aborts; a folder without any
// file fails too, so that a lost corpus does not pass as a green test.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "Fuzzhilfen.h"

namespace {

std::vector<std::uint8_t> Einlesen(const std::filesystem::path& datei) {
    std::ifstream strom(datei, std::ios::binary);
    return {std::istreambuf_iterator<char>(strom), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> dateien;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path pfad(argv[i]);
        if (std::filesystem::is_directory(pfad)) {
            for (const auto& eintrag : std::filesystem::directory_iterator(pfad)) {
                if (eintrag.is_regular_file()) {
                    dateien.push_back(eintrag.path());
                }
            }
        } else if (std::filesystem::is_regular_file(pfad)) {
            dateien.push_back(pfad);
        } else {
            (void)std::fprintf(stderr, "Nicht gefunden: %s\n", argv[i]);
            return 1;
        }
    }
    if (dateien.empty()) {
        (void)std::fprintf(stderr, "Keine Eingaben zum Wiedergeben.\n");
        return 1;
    }
    // A fixed order, so that a failure shows up the same way every time.
    std::sort(dateien.begin(), dateien.end());
    for (const auto& datei : dateien) {
        const auto inhalt = Einlesen(datei);
        (void)std::fprintf(stderr, "%s\n", datei.filename().c_str());
        LLVMFuzzerTestOneInput(inhalt.data(), inhalt.size());
    }
    (void)std::printf("%zu Eingaben wiedergegeben\n", dateien.size());
    return 0;
}
