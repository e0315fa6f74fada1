#!/usr/bin/env bash
# The throughput benchmark: ferry-convert with every pass on, side by side
# with the copy floor on the same machine, on a generated scenery and on one
# a tenth of its size; then the microbenchmarks.
#
#   bench/run_bench.sh [BUILD_DIR]
#
# Environment: BENCH_MB (default 150), BENCH_RUNS (default 5), BENCH_LARGE=1
# adds one run at ten times BENCH_MB for peak memory, BENCH_MICRO=0 skips the
# microbenchmarks, FERRY_CONVERT names another ferry-convert to measure.
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

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

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
# "ferry_s floor_s rss_kib in_bytes out_bytes" with medians (RSS: maximum).
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
  echo "$(printf '%s\n' "${ferry[@]}" | median) $(printf '%s\n' "${floor[@]}" | median) $rss $in_bytes $out_bytes"
}

report() {
  local label=$1 ferry=$2 floor=$3 rss=$4 in_bytes=$5 out_bytes=$6
  awk -v l="$label" -v f="$ferry" -v c="$floor" -v r="$rss" -v i="$in_bytes" -v o="$out_bytes" 'BEGIN {
    printf "%-9s %8.1f MB in %8.1f MB out | ferry %7.3f s  floor %7.3f s  ratio %5.2f | in %7.1f MB/s  out %7.1f MB/s | %7.2f ms/MB in | peak RSS %6.2f MiB\n",
      l, i / 1e6, o / 1e6, f, c, f / c, i / 1e6 / f, o / 1e6 / f, f * 1000 / (i / 1e6), r / 1024
  }'
}

tenth=$(awk -v m="$mb" 'BEGIN { print m / 10 }')
echo "ferry-convert -bea, medians of $runs runs; floor = cat SOURCE > /dev/null + cat OUTPUT > COPY"
read -r f1 c1 r1 i1 o1 <<< "$(measure "$(scenery "$tenth")" "$runs")"
report "1/10" "$f1" "$c1" "$r1" "$i1" "$o1"
read -r f2 c2 r2 i2 o2 <<< "$(measure "$(scenery "$mb")" "$runs")"
report "default" "$f2" "$c2" "$r2" "$i2" "$o2"
awk -v a="$f1" -v ai="$i1" -v b="$f2" -v bi="$i2" 'BEGIN {
  printf "linearity: %.2f ms/MB at 1/10, %.2f ms/MB at full size (quotient %.2f)\n",
    a * 1000 / (ai / 1e6), b * 1000 / (bi / 1e6), (b / bi) / (a / ai)
}'
if [ "${BENCH_LARGE:-0}" = 1 ]; then
  large=$(awk -v m="$mb" 'BEGIN { print m * 10 }')
  read -r f3 c3 r3 i3 o3 <<< "$(measure "$(scenery "$large")" 1)"
  report "10x" "$f3" "$c3" "$r3" "$i3" "$o3"
fi

if [ "${BENCH_MICRO:-1}" != 0 ] && [ -x "$build/bench/ferry_microbench" ]; then
  echo
  "$build/bench/ferry_microbench" --benchmark_min_time=0.2
fi
