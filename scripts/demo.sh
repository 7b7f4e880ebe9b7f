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
rm -f "$out/log.db" "$out/window.bmp" "$out/multi-op.png" "$out"/position*.bmp

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
  # Each position logs its half of the Cabrillo log: the header, then its QSO: lines.
  for n in 1 2; do
    awk -v first=$(((n - 1) * half + 1)) -v last=$((n * half)) '/^QSO:/ && (++q < first || q > last) { next } 1' \
      "$demo_log" >"$out/half$n.log"
  done
  # Position N's window opens where NormPos puts it, read as _Run shows it ("run:"), before the next position
  # starts; the first position creates the shared table. Once the table holds the whole log, each clicks
  # "Recalc Statistic", prints its report and saves its window.
  position() {
    local n=$1 left=$2
    shift 2
    "$WINE64" reg add 'HKCU\Software\zqthost\TfmMainForm' /v NormPos /d "$left,80,$((left + 470)),218" /f \
      >/dev/null 2>&1
    "$loader" "$host" --dll "$dll" --connect "$connect" --caption-prefix "Position $n" --watch-boxes "$@" \
      --log "$out/half$n.log" --recalc-at-rows "$total" --report --screenshot "$out/position$n.bmp" \
      >"$out/position$n.out" 2>&1 &
    # Up to ten minutes: an emulated product takes minutes to start where a native one takes a second.
    for _ in $(seq 6000); do
      grep -q '^run: ' "$out/position$n.out" && break
      sleep 0.1
    done
  }
  echo "== two positions replaying halves of $demo_log into one PostgreSQL log ($total QSOs)"
  position 1 40 --fresh
  first_pid=$!
  position 2 530
  second_pid=$!
  wait "$first_pid" "$second_pid"
  convert "$out/position1.bmp" -size 20x1 xc:black "$out/position2.bmp" -background black +append \
    "$out/multi-op.png"
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
