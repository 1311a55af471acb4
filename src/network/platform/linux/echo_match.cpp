#include "echo_match.h"

#include "icmp_status.h"
#include "network/platform/ip_status.h"

namespace quorl {
namespace {

bool IsOurRequest(const std::optional<IcmpEcho>& echo, const EchoRequestKey& key) {
    return echo && echo->type == kIcmpEchoRequest && echo->identifier == key.identifier &&
           echo->sequence == key.sequence;
}

bool IsOurReply(const std::optional<IcmpEcho>& echo, const EchoRequestKey& key) {
    return echo && echo->type == kIcmpEchoReply && echo->identifier == key.identifier &&
           echo->sequence == key.sequence;
}

std::optional<EchoAnswer> MatchRawError(const Ipv4Header& header, Bytes message,
                                        const EchoRequestKey& key) {
    const std::optional<IcmpError> error = ParseIcmpError(message);
    if (!error || error->quotedHeader.protocol != kIcmpProtocol ||
        error->quotedHeader.destination != key.destination ||
        !IsOurRequest(ParseQuotedEcho(error->quotedPayload), key)) {
        return std::nullopt;
    }
    const std::optional<std::int32_t> status = StatusForIcmpError(error->type, error->code);
    if (!status) {
        return std::nullopt;
    }
    EchoAnswer answer;
    answer.status = *status;
    answer.address = header.source;
    answer.timeToLive = header.timeToLive;
    answer.typeOfService = header.typeOfService;
    answer.dontFragment = header.dontFragment;
    return answer;
}

}  // namespace

std::optional<EchoAnswer> MatchRawPacket(Bytes packet, const EchoRequestKey& key) {
    const std::optional<Ipv4Packet> ip = ParseIpv4Packet(packet);
    if (!ip || ip->header.protocol != kIcmpProtocol || ip->payload.empty()) {
        return std::nullopt;
    }
    if (ip->payload[0] != kIcmpEchoReply) {
        return MatchRawError(ip->header, ip->payload, key);
    }
    std::optional<EchoAnswer> answer = MatchEchoReply(ip->payload, ip->header.source, key);
    if (answer) {
        answer->timeToLive = ip->header.timeToLive;
        answer->typeOfService = ip->header.typeOfService;
        answer->dontFragment = ip->header.dontFragment;
    }
    return answer;
}

std::optional<EchoAnswer> MatchEchoReply(Bytes message, std::uint32_t source,
                                         const EchoRequestKey& key) {
    // Whoever sends it: a broadcast is answered by every host that hears it,
    // and a service address may be answered by the host behind it.
    const std::optional<IcmpEcho> echo = ParseIcmpEcho(message);
    if (!IsOurReply(echo, key)) {
        return std::nullopt;
    }
    EchoAnswer answer;
    answer.status = kIpSuccess;
    answer.address = source;
    answer.data = echo->data;
    return answer;
}

std::optional<EchoAnswer> MatchDatagramError(Bytes quotedRequest, std::uint32_t destination,
                                             const ExtendedError& error,
                                             const EchoRequestKey& key) {
    if (error.origin != kErrorOriginIcmp || destination != key.destination ||
        !IsOurRequest(ParseQuotedEcho(quotedRequest), key)) {
        return std::nullopt;
    }
    const std::optional<std::int32_t> status = StatusForIcmpError(error.type, error.code);
    if (!status) {
        return std::nullopt;
    }
    EchoAnswer answer;
    answer.status = *status;
    answer.address = error.offender.value_or(0);
    return answer;
}

}  // namespace quorl
