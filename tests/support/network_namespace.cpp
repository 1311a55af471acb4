#include "network_namespace.h"

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>

namespace quorl::testing {

bool RunCommand(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string WhyNoNamespaces() {
    if (geteuid() != 0) {
        return "needs root to create network namespaces";
    }
    if (!RunCommand("command -v ip")) {
        return "needs iproute2 (ip netns)";
    }
    return {};
}

std::string UniqueName(const std::string& stem) {
    static std::atomic<int> counter{0};
    return stem + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

ScratchNamespace::ScratchNamespace(std::string name) : name_(std::move(name)) {
    ready_ =
        RunCommand("ip netns add " + name_) && RunCommand("ip -n " + name_ + " link set lo up");
}

ScratchNamespace::~ScratchNamespace() {
    RunCommand("ip netns delete " + name_);
}

bool SetSysctl(const std::string& networkNamespace, const std::string& key,
               const std::string& value) {
    return RunCommand("ip netns exec " + networkNamespace + " sysctl -qw " + key + "='" + value +
                      "'");
}

bool AllowDatagramPing(const std::string& networkNamespace, bool allow) {
    return SetSysctl(networkNamespace, "net.ipv4.ping_group_range", allow ? "0 2147483647" : "1 0");
}

NamespaceEntry::NamespaceEntry(const std::string& networkNamespace) {
    original_ = open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    const int target = open(("/run/netns/" + networkNamespace).c_str(), O_RDONLY | O_CLOEXEC);
    entered_ = original_ >= 0 && target >= 0 && setns(target, CLONE_NEWNET) == 0;
    if (target >= 0) {
        close(target);
    }
}

NamespaceEntry::~NamespaceEntry() {
    if (entered_) {
        setns(original_, CLONE_NEWNET);
    }
    if (original_ >= 0) {
        close(original_);
    }
}

}  // namespace quorl::testing
