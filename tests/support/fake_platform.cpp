#include "fake_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace quorl::testing {

std::uint32_t ParseDotted(const std::string& dotted) {
    unsigned parts[4];
    char tail = 0;
    if (std::sscanf(dotted.c_str(), "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3],
                    &tail) != 4) {
        return kInaddrNone;
    }
    std::uint8_t bytes[4];
    for (int i = 0; i < 4; ++i) {
        if (parts[i] > 255) {
            return kInaddrNone;
        }
        bytes[i] = static_cast<std::uint8_t>(parts[i]);
    }
    std::uint32_t address = 0;
    std::memcpy(&address, bytes, sizeof(address));
    return address;
}

std::string DottedText(std::uint32_t address) {
    std::uint8_t bytes[4];
    std::memcpy(bytes, &address, sizeof(bytes));
    return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
           std::to_string(bytes[2]) + "." + std::to_string(bytes[3]);
}

namespace {

int NextResult(std::deque<int>& results) {
    if (results.empty()) {
        return 0;
    }
    const int result = results.front();
    results.pop_front();
    return result;
}

}  // namespace

int FakePlatform::WSAStartup(std::uint16_t version, std::span<std::uint8_t, kWsaDataSize>) {
    char event[32];
    std::snprintf(event, sizeof(event), "WSAStartup 0x%04x", version);
    log_.Add(event);
    const int result = NextResult(startupResults);
    if (result == 0) {
        ++openInitializations_;
    }
    return result;
}

int FakePlatform::WSACleanup() {
    log_.Add("WSACleanup");
    const int result = NextResult(cleanupResults);
    if (result == 0) {
        --openInitializations_;
    }
    return result;
}

const hostent* FakePlatform::MakeEntry(const std::string& name,
                                       const std::vector<std::string>& addresses) {
    auto storage = std::make_unique<HostEntryStorage>();
    storage->name = name;
    for (const std::string& address : addresses) {
        const std::uint32_t value = ParseDotted(address);
        std::array<char, 4> bytes;
        std::memcpy(bytes.data(), &value, bytes.size());
        storage->addresses.push_back(bytes);
    }
    for (auto& bytes : storage->addresses) {
        storage->addressList.push_back(bytes.data());
    }
    storage->addressList.push_back(nullptr);
    storage->entry.h_name = storage->name.data();
    storage->entry.h_addrtype = static_cast<decltype(hostent::h_addrtype)>(hostAddressType);
    storage->entry.h_length = static_cast<decltype(hostent::h_length)>(hostAddressLength);
    storage->entry.h_addr_list = storage->addressList.data();
    lastEntry_ = std::move(storage);
    return &lastEntry_->entry;
}

const hostent* FakePlatform::gethostbyname(const char* name) {
    log_.Add(std::string("gethostbyname ") + name);
    const auto found = hostAddresses.find(name);
    if (found == hostAddresses.end()) {
        return nullptr;
    }
    return MakeEntry(name, found->second);
}

const hostent* FakePlatform::gethostbyaddr(const char* address, int length, int family) {
    std::uint32_t value = 0;
    std::memcpy(&value, address, sizeof(value));
    const std::string dotted = DottedText(value);
    log_.Add("gethostbyaddr " + dotted + " " + std::to_string(length) + " " +
             std::to_string(family));
    const auto found = addressNames.find(dotted);
    if (found == addressNames.end()) {
        return nullptr;
    }
    return MakeEntry(found->second, {dotted});
}

std::uint32_t FakePlatform::inet_addr(const char* text) {
    log_.Add(std::string("inet_addr ") + text);
    return ParseDotted(text);
}

EchoHandle FakePlatform::IcmpCreateFile() {
    log_.Add("IcmpCreateFile");
    return createFileFails ? kNoEchoHandle : 7;
}

std::uint32_t FakePlatform::IcmpSendEcho(EchoHandle handle, std::uint32_t destination,
                                         std::string_view requestData, ReplyBlock& replyBuffer,
                                         std::uint32_t replySize, std::uint32_t timeout) {
    log_.Add("IcmpSendEcho " + std::to_string(handle) + " " + DottedText(destination) + " [" +
             std::string(requestData) + "] " + std::to_string(replySize) + " " +
             std::to_string(timeout));
    PutUint32(replyBuffer, kReplyAddressOffset, echo.address);
    PutUint32(replyBuffer, kReplyStatusOffset, static_cast<std::uint32_t>(echo.status));
    PutUint32(replyBuffer, kReplyRoundTripTimeOffset,
              static_cast<std::uint32_t>(echo.roundTripTime));
    PutUint32(replyBuffer, kReplyDataSizeOffset, echo.dataSize);
    PutUint32(replyBuffer, kReplyDataPointerOffset, static_cast<std::uint32_t>(echo.dataPointer));
    std::memcpy(replyBuffer.data() + kReplyDataOffset, echo.data.data(),
                std::min(echo.data.size(), kReplyDataLength));
    return echo.status == 0 ? 1 : 0;
}

void FakePlatform::IcmpCloseHandle(EchoHandle handle) {
    log_.Add("IcmpCloseHandle " + std::to_string(handle));
}

std::string MessageBoxEvent(std::u16string_view text, MessageIcon icon) {
    return std::string("MessageBox ") + (icon == MessageIcon::Warning ? "Warning" : "None") + ": " +
           Utf8(text);
}

void RecordingMessageBoxes::ShowMessageBox(std::u16string_view text, MessageIcon icon) {
    log_.Add(MessageBoxEvent(text, icon));
}

}  // namespace quorl::testing
