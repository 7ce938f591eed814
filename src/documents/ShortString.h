#pragma once
// A string of at most N single-byte characters as stored in records and
// files: one length byte, then N bytes. The length byte may come from a
// damaged file, so every read clamps it to N.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

template <std::size_t N>
struct ShortString {
    static_assert(N >= 1 && N <= 255, "the length must fit its byte");

    uint8_t len = 0;
    char chars[N] = {};

    std::size_t Length() const { return len <= N ? len : N; }
    bool Empty() const { return Length() == 0; }
    std::string Get() const { return std::string(chars, Length()); }
    // Longer text is cut to N bytes; the unused tail is zeroed so records
    // write out clean.
    void Set(std::string_view text) {
        const std::size_t n = text.size() < N ? text.size() : N;
        if (n != 0) std::memcpy(chars, text.data(), n);
        std::memset(chars + n, 0, N - n);
        len = static_cast<uint8_t>(n);
    }
    void Clear() { Set({}); }

    friend bool operator==(const ShortString& a, const ShortString& b) { return a.Get() == b.Get(); }
};
