#pragma once

namespace quorl {

// Whether Qt has anything to show the window on: an X display, a Wayland
// compositor, or a platform the user chose by QT_QPA_PLATFORM (offscreen,
// vnc...). Without one Qt would abort with advice that does not apply.
bool DisplayAvailable();

// Says on stderr, in one line, why the window cannot open and what to do.
void ReportNoDisplay();

}  // namespace quorl
