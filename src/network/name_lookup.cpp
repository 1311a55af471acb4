#include "name_lookup.h"

#include <array>
#include <cstring>

#include "ansi_text.h"
#include "decimal_text.h"
#include "platform/host_entry.h"
#include "sockets_setup.h"

namespace quorl {
namespace {

constexpr std::size_t kAddressLength = 4;

}  // namespace

std::u16string GetIPFromHostName(Platform& platform, const std::u16string& hostName) {
    const hostent* entry = platform.gethostbyname(ToAnsi(hostName).c_str());
    // An entry without any address has nothing to offer, like no entry at
    // all; nor has one whose addresses are not four-byte IPv4 addresses.
    if (entry == nullptr || entry->h_addrtype != kAddressFamilyInet ||
        entry->h_length != static_cast<int>(kAddressLength) || entry->h_addr_list == nullptr ||
        entry->h_addr_list[0] == nullptr) {
        return {};
    }
    std::array<std::uint8_t, kAddressLength> addressBytes;
    std::memcpy(addressBytes.data(), entry->h_addr_list[0], kAddressLength);
    return AddressBytesToDotted(addressBytes);
}

std::u16string AddressBytesToDotted(std::span<const std::uint8_t, 4> addressBytes) {
    std::u16string dotted;
    for (std::size_t i = 0; i < addressBytes.size(); ++i) {
        if (i > 0) {
            dotted += u'.';
        }
        dotted += DecimalText(addressBytes[i]);
    }
    return dotted;
}

std::u16string GetHostNameFromIP(Platform& platform, MessageBoxes& messageBoxes,
                                 const std::u16string& address) {
    if (!SocketsInitialize(platform)) {
        messageBoxes.ShowMessageBox(u"Sockets failed to initialize.", MessageIcon::None);
        return {};
    }

    const std::uint32_t addressValue = platform.inet_addr(ToAnsi(address).c_str());
    if (addressValue == kInaddrNone) {
        messageBoxes.ShowMessageBox(u"String passed is an invalid IP.", MessageIcon::None);
        SocketsCleanup(platform, messageBoxes);
        return {};
    }

    char addressBytes[kAddressLength];
    std::memcpy(addressBytes, &addressValue, kAddressLength);
    const hostent* entry = platform.gethostbyaddr(addressBytes, kAddressLength, kAddressFamilyInet);
    if (entry == nullptr) {
        messageBoxes.ShowMessageBox(u"Call to gethostbyaddr failed.", MessageIcon::None);
        SocketsCleanup(platform, messageBoxes);
        return {};
    }

    std::u16string hostName;
    if (entry->h_name != nullptr) {
        hostName = FromAnsi(entry->h_name);
    }
    SocketsCleanup(platform, messageBoxes);
    return hostName;
}

}  // namespace quorl
