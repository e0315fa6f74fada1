#!/usr/bin/env bash
# Runs every libFuzzer target of build/fuzz for an equal share of a time
# budget, starting from its seed corpus in fuzz/corpus. With a budget of 0 it
# only replays the seeds once (a smoke test). Inputs that break a target are
# kept in build/fuzz/findings; the script then fails.
set -uo pipefail
cd "$(dirname "$0")/.."
budget=${1:-180}
targets=(fields line_reader line_view conversion_run)
share=$(( budget / ${#targets[@]} ))
[ "$budget" -gt 0 ] && [ "$share" -lt 1 ] && share=1
findings=build/fuzz/findings
mkdir -p "$findings"
status=0
for t in "${targets[@]}"; do
  bin=build/fuzz/fuzz/${t}_fuzzer
  seeds=fuzz/corpus/$t
  args=(-artifact_prefix="$findings/$t-" -timeout=20 -rss_limit_mb=2560 -print_final_stats=1)
  [ -f "fuzz/$t.dict" ] && args+=(-dict="fuzz/$t.dict")
  log=build/fuzz/$t.log
  if [ "$budget" -eq 0 ]; then
    "$bin" "${args[@]}" -runs=0 "$seeds" >"$log" 2>&1
  else
    # New finds go to a working corpus outside the tree; the seeds stay as written.
    work=build/fuzz/corpus/$t
    mkdir -p "$work"
    "$bin" "${args[@]}" -max_total_time="$share" "$work" "$seeds" >"$log" 2>&1
  fi
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ "$rc" -ne 0 ]; then
    echo "fuzz: $t FAILED after ${runs:-?} runs; see $log and $findings" >&2
    grep -E 'ERROR|invariant broken|SUMMARY' "$log" | head -5 >&2
    status=1
  else
    if [ "$budget" -eq 0 ]; then echo "fuzz: $t clean over its seeds, ${runs:-?} runs"; else echo "fuzz: $t clean, ${runs:-?} runs in ${share}s"; fi
  fi
done
exit $status
