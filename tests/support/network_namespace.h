#pragma once

#include <string>

namespace quorl::testing {

// Runs a command through the shell, quietly; true when it exits with 0.
bool RunCommand(const std::string& command);

// Why namespaces cannot be made here, or empty when they can.
std::string WhyNoNamespaces();

// A name no other test process uses at the same time.
std::string UniqueName(const std::string& stem);

// A network namespace of its own with loopback up, removed again on
// destruction.
class ScratchNamespace {
public:
    explicit ScratchNamespace(std::string name);
    ~ScratchNamespace();
    ScratchNamespace(const ScratchNamespace&) = delete;
    ScratchNamespace& operator=(const ScratchNamespace&) = delete;

    bool IsReady() const { return ready_; }
    const std::string& Name() const { return name_; }

private:
    std::string name_;
    bool ready_ = false;
};

// Sets a sysctl inside a namespace.
bool SetSysctl(const std::string& networkNamespace, const std::string& key,
               const std::string& value);

// Opens or closes unprivileged ICMP datagram sockets in a namespace.
bool AllowDatagramPing(const std::string& networkNamespace, bool allow);

// Moves the calling thread into a network namespace for the lifetime of the
// object; sockets it opens meanwhile belong to that namespace.
class NamespaceEntry {
public:
    explicit NamespaceEntry(const std::string& networkNamespace);
    ~NamespaceEntry();
    NamespaceEntry(const NamespaceEntry&) = delete;
    NamespaceEntry& operator=(const NamespaceEntry&) = delete;

    bool IsEntered() const { return entered_; }

private:
    int original_ = -1;
    bool entered_ = false;
};

}  // namespace quorl::testing
