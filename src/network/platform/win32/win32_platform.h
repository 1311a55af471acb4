#pragma once

#include "network/platform/platform.h"

namespace quorl {

// Windows Sockets 1.1 and the ICMP echo service of the system itself.
class Win32Platform final : public Platform {
public:
    int WSAStartup(std::uint16_t version, std::span<std::uint8_t, kWsaDataSize> data) override;
    int WSACleanup() override;
    const hostent* gethostbyname(const char* name) override;
    const hostent* gethostbyaddr(const char* address, int length, int family) override;
    std::uint32_t inet_addr(const char* text) override;

    EchoHandle IcmpCreateFile() override;
    // Where the system fails without writing a status into the block, the
    // block gets one that says so (see EchoFailureStatus).
    std::uint32_t IcmpSendEcho(EchoHandle handle, std::uint32_t destination,
                               std::string_view requestData, ReplyBlock& replyBuffer,
                               std::uint32_t replySize, std::uint32_t timeout) override;
    void IcmpCloseHandle(EchoHandle handle) override;
};

// The status of an echo that got no reply and left the block's status at 0:
// the thread's last error when it is an IP status, else a general failure.
std::int32_t EchoFailureStatus(unsigned long lastError);

}  // namespace quorl
