#include "network/platform/linux/extended_error.h"

#include <gtest/gtest.h>

// errqueue.h needs struct timespec declared first.
#include <time.h>

#include <linux/errqueue.h>
#include <netinet/in.h>

#include <cstring>
#include <vector>

#include "support/fake_platform.h"

namespace quorl {
namespace {

std::vector<std::uint8_t> ControlData(const sock_extended_err& error, const sockaddr_in* offender) {
    std::vector<std::uint8_t> bytes(sizeof(error) + (offender ? sizeof(*offender) : 0));
    std::memcpy(bytes.data(), &error, sizeof(error));
    if (offender) {
        std::memcpy(bytes.data() + sizeof(error), offender, sizeof(*offender));
    }
    return bytes;
}

TEST(ParseExtendedError, ReadsTheRecordAndTheOffender) {
    sock_extended_err error{};
    error.ee_errno = EHOSTUNREACH;
    error.ee_origin = SO_EE_ORIGIN_ICMP;
    error.ee_type = 3;
    error.ee_code = 13;
    sockaddr_in offender{};
    offender.sin_family = AF_INET;
    offender.sin_addr.s_addr = testing::ParseDotted("198.51.100.1");
    const auto parsed = ParseExtendedError(ControlData(error, &offender));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->errorNumber, static_cast<std::uint32_t>(EHOSTUNREACH));
    EXPECT_EQ(parsed->origin, kErrorOriginIcmp);
    EXPECT_EQ(parsed->type, 3);
    EXPECT_EQ(parsed->code, 13);
    EXPECT_EQ(parsed->offender, testing::ParseDotted("198.51.100.1"));
}

TEST(ParseExtendedError, HasNoOffenderWhenNoneIsGiven) {
    sock_extended_err error{};
    error.ee_origin = SO_EE_ORIGIN_LOCAL;
    EXPECT_FALSE(ParseExtendedError(ControlData(error, nullptr))->offender);
    sockaddr_in unspecified{};
    EXPECT_FALSE(ParseExtendedError(ControlData(error, &unspecified))->offender);
}

TEST(ParseExtendedError, RejectsARecordCutShort) {
    const std::vector<std::uint8_t> bytes(sizeof(sock_extended_err) - 1);
    EXPECT_FALSE(ParseExtendedError(bytes));
}

}  // namespace
}  // namespace quorl
