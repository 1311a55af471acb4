#pragma once

#include <cstdint>
#include <map>

#include "icmp_socket.h"
#include "network/platform/platform.h"

namespace quorl {

// Windows Sockets and the ICMP echo service, provided on Linux: an
// initialization count, the C library's address parse (reading every text as
// Windows does) and resolver, and an echo service of our own over ICMP
// sockets.
class LinuxPlatform final : public Platform {
public:
    int WSAStartup(std::uint16_t version, std::span<std::uint8_t, kWsaDataSize> data) override;
    int WSACleanup() override;
    const hostent* gethostbyname(const char* name) override;
    const hostent* gethostbyaddr(const char* address, int length, int family) override;
    std::uint32_t inet_addr(const char* text) override;

    EchoHandle IcmpCreateFile() override;
    std::uint32_t IcmpSendEcho(EchoHandle handle, std::uint32_t destination,
                               std::string_view requestData, ReplyBlock& replyBuffer,
                               std::uint32_t replySize, std::uint32_t timeout) override;
    void IcmpCloseHandle(EchoHandle handle) override;

private:
    int initializations_ = 0;
    std::map<EchoHandle, IcmpSocket> echoSockets_;
    EchoHandle lastEchoHandle_ = kNoEchoHandle;
    // Tells a reply to this request from a late one to an earlier request.
    std::uint16_t lastSequence_ = 0;
};

}  // namespace quorl
