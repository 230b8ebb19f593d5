#!/usr/bin/env bash
# Sets everything up, builds Zelkopad and runs the whole test suite with CTest;
# then builds the suite again with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs it there. Exits non-zero when any test fails or a
# sanitizer reports a fault. SANITIZE=0 skips the sanitized run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
install_missing_packages
build_zelkopad
# The tests run headless (offscreen); the few that need another program on a
# real X display start their own under xvfb-run.
start=$SECONDS
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)"
echo "Test suite: $((SECONDS - start)) s"

[ "${SANITIZE:-1}" = 0 ] && exit 0
echo "== Test suite with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/)"
start=$SECONDS
install_missing_packages "${SANITIZER_PACKAGES[@]}"
ASAN_DIR="${ASAN_BUILD_DIR:-$ROOT/build-asan}"
cmake -S "$ROOT" -B "$ASAN_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DZELKOPAD_SANITIZE=address,undefined -DZELKOPAD_BUILD_BENCH=OFF >/dev/null
cmake --build "$ASAN_DIR"
built=$SECONDS
SUPPRESSIONS="$ROOT/tests/sanitizer-suppressions"
echo "Leaks inside Qt's own code are suppressed, each for the reason given in $SUPPRESSIONS/lsan.supp."
echo "tst_webengine runs without the check of sized deletes, which the engine inside Qt WebEngine fails."
# Full stack unwinding, so that a suppression sees every frame of a leak.
ASAN_OPTIONS="detect_leaks=1:fast_unwind_on_malloc=0" \
LSAN_OPTIONS="suppressions=$SUPPRESSIONS/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --test-dir "$ASAN_DIR" --output-on-failure -j "$(nproc)"
echo "Sanitized test suite: build $((built - start)) s, tests $((SECONDS - built)) s"
