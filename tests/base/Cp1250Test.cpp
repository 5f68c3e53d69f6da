#include "base/Cp1250.h"
#include "base/Besedilo.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {
namespace {

TEST(Cp1250, EveryAssignedByteComesBackThroughUtf8) {
    int assigned = 0;
    for (int byte = 0x01; byte <= 0xFF; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const std::string utf8 = izCp1250(one);
        if (utf8 == "\xEF\xBF\xBD") continue; // unassigned
        ++assigned;
        int replaced = 0;
        EXPECT_EQ(vCp1250(utf8, &replaced), one) << "byte " << byte;
        EXPECT_EQ(replaced, 0);
    }
    EXPECT_EQ(assigned, 255 - 5);
    EXPECT_EQ(izCp1250("\x8A\x9A\xC8\xE8\x8E\x9E \x80"), "ŠšČčŽž €");
}

TEST(Cp1250, WhatCannotBeConvertedIsReplacedAndCounted) {
    // The unassigned bytes read as the replacement character, not as a character of the text.
    EXPECT_EQ(izCp1250("a\x81z\x98"), "a\xEF\xBF\xBDz\xEF\xBF\xBD");

    struct Case {
        std::string utf8;
        std::string bytes;
        int replaced;
    };
    const Case cases[] = {
        {"Čuk", "\xC8uk", 0},
        {"日本", "??", 2},                                   // characters the code page lacks
        {"x\xFFy", "x?y", 1},                                // a byte that starts no character
        {"x\x80y", "x?y", 1},                                // a continuation byte alone
        {"x\xC4", "x?", 1},                                  // a character cut off at the end
        {std::string("x\0y", 3), std::string("x\0y", 3), 0}, // a NUL is a character
    };
    for (const Case& c : cases) {
        int replaced = 0;
        EXPECT_EQ(vCp1250(c.utf8, &replaced), c.bytes) << c.utf8;
        EXPECT_EQ(replaced, c.replaced) << c.utf8;
    }
}

TEST(AppendUtf8, WritesOneToFourBytes) {
    std::string out;
    for (char32_t c : {U'A', U'č', U'€', U'\U0001F600'})
        appendUtf8(out, c);
    EXPECT_EQ(out, "Ač€\xF0\x9F\x98\x80");
}

} // namespace
} // namespace orv
