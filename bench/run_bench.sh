#!/usr/bin/env bash
# The throughput benchmark: ferry-convert with every pass on, side by side
# with the copy floor on the same machine, on a generated scenery and on one
# a tenth of its size; then the microbenchmarks.
#
#   bench/run_bench.sh [BUILD_DIR]
#
# Then the batch figure: BENCH_BATCH sceneries (default 2000) of about
# BENCH_BATCH_KB (50) each in a nested tree, converted with -j 1 and with
# -j 2, and as many empty sources, for the overhead of a source.
#
# Environment: BENCH_MB (default 150), BENCH_RUNS (default 5), BENCH_LARGE=1
# adds one run at ten times BENCH_MB for peak memory, BENCH_SINGLE=0 skips
# the single sceneries, BENCH_BATCH=0 the batch, BENCH_MICRO=0 the
# microbenchmarks; FERRY_CONVERT names another ferry-convert to measure.
# The user-space floor (below): FERRY_CONVERT_BEFORE names a ferry-convert to
# measure in the same rounds, side by side; BENCH_MIXES (default "default
# buildings long-lines") the generator's mixes; BENCH_USER_FLOOR=0 skips it.
# Sceneries are kept in BUILD_DIR/benchdata for the next run; outputs are
# removed.
set -euo pipefail

build=${1:-build/native}
mb=${BENCH_MB:-150}
runs=${BENCH_RUNS:-5}
data=$build/benchdata
convert=${FERRY_CONVERT:-$(cd "$build" && pwd)/ferry-convert}
generate=$(cd "$build" && pwd)/bench/ferry-generate-scenery
mkdir -p "$data"

now() { date +%s%N; }

# "median min max" of the numbers on standard input.
stats() { sort -g | awk '{ v[NR] = $1 } END { print ((NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[1], v[NR] }'; }

# Generates the scenery of SIZE megabytes once; prints its source path.
scenery() {
  local size=$1 name=s${1}mb
  if [ ! -f "$data/$name.sca" ] || [ ! -f "$data/$name.size" ] || [ "$(cat "$data/$name.size")" != "$size" ]; then
    "$generate" "$data" "$name" "$size"
    echo "$size" > "$data/$name.size"
  fi
  echo "$data/$name.sca"
}

# Runs Ferry and the floor RUNS times each, interleaved, after one round
# that is not counted: the first large write after a while costs the kernel
# (and a virtual machine's host) more than the next ones. Both start from a
# flushed disk and without their output file. Prints
# "ferry_median ferry_min ferry_max floor_median floor_min floor_max rss_kib
# in_bytes out_bytes" (RSS: the largest of the runs).
measure() {
  local source=$1 count=$2 out=$data/out
  local stem=${source%.sca} name
  name=$(basename "$stem")
  mkdir -p "$out"
  local ferry=() floor=() rss=0
  for ((i = -1; i < count; i++)); do
    rm -f "$out/$name.xml" "$out/copy"
    sync
    local t0 t1 t2 t3 kib
    t0=$(now)
    /usr/bin/time -f %M -o "$out/rss" "$convert" -bea -o "$out" "$source"
    t1=$(now)
    kib=$(cat "$out/rss")
    [ "$kib" -gt "$rss" ] && rss=$kib
    sync
    t2=$(now)
    cat "$source" > /dev/null
    cat "$out/$name.xml" > "$out/copy"
    t3=$(now)
    [ "$i" -lt 0 ] && continue
    ferry+=("$(echo "$t0 $t1" | awk '{ print ($2 - $1) / 1e9 }')")
    floor+=("$(echo "$t2 $t3" | awk '{ print ($2 - $1) / 1e9 }')")
  done
  local in_bytes out_bytes
  in_bytes=$(stat -c %s "$source")
  out_bytes=$(stat -c %s "$out/$name.xml")
  rm -f "$out/$name.xml" "$out/copy" "$out/rss"
  echo "$(printf '%s\n' "${ferry[@]}" | stats) $(printf '%s\n' "${floor[@]}" | stats) $rss $in_bytes $out_bytes"
}

