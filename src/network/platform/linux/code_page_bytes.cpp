#include "code_page_bytes.h"

#include <iconv.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace quorl {
namespace {

// The bytes iconv leaves undefined that Windows' own tables give a character
// (private-use ones mostly), as runs of bytes mapped to consecutive
// characters. Every other undefined byte is, as on Windows, the character of
// the same number: the C1 control for 0x80 to 0x9F.
struct WindowsOnlyBytes {
    unsigned codePage;
    std::uint8_t first;
    std::uint8_t last;
    char16_t firstCharacter;
};

constexpr WindowsOnlyBytes kWindowsOnlyBytes[] = {
    {874, 0xDB, 0xDE, 0xF8C1},  {874, 0xFC, 0xFF, 0xF8C5},  {1253, 0xAA, 0xAA, 0xF8F9},
    {1253, 0xD2, 0xD2, 0xF8FA}, {1253, 0xFF, 0xFF, 0xF8FB}, {1255, 0xCA, 0xCA, 0x05BA},
    {1255, 0xD9, 0xDF, 0xF88D}, {1255, 0xFB, 0xFC, 0xF894}, {1255, 0xFF, 0xFF, 0xF896},
    {1257, 0xA1, 0xA1, 0xF8FC}, {1257, 0xA5, 0xA5, 0xF8FD},
};

char16_t WindowsUndefinedByte(CodePage codePage, std::uint8_t byte) {
    for (const WindowsOnlyBytes& run : kWindowsOnlyBytes) {
        if (run.codePage == codePage.number && byte >= run.first && byte <= run.last) {
            return static_cast<char16_t>(run.firstCharacter + (byte - run.first));
        }
    }
    return byte;
}

// One byte alone, the state flushed after it: CP1255 and CP1258 hold a
// letter back to combine it with a mark that may follow.
std::optional<char16_t> IconvByte(iconv_t converter, std::uint8_t byte) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char in = static_cast<char>(byte);
    char* inPointer = &in;
    std::size_t inLeft = 1;
    wchar_t out[2] = {};
    char* outPointer = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof(out);
    if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<size_t>(-1) ||
        iconv(converter, nullptr, nullptr, &outPointer, &outLeft) == static_cast<size_t>(-1) ||
        outLeft != sizeof(out) - sizeof(wchar_t) || out[0] > 0xFFFF) {
        return std::nullopt;
    }
    return static_cast<char16_t>(out[0]);
}

CodePageBytes ReadBytes(CodePage codePage) {
    CodePageBytes characters;
    const std::string name = "CP" + std::to_string(codePage.number);
    const iconv_t converter = iconv_open("WCHAR_T", name.c_str());
    for (unsigned byte = 0; byte < characters.size(); ++byte) {
        const auto value = static_cast<std::uint8_t>(byte);
        std::optional<char16_t> character;
        if (converter != reinterpret_cast<iconv_t>(-1)) {
            character = IconvByte(converter, value);
        }
        characters[byte] = character.value_or(WindowsUndefinedByte(codePage, value));
    }
    if (converter != reinterpret_cast<iconv_t>(-1)) {
        iconv_close(converter);
    }
    return characters;
}

}  // namespace

const CodePageBytes& BytesOf(CodePage codePage) {
    static std::mutex mutex;
    static std::map<unsigned, CodePageBytes> read;
    const std::lock_guard<std::mutex> lock(mutex);
    auto found = read.find(codePage.number);
    if (found == read.end()) {
        found = read.emplace(codePage.number, ReadBytes(codePage)).first;
    }
    return found->second;
}

}  // namespace quorl
