#pragma once

// Little-endian access to record buffers, one byte at a time, so that the
// file layout does not depend on the machine's byte order or struct padding.
// Internal to the store.

#include <cstddef>
#include <cstdint>
#include <span>

namespace lohnwippe::bytefolge {

inline void Int16Schreiben(std::span<std::byte> puffer, std::size_t offset, std::int16_t wert) {
    const auto u = static_cast<std::uint16_t>(wert);
    puffer[offset] = static_cast<std::byte>(u & 0xFF);
    puffer[offset + 1] = static_cast<std::byte>(u >> 8);
}

inline std::int16_t Int16Lesen(std::span<const std::byte> puffer, std::size_t offset) {
    const auto u = static_cast<std::uint16_t>(std::to_integer<unsigned>(puffer[offset]) |
                                              std::to_integer<unsigned>(puffer[offset + 1]) << 8);
    return static_cast<std::int16_t>(u);
}

inline void Int64Schreiben(std::span<std::byte> puffer, std::size_t offset, std::int64_t wert) {
    auto u = static_cast<std::uint64_t>(wert);
    for (std::size_t i = 0; i < 8; ++i, u >>= 8) {
        puffer[offset + i] = static_cast<std::byte>(u & 0xFF);
    }
}

inline std::int64_t Int64Lesen(std::span<const std::byte> puffer, std::size_t offset) {
    std::uint64_t u = 0;
    for (std::size_t i = 8; i-- > 0;) {
        u = (u << 8) | std::to_integer<std::uint64_t>(puffer[offset + i]);
    }
    return static_cast<std::int64_t>(u);
}

// Record `index` (from 0) of a buffer of consecutive records.
template <std::size_t Laenge>
std::span<std::byte, Laenge> Satzbereich(std::span<std::byte> puffer, int index) {
    return puffer.subspan(static_cast<std::size_t>(index) * Laenge).first<Laenge>();
}

}  // namespace lohnwippe::bytefolge
