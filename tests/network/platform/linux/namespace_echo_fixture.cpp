#include "namespace_echo_fixture.h"

#include <algorithm>
#include <fstream>

#include "network/icmp_counters.h"
#include "support/fake_platform.h"

namespace quorl::testing {

void NamespaceEchoTest::EnterWithSocketKind(const std::string& networkNamespace) {
    const bool datagram = GetParam() == IcmpSocketKind::Datagram;
    ASSERT_TRUE(AllowDatagramPing(networkNamespace, datagram));
    entry_ = std::make_unique<NamespaceEntry>(networkNamespace);
    ASSERT_TRUE(entry_->IsEntered());
    const std::optional<IcmpSocket> socket = IcmpSocket::Open();
    ASSERT_TRUE(socket) << "no ICMP socket opens in " << networkNamespace;
    ASSERT_EQ(socket->Kind(), GetParam());
}

std::int32_t NamespaceEchoTest::Echo(const std::u16string& address, const std::u16string& data) {
    reply = EchoReply{};
    return SendEcho(platform, address, data, reply);
}

std::string SocketKindName(const ::testing::TestParamInfo<IcmpSocketKind>& info) {
    return info.param == IcmpSocketKind::Datagram ? "Datagram" : "Raw";
}

long EchoRequestsSent() {
    std::ifstream snmp("/proc/thread-self/net/snmp");
    return std::max(IcmpCounter(snmp, "OutEchos"), 0L);
}

std::int32_t AddressValue(const std::string& dotted) {
    return static_cast<std::int32_t>(ParseDotted(dotted));
}

std::u16string EchoedText(const EchoReply& reply) {
    const auto end = std::find(reply.Data.begin(), reply.Data.end(), u'\0');
    return std::u16string(reply.Data.begin(), end);
}

}  // namespace quorl::testing
