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

}  // namespace

std::int32_t SendEcho(Platform& platform, const std::u16string& address, const std::u16string& data,
                      EchoReply& reply) {
    const std::uint32_t destination = platform.inet_addr(ToAnsi(address).c_str());
    if (destination == kInaddrNone) {
        return kBadAddressFormat;
    }

    const EchoHandle handle = platform.IcmpCreateFile();
    if (handle == kNoEchoHandle) {
        // Nothing was sent, so the record stays as the caller passed it; the
        // status must not read as a success.
        return kIpGeneralFailure;
    }
    const EchoHandleCloser closer(platform, handle);

    ReplyBlock block = EncodeEchoReply(reply);
    platform.IcmpSendEcho(handle, destination, ToAnsi(data), block, kReplySize,
                          kEchoTimeoutMilliseconds);
    reply = DecodeEchoReply(block);
    return reply.Status;
}

}  // namespace quorl
