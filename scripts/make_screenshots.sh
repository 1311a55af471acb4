#!/usr/bin/env bash
# Regenerates the README's pictures of the window after an echo of 127.0.0.1:
# docs/quorl-linux.png from the Qt window (grabbed offscreen by its test) and
# docs/quorl-windows.png from Quorl.exe under Wine on a virtual X display.
# Echoing needs root or an open net.ipv4.ping_group_range.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${QUORL_BUILD_PACKAGES[@]}" "${QUORL_TEST_PACKAGES[@]}" imagemagick xdotool
mkdir -p docs

cmake --preset linux >/dev/null
cmake --build --preset linux --target quorl_qt_window_test
QT_QPA_PLATFORM=offscreen build/linux/tests/main_window/qt/quorl_qt_window_test \
    --gtest_filter=EchoFormControllerTest.ClickEchoesLoopbackAndFillsEveryBox
cp build/linux/tests/main_window/qt/quorl_window_after_echo.png docs/quorl-linux.png
echo "Wrote docs/quorl-linux.png"

ensure_packages "${QUORL_WINDOWS_PACKAGES[@]}"
ensure_wine || { echo "No picture of the Windows window: $QUORL_NO_WINE" >&2; exit 1; }
scripts/wine-run.sh --probe >/dev/null || ensure_packages "${QUORL_X86_VM_PACKAGES[@]}"
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Quorl
# Whatever the emulated machine writes goes into the build folder.
build=$PWD/build/win32
scripts/x86-32.sh --build "$build" --timeout 570 \
    xvfb-run --auto-servernum --server-args="-screen 0 800x600x24" \
    "$PWD/scripts/windows_screenshot.sh" "$build/wineprefix" \
    "$build/src/main_window/win32/Quorl.exe" "$build/quorl-windows.png"
cp "$build/quorl-windows.png" docs/quorl-windows.png
echo "Wrote docs/quorl-windows.png"
