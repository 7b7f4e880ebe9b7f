# The part of ./zqt bench that runs under Wine: zqtbench.exe times the real DLL through its exports, on a
# fresh SQLite log, then on every further ODBC connection string given in ZQT_BENCH_CONNECT (separated by
# newlines; PostgreSQL, for instance). `bash scripts/bench.sh` runs it on its own.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=scripts/wine-session.sh
. "$here/scripts/wine-session.sh"

# The shipped i686 DLL under 32-bit Wine where the kernel executes 32-bit code, else the x86-64 build: an
# emulated product would time the emulator.
preset=$(zqt_suites_preset)
zqt_build_host_and_dll "$here" "zqt bench" "$preset" zqtbench
if [ "$preset" = win32 ]; then
  echo "== the product: i686 DLL and host under 32-bit Wine"
else
  echo "== the x86-64 build of the same sources under 64-bit Wine: $(zqt_i386_reason)"
fi

bench_db=$(mktemp /tmp/zqt-bench.XXXXXX)
trap 'wine_session_stop; rm -f "$bench_db"' EXIT
wine_session_start
host=("$(zqt_wine_loader "$preset")" "$here/build/$preset/bench/host/zqtbench.exe"
  --dll "Z:${here//\//\\}\\build\\$preset\\win32\\ZQTRTTYContest.dll" --watch-boxes)
echo "== SQLite (the SQLite3 ODBC driver), a fresh database file"
"${host[@]}" --db "$bench_db"
while IFS= read -r connection; do
  [ -n "$connection" ] || continue
  echo "== $connection"
  "${host[@]}" --connect "$connection"
done <<<"${ZQT_BENCH_CONNECT:-}"
