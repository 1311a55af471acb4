// Name lookups through the system resolver, in a private mount namespace
// whose /etc/hosts and name service switch are the test's own, so no lookup
// leaves the machine.

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "network/name_lookup.h"
#include "network/platform/linux/linux_platform.h"
#include "network/sockets_setup.h"
#include "support/fake_platform.h"

namespace quorl::testing {
namespace {

constexpr const char* kHosts =
    "127.0.0.1 localhost\n"
    "192.0.2.5 multi.quorl.test\n"
    "192.0.2.6 multi.quorl.test\n"
    "198.51.100.7 named.quorl.test named\n"
    "203.0.113.200 \xe9t\xe9.quorl.test\n";

bool WriteFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

bool BindOver(const std::string& source, const char* target) {
    return mount(source.c_str(), target, nullptr, MS_BIND, nullptr) == 0;
}

// Why the private resolver setup failed, or empty once it is in place.
std::string UsePrivateResolver() {
    if (geteuid() != 0) {
        return "needs root for a private mount namespace";
    }
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return "cannot make a private mount namespace here";
    }
    char directory[] = "/tmp/quorl-resolver-XXXXXX";
    if (mkdtemp(directory) == nullptr) {
        return "cannot make a temporary folder";
    }
    const std::string folder = directory;
    const bool written = WriteFile(folder + "/hosts", kHosts) &&
                         WriteFile(folder + "/nsswitch.conf", "hosts: files\n") &&
                         WriteFile(folder + "/host.conf", "multi on\n");
    const bool bound = written && BindOver(folder + "/hosts", "/etc/hosts") &&
                       BindOver(folder + "/nsswitch.conf", "/etc/nsswitch.conf") &&
                       BindOver(folder + "/host.conf", "/etc/host.conf");
    // The mounts keep the files alive; their names are no longer needed.
    for (const char* name : {"/hosts", "/nsswitch.conf", "/host.conf"}) {
        unlink((folder + name).c_str());
    }
    rmdir(directory);
    return bound ? std::string() : "cannot put the test's resolver files in place";
}

class ResolverTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { whyNot_ = new std::string(UsePrivateResolver()); }
    static void TearDownTestSuite() { delete whyNot_; }

    void SetUp() override {
        if (!whyNot_->empty()) {
            GTEST_SKIP() << *whyNot_;
        }
        ASSERT_TRUE(SocketsInitialize(platform));
    }

    static std::string* whyNot_;
    EventLog log;
    LinuxPlatform platform;
    RecordingMessageBoxes messageBoxes{log};
};

std::string* ResolverTest::whyNot_ = nullptr;

TEST_F(ResolverTest, ForwardLookupGivesTheFirstAddressInResolverOrder) {
    EXPECT_EQ(GetIPFromHostName(platform, u"localhost"), u"127.0.0.1");
    EXPECT_EQ(GetIPFromHostName(platform, u"multi.quorl.test"), u"192.0.2.5");
    EXPECT_EQ(GetIPFromHostName(platform, u"named"), u"198.51.100.7");
    EXPECT_EQ(GetIPFromHostName(platform, u"\u00e9t\u00e9.quorl.test"), u"203.0.113.200");
}

TEST_F(ResolverTest, ForwardLookupOfAnUnknownNameIsEmpty) {
    EXPECT_EQ(GetIPFromHostName(platform, u"nowhere.quorl.test"), u"");
    EXPECT_EQ(GetIPFromHostName(platform, u" "), u"");
    EXPECT_TRUE(log.Events().empty());
}

TEST_F(ResolverTest, ReverseLookupGivesTheOfficialName) {
    EXPECT_EQ(GetHostNameFromIP(platform, messageBoxes, u"127.0.0.1"), u"localhost");
    EXPECT_EQ(GetHostNameFromIP(platform, messageBoxes, u"198.51.100.7"), u"named.quorl.test");
    EXPECT_EQ(GetHostNameFromIP(platform, messageBoxes, u"203.0.113.200"),
              u"\u00e9t\u00e9.quorl.test");
    EXPECT_TRUE(log.Events().empty());
}

TEST_F(ResolverTest, ReverseLookupOfAnAddressWithoutANameSaysSo) {
    EXPECT_EQ(GetHostNameFromIP(platform, messageBoxes, u"192.0.2.99"), u"");
    EXPECT_THAT(log.Events(),
                ::testing::ElementsAre("MessageBox None: Call to gethostbyaddr failed."));
}

TEST_F(ResolverTest, EveryInitializationIsUndone) {
    GetHostNameFromIP(platform, messageBoxes, u"127.0.0.1");
    GetHostNameFromIP(platform, messageBoxes, u"letters");
    GetHostNameFromIP(platform, messageBoxes, u"192.0.2.99");
    // Only the fixture's own initialization is left, so one cleanup succeeds
    // and the next one has nothing to undo.
    EXPECT_EQ(platform.WSACleanup(), 0);
    EXPECT_NE(platform.WSACleanup(), 0);
}

}  // namespace
}  // namespace quorl::testing
