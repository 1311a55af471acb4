#include "win32_platform.h"

// In this order: winsock2.h before windows.h, and the IP helper types
// before the echo service's declarations.
#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>

#include <icmpapi.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "network/platform/ip_status.h"

namespace quorl {
namespace {

static_assert(sizeof(WSADATA) <= kWsaDataSize);

HANDLE ToHandle(EchoHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

int Win32Platform::WSAStartup(std::uint16_t version, std::span<std::uint8_t, kWsaDataSize> data) {
    // The byte buffer carries no alignment of its own, so the answer is taken
    // in a WSADATA and copied over.
    WSADATA answer{};
    const int result = ::WSAStartup(version, &answer);
    std::memcpy(data.data(), &answer, sizeof(answer));
    return result;
}

int Win32Platform::WSACleanup() {
    return ::WSACleanup();
}

const hostent* Win32Platform::gethostbyname(const char* name) {
    return ::gethostbyname(name);
}

const hostent* Win32Platform::gethostbyaddr(const char* address, int length, int family) {
    return ::gethostbyaddr(address, length, family);
}

std::uint32_t Win32Platform::inet_addr(const char* text) {
    return static_cast<std::uint32_t>(::inet_addr(text));
}

EchoHandle Win32Platform::IcmpCreateFile() {
    const HANDLE handle = ::IcmpCreateFile();
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) {
        return kNoEchoHandle;
    }
    return reinterpret_cast<EchoHandle>(handle);
}

std::uint32_t Win32Platform::IcmpSendEcho(EchoHandle handle, std::uint32_t destination,
                                          std::string_view requestData, ReplyBlock& replyBuffer,
                                          std::uint32_t replySize, std::uint32_t timeout) {
    // The request size is a 16-bit word; longer data cannot fit the reply
    // block anyway and is refused by the service as too big for the buffer.
    const auto requestSize = static_cast<WORD>(
        std::min<std::size_t>(requestData.size(), std::numeric_limits<WORD>::max()));
    const DWORD replies =
        ::IcmpSendEcho(ToHandle(handle), destination, const_cast<char*>(requestData.data()),
                       requestSize, nullptr, replyBuffer.data(), replySize, timeout);
    if (replies == 0) {
        const DWORD lastError = ::GetLastError();
        if (GetUint32(replyBuffer, kReplyStatusOffset) == 0) {
            PutUint32(replyBuffer, kReplyStatusOffset,
                      static_cast<std::uint32_t>(EchoFailureStatus(lastError)));
        }
    }
    return replies;
}

void Win32Platform::IcmpCloseHandle(EchoHandle handle) {
    ::IcmpCloseHandle(ToHandle(handle));
}

std::int32_t EchoFailureStatus(unsigned long lastError) {
    if (lastError >= static_cast<unsigned long>(kIpStatusFirst) &&
        lastError <= static_cast<unsigned long>(kIpStatusLast)) {
        return static_cast<std::int32_t>(lastError);
    }
    return kIpGeneralFailure;
}

}  // namespace quorl
