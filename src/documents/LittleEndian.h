#pragma once
// An integer field of an on-disk record: little-endian bytes with no
// alignment, so records need no packing and no reference to a field can be
// misaligned. Reads and writes go through the value type.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <type_traits>

template <typename T>
struct LittleEndian {
    static_assert(std::is_integral_v<T>);
    using Unsigned = std::make_unsigned_t<T>;

    uint8_t bytes[sizeof(T)] = {};

    LittleEndian() = default;
    LittleEndian(T value) { *this = value; }  // NOLINT: reads like the plain integer

    LittleEndian& operator=(T value) {
        Unsigned u = Unsigned(value);
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            bytes[i] = uint8_t(u & 0xFF);
            u = Unsigned(u >> 8);
        }
        return *this;
    }

    operator T() const {
        Unsigned u = 0;
        for (std::size_t i = sizeof(T); i-- > 0;) {
            u = Unsigned((u << 8) | bytes[i]);
        }
        return T(u);
    }

    friend std::ostream& operator<<(std::ostream& out, const LittleEndian& v) { return out << +T(v); }
};

using LE16 = LittleEndian<uint16_t>;
using LE32 = LittleEndian<uint32_t>;
using LEInt32 = LittleEndian<int32_t>;
