#include "send_echo.h"

#include "ansi_text.h"
#include "platform/ip_status.h"

namespace quorl {
namespace {

// Closes the echo handle on every way out of SendEcho.
class EchoHandleCloser {
public:
    EchoHandleCloser(Platform& platform, EchoHandle handle)
        : platform_(platform), handle_(handle) {}
    ~EchoHandleCloser() { platform_.IcmpCloseHandle(handle_); }
    EchoHandleCloser(const EchoHandleCloser&) = delete;
    EchoHandleCloser& operator=(const EchoHandleCloser&) = delete;

private:
    Platform& platform_;
    EchoHandle handle_;
};

// The tool's own refusals, the same on every platform: the platforms'
// echo services disagree on what to say about them, if they refuse at all.
std::int32_t RefusalStatus(std::uint32_t destination, std::size_t dataSize) {
    if (destination == 0) {
        return kIpBadDestination;
    }
    if (dataSize > kReplyDataLength) {
        return kIpBufTooSmall;
    }
    return kIpSuccess;
}

}  // namespace

std::int32_t SendEcho(Platform& platform, const std::u16string& address, const std::u16string& data,
                      EchoReply& reply) {
    const std::uint32_t destination = platform.inet_addr(ToAnsi(address).c_str());
    if (destination == kInaddrNone) {
        return kBadAddressFormat;
    }
    const std::string requestData = ToAnsi(data);
    if (const std::int32_t refusal = RefusalStatus(destination, requestData.size());
        refusal != kIpSuccess) {
        // Nothing is sent; the record says why, as the echo service would.
        reply.Status = refusal;
        return refusal;
    }

    const EchoHandle handle = platform.IcmpCreateFile();
    if (handle == kNoEchoHandle) {
        // Nothing was sent, so the record stays as the caller passed it; the
        // status must not read as a success.
        return kIpGeneralFailure;
    }
    const EchoHandleCloser closer(platform, handle);

    ReplyBlock block = EncodeEchoReply(reply);
    platform.IcmpSendEcho(handle, destination, requestData, block, kReplySize,
                          kEchoTimeoutMilliseconds);
    reply = DecodeEchoReply(block);
    return reply.Status;
}

}  // namespace quorl
