#include "icmp_socket.h"

#include <linux/filter.h>
#include <linux/icmp.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>
#include <random>
#include <span>

#include "icmp_error_types.h"
#include "icmp_packet.h"
#include "net_raw_capability.h"

namespace quorl {
namespace {

bool EnableOption(int descriptor, int level, int option) {
    const int on = 1;
    return setsockopt(descriptor, level, option, &on, sizeof(on)) == 0;
}

// Lets through only what can answer an echo request; the kernel drops the
// rest (including our own requests looped back) before it reaches us.
bool FilterRawTypes(int descriptor) {
    icmp_filter filter{};
    filter.data = ~((1U << kIcmpEchoReply) | IcmpErrorTypeBits());
    return setsockopt(descriptor, SOL_RAW, ICMP_FILTER, &filter, sizeof(filter)) == 0;
}

// The kernel refuses a send to a broadcast address (EACCES) on a socket that
// has not asked for it. The Windows echo service sends such a request and
// takes the first host that answers.
bool AllowBroadcast(int descriptor) {
    return EnableOption(descriptor, SOL_SOCKET, SO_BROADCAST);
}

// Room for a burst of a few thousand short messages ahead of our answer.
constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

// Past the limit an unprivileged process may ask for, the kernel caps the
// size at net.core.rmem_max; as root it is taken as asked.
void EnlargeReceiveBuffer(int descriptor) {
    const int size = kReceiveBufferBytes;
    if (setsockopt(descriptor, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof(size)) != 0) {
        setsockopt(descriptor, SOL_SOCKET, SO_RCVBUF, &size, sizeof(size));
    }
}

// Requests carry no options, and go out the way the Windows echo service
// sends such a request: with "don't fragment" clear. Unlike
// IP_PMTUDISC_DONT, this mode still lets the kernel pass a host's
// "fragmentation needed" to a datagram socket's error queue.
bool AllowFragmentation(int descriptor) {
    const int discovery = IP_PMTUDISC_OMIT;
    return setsockopt(descriptor, IPPROTO_IP, IP_MTU_DISCOVER, &discovery, sizeof(discovery)) == 0;
}

bool AttachFilter(int descriptor, std::span<sock_filter> code) {
    const sock_fprog program{static_cast<unsigned short>(code.size()), code.data()};
    return setsockopt(descriptor, SOL_SOCKET, SO_ATTACH_FILTER, &program, sizeof(program)) == 0;
}

// A raw socket sees every echo reply of the namespace, and a burst of them
// could fill its queue ahead of ours; the kernel drops every reply but ours
// before it is queued. Errors pass; they are matched on what they quote.
bool FilterRawReplies(int descriptor, std::uint16_t identifier, std::uint16_t sequence) {
    sock_filter code[] = {
        BPF_STMT(BPF_LDX | BPF_B | BPF_MSH, 0),                     // X = IP header length
        BPF_STMT(BPF_LD | BPF_B | BPF_IND, 0),                      // A = ICMP type
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kIcmpEchoReply, 0, 4),  // not a reply: keep
        BPF_STMT(BPF_LD | BPF_H | BPF_IND, 4),                      // A = identifier
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, identifier, 0, 3),      // not ours: drop
        BPF_STMT(BPF_LD | BPF_H | BPF_IND, 6),                      // A = sequence
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, sequence, 0, 1),        // not ours: drop
        BPF_STMT(BPF_RET | BPF_K, 0xFFFFFFFF),
        BPF_STMT(BPF_RET | BPF_K, 0),
    };
    return AttachFilter(descriptor, code);
}

// The kernel hands a datagram socket only the replies with its identifier,
// starting at the ICMP header; those to another request of ours, or forged
// with our identifier, are dropped as well. Errors take the error queue.
bool FilterDatagramReplies(int descriptor, std::uint16_t sequence) {
    sock_filter code[] = {
        BPF_STMT(BPF_LD | BPF_B | BPF_ABS, 0),                      // A = ICMP type
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kIcmpEchoReply, 0, 2),  // not a reply: keep
        BPF_STMT(BPF_LD | BPF_H | BPF_ABS, 6),                      // A = sequence
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, sequence, 0, 1),        // not ours: drop
        BPF_STMT(BPF_RET | BPF_K, 0xFFFFFFFF),
        BPF_STMT(BPF_RET | BPF_K, 0),
    };
    return AttachFilter(descriptor, code);
}

// Discards what reached the socket before its filter was in place, so that
// a queue filled by other traffic cannot crowd out our answer. Bounded, as a
// flood may refill the queue while it is read.
void DiscardQueued(int descriptor) {
    constexpr int kMostDiscarded = 100000;
    for (int i = 0; i < kMostDiscarded; ++i) {
        if (recv(descriptor, nullptr, 0, MSG_DONTWAIT | MSG_TRUNC) < 0) {
            return;
        }
    }
}

std::uint16_t RandomIdentifier() {
    std::random_device source;
    return static_cast<std::uint16_t>(source());
}

// A descriptor ready for echoes, or the system's error number for the call
// that failed.
struct Opened {
    UniqueFd descriptor;
    int error = 0;
};

Opened Failed(int error) {
    return {UniqueFd(), error};
}

Opened OpenDatagramDescriptor() {
    UniqueFd descriptor(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP));
    if (!descriptor.IsValid()) {
        return Failed(errno);
    }
    // ICMP errors reach a datagram socket only through its error queue.
    const int fd = descriptor.Get();
    if (!EnableOption(fd, IPPROTO_IP, IP_RECVERR) || !EnableOption(fd, IPPROTO_IP, IP_RECVTTL) ||
        !EnableOption(fd, IPPROTO_IP, IP_RECVTOS) || !AllowFragmentation(fd) ||
        !AllowBroadcast(fd)) {
        return Failed(errno);
    }
    EnlargeReceiveBuffer(fd);
    return {std::move(descriptor), 0};
}

Opened OpenRawDescriptor() {
    Opened opened;
    {
        const NetRawCapability capability;
        opened.descriptor = UniqueFd(socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP));
        // Before the capability is lowered, which may change errno.
        opened.error = opened.descriptor.IsValid() ? 0 : errno;
    }
    if (!opened.descriptor.IsValid()) {
        return opened;
    }
    const int fd = opened.descriptor.Get();
    if (!FilterRawTypes(fd) || !AllowFragmentation(fd) || !AllowBroadcast(fd)) {
        return Failed(errno);
    }
    EnlargeReceiveBuffer(fd);
    return opened;
}

}  // namespace

std::optional<IcmpSocket> IcmpSocket::Open() {
    IcmpSocketRefusal ignored;
    return Open(ignored);
}

std::optional<IcmpSocket> IcmpSocket::Open(IcmpSocketRefusal& refusal) {
    Opened datagram = OpenDatagramDescriptor();
    if (datagram.descriptor.IsValid()) {
        return IcmpSocket(IcmpSocketKind::Datagram, std::move(datagram.descriptor), 0);
    }
    Opened raw = OpenRawDescriptor();
    if (raw.descriptor.IsValid()) {
        return IcmpSocket(IcmpSocketKind::Raw, std::move(raw.descriptor), RandomIdentifier());
    }
    refusal = {datagram.error, raw.error};
    return std::nullopt;
}

bool IcmpSocket::AwaitReplyTo(std::uint16_t sequence) {
    const int fd = descriptor_.Get();
    const bool filtered = kind_ == IcmpSocketKind::Raw
                              ? FilterRawReplies(fd, rawIdentifier_, sequence)
                              : FilterDatagramReplies(fd, sequence);
    DiscardQueued(fd);
    return filtered;
}

}  // namespace quorl