# The ratio of the medians is the figure; the ratio of the best runs is
# shown beside it because the floor, all kernel work, swings widely on a
# shared machine.
report() {
  local label=$1
  shift
  awk -v l="$label" -v fm="$1" -v fa="$2" -v fb="$3" -v cm="$4" -v ca="$5" -v cb="$6" \
    -v r="$7" -v i="$8" -v o="$9" 'BEGIN {
    printf "%s: %.1f MB in, %.1f MB out\n", l, i / 1e6, o / 1e6
    printf "  ferry %.3f s (%.3f-%.3f)  floor %.3f s (%.3f-%.3f)  ratio %.2f (best runs %.2f)\n",
      fm, fa, fb, cm, ca, cb, fm / cm, fa / ca
    printf "  input %.1f MB/s  output %.1f MB/s  %.2f ms per input MB  peak RSS %.2f MiB\n",
      i / 1e6 / fm, o / 1e6 / fm, fm * 1000 / (i / 1e6), r / 1024
  }'
}

tenth=$(awk -v m="$mb" 'BEGIN { print m / 10 }')
if [ "${BENCH_SINGLE:-1}" != 0 ]; then
  echo "ferry-convert -bea against the floor (cat SOURCE > /dev/null; cat OUTPUT > COPY):"
  echo "medians of $runs runs (fastest-slowest) after one uncounted round"
  read -r -a small <<< "$(measure "$(scenery "$tenth")" "$runs")"
  report "1/10 size" "${small[@]}"
  read -r -a full <<< "$(measure "$(scenery "$mb")" "$runs")"
  report "default size" "${full[@]}"
  awk -v a="${small[0]}" -v ai="${small[7]}" -v b="${full[0]}" -v bi="${full[7]}" 'BEGIN {
    printf "linearity: %.2f ms per input MB at 1/10, %.2f at full size (quotient %.2f)\n",
      a * 1000 / (ai / 1e6), b * 1000 / (bi / 1e6), (b / bi) / (a / ai)
  }'
  if [ "${BENCH_LARGE:-0}" = 1 ]; then
    large=$(awk -v m="$mb" 'BEGIN { print m * 10 }')
    read -r -a big <<< "$(measure "$(scenery "$large")" 1)"
    report "10x size" "${big[@]}"
  fi
fi

# A tree of COUNT sceneries of KB kilobytes (0: empty sources), made once;
# prints its folder.
tree() {
  local count=$1 kb=$2 dir=$data/tree-$1x$2kb
  if [ ! -f "$dir.done" ]; then
    rm -rf "$dir"
    "$generate" --tree "$dir" "$count" "$kb"
    touch "$dir.done"
  fi
  echo "$dir"
}

# Seconds that one ferry-convert run takes, from a flushed disk and without
# its output folder.
timed() {
  local out=$data/batch-out t0 t1
  rm -rf "$out"
  sync
  t0=$(now)
  "$convert" -q -o "$out" "$@" || true
  t1=$(now)
  echo "$t0 $t1" | awk '{ print ($2 - $1) / 1e9 }'
}

