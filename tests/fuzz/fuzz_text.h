#pragma once
// Fuzz input as text: UTF-8 where the bytes form it (so the fuzzer can reach
// any character while ASCII stays readable in the corpus), each other byte as
// the character of that value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

namespace fuzz {

inline std::wstring Text(const std::uint8_t* data, std::size_t size) {
    std::wstring out;
    for (std::size_t i = 0; i < size;) {
        const std::uint8_t b = data[i];
        const std::size_t n = b >= 0xF0 && b < 0xF5 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 1;
        char32_t c = n == 4 ? b & 0x07u : n == 3 ? b & 0x0Fu : n == 2 ? b & 0x1Fu : b;
        bool ok = n > 1 && i + n <= size;
        for (std::size_t k = 1; ok && k < n; ++k) {
            ok = (data[i + k] & 0xC0) == 0x80;
            c = (c << 6) | (data[i + k] & 0x3Fu);
        }
        if (n > 1 && ok && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF)) {
            out += static_cast<wchar_t>(c);
            i += n;
        } else {
            out += static_cast<wchar_t>(b);
            i += 1;
        }
    }
    return out;
}

// A broken promise of the code under test: reported, then a crash the fuzzer keeps.
[[noreturn]] inline void Broken(const char* what) {
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

}  // namespace fuzz
