#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for SECONDS
# seconds (default 60), starting from the inputs kept in fuzz/inputs/<target>/. Prints
# the inputs tried per target; a failure is saved as build-fuzz/crashes/
# <target>/crash-* and makes the script exit non-zero.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

SECONDS_EACH="${1:-60}"
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -eq 0 ] && TARGETS=(fuzz_cp932codec fuzz_profile fuzz_tagcase fuzz_linebreaks fuzz_findengine)
FUZZ_DIR="${FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"

install_missing_packages "${FUZZ_PACKAGES[@]}"
cmake -S "$ROOT" -B "$FUZZ_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DZELKOPAD_BUILD_FUZZERS=ON \
      -DZELKOPAD_BUILD_TESTS=OFF -DZELKOPAD_BUILD_BENCH=OFF >/dev/null
cmake --build "$FUZZ_DIR" --target "${TARGETS[@]}"

# Inputs the targets take at most: the find target repeats its input into
# texts of up to 300 000 characters itself.
declare -A MAX_LEN=([fuzz_cp932codec]=4096 [fuzz_profile]=4096 [fuzz_tagcase]=4096
                    [fuzz_linebreaks]=2048 [fuzz_findengine]=512)
failed=()
summary=()
for target in "${TARGETS[@]}"; do
    # New inputs found while fuzzing go to a scratch folder; the inputs kept
    # in the repository stay as they are.
    work="$FUZZ_DIR/found/$target"
    crashes="$FUZZ_DIR/crashes/$target"
    mkdir -p "$work" "$crashes"
    log="$FUZZ_DIR/$target.log"
    echo "== $target: ${SECONDS_EACH} s"
    status=0
    # Leak checks stay on, with the suppressions of the sanitized test run
    # (memory Qt keeps for the life of the process).
    ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    LSAN_OPTIONS="suppressions=$ROOT/tests/sanitizer-suppressions/lsan.supp:print_suppressions=0" \
    QT_QPA_PLATFORM=offscreen \
        "$FUZZ_DIR/fuzz/$target" -max_total_time="$SECONDS_EACH" -max_len="${MAX_LEN[$target]}" \
        -timeout=25 -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$crashes/" \
        "$work" "$ROOT/fuzz/inputs/$target" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    if [ -z "$runs" ]; then
        runs=$(grep -oE '^#[0-9]+' "$log" | tail -n 1 | tr -d '#')
    fi
    if [ "$status" -ne 0 ]; then
        failed+=("$target")
        tail -n 40 "$log"
        summary+=("$(printf '%-18s %10s inputs  FAILED (%s)' "$target" "${runs:-?}" "$(ls "$crashes" | tr '\n' ' ')")")
    else
        summary+=("$(printf '%-18s %10s inputs  0 crashes' "$target" "${runs:-?}")")
    fi
done
echo "== Fuzzing, ${SECONDS_EACH} s per target"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
    echo "Failed: ${failed[*]} (inputs in $FUZZ_DIR/crashes/, logs in $FUZZ_DIR/*.log)"
    exit 1
fi
