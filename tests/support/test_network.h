#pragma once

#include <string>

namespace quorl::testing {

// The namespace network of tests/network/netns/topology.sh, under a
// prefix of its own; removed again on destruction.
class TestNetwork {
public:
    TestNetwork();
    ~TestNetwork();
    TestNetwork(const TestNetwork&) = delete;
    TestNetwork& operator=(const TestNetwork&) = delete;

    bool IsReady() const { return ready_; }
    std::string Client() const { return prefix_ + "-c"; }
    std::string Router() const { return prefix_ + "-r"; }
    std::string Server() const { return prefix_ + "-s"; }
    std::string Quirky() const { return prefix_ + "-q"; }

private:
    std::string prefix_;
    bool ready_ = false;
};

}  // namespace quorl::testing
