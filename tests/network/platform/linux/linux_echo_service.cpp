// The conformance suite against our own echo service, through each kind of
// ICMP socket, each case in a namespace of its own.

#include <dirent.h>

#include <fstream>

#include "network/echo_service_conformance.h"
#include "network/icmp_counters.h"
#include "network/platform/linux/icmp_socket.h"
#include "network/platform/linux/linux_platform.h"
#include "support/network_namespace.h"

namespace quorl::testing {
namespace {

long CountDirectoryEntries(const char* path) {
    long count = 0;
    if (DIR* directory = opendir(path)) {
        while (readdir(directory) != nullptr) {
            ++count;
        }
        closedir(directory);
    }
    return count;
}

class LinuxEchoService final : public EchoService {
public:
    explicit LinuxEchoService(IcmpSocketKind kind) : kind_(kind) {
        why_ = WhyNoNamespaces();
        if (why_.empty()) {
            Enter();
        }
    }

    std::string WhyUnavailable() const override { return why_; }
    Platform& Service() override { return platform_; }
    long EchoRequestsSent() const override {
        std::ifstream snmp("/proc/thread-self/net/snmp");
        return IcmpCounter(snmp, "OutEchos");
    }
    long OpenHandles() const override { return CountDirectoryEntries("/proc/self/fd"); }

private:
    void Enter() {
        namespace_ = std::make_unique<ScratchNamespace>(UniqueName("quorl-conf"));
        const bool datagram = kind_ == IcmpSocketKind::Datagram;
        if (!namespace_->IsReady() || !AllowDatagramPing(namespace_->Name(), datagram)) {
            why_ = "the namespace could not be made";
            return;
        }
        entry_ = std::make_unique<NamespaceEntry>(namespace_->Name());
        const std::optional<IcmpSocket> socket = IcmpSocket::Open();
        if (!entry_->IsEntered() || !socket || socket->Kind() != kind_) {
            why_ = "no ICMP socket of the kind asked for opens in the namespace";
        }
    }

    IcmpSocketKind kind_;
    std::string why_;
    std::unique_ptr<ScratchNamespace> namespace_;
    std::unique_ptr<NamespaceEntry> entry_;
    LinuxPlatform platform_;
};

template <IcmpSocketKind kind>
std::unique_ptr<EchoService> MakeLinuxEchoService() {
    return std::make_unique<LinuxEchoService>(kind);
}

INSTANTIATE_TEST_SUITE_P(
    Linux, EchoServiceConformance,
    ::testing::Values(EchoServiceKind{"Datagram", &MakeLinuxEchoService<IcmpSocketKind::Datagram>},
                      EchoServiceKind{"Raw", &MakeLinuxEchoService<IcmpSocketKind::Raw>}),
    EchoServiceName);

}  // namespace
}  // namespace quorl::testing
