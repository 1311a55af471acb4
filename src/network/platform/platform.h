#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "reply_block.h"

struct hostent;

namespace quorl {

// An open handle of the echo service; kNoEchoHandle when none could be opened.
using EchoHandle = std::uintptr_t;
inline constexpr EchoHandle kNoEchoHandle = 0;

inline constexpr std::uint16_t kWinsockVersion11 = 0x0101;
inline constexpr std::size_t kWsaDataSize = 404;
inline constexpr std::uint32_t kInaddrNone = 0xFFFFFFFF;
inline constexpr int kAddressFamilyInet = 2;

// The operations of Windows Sockets 1.1 and of the ICMP echo service that the
// network procedures call. On Windows they pass straight through to the
// system; on Linux the tool provides them itself. Texts are single-byte,
// NUL-terminated; addresses are 32-bit in network byte order.
class Platform {
public:
    virtual ~Platform() = default;

    virtual int WSAStartup(std::uint16_t version, std::span<std::uint8_t, kWsaDataSize> data) = 0;
    virtual int WSACleanup() = 0;
    // Host entries belong to the platform and stay valid only until the next call.
    virtual const hostent* gethostbyname(const char* name) = 0;
    virtual const hostent* gethostbyaddr(const char* address, int length, int family) = 0;
    virtual std::uint32_t inet_addr(const char* text) = 0;

    virtual EchoHandle IcmpCreateFile() = 0;
    // Sends one request without IP options and fills the first replySize bytes
    // of the block; returns the number of replies.
    virtual std::uint32_t IcmpSendEcho(EchoHandle handle, std::uint32_t destination,
                                       std::string_view requestData, ReplyBlock& replyBuffer,
                                       std::uint32_t replySize, std::uint32_t timeout) = 0;
    virtual void IcmpCloseHandle(EchoHandle handle) = 0;
};

}  // namespace quorl
