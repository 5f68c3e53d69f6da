#include "base/Cp1250.h"

#include "base/Besedilo.h"

#include <array>
#include <cstdint>

namespace orv {

namespace {

// The characters of the bytes 0x80 to 0xFF; 0 where the code page assigns none.
constexpr std::array<char32_t, 128> kUpper = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021, 0x0000, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

char byteOf(char32_t character) {
    if (character < 0x80) return static_cast<char>(character);
    for (size_t i = 0; i < kUpper.size(); ++i)
        if (kUpper[i] == character && character != 0) return static_cast<char>(0x80 + i);
    return 0;
}

// Decodes one UTF-8 character at `at`; returns its length, or 0 when the bytes are not valid.
size_t decode(std::string_view text, size_t at, char32_t& character) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[at + i]); };
    const uint8_t first = byte(0);
    size_t length = 0;
    if (first < 0x80) {
        character = first;
        return 1;
    }
    if ((first & 0xE0) == 0xC0) {
        length = 2;
        character = first & 0x1F;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3;
        character = first & 0x0F;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4;
        character = first & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        character = (character << 6) | (byte(i) & 0x3F);
    }
    return length;
}

} // namespace

std::string vCp1250(std::string_view utf8, int* replaced) {
    std::string out;
    out.reserve(utf8.size());
    size_t at = 0;
    while (at < utf8.size()) {
        char32_t character = 0;
        const size_t length = decode(utf8, at, character);
        // A byte that starts no valid character is replaced like a character the code page
        // lacks; only a real NUL character stays a zero byte.
        const char byte = length ? byteOf(character) : 0;
        if (length == 0 || (byte == 0 && character != 0)) {
            out += '?';
            if (replaced) ++*replaced;
        } else {
            out += byte;
        }
        at += length ? length : 1;
    }
    return out;
}

std::string izCp1250(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            const char32_t character = kUpper[byte - 0x80];
            appendUtf8(out, character ? character : U'\uFFFD');
        }
    }
    return out;
}

} // namespace orv
