#!/usr/bin/env bash
# Takes the README's pictures of the program's windows (docs/qmx-*.png), drawn by the X server of
# xvfb-run (real fonts and window decorations, unlike the offscreen platform): each test of the
# widget tests' ScreenshotTest class saves one picture.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QMX_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
mkdir -p "$root/docs"
xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb \
    QMX_SCREENSHOT_DIR="$root/docs" \
    QMX_UI_TEST_CLASS=ScreenshotTest "$build/tests/ui/test_ui" > /dev/null
echo "Wrote the pictures in $root/docs"
