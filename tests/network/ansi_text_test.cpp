#include "network/ansi_text.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quorl {
namespace {

// Characters of a code page and their bytes (those it leaves undefined last,
// as Windows reads them), and characters it lacks.
struct CodePageCase {
    CodePage codePage;
    std::u16string characters;
    std::string bytes;
    std::u16string lacking;
    friend void PrintTo(const CodePageCase& c, std::ostream* out) { *out << c.codePage.number; }
};

class AnsiTextTest : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(AnsiTextTest, ConvertsEachCharacterToOneByteAndBack) {
    const CodePageCase& page = GetParam();
    EXPECT_EQ(ToAnsi(page.characters, page.codePage), page.bytes);
    EXPECT_EQ(FromAnsi(page.bytes, page.codePage), page.characters);
    EXPECT_EQ(ToAnsi(u"", page.codePage), "");
    // A NUL inside a text is a character like any other.
    EXPECT_EQ(ToAnsi(std::u16string(u"a\0b", 3), page.codePage), std::string("a\0b", 3));
}

TEST_P(AnsiTextTest, WritesAQuestionMarkForCharactersTheCodePageLacks) {
    const CodePageCase& page = GetParam();
    EXPECT_EQ(ToAnsi(page.lacking, page.codePage), std::string(page.lacking.size(), '?'));
    // Each half of a surrogate pair.
    EXPECT_EQ(ToAnsi(u"\U0001F600", page.codePage), "??");
}

TEST_P(AnsiTextTest, RoundTripsEveryByte) {
    std::string every(256, '\0');
    for (int value = 0; value < 256; ++value) {
        every[value] = static_cast<char>(value);
    }
    EXPECT_EQ(ToAnsi(FromAnsi(every, GetParam().codePage), GetParam().codePage), every);
}

// Lacking: Cyrillic, CJK and a C1 control that 1252 gives another meaning;
// Latin-1 letters of bytes that mean others; in 1258, which keeps letters and
// tone marks apart, a letter with both.
const CodePageCase kCodePages[] = {
    {{1252},
     u"Echo This éÿ\u00a0€™Ÿž\u0081\u009d",
     "Echo This \xe9\xff\xa0\x80\x99\x9f\x9e\x81\x9d",
     u"Ж中\u0080"},
    {{1251}, u"ПриветЁё€\u0098", "\xcf\xf0\xe8\xe2\xe5\xf2\xa8\xb8\x88\x98", u"éüα中"},
    {{1253}, u"ΓειάΆ€\u0081\uf8f9\uf8fa\uf8fb", "\xc3\xe5\xe9\xdc\xa2\x80\x81\xaa\xd2\xff", u"Жéª"},
    {{1258}, u"Ăơư\u0300₫À\u0081", "\xc3\xf5\xfd\xcc\xfe\xc0\x81", u"ế"},
};
INSTANTIATE_TEST_SUITE_P(CodePages, AnsiTextTest, ::testing::ValuesIn(kCodePages));

// The locale the program runs in, as the C library and Wine read it.
std::string_view RunningLocale() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        if (const char* value = std::getenv(variable); value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "C";
}

// The running program's code page follows its locale: as this build reads it
// on Linux, as Wine gives it GetACP under Wine (932, Japanese, is multi-byte).
TEST(ProcessCodePage, FollowsTheLocaleTheProgramStartedIn) {
    const std::pair<std::string_view, unsigned> kLocales[] = {
        {"ru_RU.UTF-8", 1251}, {"el_GR.UTF-8", 1253}, {"ja_JP.UTF-8", 1252}, {"C.UTF-8", 1252}};
    for (const auto& [locale, codePage] : kLocales) {
        if (RunningLocale() == locale) {
            EXPECT_EQ(ProcessCodePage().number, codePage);
            EXPECT_EQ(FromAnsi(ToAnsi(u"Привет")), codePage == 1251 ? u"Привет" : u"??????");
            return;
        }
    }
    GTEST_SKIP() << "runs in ru_RU.UTF-8, el_GR.UTF-8, ja_JP.UTF-8 and C.UTF-8 only";
}

}  // namespace
}  // namespace quorl
