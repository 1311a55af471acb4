// Usage: quorl_echo_bench [echoes] [timeouts]
//
// For each kind of ICMP socket, in a namespace of its own: the median cost of
// one SendEcho to 127.0.0.1 (socket opened and closed each time, as the
// procedure does) beside its anchors: the same exchange on one open handle,
// a bare echo on a socket of its own without options or filter, attaching
// the per-request filter alone, and iputils ping's time per packet in flood
// mode; then the median overshoot of the 500 ms timeout; then peak memory.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bare_echo.h"
#include "network/platform/linux/icmp_socket.h"
#include "network/platform/linux/linux_platform.h"
#include "network/send_echo.h"
#include "support/network_namespace.h"

using namespace quorl;
using namespace quorl::testing;
using Clock = std::chrono::steady_clock;

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Microseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::micro>(duration).count();
}

// Microseconds per SendEcho, one value per call.
std::vector<double> TimeEchoes(int count) {
    LinuxPlatform platform;
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        EchoReply reply;
        const Clock::time_point start = Clock::now();
        const std::int32_t status = SendEcho(platform, u"127.0.0.1", u"Echo This", reply);
        times.push_back(Microseconds(Clock::now() - start));
        if (status != 0) {
            std::fprintf(stderr, "echo %d failed with status %d\n", i, status);
            std::exit(1);
        }
    }
    return times;
}

// Microseconds per echo on one handle kept open, as ping keeps its socket:
// the exchange alone, without opening and closing the socket each time.
std::vector<double> TimeEchoesOnOneHandle(int count) {
    LinuxPlatform platform;
    const EchoHandle handle = platform.IcmpCreateFile();
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        ReplyBlock block{};
        const Clock::time_point start = Clock::now();
        platform.IcmpSendEcho(handle, 0x0100007F, "Echo This", block, kReplySize, 500);
        times.push_back(Microseconds(Clock::now() - start));
    }
    platform.IcmpCloseHandle(handle);
    return times;
}

// Microseconds per bare echo: a socket of its own, nothing else.
std::vector<double> TimeBareEchoes(IcmpSocketKind kind, int count) {
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const Clock::time_point start = Clock::now();
        const bool answered = bench::BareEcho(kind, static_cast<std::uint16_t>(i));
        times.push_back(Microseconds(Clock::now() - start));
        if (!answered) {
            std::fprintf(stderr, "bare echo %d failed\n", i);
            std::exit(1);
        }
    }
    return times;
}

// Microseconds per filter a request gets on an open socket, with the
// discarding of what was queued before it.
std::vector<double> TimeFilterAttachments(int count) {
    std::optional<IcmpSocket> socket = IcmpSocket::Open();
    std::vector<double> times;
    for (int i = 0; socket && i < count; ++i) {
        const Clock::time_point start = Clock::now();
        socket->AwaitReplyTo(static_cast<std::uint16_t>(i));
        times.push_back(Microseconds(Clock::now() - start));
    }
    return times;
}

// iputils ping's time per packet in flood mode, from its summary line.
std::optional<double> PingMicrosecondsPerPacket(int count) {
    const std::string command = "ping -f -q -c " + std::to_string(count) +
                                " -s 9 127.0.0.1 2>/dev/null | grep -o 'time [0-9]*ms'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    long milliseconds = 0;
    if (!pipe || std::fscanf(pipe.get(), "time %ldms", &milliseconds) != 1) {
        return std::nullopt;
    }
    return 1000.0 * static_cast<double>(milliseconds) / count;
}

void CompareWithPing(IcmpSocketKind kind, int count) {
    const char* name = kind == IcmpSocketKind::Datagram ? "datagram" : "raw";
    const ScratchNamespace scratch(UniqueName("quorl-bench"));
    if (!scratch.IsReady() ||
        !AllowDatagramPing(scratch.Name(), kind == IcmpSocketKind::Datagram)) {
        std::printf("%-8s  skipped: cannot make a namespace\n", name);
        return;
    }
    const NamespaceEntry entry(scratch.Name());
    const double perCall = Median(TimeEchoes(count));
    const double perExchange = Median(TimeEchoesOnOneHandle(count));
    const double bare = Median(TimeBareEchoes(kind, count));
    const double filter = Median(TimeFilterAttachments(count));
    std::printf(
        "%-8s  SendEcho median %7.1f us   one open handle %7.1f us   bare echo %7.1f us"
        "   filter alone %7.1f us\n",
        name, perCall, perExchange, bare, filter);
    // ping reports whole milliseconds: enough packets make that precise.
    const std::optional<double> ping = PingMicrosecondsPerPacket(std::max(count, 50000));
    if (!ping) {
        std::printf("%-8s  ping -f did not run\n", name);
        return;
    }
    std::printf(
        "%-8s  ping -f %7.1f us/packet: SendEcho %.2f x, one open handle %.2f x, bare %.2f x\n",
        name, *ping, perCall / *ping, perExchange / *ping, bare / *ping);
}

void MeasureTimeoutOvershoot(int count) {
    const ScratchNamespace scratch(UniqueName("quorl-bench"));
    if (!scratch.IsReady() || !SetSysctl(scratch.Name(), "net.ipv4.icmp_echo_ignore_all", "1")) {
        std::printf("timeout   skipped: cannot make a namespace\n");
        return;
    }
    const NamespaceEntry entry(scratch.Name());
    LinuxPlatform platform;
    std::vector<double> overshoots;
    for (int i = 0; i < count; ++i) {
        EchoReply reply;
        const Clock::time_point start = Clock::now();
        SendEcho(platform, u"127.0.0.1", u"Echo This", reply);
        overshoots.push_back(Microseconds(Clock::now() - start) - 500000.0);
    }
    std::printf("timeout   median overshoot of 500 ms: %.1f us (max %.1f us, %d echoes)\n",
                Median(overshoots), *std::max_element(overshoots.begin(), overshoots.end()), count);
}

}  // namespace

int main(int argc, char** argv) {
    const int echoes = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int timeouts = argc > 2 ? std::atoi(argv[2]) : 20;
    if (const std::string why = WhyNoNamespaces(); !why.empty()) {
        std::printf("skipped: %s\n", why.c_str());
        return 0;
    }
    std::printf("%d echoes of 127.0.0.1 with \"Echo This\"\n", echoes);
    CompareWithPing(IcmpSocketKind::Datagram, echoes);
    CompareWithPing(IcmpSocketKind::Raw, echoes);
    MeasureTimeoutOvershoot(timeouts);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %ld KiB\n", usage.ru_maxrss);
    return 0;
}
