#include "sockets_setup.h"

#include <array>

namespace quorl {

bool SocketsInitialize(Platform& platform) {
    std::array<std::uint8_t, kWsaDataSize> wsaData{};
    return platform.WSAStartup(kWinsockVersion11, wsaData) == 0;
}

void SocketsCleanup(Platform& platform, MessageBoxes& messageBoxes) {
    if (platform.WSACleanup() != 0) {
        messageBoxes.ShowMessageBox(u"Windows Sockets error occurred in Cleanup.",
                                    MessageIcon::Warning);
    }
}

}  // namespace quorl
