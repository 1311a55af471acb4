// Sends one echo of 127.0.0.1 the way the window does, and prints the status
// with the process's effective capabilities before and after, for the
// least-privilege test. With --no-free-descriptors it fills its descriptor
// table first, so that no socket can open whatever the permissions, and
// echoes twice.

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "network/platform/linux/linux_platform.h"
#include "network/platform/linux/unique_fd.h"
#include "network/send_echo.h"
#include "network/sockets_setup.h"

namespace {

std::string EffectiveCapabilities() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("CapEff:", 0) == 0) {
            return line.substr(line.find_first_not_of(" \t", 7));
        }
    }
    return "unknown";
}

// Lowers the descriptor limit to a few and takes every one still free, until
// the result is dropped.
std::vector<quorl::UniqueFd> FillDescriptorTable() {
    constexpr rlim_t kFewDescriptors = 16;
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = kFewDescriptors;
    setrlimit(RLIMIT_NOFILE, &limit);
    std::vector<quorl::UniqueFd> taken;
    taken.reserve(kFewDescriptors);
    while (taken.size() < kFewDescriptors) {
        quorl::UniqueFd descriptor(dup(STDERR_FILENO));
        if (!descriptor.IsValid()) {
            break;
        }
        taken.push_back(std::move(descriptor));
    }
    return taken;
}

void EchoLoopback(quorl::LinuxPlatform& platform) {
    quorl::EchoReply reply;
    const std::int32_t status = quorl::SendEcho(platform, u"127.0.0.1", u"Echo This", reply);
    std::printf("status %d\n", status);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const bool noFreeDescriptors = argc > 1 && std::strcmp(argv[1], "--no-free-descriptors") == 0;
    quorl::LinuxPlatform platform;
    std::printf("before %s\n", EffectiveCapabilities().c_str());
    // Initialized first: a sanitizer's first check of the platform's type
    // needs descriptors of its own.
    quorl::SocketsInitialize(platform);
    if (noFreeDescriptors) {
        const std::vector<quorl::UniqueFd> taken = FillDescriptorTable();
        EchoLoopback(platform);
        EchoLoopback(platform);
        return 0;
    }
    EchoLoopback(platform);
    std::printf("after %s\n", EffectiveCapabilities().c_str());
    return 0;
}