# -j 1 and -j 2 in turns, after one uncounted round of each; then the
# overhead of a source: COUNT empty sources against one, at -j 1.
batch() {
  local count=$1 kb=$2 full empty one=() two=() many=() single=()
  full=$(tree "$count" "$kb")
  empty=$(tree "$count" 0)
  for ((i = -1; i < runs; i++)); do
    local a b
    a=$(timed -bea -r -j 1 "$full")
    b=$(timed -bea -r -j 2 "$full")
    [ "$i" -lt 0 ] && continue
    one+=("$a")
    two+=("$b")
  done
  local in_bytes out_bytes
  in_bytes=$(find "$full" -type f -name '*.sca' -printf '%s\n' | awk '{ s += $1 } END { print s }')
  "$convert" -q -bea -r -o "$data/batch-out" "$full" || true
  out_bytes=$(du -sb "$data/batch-out" | cut -f1)
  for ((i = -1; i < runs; i++)); do
    local a b
    a=$(timed -bea -r -j 1 "$empty")
    b=$(timed -bea -j 1 "$empty/g00/s00/scenery0.sca")
    [ "$i" -lt 0 ] && continue
    many+=("$a")
    single+=("$b")
  done
  rm -rf "$data/batch-out"
  read -r om oa ob <<< "$(printf '%s\n' "${one[@]}" | stats)"
  read -r tm ta tb <<< "$(printf '%s\n' "${two[@]}" | stats)"
  read -r mm _ _ <<< "$(printf '%s\n' "${many[@]}" | stats)"
  read -r sm _ _ <<< "$(printf '%s\n' "${single[@]}" | stats)"
  awk -v n="$count" -v kb="$kb" -v i="$in_bytes" -v o="$out_bytes" -v om="$om" -v oa="$oa" \
    -v ob="$ob" -v tm="$tm" -v ta="$ta" -v tb="$tb" -v mm="$mm" -v sm="$sm" 'BEGIN {
    printf "batch: %d sceneries of about %d KB in %d folders (%.1f MB in, %.1f MB out), -bea -r\n",
      n, kb, (n + 9) / 10, i / 1e6, o / 1e6
    printf "  -j 1 %.3f s (%.3f-%.3f)  -j 2 %.3f s (%.3f-%.3f)  speed-up %.2f (best runs %.2f)\n",
      om, oa, ob, tm, ta, tb, om / tm, oa / ta
    printf "  %.2f ms per scenery at -j 1, %.2f at -j 2\n", om * 1000 / n, tm * 1000 / n
    printf "  overhead of a source (%d empty sources %.3f s, one %.3f s): %.3f ms\n",
      n, mm, sm, (mm - sm) * 1000 / (n - 1)
  }'
}

if [ "${BENCH_BATCH:-2000}" != 0 ]; then
  echo
  echo "ferry-convert on a tree of sceneries, medians of $runs runs (fastest-slowest)"
  batch "${BENCH_BATCH:-2000}" "${BENCH_BATCH_KB:-50}"
fi

# ---- The user-space floor ----
# What any program must do on this machine: read the inputs once and push
# the document's bytes through user space once, as
# `cat SOURCE COMPANIONS > /dev/null` plus `dd if=OUTPUT of=COPY bs=1M` (a
# read and a write of every byte; cat's in-kernel copy is not used).

# Generates the scenery of SIZE megabytes in MIX once; prints its source path.
mix_scenery() {
  local size=$1 mix=$2
  [ "$mix" = default ] && { scenery "$size"; return; }
  local name=${mix}-${size}mb
  if [ ! -f "$data/$name.sca" ] || [ ! -f "$data/$name.size" ] || [ "$(cat "$data/$name.size")" != "$size" ]; then
    "$generate" --mix="$mix" "$data" "$name" "$size"
    echo "$size" > "$data/$name.size"
  fi
  echo "$data/$name.sca"
}

# Seconds between two `now` readings.
seconds() { echo "$1 $2" | awk '{ print ($2 - $1) / 1e9 }'; }

