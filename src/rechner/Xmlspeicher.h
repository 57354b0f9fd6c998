#pragma once

#include <expat.h>

#include <cstddef>

namespace lohnwippe::rechner {

// What expat may allocate, all parsers together: expat holds a whole start
// tag with its attributes in memory before it reports it, and a crafted
// entry of one endless tag would take all memory. Beyond the limit an
// allocation fails, which expat reports as XML_ERROR_NO_MEMORY.
inline constexpr std::size_t HoechstXmlSpeicher = std::size_t{32} << 20;
extern const XML_Memory_Handling_Suite Xmlspeicher;

}  // namespace lohnwippe::rechner
