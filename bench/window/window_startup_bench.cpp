// Time from process start to the window shown, and resident memory after the
// first echo, for the window as the program builds it. The driver starts
// itself again for every run, so each run pays for loading Qt and for its
// platform plugin (QT_QPA_PLATFORM, or xvfb-run around the driver).
//
// Each child shows the window like the program does, notes the monotonic
// clock once the first paint has been flushed, then echoes 127.0.0.1 with
// one click and reads its VmRSS.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "main_window/qt/application_identity.h"
#include "main_window/qt/echo_window.h"
#include "network/platform/linux/linux_platform.h"

extern char** environ;

namespace {

constexpr int kRuns = 15;
constexpr const char* kChildVariable = "QUORL_BENCH_CHILD";

long long MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// Stamps the clock once, after the window's first paint has been flushed.
class FirstPaintClock final : public QObject {
public:
    explicit FirstPaintClock(QWidget& window) { window.installEventFilter(this); }
    long long ShownAt() const { return shownAt_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [this] {
                shownAt_ = MonotonicNanoseconds();
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool painted_ = false;
    long long shownAt_ = 0;
};

int RunChild(int argc, char* argv[]) {
    int qtArgumentCount = argc > 0 ? 1 : 0;
    QApplication application(qtArgumentCount, argv);
    quorl::SetApplicationIdentity();
    quorl::LinuxPlatform platform;
    quorl::EchoWindow echoWindow(platform);
    quorl::Form1Window& window = echoWindow.Window();
    FirstPaintClock clock(window);
    window.show();
    QApplication::exec();

    window.Box({quorl::ControlName::Text2})->setText(QStringLiteral("127.0.0.1"));
    window.Command1()->click();
    std::printf("%lld %ld %s|%s\n", clock.ShownAt(), ResidentKilobytes(),
                qPrintable(QGuiApplication::platformName()),
                qPrintable(window.Box(quorl::Text4(0))->text()));
    return 0;
}

struct ChildResult {
    double startupMilliseconds = 0;
    long residentKilobytes = 0;
    std::string platformAndStatus;
};

bool RunOnce(ChildResult& result) {
    int output[2];
    if (pipe(output) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    char program[] = "/proc/self/exe";
    char* arguments[] = {program, nullptr};

    const long long startedAt = MonotonicNanoseconds();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    if (spawned != 0) {
        close(output[0]);
        return false;
    }

    std::string text;
    char buffer[256];
    for (ssize_t got; (got = read(output[0], buffer, sizeof(buffer))) > 0;) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(output[0]);
    int status = 0;
    waitpid(child, &status, 0);

    long long shownAt = 0;
    char rest[200] = {};
    if (std::sscanf(text.c_str(), "%lld %ld %199[^\n]", &shownAt, &result.residentKilobytes,
                    rest) != 3) {
        return false;
    }
    result.startupMilliseconds = static_cast<double>(shownAt - startedAt) / 1e6;
    result.platformAndStatus = rest;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <typename T>
T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int RunDriver() {
    std::vector<double> startups;
    std::vector<long> residents;
    std::string platformAndStatus;
    for (int run = 0; run < kRuns; ++run) {
        ChildResult result;
        if (!RunOnce(result)) {
            std::fprintf(stderr, "run %d failed\n", run);
            return 1;
        }
        startups.push_back(result.startupMilliseconds);
        std::fprintf(stderr, "run %2d: %6.1f ms, %ld kB\n", run + 1, result.startupMilliseconds,
                     result.residentKilobytes);
        residents.push_back(result.residentKilobytes);
        platformAndStatus = result.platformAndStatus;
    }
    const auto [fastest, slowest] = std::minmax_element(startups.begin(), startups.end());
    std::printf("platform|first echo: %s\n", platformAndStatus.c_str());
    std::printf("start to window shown: median %.1f ms (min %.1f, max %.1f) over %d runs\n",
                Median(startups), *fastest, *slowest, kRuns);
    std::printf("resident memory after the first echo: median %.1f MB\n",
                static_cast<double>(Median(residents)) / 1024.0);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (std::getenv(kChildVariable) != nullptr) {
        return RunChild(argc, argv);
    }
    setenv(kChildVariable, "1", 1);
    return RunDriver();
}
