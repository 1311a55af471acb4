// quorl_icmp_responder NAMESPACE [SECONDS]: the quirky host's crafted answers
// (icmp_responder.h) as a program of its own, for tests whose echoes come
// from another process, such as the Windows build under Wine. Prints
// "listening" once it answers, then answers until SIGTERM or SIGINT, or
// until SECONDS (1 to 1500, 300 if not given) have passed.

#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "icmp_responder.h"

namespace {

constexpr long kDefaultSeconds = 300;
constexpr long kMostSeconds = 1500;

// The lifetime asked for, or 0 when it is not a number in range.
long ParseSeconds(const char* text) {
    char* end = nullptr;
    const long seconds = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || seconds < 1 || seconds > kMostSeconds) {
        return 0;
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const long seconds = argc == 3 ? ParseSeconds(argv[2]) : kDefaultSeconds;
    if (argc < 2 || argc > 3 || seconds == 0) {
        std::fprintf(stderr, "usage: %s NAMESPACE [SECONDS, 1 to %ld]\n", argv[0], kMostSeconds);
        return 2;
    }

    // Blocked before the responder's thread starts, so that only the wait
    // below takes them.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);

    quorl::testing::IcmpResponder responder(argv[1], std::chrono::seconds(seconds));
    if (!responder.WaitUntilListening()) {
        std::fprintf(stderr, "no responder listens in network namespace %s\n", argv[1]);
        return 1;
    }
    std::puts("listening");
    std::fflush(stdout);

    const timespec lifetime{seconds, 0};
    sigtimedwait(&stop, nullptr, &lifetime);
    return 0;
}
