#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorl::testing {

// One ordered record of everything the fakes saw, so a test can check the
// exact order of events across the platform and the window.
class EventLog {
public:
    void Add(std::string event) { events_.push_back(std::move(event)); }
    const std::vector<std::string>& Events() const { return events_; }
    void Clear() { events_.clear(); }

private:
    std::vector<std::string> events_;
};

// UTF-8 for test messages; the tests only use characters of the BMP.
std::string Utf8(std::u16string_view text);
std::u16string Utf16(std::string_view utf8);

}  // namespace quorl::testing
