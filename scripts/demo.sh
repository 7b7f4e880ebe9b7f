# ./zqt demo: replays a real contest log through the reference host and the real DLL in a visible window
# (its own Xvfb display when there is none), prints the module's report and saves a screenshot of the window.
# ./zqt demo --multi-op: two positions share one PostgreSQL log (a cluster of the demo's own), each replaying
# half of the log in its own window; each then recalculates from the shared log, and both windows are saved in
# one screenshot. Sourced by zqt after setup.

multi_op=""
if [ "${1:-}" = --multi-op ]; then
  multi_op=1
  shift
fi
demo_log=${1:-data/logs/cqww-rtty-2024-7n2uqc.log}
out=out/demo
mkdir -p "$out"
rm -f "$out/log.db" "$out/window.bmp" "$out/multi-op.png"

# shellcheck source=scripts/wine-session.sh
. "$root/scripts/wine-session.sh"
arch=$(zqt_windows_preset)
cmake --preset "$arch" >/dev/null
cmake --build --preset "$arch" -j "$jobs" --target zqthost ZQTRTTYContest >/dev/null

[ -n "${DISPLAY:-}" ] && export ZQT_KEEP_DISPLAY=1
trap wine_session_stop EXIT
wine_session_start
host=build/$arch/host/zqthost.exe
dll=build/$arch/win32/ZQTRTTYContest.dll
loader=$(zqt_wine_loader "$arch")

if [ -n "$multi_op" ]; then
  # shellcheck source=scripts/postgres-session.sh
  . "$root/scripts/postgres-session.sh"
  trap 'wine_session_stop; pg_session_stop' EXIT
  pg_session_start
  connect="Driver=PostgreSQL ANSI;Server=$ZQT_PG_SERVER;Port=$ZQT_PG_PORT;Database=$ZQT_PG_DATABASE;Uid=$ZQT_PG_USER;"
  total=$(grep -c '^QSO:' "$demo_log")
  half=$(((total + 1) / 2))
  log_path="Z:$(realpath "$demo_log" | tr / '\\')"
  # The first position creates the shared table before the second one starts.
  : >"$out/empty.txt"
  "$loader" "$host" --dll "$dll" --connect "$connect" --fresh --script "$out/empty.txt" >/dev/null
  position() {
    local n=$1 first=$2 last=$3 left=$4
    printf '%s\n' run "move $left 80 $((left + 470)) 218" "replay $first $last $log_path" "wait-rows $total" \
      recalc report "pump 6000" >"$out/position$n.txt"
    "$loader" "$host" --dll "$dll" --connect "$connect" --caption-prefix "Position $n" --watch-boxes \
      --script "$out/position$n.txt" >"$out/position$n.out" 2>&1
  }
  echo "== two positions replaying halves of $demo_log into one PostgreSQL log ($total QSOs)"
  position 1 1 "$half" 40 &
  first_pid=$!
  position 2 $((half + 1)) "$total" 530 &
  second_pid=$!
  # Up to ten minutes: an emulated product takes minutes where a native one takes seconds.
  for _ in $(seq 6000); do
    grep -q '^end report' "$out/position1.out" 2>/dev/null && grep -q '^end report' "$out/position2.out" 2>/dev/null &&
      break
    sleep 0.1
  done
  sleep 1
  import -window root -crop 980x170+30+60 +repage "$out/multi-op.png"
  wait "$first_pid" "$second_pid"
  for n in 1 2; do
    echo "== position $n"
    sed -n '/^report:/,/^end report/p' "$out/position$n.out"
  done
  echo "== screenshot: $out/multi-op.png"
  zqt_tell_windows_build "$arch"
  return 0
fi

# Open the window fully on screen and wide enough for the whole report, as an operator would leave it: the
# design place (left 1052, 268 wide) runs past the right edge of a 1280-pixel display.
"$WINE64" reg add 'HKCU\Software\zqthost\TfmMainForm' /v NormPos /d "760,120,1230,258" /f >/dev/null 2>&1

echo "== replaying $demo_log through $host and build/$arch/win32/ZQTRTTYContest.dll"
"$loader" "$host" --dll "build/$arch/win32/ZQTRTTYContest.dll" --db "$root/$out/log.db" --fresh \
  --log "$demo_log" --report --screenshot "$out/window.bmp" --watch-boxes
convert "$out/window.bmp" "$out/window.png"
echo "== screenshot: $out/window.png"
zqt_tell_windows_build "$arch"
