#!/usr/bin/env bash
# Builds the Debian package of Zelkopad: an installed-layout build (settings,
# backups and clipboard history in the user's XDG folders) in build-package/,
# packed by CPack into build-package/zelkopad_<version>-1_<arch>.deb.
# Install it with: sudo apt install ./build-package/zelkopad_*.deb
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
install_missing_packages

PACKAGE_DIR="${PACKAGE_DIR:-$ROOT/build-package}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The binary is stripped into the package.
cmake -S "$ROOT" -B "$PACKAGE_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
      -DCMAKE_INSTALL_PREFIX=/usr -DZELKOPAD_INSTALLED_LAYOUT=ON -DZELKOPAD_BUILD_TESTS=OFF -DZELKOPAD_BUILD_BENCH=OFF >/dev/null
cmake --build "$PACKAGE_DIR"
(cd "$PACKAGE_DIR" && cpack -G DEB)
ls -1 "$PACKAGE_DIR"/zelkopad_*.deb
