#!/usr/bin/env bash
# Installs the Debian packages Zelkopad needs (only those missing) and builds
# it into build/. Sourced by run.sh and test.sh; can also be run on its own.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
PACKAGES=(g++ cmake ninja-build qt6-base-dev qt6-base-private-dev qt6-webengine-dev libicu-dev
          xvfb xauth xclip fonts-ipaexfont-gothic fonts-ipafont-gothic qt6-translations-l10n
          poppler-utils)
# The sanitized test run (gcc's runtimes) and the fuzz targets (clang, libFuzzer).
SANITIZER_PACKAGES=(libasan8 libubsan1)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# install_missing_packages [PACKAGE...]: installs those not installed yet (by
# default the build's PACKAGES).
install_missing_packages() {
    local wanted=("$@")
    [ ${#wanted[@]} -eq 0 ] && wanted=("${PACKAGES[@]}")
    local missing=()
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# build_zelkopad [TARGET...]: configures and builds (everything by default).
build_zelkopad() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    if [ $# -gt 0 ]; then
        cmake --build "$BUILD_DIR" --target "$@"
    else
        cmake --build "$BUILD_DIR"
    fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    install_missing_packages
    build_zelkopad
fi
