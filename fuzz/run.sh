#!/usr/bin/env bash
# Builds the fuzz preset and runs each fuzzer for a bounded time (default 20 s) over a scratch copy of its
# committed seed corpus. Crash inputs are kept in build/fuzz/artifacts/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-20}
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target zqt_fuzz_adif zqt_fuzz_cabrillo zqt_fuzz_cty
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p build/fuzz/artifacts
for reader in adif cabrillo cty; do
  echo "== fuzzing $reader for ${seconds}s"
  mkdir -p "$work/$reader"
  build/fuzz/fuzz/zqt_fuzz_$reader -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -dict="fuzz/$reader.dict" -artifact_prefix=build/fuzz/artifacts/ "$work/$reader" "fuzz/corpus/$reader"
done
