#!/usr/bin/env bash
# Sets everything up and starts the program. Without a teran.ini it runs on the demo data
# folder (made on first use). Without a display it runs under Xvfb and saves a screenshot.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TERAN_BUILD_DIR:-$root/build}

"$root/scripts/deps.sh"
"$root/scripts/build.sh" teran teran-admin teran-smsd

config=${TERAN_CONFIG:-${XDG_CONFIG_HOME:-$HOME/.config}/teran/teran.ini}
if [ ! -f "$config" ]; then
    demo=${XDG_DATA_HOME:-$HOME/.local/share}/teran/demo
    if [ ! -f "$demo/rd/terandb.db" ]; then
        echo "no teran.ini: making the demo data folder $demo"
        "$build/teran-admin" init --demo --config "$config" --data "$demo"
    fi
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    "$build/teran" --config "$config" "$@"
    exit $?
fi

shot=${TERAN_SCREENSHOT:-$build/teran-screenshot.png}
echo "no display: starting under Xvfb; the window's picture goes to $shot"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/teran" --config "$config" --screenshot "$shot" --exit-after-screenshot "$@"
echo "screenshot saved: $shot"
