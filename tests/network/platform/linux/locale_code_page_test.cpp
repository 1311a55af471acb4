#include "network/platform/linux/locale_code_page.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quorl {
namespace {

// The ANSI code page that Wine's lookup finds for each locale in Wine 8's
// locale table, multi-byte and UTF-8 ones counting as 1252.
TEST(CodePageForLocale, IsTheSingleByteCodePageWineGivesTheLocale) {
    const std::pair<unsigned, std::string> kLocales[] = {
        {1251, "ru_RU.UTF-8 RU_ru.koi8r ru_ZZ uz_UZ.UTF-8@cyrillic"},
        {1250, "pl_PL.UTF-8 sr_RS@latin"},
        {1253, "el_GR.UTF-8"},
        {874, "th_TH"},
        {1254, "uz_UZ"},
        {1256, "sd_IN"},
        {1252, "sd_IN@devanagari ru_UA.UTF-8 el_CY ja_JP.UTF-8 hi_IN C.UTF-8 POSIX"},
    };
    for (const auto& [codePage, locales] : kLocales) {
        std::istringstream names(locales);
        for (std::string name; names >> name;) {
            EXPECT_EQ(CodePageForLocale(name).number, codePage) << name;
        }
    }
    EXPECT_EQ(CodePageForLocale("").number, 1252u);
}

}  // namespace
}  // namespace quorl
