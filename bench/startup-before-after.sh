#!/usr/bin/env bash
# Start-up to idle and peak memory of two builds of Zelkopad in the same run,
# turn about: an earlier build (BEFORE) and this checkout's build/zelkopad.
# Each starts with no file, in a folder of its own, as a user's copy does.
#
#   bench/startup-before-after.sh BEFORE_BINARY [RUNS]
#
# Needs the measuring scripts of the shared bench folder (ZP_SHARED_BENCH,
# default ../shared/bench beside the checkout). As root the programs run as
# user "nobody".
set -uo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SHARED="${ZP_SHARED_BENCH:-$ROOT/../shared/bench}"
BEFORE=${1:?usage: $0 BEFORE_BINARY [RUNS]}
RUNS=${2:-7}
WORK="${TMPDIR:-/tmp}/zelkopad-startup"
rm -rf "$WORK" && mkdir -p "$WORK/before" "$WORK/after"
cp "$BEFORE" "$WORK/before/zelkopad"
cp "$ROOT/build/zelkopad" "$ROOT"/build/libzelkopad-*.so "$WORK/after/"
for side in before after; do
    printf '#!/bin/sh\nexec "%s/%s/zelkopad"\n' "$WORK" "$side" > "$WORK/$side/start"
    chmod +x "$WORK/$side/start"
done
chmod -R a+rwX "$WORK"
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(-u nobody)

results="$WORK/results.txt"
: > "$results"
for ((i = 1; i <= RUNS; i++)); do
    for side in before after; do
        line=$(bash "$SHARED/gui-open-bench.sh" -l "$side" "${as_user[@]}" "$WORK/$side/start" /dev/null 2>/dev/null)
        echo "$line"
        echo "$line" >> "$results"
    done
done
echo
echo "Medians of $RUNS runs:"
awk '
function val(k,   i, kv) { for (i = 1; i <= NF; i++) { split($i, kv, "="); if (kv[1] == k) return kv[2] } return "" }
{ l = val("label"); idle[l] = idle[l] " " val("idle_s"); rss[l] = rss[l] " " val("rss_mib") }
function median(list,   a, n, i, j, t) { n = split(list, a, " "); for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] + 0 < a[i] + 0) { t = a[i]; a[i] = a[j]; a[j] = t }
  return n ? a[int((n + 1) / 2)] : "NA" }
END { for (l in idle) printf "%-7s idle %s s, peak memory %s MiB\n", l, median(idle[l]), median(rss[l]) }
' "$results" | sort
