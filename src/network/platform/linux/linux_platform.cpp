#include "linux_platform.h"

#include <arpa/inet.h>
#include <netdb.h>

#include <algorithm>
#include <cstring>

#include "echo_exchange.h"
#include "network/platform/ip_status.h"
#include "no_socket_notice.h"
#include "reply_writer.h"

namespace quorl {
namespace {

constexpr int kWsaVersionNotSupported = 10092;
constexpr int kWsaNotInitialised = 10093;

}  // namespace

int LinuxPlatform::WSAStartup(std::uint16_t version, std::span<std::uint8_t, kWsaDataSize>) {
    // Version 1.1 and everything above it is served; 1.0 and 0.x are not.
    const int major = version & 0xFF;
    const int minor = version >> 8;
    if (major == 0 || (major == 1 && minor == 0)) {
        return kWsaVersionNotSupported;
    }
    ++initializations_;
    return 0;
}

int LinuxPlatform::WSACleanup() {
    if (initializations_ == 0) {
        return kWsaNotInitialised;
    }
    --initializations_;
    return 0;
}

const hostent* LinuxPlatform::gethostbyname(const char* name) {
    return ::gethostbyname(name);
}

const hostent* LinuxPlatform::gethostbyaddr(const char* address, int length, int family) {
    return ::gethostbyaddr(address, static_cast<socklen_t>(length), family);
}

// Windows reads a text of exactly one space as 0.0.0.0, where the C library
// finds no address; every other text the two read alike.
std::uint32_t LinuxPlatform::inet_addr(const char* text) {
    if (text == nullptr) {
        return kInaddrNone;
    }
    if (std::strcmp(text, " ") == 0) {
        return 0;
    }
    return ::inet_addr(text);
}

EchoHandle LinuxPlatform::IcmpCreateFile() {
    IcmpSocketRefusal refusal;
    std::optional<IcmpSocket> socket = IcmpSocket::Open(refusal);
    if (!socket) {
        ReportNoIcmpSocketOnce(refusal);
        return kNoEchoHandle;
    }
    const EchoHandle handle = ++lastEchoHandle_;
    echoSockets_.emplace(handle, std::move(*socket));
    return handle;
}

std::uint32_t LinuxPlatform::IcmpSendEcho(EchoHandle handle, std::uint32_t destination,
                                          std::string_view requestData, ReplyBlock& replyBuffer,
                                          std::uint32_t replySize, std::uint32_t timeout) {
    const std::span<std::uint8_t> reply(replyBuffer.data(),
                                        std::min<std::size_t>(replySize, replyBuffer.size()));
    const auto socket = echoSockets_.find(handle);
    if (socket == echoSockets_.end()) {
        WriteReplyStatus(reply, kIpGeneralFailure);
        return 0;
    }
    // The reply must have room for the whole echo; a request that cannot fit
    // is never sent.
    if (reply.size() < kReplyDataOffset + requestData.size()) {
        WriteReplyStatus(reply, kIpBufTooSmall);
        return 0;
    }
    // Linux would answer 0.0.0.0 from the local host; no host has that address.
    if (destination == 0) {
        WriteReplyStatus(reply, kIpBadDestination);
        return 0;
    }

    const Bytes data(reinterpret_cast<const std::uint8_t*>(requestData.data()), requestData.size());
    return ExchangeEcho(socket->second, destination, ++lastSequence_, data,
                        std::chrono::milliseconds(timeout), reply);
}

void LinuxPlatform::IcmpCloseHandle(EchoHandle handle) {
    echoSockets_.erase(handle);
}

}  // namespace quorl
