#include "icmp_responder.h"

#include <fcntl.h>
#include <linux/icmp.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <optional>
#include <vector>

#include "network/platform/linux/icmp_packet.h"
#include "network/platform/linux/unique_fd.h"
#include "packet_builder.h"
#include "support/fake_platform.h"

namespace quorl::testing {
namespace {

// Enough for a handful of bursts; the responder stops answering after that.
constexpr int kMaximumAnswers = 20000;
constexpr int kBurstLength = 1200;

struct Request {
    Packet datagram;  // as received, IP header included
    std::uint32_t source = 0;
    std::uint32_t destination = 0;
    std::uint16_t identifier = 0;
    std::uint16_t sequence = 0;
    std::string data;
};

bool EnterNamespace(const std::string& name) {
    const UniqueFd target(open(("/run/netns/" + name).c_str(), O_RDONLY | O_CLOEXEC));
    return target.IsValid() && setns(target.Get(), CLONE_NEWNET) == 0;
}

std::optional<Request> ParseRequest(const Packet& datagram) {
    const auto ip = ParseIpv4Packet(datagram);
    if (!ip || ip->header.protocol != kIcmpProtocol) {
        return std::nullopt;
    }
    const auto echo = ParseIcmpEcho(ip->payload);
    if (!echo || echo->type != kIcmpEchoRequest) {
        return std::nullopt;
    }
    return Request{
        datagram,         ip->header.source, ip->header.destination,
        echo->identifier, echo->sequence,    std::string(echo->data.begin(), echo->data.end())};
}

// The ICMP messages that answer a request, in the order they are sent.
std::vector<Packet> AnswersTo(const Request& request) {
    const std::string host = DottedText(request.destination);
    const std::uint16_t id = request.identifier;
    const std::uint16_t seq = request.sequence;
    const Packet& quoted = request.datagram;
    if (host == "192.0.2.140")
        return {ErrorMessage(12, 0, quoted)};
    if (host == "192.0.2.141")
        return {ErrorMessage(4, 0, quoted)};
    if (host == "192.0.2.142")
        return {ErrorMessage(11, 1, quoted)};
    if (host == "192.0.2.143")
        return {ErrorMessage(3, 4, quoted, 576)};
    if (host == "192.0.2.144")
        return {ErrorMessage(3, 5, quoted)};
    if (host == "192.0.2.147")
        return {ErrorMessage(11, 0, quoted)};
    if (host == "192.0.2.145")
        return {EchoMessage(0, id, seq, request.data + request.data)};
    if (host == "127.0.0.147") {
        std::vector<Packet> burst(kBurstLength,
                                  EchoMessage(0, id, static_cast<std::uint16_t>(seq + 1), "burst"));
        burst.push_back(EchoMessage(0, id, seq, request.data));
        return burst;
    }
    if (host == "192.0.2.146") {
        Packet damaged = EchoMessage(0, id, seq, "damaged");
        damaged[2] ^= 0x01;
        return {EchoMessage(0, static_cast<std::uint16_t>(id + 1), seq, "other identifier"),
                EchoMessage(0, id, static_cast<std::uint16_t>(seq - 1), "other sequence"), damaged,
                EchoMessage(0, id, seq, request.data)};
    }
    return {};
}

void Send(int descriptor, const Request& request, const Packet& message) {
    // Written with our own IP header, so that it comes from the address the
    // request was sent to rather than the interface's first one.
    const Packet datagram = Ipv4Datagram(request.destination, request.source, message);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = request.source;
    sendto(descriptor, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&to),
           sizeof(to));
}

// Keeps the responder's own answers, which loop back to it on a local
// address, from crowding the requests out of its queue.
bool ListenToRequestsOnly(int descriptor) {
    icmp_filter filter{};
    filter.data = ~(1U << kIcmpEchoRequest);
    return setsockopt(descriptor, SOL_RAW, ICMP_FILTER, &filter, sizeof(filter)) == 0;
}

}  // namespace

IcmpResponder::IcmpResponder(std::string networkNamespace, std::chrono::seconds lifetime)
    : namespace_(std::move(networkNamespace)), lifetime_(lifetime), thread_([this] { Run(); }) {}

IcmpResponder::~IcmpResponder() {
    stopping_ = true;
    thread_.join();
}

bool IcmpResponder::WaitUntilListening() {
    std::unique_lock lock(mutex_);
    stateChanged_.wait_for(lock, std::chrono::seconds(10), [this] { return state_ != 0; });
    return state_ == 1;
}

void IcmpResponder::SetState(int state) {
    {
        const std::lock_guard lock(mutex_);
        state_ = state;
    }
    stateChanged_.notify_all();
}

void IcmpResponder::Run() {
    if (!EnterNamespace(namespace_)) {
        SetState(-1);
        return;
    }
    const UniqueFd listener(socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP));
    const UniqueFd sender(socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_RAW));
    if (!listener.IsValid() || !sender.IsValid() || !ListenToRequestsOnly(listener.Get())) {
        SetState(-1);
        return;
    }
    SetState(1);

    const auto deadline = std::chrono::steady_clock::now() + lifetime_;
    std::array<std::uint8_t, 65536> buffer;
    for (int answered = 0;
         !stopping_ && answered < kMaximumAnswers && std::chrono::steady_clock::now() < deadline;) {
        pollfd ready{listener.Get(), POLLIN, 0};
        if (poll(&ready, 1, 20) <= 0) {
            continue;
        }
        const ssize_t length = recv(listener.Get(), buffer.data(), buffer.size(), MSG_DONTWAIT);
        if (length <= 0) {
            continue;
        }
        const std::optional<Request> request =
            ParseRequest(Packet(buffer.begin(), buffer.begin() + length));
        if (!request) {
            continue;
        }
        for (const Packet& answer : AnswersTo(*request)) {
            Send(sender.Get(), *request, answer);
            ++answered;
        }
    }
}

}  // namespace quorl::testing
