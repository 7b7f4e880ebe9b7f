# The part of ./zqt bench that runs under Wine: zqtbench.exe times the real DLL through its exports, on a
# fresh SQLite log, then on every further ODBC connection string given in ZQT_BENCH_CONNECT (separated by
# newlines; PostgreSQL, for instance). Where the product runs, its x86-64 twin then times the 100k-row rebuild
# under 64-bit Wine on the same databases; the run ends with every 100k-row rebuild-to-bare-fetch ratio.
# `bash scripts/bench.sh` runs it on its own.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=scripts/wine-session.sh
. "$here/scripts/wine-session.sh"

# The shipped i686 DLL under 32-bit Wine where the kernel executes 32-bit code, else the x86-64 build: an
# emulated product would time the emulator.
preset=$(zqt_suites_preset)
presets=("$preset")
[ "$preset" = win32 ] && presets+=(win64)
for p in "${presets[@]}"; do
  zqt_build_host_and_dll "$here" "zqt bench" "$p" zqtbench
done

bench_db=$(mktemp /tmp/zqt-bench.XXXXXX)
output=$(mktemp)
trap 'wine_session_stop; rm -f "$bench_db" "$output"' EXIT
wine_session_start

ratios=()
# Runs zqtbench of preset $1 on one database and keeps its 100k-row rebuild line under the label $2; further
# arguments go to zqtbench.
run() {
  local p=$1 label=$2
  shift 2
  "$(zqt_wine_loader "$p")" "$here/build/$p/bench/host/zqtbench.exe" \
    --dll "Z:${here//\//\\}\\build\\$p\\win32\\ZQTRTTYContest.dll" --watch-boxes "$@" | tee "$output"
  ratios+=("$(awk -v label="$label" '$1 == "100000" && $4 == "|" {
    printf "  %-44s %9s ms %9s ms %6s", label, $5, $7, $11 }' "$output")")
}
# Every database in turn: a fresh SQLite file, then each connection string; $1 is the build's label and the
# rest goes to zqtbench.
run_databases() {
  local p=$1 build=$2 connection driver
  shift 2
  echo "== SQLite (the SQLite3 ODBC driver), a fresh database file"
  : >"$bench_db"
  run "$p" "$build, SQLite" --db "$bench_db" "$@"
  while IFS= read -r connection; do
    [ -n "$connection" ] || continue
    echo "== $connection"
    driver=${connection%%;*}
    run "$p" "$build, ${driver#*=}" --connect "$connection" "$@"
  done <<<"${ZQT_BENCH_CONNECT:-}"
}

if [ "$preset" = win32 ]; then
  echo "== the product: i686 DLL and host under 32-bit Wine"
  run_databases win32 "i686 product, 32-bit Wine"
  echo
  echo "== its x86-64 twin under 64-bit Wine: the rebuild of 100k rows"
  run_databases win64 "x86-64, 64-bit Wine" --rebuild 100000
else
  echo "== the x86-64 build of the same sources under 64-bit Wine: $(zqt_i386_reason)"
  run_databases win64 "x86-64, 64-bit Wine"
fi

echo
echo "== Rebuild of 100,000 rows beside a bare bound block fetch of them (medians; the aim is at most 1.25)"
printf '  %-44s %12s %12s %6s\n' "build, database" rebuild "block fetch" ratio
printf '%s\n' "${ratios[@]}"
