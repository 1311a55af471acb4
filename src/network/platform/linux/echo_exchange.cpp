#include "echo_exchange.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

#include "echo_match.h"
#include "icmp_status.h"
#include "network/platform/ip_status.h"
#include "reply_writer.h"

namespace quorl {
namespace {

using Clock = std::chrono::steady_clock;

// The kernel lets a poll oversleep by about a thousandth of its timeout;
// waiting in short steps keeps the end of the wait within microseconds.
constexpr auto kLongestWait = std::chrono::milliseconds(20);

// Large enough for any IPv4 datagram, so nothing is ever cut short.
using ReceiveBuffer = std::array<std::uint8_t, 65536>;
using ControlBuffer = std::array<std::uint8_t, 512>;

struct ReceivedMessage {
    Bytes bytes;
    sockaddr_in peer{};
    ControlBuffer control{};
    std::size_t controlLength = 0;
};

sockaddr_in SocketAddress(std::uint32_t address) {
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_addr.s_addr = address;
    return socketAddress;
}

timespec ToTimespec(Clock::duration duration) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    const auto nanoseconds =
        std::chrono::duration_cast<std::chrono::nanoseconds>(duration - seconds);
    return timespec{static_cast<time_t>(seconds.count()), static_cast<long>(nanoseconds.count())};
}

// The identifier the kernel gave a datagram ICMP socket: its local "port".
std::uint16_t DatagramIdentifier(int descriptor) {
    sockaddr_in local{};
    socklen_t length = sizeof(local);
    if (getsockname(descriptor, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        return 0;
    }
    return ntohs(local.sin_port);
}

std::optional<ReceivedMessage> Receive(int descriptor, ReceiveBuffer& buffer, int flags) {
    ReceivedMessage message;
    iovec vector{buffer.data(), buffer.size()};
    msghdr header{};
    header.msg_name = &message.peer;
    header.msg_namelen = sizeof(message.peer);
    header.msg_iov = &vector;
    header.msg_iovlen = 1;
    header.msg_control = message.control.data();
    header.msg_controllen = message.control.size();
    const ssize_t length = recvmsg(descriptor, &header, flags | MSG_DONTWAIT);
    if (length < 0 || (header.msg_flags & (MSG_TRUNC | MSG_CTRUNC)) != 0) {
        return std::nullopt;
    }
    message.bytes = Bytes(buffer.data(), static_cast<std::size_t>(length));
    message.controlLength = header.msg_controllen;
    return message;
}

// Walks the control messages the kernel attached at the IP level.
template <typename Visitor>
void ForEachIpControl(ReceivedMessage& message, Visitor visit) {
    msghdr header{};
    header.msg_control = message.control.data();
    header.msg_controllen = message.controlLength;
    for (cmsghdr* control = CMSG_FIRSTHDR(&header); control != nullptr;
         control = CMSG_NXTHDR(&header, control)) {
        if (control->cmsg_level == IPPROTO_IP && control->cmsg_len >= CMSG_LEN(0)) {
            const Bytes data(CMSG_DATA(control), control->cmsg_len - CMSG_LEN(0));
            visit(control->cmsg_type, data);
        }
    }
}

std::optional<EchoAnswer> MatchDatagramMessage(ReceivedMessage& message,
                                               const EchoRequestKey& key) {
    std::optional<EchoAnswer> answer =
        MatchEchoReply(message.bytes, message.peer.sin_addr.s_addr, key);
    if (answer) {
        ForEachIpControl(message, [&answer](int type, Bytes data) {
            int timeToLive = 0;
            if (type == IP_TTL && data.size() >= sizeof(timeToLive)) {
                std::memcpy(&timeToLive, data.data(), sizeof(timeToLive));
                answer->timeToLive = static_cast<std::uint8_t>(timeToLive);
            }
            if (type == IP_TOS && !data.empty()) {
                answer->typeOfService = data[0];
            }
        });
    }
    return answer;
}

// Reads what is queued until our answer turns up: one message per wake-up
// would let a burst of other messages fill the queue, and the kernel would
// drop our answer behind them. The answer's data stays in the buffer.
std::optional<EchoAnswer> ReadQueuedAnswer(const IcmpSocket& socket, const EchoRequestKey& key,
                                           ReceiveBuffer& buffer, Clock::time_point deadline) {
    const bool isDatagram = socket.Kind() == IcmpSocketKind::Datagram;
    while (Clock::now() < deadline) {
        std::optional<ReceivedMessage> message = Receive(socket.Descriptor(), buffer, 0);
        if (!message) {
            return std::nullopt;
        }
        std::optional<EchoAnswer> answer =
            isDatagram ? MatchDatagramMessage(*message, key) : MatchRawPacket(message->bytes, key);
        if (answer) {
            return answer;
        }
    }
    return std::nullopt;
}

// Reads the whole error queue, so that no stale error is left to fail a later
// call, and keeps the first entry about our request.
std::optional<EchoAnswer> ReadQueuedErrors(int descriptor, const EchoRequestKey& key,
                                           ReceiveBuffer& buffer) {
    std::optional<EchoAnswer> ours;
    while (std::optional<ReceivedMessage> message = Receive(descriptor, buffer, MSG_ERRQUEUE)) {
        if (ours) {
            continue;
        }
        ForEachIpControl(*message, [&](int type, Bytes data) {
            if (type != IP_RECVERR) {
                return;
            }
            if (const std::optional<ExtendedError> error = ParseExtendedError(data)) {
                ours =
                    MatchDatagramError(message->bytes, message->peer.sin_addr.s_addr, *error, key);
            }
        });
    }
    return ours;
}

// How one step of the wait, at most kLongestWait, came out.
enum class StepOutcome {
    Answer,        // our echo reply; on a raw socket also an ICMP error about our request
    IcmpError,     // an ICMP error about our request, from a datagram socket's error queue
    TimedOut,      // nothing of ours arrived within the step
    ReceiveError,  // the socket could not be waited on (a signal, say); the wait goes on
};

struct StepResult {
    StepOutcome outcome = StepOutcome::TimedOut;
    EchoAnswer answer;  // for Answer and IcmpError
};

// What the wait for one request's answer needs; the answer's data stays in
// the buffer.
struct AnswerWait {
    const IcmpSocket& socket;
    EchoRequestKey key;
    Clock::time_point deadline;
    ReceiveBuffer& buffer;
};

// The error queue first: an error about our request is the answer, whatever
// else came with it.
StepResult ReadReady(const AnswerWait& wait, short events) {
    if ((events & POLLERR) != 0) {
        const int descriptor = wait.socket.Descriptor();
        if (std::optional<EchoAnswer> error = ReadQueuedErrors(descriptor, wait.key, wait.buffer)) {
            return {StepOutcome::IcmpError, *error};
        }
    }
    if ((events & POLLIN) != 0) {
        if (std::optional<EchoAnswer> answer =
                ReadQueuedAnswer(wait.socket, wait.key, wait.buffer, wait.deadline)) {
            return {StepOutcome::Answer, *answer};
        }
    }
    return {};
}

StepResult WaitStep(const AnswerWait& wait, Clock::time_point now) {
    pollfd ready{wait.socket.Descriptor(), POLLIN, 0};
    const timespec step = ToTimespec(std::min<Clock::duration>(wait.deadline - now, kLongestWait));
    const int readyCount = ppoll(&ready, 1, &step, nullptr);
    if (readyCount < 0) {
        return {StepOutcome::ReceiveError, {}};
    }
    if (readyCount == 0) {
        return {};
    }
    return ReadReady(wait, ready.revents);
}

// Our answer, or none when the deadline passes first.
std::optional<EchoAnswer> WaitForAnswer(const AnswerWait& wait) {
    for (Clock::time_point now = Clock::now(); now < wait.deadline; now = Clock::now()) {
        const StepResult step = WaitStep(wait, now);
        switch (step.outcome) {
            case StepOutcome::Answer:
            case StepOutcome::IcmpError:
                return step.answer;
            case StepOutcome::TimedOut:
            case StepOutcome::ReceiveError:
                break;
        }
    }
    return std::nullopt;
}

bool SendRequest(int descriptor, std::uint32_t destination, Bytes request) {
    const sockaddr_in to = SocketAddress(destination);
    return sendto(descriptor, request.data(), request.size(), 0,
                  reinterpret_cast<const sockaddr*>(&to), sizeof(to)) >= 0;
}

std::uint32_t RoundTripSince(Clock::time_point sentAt) {
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sentAt).count());
}

}  // namespace

