#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace quorl::testing {

// A host that answers echo requests with crafted ICMP, chosen by the address
// the request went to. It runs on a thread of its own inside a network
// namespace whose kernel ignores echo requests, and answers from the
// requested address:
//   192.0.2.140  parameter problem            12/0
//   192.0.2.141  source quench                4/0
//   192.0.2.142  reassembly time exceeded     11/1
//   192.0.2.143  fragmentation needed         3/4
//   192.0.2.144  source route failed          3/5
//   192.0.2.147  time exceeded in transit     11/0
//   192.0.2.145  an echo reply carrying the data twice
//   192.0.2.146  replies with another identifier, another sequence and a
//                bad checksum, then the right reply
//   127.0.0.147  1200 replies with our identifier but the next sequence,
//                then the right reply (for a namespace of loopback alone)
class IcmpResponder {
public:
    // Answers for at most `lifetime`, and at most twenty thousand messages.
    explicit IcmpResponder(std::string networkNamespace,
                           std::chrono::seconds lifetime = std::chrono::seconds(120));
    ~IcmpResponder();
    IcmpResponder(const IcmpResponder&) = delete;
    IcmpResponder& operator=(const IcmpResponder&) = delete;

    // True once the responder listens; false if it could not start.
    bool WaitUntilListening();

private:
    void Run();
    void SetState(int state);

    std::string namespace_;
    std::chrono::seconds lifetime_;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable stateChanged_;
    int state_ = 0;  // 0 starting, 1 listening, -1 failed
    std::thread thread_;
};

}  // namespace quorl::testing
