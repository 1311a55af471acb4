#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "network/platform/platform.h"

namespace quorl::testing {

// One echo service the conformance suite runs against, set up afresh for
// each case and undone when the case ends.
class EchoService {
public:
    virtual ~EchoService() = default;

    // Why the service cannot be tried here, or empty when it can.
    virtual std::string WhyUnavailable() const = 0;
    virtual Platform& Service() = 0;
    // Echo requests the system has sent so far, from its own ICMP counters.
    virtual long EchoRequestsSent() const = 0;
    // Grows with every descriptor or handle the process holds open.
    virtual long OpenHandles() const = 0;
    // Whether a reply size too small for the echo is refused before the
    // request is sent, as the system's documented behaviour has it.
    virtual bool RefusesShortReplySizesBeforeSending() const { return true; }
};

struct EchoServiceKind {
    std::string name;
    std::unique_ptr<EchoService> (*make)();
};

// So that test listings name the service rather than dump its bytes.
inline void PrintTo(const EchoServiceKind& kind, std::ostream* stream) {
    *stream << kind.name;
}

// Each build instantiates the suite with the services it has.
class EchoServiceConformance : public ::testing::TestWithParam<EchoServiceKind> {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<EchoService> service_;
};

std::string EchoServiceName(const ::testing::TestParamInfo<EchoServiceKind>& info);

}  // namespace quorl::testing
