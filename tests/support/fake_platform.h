#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "event_log.h"
#include "network/message_boxes.h"
#include "network/platform/host_entry.h"
#include "network/platform/platform.h"

namespace quorl::testing {

// What the fake echo service writes into the reply block.
struct ScriptedEcho {
    std::int32_t status = 0;
    std::uint32_t address = 0;  // as inet_addr returns it
    std::int32_t roundTripTime = 0;
    std::uint32_t dataSize = 0;  // the whole 32-bit word, reserved half included
    std::int32_t dataPointer = 0;
    std::string data;  // bytes written at the data offset, at most the block's room
};

// A platform that records every call in the log and answers from a script.
class FakePlatform final : public Platform {
public:
    explicit FakePlatform(EventLog& log) : log_(log) {}

    // Results of the next calls, in order; 0 once a queue is empty.
    std::deque<int> startupResults;
    std::deque<int> cleanupResults;
    // Names and addresses the resolver knows, the first address first.
    std::map<std::string, std::vector<std::string>> hostAddresses;
    std::map<std::string, std::string> addressNames;
    // What every host entry claims about its addresses.
    int hostAddressType = kAddressFamilyInet;
    int hostAddressLength = 4;
    bool createFileFails = false;
    ScriptedEcho echo;

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

    // Successful WSAStartup calls minus successful WSACleanup calls.
    int OpenInitializations() const { return openInitializations_; }

private:
    // A host entry built like the resolver's, valid until the next lookup.
    struct HostEntryStorage {
        std::string name;
        std::vector<std::array<char, 4>> addresses;
        std::vector<char*> addressList;
        hostent entry{};
    };
    const hostent* MakeEntry(const std::string& name, const std::vector<std::string>& addresses);

    EventLog& log_;
    int openInitializations_ = 0;
    std::unique_ptr<HostEntryStorage> lastEntry_;
};

// Message boxes that only record what they were asked to show.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    explicit RecordingMessageBoxes(EventLog& log) : log_(log) {}
    void ShowMessageBox(std::u16string_view text, MessageIcon icon) override;

private:
    EventLog& log_;
};

// "MessageBox None: text" or "MessageBox Warning: text", as the fakes log it.
std::string MessageBoxEvent(std::u16string_view text, MessageIcon icon);

// A 32-bit address as inet_addr returns it, from dotted text, and back.
std::uint32_t ParseDotted(const std::string& dotted);
std::string DottedText(std::uint32_t address);

}  // namespace quorl::testing
