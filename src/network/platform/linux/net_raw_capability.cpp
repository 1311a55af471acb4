#include "net_raw_capability.h"

#include <sys/capability.h>

namespace quorl {
namespace {

bool SetEffectiveNetRaw(cap_flag_value_t value) {
    cap_t capabilities = cap_get_proc();
    if (capabilities == nullptr) {
        return false;
    }
    cap_value_t netRaw[] = {CAP_NET_RAW};
    const bool done = cap_set_flag(capabilities, CAP_EFFECTIVE, 1, netRaw, value) == 0 &&
                      cap_set_proc(capabilities) == 0;
    cap_free(capabilities);
    return done;
}

cap_flag_value_t NetRawFlag(cap_flag_t set) {
    cap_flag_value_t value = CAP_CLEAR;
    cap_t capabilities = cap_get_proc();
    if (capabilities != nullptr) {
        cap_get_flag(capabilities, CAP_NET_RAW, set, &value);
        cap_free(capabilities);
    }
    return value;
}

}  // namespace

NetRawCapability::NetRawCapability() {
    if (NetRawFlag(CAP_PERMITTED) == CAP_SET && NetRawFlag(CAP_EFFECTIVE) == CAP_CLEAR) {
        raised_ = SetEffectiveNetRaw(CAP_SET);
    }
}

NetRawCapability::~NetRawCapability() {
    if (raised_) {
        SetEffectiveNetRaw(CAP_CLEAR);
    }
}

}  // namespace quorl
