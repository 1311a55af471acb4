#include "locale_code_page.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace quorl {
namespace {

struct CodePageNames {
    unsigned codePage;
    std::string_view names;
};

// Wine's locale names (Windows' own, in lower case) whose system locale has a
// single-byte ANSI code page other than 1252; then those under them that
// Wine gives 1252, having no Windows locale id of their own or a script
// without an ANSI code page. Wine's source looks a name up with its country,
// then without, and takes the ANSI code page of the locale it finds: so does
// CodePageForLocale with this table. (Wine 8.0 takes the full name only.)
constexpr std::array<CodePageNames, 10> kCodePageNames = {{
    {874, "th"},
    {1250, "bs cs hr hu pl ro sk sl sq sr tk"},
    {1251, "az-cyrl ba be bg bs-cyrl ky mk mn ru sah sr-cyrl tg tt uk uz-cyrl"},
    {1253, "el"},
    {1254, "az tr uz"},
    {1255, "he"},
    {1256, "ar ckb fa ku pa-arab prs sd ug ur"},
    {1257, "et lt lv"},
    {1258, "vi"},
    {1252,
     "ar-001 ar-dj ar-eh ar-er ar-il ar-km ar-mr ar-ps ar-sd ar-so ar-ss ar-td ckb-ir el-cy "
     "ku-arab-ir mn-mong ru-by ru-kg ru-kz ru-ua sd-deva sq-mk sq-xk sr-cyrl-xk sr-latn-xk "
     "tr-cy uz-arab"},
}};

// The scripts that Unix modifiers name and the table above tells apart.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kScriptModifiers = {{
    {"arabic", "-arab"},
    {"cyrillic", "-cyrl"},
    {"devanagari", "-deva"},
    {"latin", "-latn"},
    {"mongolian", "-mong"},
}};

bool ListsName(std::string_view names, std::string_view name) {
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t end = std::min(names.find(' ', start), names.size());
        if (names.substr(start, end - start) == name) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

const CodePageNames* FindName(std::string_view name) {
    for (const CodePageNames& entry : kCodePageNames) {
        if (ListsName(entry.names, name)) {
            return &entry;
        }
    }
    return nullptr;
}

// "lang[_country][.charset][@modifier]" as Wine names it: "lang[-script][-country]".
std::string WindowsLocaleName(std::string_view unixName) {
    const std::size_t languageEnd = std::min(unixName.find_first_of("_.@"), unixName.size());
    std::string name(unixName.substr(0, languageEnd));
    if (const std::size_t at = unixName.find('@'); at != std::string_view::npos) {
        for (const auto& [modifier, script] : kScriptModifiers) {
            if (unixName.substr(at + 1) == modifier) {
                name += script;
            }
        }
    }
    if (languageEnd < unixName.size() && unixName[languageEnd] == '_') {
        const std::string_view rest = unixName.substr(languageEnd + 1);
        name += '-';
        name += rest.substr(0, std::min(rest.find_first_of(".@"), rest.size()));
    }
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

}  // namespace

CodePage CodePageForLocale(std::string_view localeName) {
    std::string name = WindowsLocaleName(localeName);
    while (!name.empty()) {
        if (const CodePageNames* entry = FindName(name)) {
            return CodePage{entry->codePage};
        }
        const std::size_t dash = name.rfind('-');
        name.resize(dash == std::string::npos ? 0 : dash);
    }
    return kWindows1252;
}

std::string_view CharacterTypeLocale(const char* lcAll, const char* lcCtype, const char* lang) {
    for (const char* value : {lcAll, lcCtype, lang}) {
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "C";
}

}  // namespace quorl
