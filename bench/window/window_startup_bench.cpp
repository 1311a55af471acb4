// Time from process start to the window shown, and resident memory then, for
// the program's window beside two anchors of the same size measured the same
// way in the same run: an empty Qt window, and a bare Qt program with the
// same twenty widgets at the same places (Qt's own classes, font and style,
// nothing of the program's). The driver starts itself again for every run,
// alternating the three, so each run pays for loading Qt and its platform
// plugin (QT_QPA_PLATFORM, or xvfb-run around the driver).
//
// Each child shows its window, notes the monotonic clock and its VmRSS once
// the first paint has been flushed; the program's window then echoes
// 127.0.0.1 with one click and notes its VmRSS again.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "main_window/form_geometry.h"
#include "main_window/form_layout.h"
#include "main_window/qt/application_identity.h"
#include "main_window/qt/echo_form_controller.h"
#include "network/platform/linux/linux_platform.h"

extern char** environ;

namespace {

constexpr int kRunsEach = 21;
constexpr const char* kChildVariable = "QUORL_BENCH_CHILD";

struct WindowKind {
    const char* name;
    const char* label;
};
constexpr std::array<WindowKind, 3> kKinds = {{
    {"program", "the program's window"},
    {"empty", "empty Qt window"},
    {"widgets", "bare Qt program, same twenty widgets"},
}};

long long MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// CPU time of all the process's threads so far: less swayed by the load of
// the machine than the wall clock.
long long ProcessCpuMicroseconds() {
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return static_cast<long long>(used.tv_sec) * 1'000'000LL + used.tv_nsec / 1000;
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

// Stamps the clock and the memory once, after the window's first paint has
// been flushed, and leaves the event loop.
class FirstPaintClock final : public QObject {
public:
    explicit FirstPaintClock(QWidget& window) { window.installEventFilter(this); }
    long long ShownAt() const { return shownAt_; }
    long ResidentAtShown() const { return resident_; }
    long long CpuAtShown() const { return cpu_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [this] {
                shownAt_ = MonotonicNanoseconds();
                cpu_ = ProcessCpuMicroseconds();
                resident_ = ResidentKilobytes();
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool painted_ = false;
    long long shownAt_ = 0;
    long resident_ = 0;
    long long cpu_ = 0;
};

// Shows the window until its first paint and prints what the driver reads.
void ShowAndReport(QWidget& window, long residentAfterEcho = 0) {
    FirstPaintClock clock(window);
    window.show();
    QApplication::exec();
    std::printf("%lld %lld %ld %ld %s\n", clock.ShownAt(), clock.CpuAtShown(),
                clock.ResidentAtShown(), residentAfterEcho,
                qPrintable(QGuiApplication::platformName()));
}

void ShowProgramWindow() {
    quorl::SetApplicationIdentity();
    quorl::LinuxPlatform platform;
    quorl::EchoFormController controller(platform);
    quorl::Form1Window& window = controller.Window();
    FirstPaintClock clock(window);
    window.show();
    QApplication::exec();

    window.Box({quorl::ControlName::Text2})->setText(QStringLiteral("127.0.0.1"));
    window.Command1()->click();
    std::printf("%lld %lld %ld %ld %s|%s\n", clock.ShownAt(), clock.CpuAtShown(),
                clock.ResidentAtShown(), ResidentKilobytes(),
                qPrintable(QGuiApplication::platformName()),
                qPrintable(window.Box(quorl::Text4(0))->text()));
}

QWidget* CreateBareWidget(const quorl::ControlLayout& layout, QWidget* parent) {
    const QString text = QString::fromUtf16(layout.text.data(), std::ssize(layout.text));
    switch (layout.kind) {
        case quorl::ControlKind::Frame:
            return new QGroupBox(text, parent);
        case quorl::ControlKind::Label:
            return new QLabel(text, parent);
        case quorl::ControlKind::TextBox:
            return new QLineEdit(text, parent);
        case quorl::ControlKind::CommandButton:
            return new QPushButton(text, parent);
    }
    return nullptr;
}

// Form1's twenty widgets with their texts and places, the frame first as in
// the program; none of the program's name, icon, font, tab order or
// accessible names.
void AddBareWidgets(QWidget& window) {
    QWidget* frame = nullptr;
    for (const bool frames : {true, false}) {
        for (const quorl::ControlLayout& layout : quorl::Form1Layout().controls) {
            if ((layout.kind == quorl::ControlKind::Frame) != frames) {
                continue;
            }
            QWidget* parent = layout.container == quorl::ControlName::Frame1 ? frame : &window;
            QWidget* widget = CreateBareWidget(layout, parent);
            const quorl::PixelRect place = quorl::PixelRectOf(layout, {96, 96});
            widget->setGeometry(place.left, place.top, place.width, place.height);
            if (frames) {
                frame = widget;
            }
        }
    }
}

void ShowAnchorWindow(bool withWidgets, QSize size) {
    QWidget window;
    window.setFixedSize(size);
    if (withWidgets) {
        AddBareWidgets(window);
    }
    ShowAndReport(window);
}

int RunChild(int argc, char* argv[], const char* kind) {
    int qtArgumentCount = argc > 0 ? 1 : 0;
    QApplication application(qtArgumentCount, argv);
    if (std::strcmp(kind, "program") == 0) {
        ShowProgramWindow();
    } else {
        // The program's window size, without building the window itself.
        ShowAnchorWindow(std::strcmp(kind, "widgets") == 0, QSize(418, 278));
    }
    return 0;
}

struct ChildResult {
    double startupMilliseconds = 0;
    double cpuMilliseconds = 0;
    long residentKilobytes = 0;
    long residentAfterEchoKilobytes = 0;
    std::string platformAndStatus;
};

bool RunOnce(const char* kind, ChildResult& result) {
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
    setenv(kChildVariable, kind, 1);

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
    long long cpuMicroseconds = 0;
    char rest[200] = {};
    if (std::sscanf(text.c_str(), "%lld %lld %ld %ld %199[^\n]", &shownAt, &cpuMicroseconds,
                    &result.residentKilobytes, &result.residentAfterEchoKilobytes, rest) != 5) {
        return false;
    }
    result.cpuMilliseconds = static_cast<double>(cpuMicroseconds) / 1e3;
    result.startupMilliseconds = static_cast<double>(shownAt - startedAt) / 1e6;
    result.platformAndStatus = rest;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <typename T>
T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Series {
    std::vector<double> startups;
    std::vector<double> cpuTimes;
    std::vector<double> residentMegabytes;
    std::vector<double> residentAfterEchoMegabytes;
    std::string platformAndStatus;
};

void PrintSeries(const WindowKind& kind, const Series& series) {
    const auto [fastest, slowest] =
        std::minmax_element(series.startups.begin(), series.startups.end());
    std::printf("%-40s %7.1f ms (%.1f to %.1f)  %6.1f MB  CPU %.1f ms\n", kind.label,
                Median(series.startups), *fastest, *slowest, Median(series.residentMegabytes),
                Median(series.cpuTimes));
}

void PrintRatios(const Series& program, const Series& anchor, const char* anchorName) {
    std::printf("program / %-30s start %.2f  memory %.2f  CPU %.2f\n", anchorName,
                Median(program.startups) / Median(anchor.startups),
                Median(program.residentMegabytes) / Median(anchor.residentMegabytes),
                Median(program.cpuTimes) / Median(anchor.cpuTimes));
}

int RunDriver() {
    std::array<Series, kKinds.size()> series;
    for (int run = 0; run < kRunsEach; ++run) {
        // Rotated each round, so no kind always follows the same one.
        for (std::size_t step = 0; step < kKinds.size(); ++step) {
            const std::size_t kind = (step + static_cast<std::size_t>(run)) % kKinds.size();
            ChildResult result;
            if (!RunOnce(kKinds[kind].name, result)) {
                std::fprintf(stderr, "run %d of the %s failed\n", run, kKinds[kind].label);
                return 1;
            }
            series[kind].startups.push_back(result.startupMilliseconds);
            series[kind].cpuTimes.push_back(result.cpuMilliseconds);
            series[kind].residentMegabytes.push_back(static_cast<double>(result.residentKilobytes) /
                                                     1024.0);
            series[kind].residentAfterEchoMegabytes.push_back(
                static_cast<double>(result.residentAfterEchoKilobytes) / 1024.0);
            series[kind].platformAndStatus = result.platformAndStatus;
        }
    }
    std::printf("platform|first echo: %s\n", series[0].platformAndStatus.c_str());
    std::printf(
        "medians of %d runs each: start to window shown, then resident memory and CPU time:\n",
        kRunsEach);
    for (std::size_t kind = 0; kind < kKinds.size(); ++kind) {
        PrintSeries(kKinds[kind], series[kind]);
    }
    PrintRatios(series[0], series[1], "empty window");
    PrintRatios(series[0], series[2], "same twenty widgets");
    std::printf("the program's resident memory after its first echo: %.1f MB\n",
                Median(series[0].residentAfterEchoMegabytes));
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const char* kind = std::getenv(kChildVariable)) {
        return RunChild(argc, argv, kind);
    }
    return RunDriver();
}
