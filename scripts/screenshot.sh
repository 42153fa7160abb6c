#!/usr/bin/env bash
# Takes docs/qmx-table.png: the main window with the sample open in a table window, drawn by the
# X server of xvfb-run (real fonts and window decorations, unlike the offscreen platform).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QMX_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
mkdir -p "$root/docs"
xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb \
    QMX_SCREENSHOT="$root/docs/qmx-table.png" \
    QMX_UI_TEST_CLASS=ScreenshotTest "$build/tests/ui/test_ui" > /dev/null
echo "Wrote $root/docs/qmx-table.png"
