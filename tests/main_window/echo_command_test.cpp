#include "main_window/echo_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_form.h"
#include "support/fake_platform.h"

namespace quorl::testing {
namespace {

using ::testing::ElementsAreArray;

using Events = std::vector<std::string>;

const ControlId kText1{ControlName::Text1};
const ControlId kText2{ControlName::Text2};
const ControlId kText3{ControlName::Text3};

const std::string kCleanupWarning =
    "MessageBox Warning: Windows Sockets error occurred in Cleanup.";

Events operator+(Events first, const Events& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Step one and two of every run: six boxes emptied, then six repainted.
Events ResultBoxesCleared() {
    Events events;
    for (int i = 0; i < kResultBoxCount; ++i) {
        events.push_back("SetText Text4(" + std::to_string(i) + ") []");
    }
    for (int i = 0; i < kResultBoxCount; ++i) {
        events.push_back("Repaint Text4(" + std::to_string(i) + ")");
    }
    return events;
}

// The six result boxes as a run fills them; an empty echoed text is not set.
Events ResultBoxesFilled(const std::string& status, const std::string& address,
                         const std::string& roundTrip, const std::string& size,
                         const std::string& data, const std::string& pointer) {
    Events events = {
        "SetText Text4(0) [" + status + "]",
        "SetText Text4(1) [" + address + "]",
        "SetText Text4(2) [" + roundTrip + "]",
        "SetText Text4(3) [" + size + "]",
    };
    if (!data.empty()) {
        events.push_back("SetText Text4(4) [" + data + "]");
    }
    events.push_back("SetText Text4(5) [" + pointer + "]");
    return events;
}

// What a run shows when nothing came back: the zero-filled record.
Events ResultBoxesUnanswered(const std::string& status) {
    return ResultBoxesFilled(status, "0", "0 ms", "0 bytes", "", "0");
}

Events EchoSent(const std::string& address, const std::string& data) {
    return {"inet_addr " + address, "IcmpCreateFile",
            "IcmpSendEcho 7 " + address + " [" + data + "] 278 500", "IcmpCloseHandle 7"};
}

Events ReverseLookup(const std::string& address) {
    return {"WSAStartup 0x0101", "inet_addr " + address, "gethostbyaddr " + address + " 4 2",
            "WSACleanup"};
}

class EchoCommandTest : public ::testing::Test {
protected:
    EchoCommandTest() { form.Type(kText3, u"Echo This"); }

    // An answer from address carrying "Echo This", as the echo service writes it.
    void AnswerFrom(const std::string& address) {
        platform.echo = {.status = 0,
                         .address = ParseDotted(address),
                         .roundTripTime = 3,
                         .dataSize = 9,
                         .dataPointer = 1700300,
                         .data = "Echo This"};
    }

    Events Run() {
        EchoCommand(form, platform);
        return log.Events();
    }

    EventLog log;
    FakePlatform platform{log};
    FakeForm form{log};
};

TEST_F(EchoCommandTest, SocketsThatCannotBeInitializedEndTheRunAfterOneMessage) {
    form.Type(kText1, u"echo.example");
    form.Type(kText2, u"192.0.2.7");
    platform.startupResults = {10091};

    EXPECT_THAT(Run(), ElementsAreArray(ResultBoxesCleared() +
                                        Events{"WSAStartup 0x0101",
                                               "MessageBox None: Windows Sockets for 32 bit "
                                               "Windows is not successfully responding."}));
    EXPECT_EQ(form.Text(kText1), u"echo.example");
    EXPECT_EQ(form.Text(kText2), u"192.0.2.7");
}

TEST_F(EchoCommandTest, HostNameReplacesTheOldAddressAndStaysAsTyped) {
    form.Type(kText1, u"echo.example");
    form.Type(kText2, u"198.51.100.9");
    platform.hostAddresses["echo.example"] = {"192.0.2.7", "192.0.2.8"};
    AnswerFrom("192.0.2.7");

    EXPECT_THAT(Run(),
                ElementsAreArray(ResultBoxesCleared() +
                                 Events{"WSAStartup 0x0101", "SetText Text2 []", "Repaint Text2",
                                        "gethostbyname echo.example", "SetText Text2 [192.0.2.7]"} +
                                 EchoSent("192.0.2.7", "Echo This") +
                                 ResultBoxesFilled("0   [ ip success ]", "117571776", "3 ms",
                                                   "9 bytes", "Echo This", "1700300") +
                                 Events{"WSACleanup"}));
    EXPECT_EQ(form.Text(kText1), u"echo.example");
    EXPECT_EQ(platform.OpenInitializations(), 0);
}

// Any character at all counts as a host name, a lone space included.
TEST_F(EchoCommandTest, HostNameThatDoesNotResolveLeavesTheAddressEmpty) {
    for (const std::u16string hostName : {u"nowhere.invalid", u" "}) {
        log.Clear();
        form.Type(kText1, hostName);
        form.Type(kText2, u"198.51.100.9");

        EXPECT_THAT(
            Run(),
            ElementsAreArray(
                ResultBoxesCleared() +
                Events{"WSAStartup 0x0101", "SetText Text2 []", "Repaint Text2",
                       "gethostbyname " + Utf8(hostName), "SetText Text2 []", "inet_addr "} +
                ResultBoxesUnanswered("-1   [ inet_addr: bad IP format ]") + Events{"WSACleanup"}));
        EXPECT_EQ(form.Text(kText1), hostName);
    }
}

TEST_F(EchoCommandTest, AddressWithoutANameTellsSoBeforeAnyResultIsShown) {
    form.Type(kText1, u"");
    form.Type(kText2, u"192.0.2.7");
    AnswerFrom("192.0.2.7");

    EXPECT_THAT(Run(), ElementsAreArray(ResultBoxesCleared() + Events{"WSAStartup 0x0101"} +
                                        EchoSent("192.0.2.7", "Echo This") +
                                        Events{"WSAStartup 0x0101", "inet_addr 192.0.2.7",
                                               "gethostbyaddr 192.0.2.7 4 2",
                                               "MessageBox None: Call to gethostbyaddr failed.",
                                               "WSACleanup", "SetText Text1 []"} +
                                        ResultBoxesFilled("0   [ ip success ]", "117571776", "3 ms",
                                                          "9 bytes", "Echo This", "1700300") +
                                        Events{"WSACleanup"}));
}

TEST_F(EchoCommandTest, LettersForAnAddressAreReportedWhileTheResultBoxesAreEmpty) {
    form.Type(kText1, u"");
    form.Type(kText2, u"echo");

    EXPECT_THAT(Run(), ElementsAreArray(ResultBoxesCleared() +
                                        Events{"WSAStartup 0x0101", "inet_addr echo",
                                               "WSAStartup 0x0101", "inet_addr echo",
                                               "MessageBox None: String passed is an invalid IP.",
                                               "WSACleanup", "SetText Text1 []"} +
                                        ResultBoxesUnanswered("-1   [ inet_addr: bad IP format ]") +
                                        Events{"WSACleanup"}));
}

// An address with a name: the reverse lookup after the echo fills the host
// name. A cleanup that fails warns right after itself: the reverse lookup's
// before the results, the run's own after them.
struct Cleanups {
    const char* name;
    std::deque<int> results;  // the reverse lookup's, then the run's
    Events beforeResults;
    Events afterResults;
    int leftOpen;  // a failed cleanup leaves its initialization open
};

void PrintTo(const Cleanups& cleanups, std::ostream* stream) {
    *stream << cleanups.name;
}

class AddressWithANameTest : public EchoCommandTest,
                             public ::testing::WithParamInterface<Cleanups> {};

TEST_P(AddressWithANameTest, FillsTheHostNameAfterTheEcho) {
    form.Type(kText2, u"127.0.0.1");
    platform.addressNames["127.0.0.1"] = "localhost";
    platform.cleanupResults = GetParam().results;
    AnswerFrom("127.0.0.1");

    EXPECT_THAT(Run(),
                ElementsAreArray(ResultBoxesCleared() + Events{"WSAStartup 0x0101"} +
                                 EchoSent("127.0.0.1", "Echo This") + ReverseLookup("127.0.0.1") +
                                 GetParam().beforeResults + Events{"SetText Text1 [localhost]"} +
                                 ResultBoxesFilled("0   [ ip success ]", "16777343", "3 ms",
                                                   "9 bytes", "Echo This", "1700300") +
                                 Events{"WSACleanup"} + GetParam().afterResults));
    EXPECT_EQ(platform.OpenInitializations(), GetParam().leftOpen);
}

INSTANTIATE_TEST_SUITE_P(
    EchoCommandTest, AddressWithANameTest,
    ::testing::Values(Cleanups{"CleanupsSucceed", {}, {}, {}, 0},
                      Cleanups{"ReverseLookupCleanupFails", {10093, 0}, {kCleanupWarning}, {}, 1},
                      Cleanups{"RunCleanupFails", {0, 10093}, {}, {kCleanupWarning}, 1}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(EchoCommandTest, TimeoutIsShownOnlyInTheStatusLine) {
    form.Type(kText1, u"quiet.example");
    platform.hostAddresses["quiet.example"] = {"203.0.113.5"};
    platform.echo = ScriptedEcho{};
    platform.echo.status = 11010;

    EXPECT_THAT(Run(),
                ElementsAreArray(
                    ResultBoxesCleared() +
                    Events{"WSAStartup 0x0101", "SetText Text2 []", "Repaint Text2",
                           "gethostbyname quiet.example", "SetText Text2 [203.0.113.5]"} +
                    EchoSent("203.0.113.5", "Echo This") +
                    ResultBoxesUnanswered("11010   [ ip req timed out ]") + Events{"WSACleanup"}));
}

// With no echo handle nothing is sent, and the status must not read as a success.
TEST_F(EchoCommandTest, EchoServiceThatCannotOpenReportsAGeneralFailure) {
    form.Type(kText1, u"quiet.example");
    platform.hostAddresses["quiet.example"] = {"203.0.113.5"};
    platform.createFileFails = true;

    Run();
    EXPECT_EQ(form.Text(Text4(0)), u"11050   [ ip general failure ]");
    EXPECT_EQ(form.Text(Text4(1)), u"0");
    EXPECT_EQ(form.Text(Text4(3)), u"0 bytes");
}

// The fake echo service answers for any address; nothing is sent anywhere.
TEST_F(EchoCommandTest, AnsweringAddressIsShownAsASignedNumber) {
    const std::pair<std::string, std::u16string> cases[] = {
        {"127.0.0.1", u"16777343"},
        {"10.0.0.200", u"-939524086"},
        {"255.255.255.254", u"-16777217"},
    };
    for (const auto& [address, decimal] : cases) {
        form.Type(kText1, u"answer.example");
        platform.hostAddresses["answer.example"] = {address};
        AnswerFrom(address);
        Run();
        EXPECT_EQ(form.Text(Text4(1)), decimal) << address;
    }
}

TEST_F(EchoCommandTest, FieldsAreWrittenAsTheEchoServiceLeftThem) {
    form.Type(kText1, u"answer.example");
    platform.hostAddresses["answer.example"] = {"192.0.2.7"};
    // The reserved word above the 16-bit byte count is read with it.
    platform.echo = {.status = 0,
                     .address = ParseDotted("192.0.2.7"),
                     .roundTripTime = 0,
                     .dataSize = 0x00010009,
                     .dataPointer = -2147483647 - 1,
                     .data = "Echo This"};
    Run();
    EXPECT_EQ(form.Text(Text4(2)), u"0 ms");
    EXPECT_EQ(form.Text(Text4(3)), u"65545 bytes");
    EXPECT_EQ(form.Text(Text4(5)), u"-2147483648");
}

// The echoed text ends at the first NUL; data without one is shown in full.
TEST_F(EchoCommandTest, EchoedTextEndsAtTheFirstNul) {
    std::string allDataBytes;
    for (int i = 0; i < 250; ++i) {
        allDataBytes += static_cast<char>('A' + i % 26);
    }
    const std::pair<std::string, std::u16string> cases[] = {
        {std::string("Echo This\0stale bytes", 21), u"Echo This"},
        {allDataBytes, Utf16(allDataBytes)},
    };
    form.Type(kText1, u"answer.example");
    platform.hostAddresses["answer.example"] = {"192.0.2.7"};
    AnswerFrom("192.0.2.7");
    for (const auto& [data, shown] : cases) {
        platform.echo.data = data;
        Run();
        EXPECT_EQ(form.Text(Text4(4)), shown) << data.size() << " bytes";
    }
}

// The second run empties what the first one showed and has nothing to put back.
TEST_F(EchoCommandTest, EmptyDataLeavesTheDataBoxEmpty) {
    form.Type(kText1, u"answer.example");
    platform.hostAddresses["answer.example"] = {"192.0.2.7"};
    AnswerFrom("192.0.2.7");
    Run();
    ASSERT_EQ(form.Text(Text4(4)), u"Echo This");

    log.Clear();
    form.Type(kText3, u"");
    platform.echo.dataSize = 0;
    platform.echo.data.clear();
    EXPECT_THAT(Run(), ElementsAreArray(ResultBoxesCleared() +
                                        Events{"WSAStartup 0x0101", "SetText Text2 []",
                                               "Repaint Text2", "gethostbyname answer.example",
                                               "SetText Text2 [192.0.2.7]"} +
                                        EchoSent("192.0.2.7", "") +
                                        ResultBoxesFilled("0   [ ip success ]", "117571776", "3 ms",
                                                          "0 bytes", "", "1700300") +
                                        Events{"WSACleanup"}));
    EXPECT_EQ(form.Text(Text4(4)), u"");
}

}  // namespace
}  // namespace quorl::testing