std::uint32_t ExchangeEcho(IcmpSocket& socket, std::uint32_t destination, std::uint16_t sequence,
                           Bytes data, std::chrono::milliseconds timeout,
                           std::span<std::uint8_t> reply) {
    EchoRequestKey key{destination, socket.RawIdentifier(), sequence};
    if (!socket.AwaitReplyTo(sequence)) {
        WriteReplyStatus(reply, kIpGeneralFailure);
        return 0;
    }
    const std::vector<std::uint8_t> request = BuildEchoRequest(key.identifier, sequence, data);
    const Clock::time_point sentAt = Clock::now();
    if (!SendRequest(socket.Descriptor(), destination, request)) {
        WriteReplyStatus(reply, StatusForSendError(errno));
        return 0;
    }
    if (socket.Kind() == IcmpSocketKind::Datagram) {
        key.identifier = DatagramIdentifier(socket.Descriptor());
    }
    ReceiveBuffer buffer;
    const std::optional<EchoAnswer> answer = WaitForAnswer({socket, key, sentAt + timeout, buffer});
    if (!answer) {
        WriteReplyStatus(reply, kIpReqTimedOut);
        return 0;
    }
    WriteReply(reply, *answer, RoundTripSince(sentAt));
    return 1;
}

}  // namespace quorl
