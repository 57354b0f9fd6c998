#include "rechner/Xmlspeicher.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace lohnwippe::rechner {
namespace {

// Each block carries its size in front, so that freeing can count it back.
constexpr std::size_t Kopf = alignof(std::max_align_t);
std::atomic<std::size_t> xmlSpeicher{0};

void* XmlHolen(std::size_t groesse) {
    if (groesse > HoechstXmlSpeicher ||
        xmlSpeicher.fetch_add(groesse) + groesse > HoechstXmlSpeicher) {
        if (groesse <= HoechstXmlSpeicher) {
            xmlSpeicher.fetch_sub(groesse);
        }
        return nullptr;
    }
    // NOLINTNEXTLINE(cppcoreguidelines-no-malloc): expat frees with the suite's free
    auto* block = static_cast<char*>(std::malloc(groesse + Kopf));
    if (block == nullptr) {
        xmlSpeicher.fetch_sub(groesse);
        return nullptr;
    }
    std::memcpy(block, &groesse, sizeof groesse);
    return block + Kopf;
}

void XmlFreigeben(void* zeiger) {
    if (zeiger == nullptr) {
        return;
    }
    char* block = static_cast<char*>(zeiger) - Kopf;
    std::size_t groesse = 0;
    std::memcpy(&groesse, block, sizeof groesse);
    xmlSpeicher.fetch_sub(groesse);
    // NOLINTNEXTLINE(cppcoreguidelines-no-malloc)
    std::free(block);
}

void* XmlNeuHolen(void* zeiger, std::size_t groesse) {
    if (zeiger == nullptr) {
        return XmlHolen(groesse);
    }
    std::size_t alt = 0;
    std::memcpy(&alt, static_cast<char*>(zeiger) - Kopf, sizeof alt);
    void* neu = XmlHolen(groesse);
    if (neu != nullptr) {
        std::memcpy(neu, zeiger, std::min(alt, groesse));
        XmlFreigeben(zeiger);
    }
    return neu;
}

}  // namespace

const XML_Memory_Handling_Suite Xmlspeicher{&XmlHolen, &XmlNeuHolen, &XmlFreigeben};

}  // namespace lohnwippe::rechner
