#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzzer over a scratch copy of its committed seed corpus, one per core
# at a time: each log reader for a bounded time (default 20 s), each of the module's targets for a million
# executions however long that takes on this machine. One overall guard against a hang stops what still runs
# (ZQT_FUZZ_GUARD, default 3 hours for the whole step), and reaching it fails the step as the guard's doing.
# Prints one line per fuzzer, such as "fuzz tally: 1000000 runs in 58 s (17241/s), no crash", and exits
# non-zero when any fuzzer crashed or was stopped by the guard. Crash inputs are kept in build/fuzz/artifacts/.
# The regression cases are not seeds here (their megabyte value would slow every mutation of it): CTest replays
# them in every native build.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-20}
runs=${ZQT_FUZZ_RUNS:-1000000}
guard=${ZQT_FUZZ_GUARD:-10800}
readers=(adif cabrillo cty)
module=(tally rebuild placement)
cd "$root"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
targets=()
for name in "${readers[@]}" "${module[@]}"; do targets+=("zqt_fuzz_$name"); done
if ! { cmake --preset fuzz && cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]}"; } \
  >"$work/build.log" 2>&1; then
  tail -n 60 "$work/build.log"
  echo "fuzz build: failed"
  exit 1
fi
mkdir -p build/fuzz/artifacts
deadline=$((SECONDS + guard))

# fuzz NAME timed|counted LIBFUZZER_OPTIONS...: one fuzzer's run; writes its line to $work/NAME.line and, when
# it crashed or was stopped short, $work/NAME.failed. A counted run must reach $runs executions.
fuzz() {
  local name=$1 kind=$2
  shift 2
  local log="$work/$name.log" rc=0 line
  mkdir -p "$work/$name"
  build/fuzz/fuzz/zqt_fuzz_$name "$@" -print_final_stats=1 -rss_limit_mb=2048 -timeout=10 \
    -dict="fuzz/$name.dict" -artifact_prefix="build/fuzz/artifacts/$name-" "$work/$name" "fuzz/corpus/$name" \
    >"$log" 2>&1 || rc=$?
  local done_runs seconds_taken rate
  done_runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
  seconds_taken=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\2/p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)
  if [ "$rc" -ne 0 ] || [ -z "$done_runs" ]; then
    tail -n 40 "$log" >"$work/$name.failed"
    local reached
    reached=$(grep -o '^#[0-9]*' "$log" | tail -n 1 | tr -d '#' || true)
    line="fuzz $name: failed after ${reached:-0} runs (a crash keeps its input in build/fuzz/artifacts)"
  elif [ "$kind" = timed ]; then
    line="fuzz $name: ${seconds_taken} s, $done_runs runs (${rate}/s), no crash"
  elif [ "$done_runs" -lt "$runs" ]; then
    : >"$work/$name.failed"
    line="fuzz $name: stopped by the step's overall guard of $guard s after $done_runs of $runs runs"
  else
    line="fuzz $name: $done_runs runs in ${seconds_taken} s (${rate}/s), no crash"
  fi
  echo "$line" >"$work/$name.line"
}

# One fuzzer per core at a time, the longest first, each counted one with what is left of the guard. Without
# allocation stacks in ASan's reports the module's targets, which allocate on every record, row and registry
# call, run a tenth faster; a crash's input replays with them through the replay tests.
slots=$(nproc 2>/dev/null || echo 2)
for name in rebuild tally placement "${readers[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$slots" ]; do wait -n || true; done
  case " ${module[*]} " in
    *" $name "*)
      left=$((deadline - SECONDS > 1 ? deadline - SECONDS : 1))
      ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0} fuzz "$name" counted -runs="$runs" \
        -max_total_time="$left" & ;;
    *) fuzz "$name" timed -max_total_time="$seconds" & ;;
  esac
done
wait

failed=0
for name in "${readers[@]}" "${module[@]}"; do
  if [ -e "$work/$name.failed" ]; then
    cat "$work/$name.failed"
    failed=1
  fi
  cat "$work/$name.line" 2>/dev/null || { echo "fuzz $name: did not run"; failed=1; }
done
exit $failed
