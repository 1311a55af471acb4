#include "display_environment.h"

#include <cstdio>
#include <cstdlib>

namespace quorl {
namespace {

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool DisplayAvailable() {
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

void ReportNoDisplay() {
    std::fputs(
        "quorl: no display to open the window on: neither DISPLAY nor WAYLAND_DISPLAY is set; "
        "start it from a desktop session, or use ./run, which without a display serves the "
        "window over VNC on 127.0.0.1\n",
        stderr);
}

}  // namespace quorl
