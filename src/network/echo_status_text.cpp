#include "echo_status_text.h"

#include <string_view>

#include "decimal_text.h"
#include "platform/ip_status.h"
#include "tool_status.h"

namespace quorl {
namespace {

struct StatusMessage {
    std::int32_t code;
    std::u16string_view message;
};

constexpr StatusMessage kStatusMessages[] = {
    {kIpSuccess, u"ip success"},
    {kQuorlTimeoutStatus, u"quorl timeout"},
    {kIpBufTooSmall, u"ip buf too_small"},
    {kIpDestNetUnreachable, u"ip dest net unreachable"},
    {kIpDestHostUnreachable, u"ip dest host unreachable"},
    {kIpDestProtUnreachable, u"ip dest prot unreachable"},
    {kIpDestPortUnreachable, u"ip dest port unreachable"},
    {kIpNoResources, u"ip no resources"},
    {kIpBadOption, u"ip bad option"},
    {kIpHwError, u"ip hw_error"},
    {kIpPacketTooBig, u"ip packet too_big"},
    {kIpReqTimedOut, u"ip req timed out"},
    {kIpBadReq, u"ip bad req"},
    {kIpBadRoute, u"ip bad route"},
    {kIpTtlExpiredTransit, u"ip ttl expired transit"},
    {kIpTtlExpiredReassem, u"ip ttl expired reassem"},
    {kIpParamProblem, u"ip param_problem"},
    {kIpSourceQuench, u"ip source quench"},
    {kIpOptionTooBig, u"ip option too_big"},
    {kIpBadDestination, u"ip bad destination"},
    {kIpAddrDeleted, u"ip addr deleted"},
    {kIpSpecMtuChange, u"ip spec mtu change"},
    {kIpMtuChange, u"ip mtu_change"},
    {kIpUnload, u"ip unload"},
    {kIpAddrAdded, u"ip addr added"},
    {kIpGeneralFailure, u"ip general failure"},
    {kIpPending, u"ip pending"},
    {kBadAddressFormat, u"inet_addr: bad IP format"},
};

std::u16string_view MessageFor(std::int32_t status) {
    for (const StatusMessage& entry : kStatusMessages) {
        if (entry.code == status) {
            return entry.message;
        }
    }
    return u"unknown  msg returned";
}

}  // namespace

std::u16string EchoStatusText(std::int32_t status) {
    std::u16string line = DecimalText(status);
    line += u"   [ ";
    line += MessageFor(status);
    line += u" ]";
    return line;
}

}  // namespace quorl
