#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace quorl::testing {

// A program running beside the test, with its output discarded; killed and
// reaped on destruction if it has not ended by then.
class BackgroundProcess {
public:
    explicit BackgroundProcess(const std::vector<std::string>& arguments);
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    bool IsStarted() const { return pid_ > 0; }

private:
    pid_t pid_ = -1;
};

}  // namespace quorl::testing
