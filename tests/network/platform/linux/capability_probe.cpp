// Sends one echo of 127.0.0.1 the way the window does, and prints the status
// with the process's effective capabilities before and after, for the
// least-privilege test.

#include <cstdio>
#include <fstream>
#include <string>

#include "network/platform/linux/linux_platform.h"
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

}  // namespace

int main() {
    quorl::LinuxPlatform platform;
    std::printf("before %s\n", EffectiveCapabilities().c_str());
    quorl::SocketsInitialize(platform);
    quorl::EchoReply reply;
    const std::int32_t status = quorl::SendEcho(platform, u"127.0.0.1", u"Echo This", reply);
    std::printf("status %d\n", status);
    std::printf("after %s\n", EffectiveCapabilities().c_str());
    return 0;
}
