// The conformance suite against the system's own echo service, as the
// Windows build calls it.

// In this order: winsock2.h before windows.h, and the IP helper types
// before anything else of the IP helper.
#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>

#include <array>
#include <cstdint>
#include <fstream>

#include "network/echo_service_conformance.h"
#include "network/icmp_counters.h"
#include "network/platform/win32/echo_permission.h"
#include "network/platform/win32/win32_platform.h"

namespace quorl::testing {
namespace {

bool RunsUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class Win32EchoService final : public EchoService {
public:
    Win32EchoService() {
        std::array<std::uint8_t, kWsaDataSize> data{};
        initialized_ = platform_.WSAStartup(kWinsockVersion11, data) == 0;
    }
    ~Win32EchoService() override {
        if (initialized_) {
            platform_.WSACleanup();
        }
    }

    std::string WhyUnavailable() const override {
        if (!EchoPermitted()) {
            return kNoEchoPermission;
        }
        return initialized_ ? "" : "Windows Sockets did not start";
    }
    Platform& Service() override { return platform_; }

    long EchoRequestsSent() const override {
        if (RunsUnderWine()) {
            // Wine's GetIcmpStatistics does not follow the kernel's echo
            // counter: it stayed put while Wine's own echo service sent
            // requests. The kernel's counter file is read instead, through
            // the drive that maps the Unix root.
            std::ifstream snmp("Z:\\proc\\net\\snmp");
            return IcmpCounter(snmp, "OutEchos");
        }
        MIB_ICMP statistics{};
        if (GetIcmpStatistics(&statistics) != NO_ERROR) {
            return -1;
        }
        return static_cast<long>(statistics.stats.icmpOutStats.dwEchos);
    }

    long OpenHandles() const override {
        if (RunsUnderWine()) {
            // Wine answers every handle count with 0. It hands out the lowest
            // free handle slot, so the next handle's value grows with every
            // handle left open and stands in for the count.
            const HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
            CloseHandle(probe);
            return static_cast<long>(reinterpret_cast<std::uintptr_t>(probe));
        }
        DWORD count = 0;
        return GetProcessHandleCount(GetCurrentProcess(), &count) ? static_cast<long>(count) : -1;
    }

    // Wine sends the request and fails only when the reply does not fit;
    // Windows refuses such a call before sending.
    bool RefusesShortReplySizesBeforeSending() const override { return !RunsUnderWine(); }

private:
    Win32Platform platform_;
    bool initialized_ = false;
};

std::unique_ptr<EchoService> MakeWin32EchoService() {
    return std::make_unique<Win32EchoService>();
}

INSTANTIATE_TEST_SUITE_P(Windows, EchoServiceConformance,
                         ::testing::Values(EchoServiceKind{"System", &MakeWin32EchoService}),
                         EchoServiceName);

}  // namespace
}  // namespace quorl::testing
