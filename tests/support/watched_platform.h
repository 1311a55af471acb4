#pragma once

#include <functional>
#include <string>

#include "network/platform/platform.h"

namespace quorl::testing {

// A platform that passes every call on to another one, and first tells the
// test which call it is in, so that the test can look at the window while
// the run is blocked inside that call (a slow echo or lookup, say).
class WatchedPlatform final : public Platform {
public:
    using Watcher = std::function<void(const std::string& call)>;
    WatchedPlatform(Platform& inner, Watcher watcher)
        : inner_(inner), watcher_(std::move(watcher)) {}

    int WSAStartup(std::uint16_t version, std::span<std::uint8_t, kWsaDataSize> data) override {
        watcher_("WSAStartup");
        return inner_.WSAStartup(version, data);
    }
    int WSACleanup() override {
        watcher_("WSACleanup");
        return inner_.WSACleanup();
    }
    const hostent* gethostbyname(const char* name) override {
        watcher_("gethostbyname");
        return inner_.gethostbyname(name);
    }
    const hostent* gethostbyaddr(const char* address, int length, int family) override {
        watcher_("gethostbyaddr");
        return inner_.gethostbyaddr(address, length, family);
    }
    std::uint32_t inet_addr(const char* text) override {
        watcher_("inet_addr");
        return inner_.inet_addr(text);
    }
    EchoHandle IcmpCreateFile() override {
        watcher_("IcmpCreateFile");
        return inner_.IcmpCreateFile();
    }
    std::uint32_t IcmpSendEcho(EchoHandle handle, std::uint32_t destination,
                               std::string_view requestData, ReplyBlock& replyBuffer,
                               std::uint32_t replySize, std::uint32_t timeout) override {
        watcher_("IcmpSendEcho");
        return inner_.IcmpSendEcho(handle, destination, requestData, replyBuffer, replySize,
                                   timeout);
    }
    void IcmpCloseHandle(EchoHandle handle) override {
        watcher_("IcmpCloseHandle");
        inner_.IcmpCloseHandle(handle);
    }

private:
    Platform& inner_;
    Watcher watcher_;
};

}  // namespace quorl::testing
