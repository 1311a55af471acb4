#include "test_network.h"

#include "network_namespace.h"

namespace quorl::testing {
namespace {

std::string Topology(const std::string& action, const std::string& prefix) {
    return std::string(QUORL_TOPOLOGY_SCRIPT) + " " + action + " " + prefix;
}

}  // namespace

TestNetwork::TestNetwork() : prefix_(UniqueName("quorl")) {
    ready_ = RunCommand(Topology("up", prefix_));
}

TestNetwork::~TestNetwork() {
    RunCommand(Topology("down", prefix_));
}

}  // namespace quorl::testing
