#!/usr/bin/env bash
# Checks the Debian package on a fresh Debian 12 root (run as root, by hand):
# makes a minimal bookworm root with debootstrap (or reuses ROOT_DIR when it
# holds one), installs the package there with apt, starts zelkopad as a new
# user through the Exec command of its desktop entry under xvfb-run, with an
# HTML file whose path holds a blank, and checks that the program opened it
# as one file and wrote only to the user's XDG folders.
#   bash scripts/check-package.sh [PACKAGE.deb]
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DEB="${1:-$(ls -1 "$ROOT"/build-package/zelkopad_*.deb | tail -1)}"
ROOT_DIR="${ROOT_DIR:-/tmp/zelkopad-check-root}"
MIRROR="${MIRROR:-http://deb.debian.org/debian}"

[ "$(id -u)" -eq 0 ] || { echo "check-package.sh: run as root (debootstrap and chroot)"; exit 1; }
command -v debootstrap >/dev/null || apt-get install -y -q --no-install-recommends debootstrap
if [ ! -x "$ROOT_DIR/usr/bin/apt-get" ]; then
    debootstrap --variant=minbase bookworm "$ROOT_DIR" "$MIRROR"
fi

mounted=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[$i]}" || true; done
}
trap cleanup EXIT
for fs in proc sys dev dev/pts; do
    case $fs in
        proc) mount -t proc proc "$ROOT_DIR/proc" ;;
        sys) mount -t sysfs sys "$ROOT_DIR/sys" ;;
        *) mount --bind "/$fs" "$ROOT_DIR/$fs" ;;
    esac
    mounted+=("$ROOT_DIR/$fs")
done
in_root() { chroot "$ROOT_DIR" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root "$@"; }

cp "$DEB" "$ROOT_DIR/tmp/zelkopad.deb"
in_root sh -c 'apt-get update -q >/dev/null &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --reinstall /tmp/zelkopad.deb >/dev/null &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xvfb xauth >/dev/null'
echo "Installed: $(in_root dpkg-query -W -f='${Package} ${Version}' zelkopad)"

in_root sh -c 'id tester >/dev/null 2>&1 || useradd -m tester'
in_root rm -rf /home/tester/.config/zelkopad /home/tester/.local/share/zelkopad
in_root su tester -c 'mkdir -p "$HOME/My Site" && printf "<p>\x93\xfa\x96\x7b</p>\r\n" > "$HOME/My Site/page.html"'
cat > "$ROOT_DIR/tmp/run-from-desktop.sh" <<'SCRIPT'
#!/bin/sh
# Runs the desktop entry's Exec command with one file for %F, lets the program
# start and settle, then ends it.
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/zelkopad.desktop)
set -- $exec_line
[ "$#" -eq 2 ] && [ "$2" = "%F" ] || { echo "unexpected Exec line: $exec_line"; exit 1; }
"$1" "$HOME/My Site/page.html" &
pid=$!
sleep 8
ps -o stat=,time= -p "$pid" || { echo "zelkopad ended early"; exit 1; }
kill "$pid"
wait "$pid" || true
SCRIPT
chmod +x "$ROOT_DIR/tmp/run-from-desktop.sh"

snapshot() {
    chroot "$ROOT_DIR" find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /tmp \
        -o -path /var/lib/xkb \) -prune -o -type f -printf '%p %T@ %s\n' | sort
}
snapshot > "$ROOT_DIR/tmp/before"
in_root su - tester -c 'cd /tmp && xvfb-run -a /tmp/run-from-desktop.sh'
snapshot > "$ROOT_DIR/tmp/after"

# Paths hold blanks: the last two fields are the time and the size.
changed=$( (diff "$ROOT_DIR/tmp/before" "$ROOT_DIR/tmp/after" || true) \
           | sed -n 's/^> \(.*\) [^ ]* [^ ]*$/\1/p')
echo "Files the program wrote:"
echo "$changed" | sed 's/^/  /'
expected='/home/tester/.config/zelkopad/Zelkopad.ini'
[ "$changed" = "$expected" ] || { echo "FAIL: expected only $expected"; exit 1; }
[ -d "$ROOT_DIR/home/tester/.local/share/zelkopad/Backup" ] || { echo "FAIL: no Backup folder"; exit 1; }
grep -q "^FileList1=/home/tester/My Site/page.html" "$ROOT_DIR$expected" \
    || { echo "FAIL: the file with a blank in its path did not open as one file"; exit 1; }
echo "OK: installed, started from the desktop entry, opened one file, wrote only to the user's folders"
