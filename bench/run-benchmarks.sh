#!/usr/bin/env bash
# Measures Zelkopad from outside, beside peer editors, in the same run:
# launch to idle and peak memory for an empty start and for the shared test
# files, CPU per keystroke while typing at the end of the 10 MB file and at
# the end of the 5 MB single line, and (in process, Zelkopad alone: the peers
# have no switch for wrapping on the command line) Ctrl+End with wrapping on.
# Prints one line per run and a table of medians.
#
#   bench/run-benchmarks.sh [-n RUNS] [-p "featherpad kate geany"] [-f "empty lines-1m ..."]
#
# Needs the measuring scripts of the shared bench folder (ZP_SHARED_BENCH,
# default ../shared/bench beside the checkout) and a built build/zelkopad.
# Peers that are installed are measured too; as root they run as user "nobody".
set -uo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SHARED="${ZP_SHARED_BENCH:-$ROOT/../shared/bench}"
RUNS=5
PEERS="featherpad kate geany"
FILES="empty lines-1m lines-10m lines-50m oneline-5m"
while getopts "n:p:f:" opt; do
    case $opt in
        n) RUNS=$OPTARG ;;
        p) PEERS=$OPTARG ;;
        f) FILES=$OPTARG ;;
        *) exit 2 ;;
    esac
done

WORK="${TMPDIR:-/tmp}/zelkopad-bench"
DATA="$WORK/files"
mkdir -p "$WORK"
[ -f "$DATA/MANIFEST" ] || bash "$SHARED/make-files.sh" "$DATA" >/dev/null
chmod -R a+rX "$WORK"

# Zelkopad keeps its settings beside the program: each measured copy lives in a
# folder of its own that has been started once, as a user's copy has.
ZP_DIR="$WORK/zelkopad"
rm -rf "$ZP_DIR" && mkdir -p "$ZP_DIR"
cp "$ROOT/build/zelkopad" "$ZP_DIR/"
# Start-up with no file names: the program opens its untitled document. The
# harness always appends a file, so this launcher drops it (exec keeps the PID).
cat > "$ZP_DIR/zelkopad-start" <<EOS
#!/bin/sh
exec "$ZP_DIR/zelkopad"
EOS
chmod +x "$ZP_DIR/zelkopad-start"
chmod -R a+rwX "$ZP_DIR"

as_user=()
if [ "$(id -u)" -eq 0 ]; then
    as_user=(-u nobody)
    # featherpad reads Shift-JIS only in a Japanese locale.
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
        sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen 2>/dev/null
        locale-gen >/dev/null 2>&1 || true
    fi
fi

geany_config='mkdir -p ~/.config/geany; printf "[geany]\npref_editor_default_open_encoding=SHIFT_JIS\n" > ~/.config/geany/geany.conf'

results="$WORK/results.txt"
: > "$results"
measure() { # label, command, file, extra options...
    local label=$1 cmd=$2 file=$3
    shift 3
    for ((i = 1; i <= RUNS; i++)); do
        line=$(bash "$SHARED/gui-open-bench.sh" -l "$label" "$@" "$cmd" "$file" 2>/dev/null)
        echo "$line"
        echo "$line" >> "$results"
    done
}

for f in $FILES; do
    path="$DATA/$f.sjis.html"
    [ "$f" = empty ] && path="$DATA/empty.html"
    if [ "$f" = empty ]; then
        measure zelkopad "$ZP_DIR/zelkopad-start" "$path" "${as_user[@]}"
    else
        measure zelkopad "$ZP_DIR/zelkopad" "$path" "${as_user[@]}"
    fi
    for peer in $PEERS; do
        command -v "$peer" >/dev/null || continue
        case $peer in
            featherpad) measure featherpad featherpad "$path" -L ja_JP.UTF-8 "${as_user[@]}" ;;
            geany) measure geany "geany -i" "$path" -p "$geany_config" "${as_user[@]}" ;;
            kate) measure kate "kate -n -e Shift-JIS" "$path" "${as_user[@]}" ;;
            *) measure "$peer" "$peer" "$path" "${as_user[@]}" ;;
        esac
    done
done

# Typing at the end of the 10 MB file, and at the end of the single line of
# the 5 MB file (a copy without its final break, so that Ctrl+End puts the
# caret at the end of the line; a few keys, as each costs a layout of the line).
typing_rows() { # label suffix, file, keys
    local suffix=$1 file=$2 keys=$3
    measure "zelkopad-$suffix" "$ZP_DIR/zelkopad" "$file" -T "$keys" "${as_user[@]}"
    for peer in $PEERS; do
        command -v "$peer" >/dev/null || continue
        case $peer in
            featherpad) measure "featherpad-$suffix" featherpad "$file" -T "$keys" -L ja_JP.UTF-8 "${as_user[@]}" ;;
            kate) measure "kate-$suffix" "kate -n -e Shift-JIS" "$file" -T "$keys" "${as_user[@]}" ;;
            geany) measure "geany-$suffix" "geany -i" "$file" -T "$keys" -p "$geany_config" "${as_user[@]}" ;;
        esac
    done
}
if [[ " $FILES " == *" oneline-5m "* ]]; then
    head -c -1 "$DATA/oneline-5m.sjis.html" > "$WORK/oneline-5m-noeol.sjis.html"
    chmod a+r "$WORK/oneline-5m-noeol.sjis.html"
    typing_rows typing-line "$WORK/oneline-5m-noeol.sjis.html" 20
fi

if [[ " $FILES " == *" lines-10m "* ]]; then
    typing_rows typing "$DATA/lines-10m.sjis.html" 200
fi

echo
echo "Medians of $RUNS runs (idle_s / rss_mib; typing: ms of CPU per key):"
awk '
function val(k,   i, n, kv) { for (i = 1; i <= NF; i++) { split($i, kv, "="); if (kv[1] == k) return kv[2] } return "" }
{ key = val("label") " " val("file"); idle[key] = idle[key] " " val("idle_s"); rss[key] = rss[key] " " val("rss_mib");
  if (val("type_cpu_s") != "") { typ[key] = typ[key] " " val("type_cpu_s"); keys[key] = (val("label") ~ /typing-line/) ? 20 : 200 } }
function median(list,   a, n, i, j, t) { n = split(list, a, " "); for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] + 0 < a[i] + 0) { t = a[i]; a[i] = a[j]; a[j] = t }
  return n ? a[int((n + 1) / 2)] : "NA" }
END { for (k in idle) { line = sprintf("%-45s %s s / %s MiB", k, median(idle[k]), median(rss[k]));
      if (k in typ) line = line sprintf("  typing %.2f ms/key", median(typ[k]) * 1000 / keys[k]); print line } }
' "$results" | sort

# In process, Zelkopad alone: Ctrl+End with wrapping on (until the view has
# painted; the gutter's count of the lines above goes on from the event loop),
# and typing inside the long line.
if [ -x "$ROOT/build/bench/bench_jump" ]; then
    echo
    echo "In process (build/bench):"
    for args in "50 --wrap" "5 --one-line --wrap" "50" "5 --one-line"; do
        QT_QPA_PLATFORM=offscreen "$ROOT/build/bench/bench_jump" $args 2>/dev/null | grep -E '^(document|Ctrl)'
    done
    for args in "0.3 20 --one-line" "0.3 20 --one-line --middle" "8 10 --one-line" "8 10 --one-line --middle"; do
        QT_QPA_PLATFORM=offscreen "$ROOT/build/bench/bench_typing" $args 2>/dev/null | grep -E '^typing'
    done
fi
