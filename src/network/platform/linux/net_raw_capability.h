#pragma once

namespace quorl {

// Raises CAP_NET_RAW into the effective set for the lifetime of the object,
// when the process holds it in its permitted set (the file capability
// cap_net_raw+p), and lowers it again at once, so that nothing but the
// creation of a raw socket ever runs with it.
class NetRawCapability {
public:
    NetRawCapability();
    ~NetRawCapability();
    NetRawCapability(const NetRawCapability&) = delete;
    NetRawCapability& operator=(const NetRawCapability&) = delete;

private:
    bool raised_ = false;
};

}  // namespace quorl
