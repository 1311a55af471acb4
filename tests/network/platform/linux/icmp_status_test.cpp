#include "network/platform/linux/icmp_status.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iterator>

#include "network/platform/ip_status.h"

namespace quorl {
namespace {

TEST(StatusForIcmpError, MapsEveryUnreachableCode) {
    const std::int32_t expected[] = {
        kIpDestNetUnreachable,  kIpDestHostUnreachable, kIpDestProtUnreachable,
        kIpDestPortUnreachable, kIpPacketTooBig,        kIpBadRoute,
        kIpDestNetUnreachable,  kIpDestHostUnreachable, kIpDestHostUnreachable,
        kIpDestNetUnreachable,  kIpDestHostUnreachable, kIpDestNetUnreachable,
        kIpDestHostUnreachable, kIpDestHostUnreachable, kIpDestHostUnreachable,
        kIpDestHostUnreachable, kIpDestHostUnreachable, kIpDestHostUnreachable,
    };
    for (std::uint8_t code = 0; code < std::size(expected); ++code) {
        EXPECT_EQ(StatusForIcmpError(3, code), expected[code]) << "code " << int(code);
    }
    EXPECT_EQ(StatusForIcmpError(3, 255), kIpDestHostUnreachable);
}

TEST(StatusForIcmpError, MapsTheOtherErrorTypes) {
    EXPECT_EQ(StatusForIcmpError(11, 0), kIpTtlExpiredTransit);
    EXPECT_EQ(StatusForIcmpError(11, 1), kIpTtlExpiredReassem);
    EXPECT_EQ(StatusForIcmpError(12, 0), kIpParamProblem);
    EXPECT_EQ(StatusForIcmpError(12, 2), kIpParamProblem);
    EXPECT_EQ(StatusForIcmpError(4, 0), kIpSourceQuench);
}

TEST(StatusForIcmpError, SaysNothingOfMessagesThatAreNoAnswer) {
    for (const int type : {0, 5, 8, 9, 10, 13, 255}) {
        EXPECT_FALSE(StatusForIcmpError(static_cast<std::uint8_t>(type), 0)) << "type " << type;
    }
}

// Only an unreachable route has a status of its own; no route at all is a
// general failure, as the Windows echo service has it.
TEST(StatusForSendError, MapsTheRefusalsOfTheLocalSystem) {
    EXPECT_EQ(StatusForSendError(EHOSTUNREACH), kIpDestHostUnreachable);
    for (const int error : {ENETUNREACH, EMSGSIZE, EACCES, EINVAL, ENOBUFS}) {
        EXPECT_EQ(StatusForSendError(error), kIpGeneralFailure) << "errno " << error;
    }
}

}  // namespace
}  // namespace quorl
