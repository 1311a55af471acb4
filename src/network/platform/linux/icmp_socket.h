#pragma once

#include <cstdint>
#include <optional>

#include "unique_fd.h"

namespace quorl {

enum class IcmpSocketKind { Datagram, Raw };

// Why neither kind of ICMP socket opened: the system's error number for each.
struct IcmpSocketRefusal {
    int datagramError = 0;
    int rawError = 0;
};

// One socket for ICMP echo: an unprivileged datagram ICMP socket where the
// system allows it (net.ipv4.ping_group_range), otherwise a raw ICMP socket,
// which needs CAP_NET_RAW.
class IcmpSocket {
public:
    // Tries the datagram kind first; none when neither kind opens.
    static std::optional<IcmpSocket> Open();
    // The same, and when neither kind opens, `refusal` says why.
    static std::optional<IcmpSocket> Open(IcmpSocketRefusal& refusal);

    IcmpSocketKind Kind() const { return kind_; }
    int Descriptor() const { return descriptor_.Get(); }
    // The echo identifier for requests on a raw socket; the kernel chooses
    // its own on a datagram socket.
    std::uint16_t RawIdentifier() const { return rawIdentifier_; }

    // Readies the socket for the one request with this sequence: from now on
    // the kernel queues no echo reply to another request, and whatever was
    // queued before is gone. False when the kernel refuses the filter.
    bool AwaitReplyTo(std::uint16_t sequence);

private:
    IcmpSocket(IcmpSocketKind kind, UniqueFd descriptor, std::uint16_t rawIdentifier)
        : kind_(kind), descriptor_(std::move(descriptor)), rawIdentifier_(rawIdentifier) {}

    IcmpSocketKind kind_;
    UniqueFd descriptor_;
    std::uint16_t rawIdentifier_;
};

}  // namespace quorl
