// How inet_addr reads address texts, checked the same way against every
// service of the conformance suite: the forms Microsoft documents (one to
// four parts, each decimal, octal or hexadecimal, the last filling the rest
// of the address) and the texts Wine's conformance tests hold Windows to.

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "network/echo_service_conformance.h"

namespace quorl::testing {
namespace {

// What one text reads as: the four address bytes, or none.
struct Reading {
    const char* text;
    bool parses;
    std::array<std::uint8_t, 4> bytes;
};

constexpr Reading Address(const char* text, std::array<std::uint8_t, 4> bytes) {
    return {text, true, bytes};
}

constexpr Reading NoAddress(const char* text) {
    return {text, false, {}};
}

constexpr Reading kReadings[] = {
    // The four documented forms, each part in any of the three bases.
    Address("1.2.3.4", {1, 2, 3, 4}),
    Address("1.2.3", {1, 2, 0, 3}),
    Address("1.2", {1, 0, 0, 2}),
    Address("1", {0, 0, 0, 1}),
    Address("0.0.0.0", {0, 0, 0, 0}),
    Address("127.127.127.255", {127, 127, 127, 255}),
    Address("1.2.3.010", {1, 2, 3, 8}),
    Address("1.2.3.00", {1, 2, 3, 0}),
    Address("1.2.3.0xaA", {1, 2, 3, 0xAA}),
    Address("203569230", {12, 34, 56, 78}),
    Address("0x00010203", {0, 1, 2, 3}),
    Address("0x2134", {0, 0, 0x21, 0x34}),
    Address("017700000001", {127, 0, 0, 1}),
    Address("0777", {0, 0, 1, 0xFF}),
    // The last part fills what the others leave, and no more.
    Address("1.2.65535", {1, 2, 255, 255}),
    Address("1.2.0x0304", {1, 2, 3, 4}),
    Address("10.65536", {10, 1, 0, 0}),
    Address("10.16777215", {10, 255, 255, 255}),
    NoAddress("1.2.65536"),
    NoAddress("10.16777216"),
    NoAddress("127.127.127.256"),
    NoAddress("1.1.1.-2"),
    // Parts that are no number in any base.
    NoAddress("1.1.1.0x"),
    NoAddress("1.2.3.0a"),
    NoAddress("1.1.1.0o10"),
    NoAddress("1.1.1.0b10"),
    NoAddress("1234BEEF"),
    NoAddress("a"),
    // White space after a part ends the text; anywhere else it spoils it.
    Address("3.4.5.6 ", {3, 4, 5, 6}),
    Address("3.4.5.6  ", {3, 4, 5, 6}),
    Address("3.4.5.6  7", {3, 4, 5, 6}),
    Address("1 2 3 4", {0, 0, 0, 1}),
    Address("1.2.3 .4", {1, 2, 0, 3}),
    Address("3 .4.5.6", {0, 0, 0, 3}),
    Address("1.2.3 \xfe\xff", {1, 2, 0, 3}),
    Address("0xa1a2b3b4 ", {0xA1, 0xA2, 0xB3, 0xB4}),
    NoAddress(" 3.4.5.6"),
    NoAddress("\t3.4.5.6"),
    NoAddress(" 0"),
    NoAddress("3. 4.5.6"),
    NoAddress("1.2.3. 4"),
    NoAddress("3.4.5.6. 7"),
    // No text, or only white space: one space alone reads as 0.0.0.0.
    NoAddress(""),
    Address(" ", {0, 0, 0, 0}),
    NoAddress("  "),
    NoAddress("\t"),
    // Dots out of place, and what other address notations look like.
    NoAddress("."),
    NoAddress(".1.2.3"),
    NoAddress("3.4.5.6.7"),
    NoAddress("127.127.127.255:123"),
    NoAddress("[0.1.2.3]"),
    NoAddress("2607:f0d0:1002:51::4"),
    NoAddress("::177.32.45.20"),
    NoAddress("::1/128"),
    NoAddress("::1"),
    NoAddress(":1"),
    // The one address whose value is the "no address" answer.
    NoAddress("255.255.255.255"),
};

constexpr std::uint32_t kNoAddress = 0xFFFFFFFF;

std::uint32_t InMemoryOrder(const std::array<std::uint8_t, 4>& bytes) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data(), sizeof(value));
    return value;
}

// Each byte outside printable ASCII as \x and two hex digits: "1.2.3 \xFE\xFF".
std::string Printable(const char* text) {
    constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string printable = "\"";
    for (const char* c = text; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        printable += byte >= 0x20 && byte < 0x7F
                         ? std::string(1, *c)
                         : std::string{'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
    }
    return printable + "\"";
}

TEST_P(EchoServiceConformance, ReadsEveryAddressTextAsDocumented) {
    Platform& platform = service_->Service();
    for (const Reading& reading : kReadings) {
        const std::uint32_t expected = reading.parses ? InMemoryOrder(reading.bytes) : kNoAddress;
        EXPECT_EQ(platform.inet_addr(reading.text), expected) << Printable(reading.text);
    }
}

// Right after a whole address, the C locale's white space ends the text and
// every other byte that is no digit spoils it.
TEST_P(EchoServiceConformance, OnlyWhiteSpaceMayFollowAnAddress) {
    Platform& platform = service_->Service();
    const std::uint32_t address = InMemoryOrder({1, 2, 0, 3});
    for (int byte = 1; byte < 256; ++byte) {
        if (byte >= '0' && byte <= '9') {
            continue;
        }
        const bool whiteSpace = byte == ' ' || (byte >= '\t' && byte <= '\r');
        const std::string text = "1.2.3" + std::string(1, static_cast<char>(byte));
        EXPECT_EQ(platform.inet_addr(text.c_str()), whiteSpace ? address : kNoAddress)
            << "byte " << byte;
    }
}

}  // namespace
}  // namespace quorl::testing
