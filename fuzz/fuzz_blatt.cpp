// Any bytes as a spreadsheet file: to be built.
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* /*daten*/, std::size_t /*groesse*/) {
    return 0;
}
