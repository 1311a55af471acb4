#include "bare_echo.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "network/platform/linux/icmp_packet.h"
#include "network/platform/linux/unique_fd.h"

namespace quorl::bench {
namespace {

constexpr int kWaitMilliseconds = 500;
constexpr std::uint8_t kEchoThis[] = {'E', 'c', 'h', 'o', ' ', 'T', 'h', 'i', 's'};

// A datagram socket reads ICMP messages alone, a raw one whole packets.
std::optional<IcmpEcho> ReadEcho(IcmpSocketKind kind, Bytes received) {
    if (kind == IcmpSocketKind::Datagram) {
        return ParseIcmpEcho(received);
    }
    const std::optional<Ipv4Packet> packet = ParseIpv4Packet(received);
    return packet ? ParseIcmpEcho(packet->payload) : std::nullopt;
}

}  // namespace

bool BareEcho(IcmpSocketKind kind, std::uint16_t sequence) {
    const int type = kind == IcmpSocketKind::Datagram ? SOCK_DGRAM : SOCK_RAW;
    const UniqueFd socket(::socket(AF_INET, type | SOCK_CLOEXEC, IPPROTO_ICMP));
    if (!socket.IsValid()) {
        return false;
    }
    // The kernel replaces the identifier on a datagram socket; a raw socket
    // sees every echo of the namespace, which holds only ours.
    const std::vector<std::uint8_t> request = BuildEchoRequest(0x5142, sequence, kEchoThis);
    sockaddr_in loopback{};
    loopback.sin_family = AF_INET;
    loopback.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (sendto(socket.Get(), request.data(), request.size(), 0,
               reinterpret_cast<const sockaddr*>(&loopback), sizeof(loopback)) < 0) {
        return false;
    }
    // A raw socket reads its own request first; a few messages are enough.
    std::array<std::uint8_t, 1500> buffer;
    for (int read = 0; read < 4; ++read) {
        pollfd ready{socket.Get(), POLLIN, 0};
        if (poll(&ready, 1, kWaitMilliseconds) <= 0) {
            return false;
        }
        const ssize_t length = recv(socket.Get(), buffer.data(), buffer.size(), 0);
        if (length < 0) {
            return false;
        }
        const std::optional<IcmpEcho> echo =
            ReadEcho(kind, Bytes(buffer.data(), static_cast<std::size_t>(length)));
        if (echo && echo->type == kIcmpEchoReply && echo->sequence == sequence) {
            return true;
        }
    }
    return false;
}

}  // namespace quorl::bench