# Runs Ferry (and the FERRY_CONVERT_BEFORE binary, when given) and the
# user-space floor RUNS times each, interleaved, after one uncounted round;
# each from a flushed disk and without its output file. Prints "ferry
# (median min max) floor (median min max) rss_kib in_bytes out_bytes
# user_s sys_s before (median min max; 0 without one)".
measure_user_floor() {
  local source=$1 count=$2 out=$data/out
  local stem=${source%.sca} name
  name=$(basename "$stem")
  mkdir -p "$out"
  local companions=()
  for c in "${stem}_Exclude.SCA" "${stem}_AFD.SCA"; do [ -f "$c" ] && companions+=("$c"); done
  local ferry=() floor=() before=() user=() sys=() rss=0
  for ((i = -1; i < count; i++)); do
    local t0 t1 kib
    if [ -n "${FERRY_CONVERT_BEFORE:-}" ]; then
      rm -f "$out/$name.xml"
      sync
      t0=$(now)
      "$FERRY_CONVERT_BEFORE" -bea -o "$out" "$source"
      t1=$(now)
      [ "$i" -ge 0 ] && before+=("$(seconds "$t0" "$t1")")
    fi
    rm -f "$out/$name.xml" "$out/copy"
    sync
    t0=$(now)
    /usr/bin/time -f "%M %U %S" -o "$out/rss" "$convert" -bea -o "$out" "$source"
    t1=$(now)
    read -r kib u s < "$out/rss"
    [ "$kib" -gt "$rss" ] && rss=$kib
    [ "$i" -ge 0 ] && { ferry+=("$(seconds "$t0" "$t1")"); user+=("$u"); sys+=("$s"); }
    sync
    t0=$(now)
    cat "$source" "${companions[@]}" > /dev/null
    dd if="$out/$name.xml" of="$out/copy" bs=1M status=none
    t1=$(now)
    [ "$i" -ge 0 ] && floor+=("$(seconds "$t0" "$t1")")
  done
  local in_bytes out_bytes before_stats="0 0 0"
  in_bytes=$(cat "$source" "${companions[@]}" | wc -c)
  out_bytes=$(stat -c %s "$out/$name.xml")
  rm -f "$out/$name.xml" "$out/copy" "$out/rss"
  [ "${#before[@]}" -gt 0 ] && before_stats=$(printf '%s\n' "${before[@]}" | stats)
  echo "$(printf '%s\n' "${ferry[@]}" | stats) $(printf '%s\n' "${floor[@]}" | stats) $rss $in_bytes $out_bytes" \
    "$(printf '%s\n' "${user[@]}" | stats | cut -d' ' -f1) $(printf '%s\n' "${sys[@]}" | stats | cut -d' ' -f1) $before_stats"
}

report_user_floor() {
  local label=$1
  shift
  awk -v l="$label" -v fm="$1" -v fa="$2" -v fb="$3" -v cm="$4" -v ca="$5" -v cb="$6" \
    -v r="$7" -v i="$8" -v o="$9" -v u="${10}" -v s="${11}" -v bm="${12}" -v ba="${13}" -v bb="${14}" 'BEGIN {
    printf "%s: %.1f MB in (with companions), %.1f MB out\n", l, i / 1e6, o / 1e6
    printf "  ferry %.3f s (%.3f-%.3f; user %.2f s, system %.2f s)  floor %.3f s (%.3f-%.3f)\n",
      fm, fa, fb, u, s, cm, ca, cb
    printf "  ratio to the floor %.2f (best runs %.2f)  %.2f ms per input MB  peak RSS %.2f MiB\n",
      fm / cm, fa / ca, fm * 1000 / (i / 1e6), r / 1024
    if (bm > 0)
      printf "  before: %.3f s (%.3f-%.3f), ratio %.2f (best runs %.2f)\n", bm, ba, bb, bm / cm, ba / ca
  }'
}

if [ "${BENCH_USER_FLOOR:-1}" != 0 ]; then
  echo
  echo "ferry-convert -bea against the user-space floor"
  echo "(cat SOURCE COMPANIONS > /dev/null; dd if=OUTPUT of=COPY bs=1M):"
  echo "medians of $runs runs (fastest-slowest) after one uncounted round; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
  [ -n "${FERRY_CONVERT_BEFORE:-}" ] && echo "before: $FERRY_CONVERT_BEFORE, in the same rounds"
  read -r -a u_small <<< "$(measure_user_floor "$(mix_scenery "$tenth" default)" "$runs")"
  report_user_floor "default mix, 1/10 size" "${u_small[@]}"
  for mix in ${BENCH_MIXES:-default buildings long-lines}; do
    read -r -a u_full <<< "$(measure_user_floor "$(mix_scenery "$mb" "$mix")" "$runs")"
    report_user_floor "$mix mix" "${u_full[@]}"
    if [ "$mix" = default ]; then
      awk -v a="${u_small[0]}" -v ai="${u_small[7]}" -v b="${u_full[0]}" -v bi="${u_full[7]}" 'BEGIN {
        printf "  linearity: %.2f ms per input MB at 1/10, %.2f at full size (quotient %.2f)\n",
          a * 1000 / (ai / 1e6), b * 1000 / (bi / 1e6), (b / bi) / (a / ai)
      }'
    fi
  done
  echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
fi

if [ "${BENCH_MICRO:-1}" != 0 ] && [ -x "$build/bench/ferry_microbench" ]; then
  echo
  "$build/bench/ferry_microbench" --benchmark_min_time=0.2
fi
