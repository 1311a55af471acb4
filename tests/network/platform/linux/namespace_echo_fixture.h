#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "network/echo_reply.h"
#include "network/platform/linux/icmp_socket.h"
#include "network/platform/linux/linux_platform.h"
#include "network/send_echo.h"
#include "support/network_namespace.h"

namespace quorl::testing {

// Echoes sent by the calling thread from inside a network namespace, through
// the socket kind the test names.
class NamespaceEchoTest : public ::testing::TestWithParam<IcmpSocketKind> {
protected:
    // Enters the namespace after allowing or refusing datagram ICMP there,
    // and checks that the echo service will use the kind asked for.
    void EnterWithSocketKind(const std::string& networkNamespace);

    std::int32_t Echo(const std::u16string& address, const std::u16string& data);

    LinuxPlatform platform;
    EchoReply reply;

private:
    std::unique_ptr<NamespaceEntry> entry_;
};

std::string SocketKindName(const ::testing::TestParamInfo<IcmpSocketKind>& info);

// Echo requests this thread's namespace has sent so far.
long EchoRequestsSent();

// The signed 32-bit form of a dotted address, as the Address box shows it.
std::int32_t AddressValue(const std::string& dotted);

std::u16string EchoedText(const EchoReply& reply);

}  // namespace quorl::testing
