#!/usr/bin/env bash
# Sets everything up, builds Zelkopad and runs the whole test suite with CTest.
# Exits non-zero when any test fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
install_missing_packages
build_zelkopad
# The tests run headless (offscreen); the few that need another program on a
# real X display start their own under xvfb-run.
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)"
