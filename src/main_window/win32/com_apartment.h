#pragma once

#include <objbase.h>

namespace quorl {

// This thread in a single-threaded COM apartment while in scope. Accessible
// objects reach screen readers through COM, which hands them out only on a
// thread that has joined an apartment. Joining twice is counted, and so is
// leaving; a thread already in another kind of apartment stays there.
class ComApartment {
public:
    ComApartment() : joined_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (joined_) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool joined_;
};

}  // namespace quorl
