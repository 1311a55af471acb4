#include "network/ansi_text.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

TEST(AnsiText, KeepsOneBytePerCharacter) {
    EXPECT_EQ(ToAnsi(u"Echo This"), "Echo This");
    EXPECT_EQ(ToAnsi(u""), "");
    EXPECT_EQ(FromAnsi("Echo This"), u"Echo This");
    // A NUL inside a text is a character like any other.
    EXPECT_EQ(ToAnsi(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
}

TEST(AnsiText, UsesTheWindows1252CodePage) {
    EXPECT_EQ(ToAnsi(u"\u00e9\u00ff\u00a0"), "\xe9\xff\xa0");
    EXPECT_EQ(ToAnsi(u"\u20ac\u2122\u0178\u017e"), "\x80\x99\x9f\x9e");
    EXPECT_EQ(FromAnsi("\x80\x99\x9f\x9e"), u"\u20ac\u2122\u0178\u017e");
}

TEST(AnsiText, WritesAQuestionMarkForCharactersTheCodePageLacks) {
    // Cyrillic, CJK, a C1 control the code page gives another meaning, and
    // each half of a surrogate pair.
    EXPECT_EQ(ToAnsi(u"\u0416\u4e2d\u0080"), "???");
    EXPECT_EQ(ToAnsi(u"\U0001F600"), "??");
}

TEST(AnsiText, RoundTripsEveryByte) {
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        EXPECT_EQ(ToAnsiByte(FromAnsiByte(byte)), byte) << "byte " << value;
    }
}

}  // namespace
}  // namespace quorl
