#!/usr/bin/env bash
# Sets everything up, builds and starts Zelkopad. Arguments are passed on as
# the program's command line (file paths to open).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
install_missing_packages
build_zelkopad zelkopad

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting Zelkopad under xvfb-run (a virtual screen)."
    exec xvfb-run -a -s "-screen 0 1280x900x24" "$BUILD_DIR/zelkopad" "$@"
fi
exec "$BUILD_DIR/zelkopad" "$@"
