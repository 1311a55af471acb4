#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "network/platform/ip_status.h"

namespace quorl::testing {

// What one echo gives: status, answering address and echoed byte count.
struct Answer {
    std::int32_t status;
    const char* answeredBy;  // null: no answer, Address stays 0
    std::uint16_t dataSize;
    const char* why = nullptr;  // why it is not our raw socket's answer
};

// One echo through the test network of topology.sh, sent from the client
// namespace, and what it gives on each socket kind of our Linux echo
// service and of Wine's. The Linux suite proves the Linux columns; the
// Windows build's parity test holds Wine to its columns.
struct EchoCase {
    const char* destination;
    const char* text;  // UTF-8, as typed into the Send box
    int repeat;        // the text is sent this many times over
    Answer linuxRaw;
    Answer linuxDatagram;
    Answer wineRaw;
    Answer wineDatagram;
};

// The causes of every difference that remains.
inline constexpr const char* kKernelHidesReassemblyTimeouts =
    "the kernel hands reassembly timeouts (11/1) to no datagram socket";
inline constexpr const char* kWineAsksForNoErrors =
    "Wine never sets IP_RECVERR on its datagram socket, so ICMP errors never "
    "reach it: a timeout with no address";
inline constexpr const char* kWineKeepsDontFragment =
    "Wine sends with don't-fragment set (the kernel's default), so the router "
    "refuses to fragment it: 3/4 from the router";
inline constexpr const char* kWineKeepsDontFragmentAndAsksForNoErrors =
    "Wine sends with don't-fragment set, and the router's 3/4 never reaches "
    "Wine's datagram socket (no IP_RECVERR): a timeout";
inline constexpr const char* kWineSkipsTheChecksum =
    "Wine's raw path takes the first reply with its identifier and sequence "
    "without checking its checksum: the damaged 7-byte reply";
inline constexpr const char* kWineFailsOversizedReplies =
    "Wine fails a reply larger than the block with 11050 and no address; we "
    "give 11001 with the host's address";

inline constexpr const char* kWineCannotBroadcast =
    "Wine never sets SO_BROADCAST on its ICMP sockets, so the kernel refuses "
    "the send to a broadcast address of the client's own link (EACCES): 11050, "
    "where Windows sends it and takes the first host that answers";

inline constexpr const char* kEchoThis = "Echo This";

// A case that gives the same answer everywhere.
constexpr EchoCase Everywhere(const char* destination, const char* text, int repeat,
                              Answer answer) {
    return {destination, text, repeat, answer, answer, answer, answer};
}

// An ICMP error that answers "Echo This": our service reads it on both
// socket kinds, Wine only on its raw socket.
constexpr EchoCase IcmpError(const char* destination, std::int32_t status, const char* answeredBy) {
    const Answer error{status, answeredBy, 0};
    return {destination,
            kEchoThis,
            1,
            error,
            error,
            error,
            {kIpReqTimedOut, nullptr, 0, kWineAsksForNoErrors}};
}

// The server behind the router answers as any host does.
inline constexpr std::array<EchoCase, 1> kServerAnswers = {{
    Everywhere("192.0.2.2", kEchoThis, 1, {kIpSuccess, "192.0.2.2", 9}),
}};

// Answers from another host than the one asked, which are the answer all
// the same, with the address of the host that sent them: a service address
// the router rewrites without state to the server, which answers from its
// own; the server's subnet broadcast, which the router forwards; and the
// broadcast of the client's own link, which the host beside it answers.
inline constexpr std::array<EchoCase, 3> kOtherAnswerers = {{
    Everywhere("192.0.2.41", kEchoThis, 1, {kIpSuccess, "192.0.2.2", 9}),
    Everywhere("192.0.2.127", kEchoThis, 1, {kIpSuccess, "192.0.2.2", 9}),
    {"198.51.100.255",
     kEchoThis,
     1,
     {kIpSuccess, "198.51.100.3", 9},
     {kIpSuccess, "198.51.100.3", 9},
     {kIpGeneralFailure, nullptr, 0, kWineCannotBroadcast},
     {kIpGeneralFailure, nullptr, 0, kWineCannotBroadcast}},
}};

// The router's nftables rejections, one for each destination it rejects.
inline constexpr std::array<EchoCase, 6> kRouterRejections = {{
    IcmpError("192.0.2.20", kIpDestNetUnreachable, "198.51.100.1"),
    IcmpError("192.0.2.21", kIpDestHostUnreachable, "198.51.100.1"),
    IcmpError("192.0.2.26", kIpDestHostUnreachable, "198.51.100.1"),
    IcmpError("192.0.2.22", kIpDestProtUnreachable, "198.51.100.1"),
    IcmpError("192.0.2.23", kIpDestPortUnreachable, "198.51.100.1"),
    IcmpError("192.0.2.30", kIpTtlExpiredTransit, "198.51.100.1"),
}};

// The router's errors for failed routes. They draw on a per-host token
// bucket (a burst of five, one more a second) that every other ICMP error
// the router sends to the same host empties while its ICMP rate limit is
// off: send these before any other error, or a second or more apart.
inline constexpr std::array<EchoCase, 3> kRouteErrors = {{
    IcmpError("203.0.113.1", kIpDestNetUnreachable, "198.51.100.1"),
    IcmpError("192.0.2.10", kIpDestHostUnreachable, "198.51.100.1"),
    IcmpError("192.0.2.11", kIpDestHostUnreachable, "198.51.100.1"),
}};

// The quirky host's crafted errors, sent from the address asked for.
inline constexpr std::array<EchoCase, 5> kHostErrors = {{
    IcmpError("192.0.2.140", kIpParamProblem, "192.0.2.140"),
    IcmpError("192.0.2.141", kIpSourceQuench, "192.0.2.141"),
    IcmpError("192.0.2.143", kIpPacketTooBig, "192.0.2.143"),
    IcmpError("192.0.2.144", kIpBadRoute, "192.0.2.144"),
    IcmpError("192.0.2.147", kIpTtlExpiredTransit, "192.0.2.147"),
}};

// A reassembly timeout crafted by the quirky host.
inline constexpr std::array<EchoCase, 1> kReassemblyTimeout = {{
    {"192.0.2.142",
     kEchoThis,
     1,
     {kIpTtlExpiredReassem, "192.0.2.142", 0},
     {kIpReqTimedOut, nullptr, 0, kKernelHidesReassemblyTimeouts},
     {kIpTtlExpiredReassem, "192.0.2.142", 0},
     {kIpReqTimedOut, nullptr, 0, kKernelHidesReassemblyTimeouts}},
}};

// The quirky host's odd replies: only the reply with our identifier,
// sequence and a sound checksum counts; a host may echo other data than it
// was sent; more than the block holds is not cut down to pass as the echo.
inline constexpr std::array<EchoCase, 3> kOddReplies = {{
    {"192.0.2.146",
     kEchoThis,
     1,
     {kIpSuccess, "192.0.2.146", 9},
     {kIpSuccess, "192.0.2.146", 9},
     {kIpSuccess, "192.0.2.146", 7, kWineSkipsTheChecksum},
     {kIpSuccess, "192.0.2.146", 9}},
    Everywhere("192.0.2.145", "ab", 1, {kIpSuccess, "192.0.2.145", 4}),
    {"192.0.2.145",
     "x",
     200,
     {kIpBufTooSmall, "192.0.2.145", 0},
     {kIpBufTooSmall, "192.0.2.145", 0},
     {kIpGeneralFailure, nullptr, 0, kWineFailsOversizedReplies},
     {kIpGeneralFailure, nullptr, 0, kWineFailsOversizedReplies}},
}};

// Requests that nobody answers: a blackhole route and an nftables drop.
inline constexpr std::array<EchoCase, 2> kSilentDrops = {{
    Everywhere("192.0.2.12", kEchoThis, 1, {kIpReqTimedOut, nullptr, 0}),
    Everywhere("192.0.2.28", kEchoThis, 1, {kIpReqTimedOut, nullptr, 0}),
}};

// Refused on the client itself: its own unreachable and prohibit routes,
// and a destination it has no route for, fail the send at once; the
// destination 0.0.0.0 (also the reading of a text of one space) and more
// than 250 bytes of data are refused before anything is opened.
inline constexpr std::array<EchoCase, 6> kLocalRefusals = {{
    Everywhere("203.0.113.50", kEchoThis, 1, {kIpDestHostUnreachable, nullptr, 0}),
    Everywhere("203.0.113.51", kEchoThis, 1, {kIpGeneralFailure, nullptr, 0}),
    Everywhere("203.0.113.129", kEchoThis, 1, {kIpGeneralFailure, nullptr, 0}),
    Everywhere("0.0.0.0", kEchoThis, 1, {kIpBadDestination, nullptr, 0}),
    Everywhere(" ", kEchoThis, 1, {kIpBadDestination, nullptr, 0}),
    Everywhere("192.0.2.2", "x", 251, {kIpBufTooSmall, nullptr, 0}),
}};

// Texts at the edges: nothing at all, and letters outside ASCII, which
// leave as one byte each in the tests' locale (Windows-1252).
inline constexpr std::array<EchoCase, 2> kTexts = {{
    Everywhere("192.0.2.2", "", 1, {kIpSuccess, "192.0.2.2", 0}),
    Everywhere("192.0.2.2", "Grüße", 1, {kIpSuccess, "192.0.2.2", 5}),
}};

// 250 bytes to the host behind the 200-byte link: with don't-fragment clear
// the router fragments the request and the host answers.
inline constexpr std::array<EchoCase, 1> kNarrowLink = {{
    {"203.0.113.66",
     "0123456789",
     25,
     {kIpSuccess, "203.0.113.66", 250},
     {kIpSuccess, "203.0.113.66", 250},
     {kIpPacketTooBig, "198.51.100.1", 0, kWineKeepsDontFragment},
     {kIpReqTimedOut, nullptr, 0, kWineKeepsDontFragmentAndAsksForNoErrors}},
}};

// Calls visit(echoCase) for every case above.
template <typename Visit>
void ForEachEchoCase(Visit visit) {
    const auto each = [&visit](const auto& cases) {
        for (const EchoCase& echoCase : cases) {
            visit(echoCase);
        }
    };
    each(kServerAnswers);
    each(kOtherAnswerers);
    each(kRouterRejections);
    each(kRouteErrors);
    each(kHostErrors);
    each(kReassemblyTimeout);
    each(kOddReplies);
    each(kSilentDrops);
    each(kLocalRefusals);
    each(kTexts);
    each(kNarrowLink);
}

// The text a case sends, as UTF-8.
inline std::string TextOf(const EchoCase& echoCase) {
    std::string text;
    for (int i = 0; i < echoCase.repeat; ++i) {
        text += echoCase.text;
    }
    return text;
}

}  // namespace quorl::testing
