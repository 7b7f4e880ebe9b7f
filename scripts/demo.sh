# ./zqt demo: replays a real contest log through the reference host and the real DLL in a visible window
# (its own Xvfb display when there is none), prints the module's report and saves a screenshot of the window.
# ./zqt demo --multi-op: two positions share one PostgreSQL log (a cluster of the demo's own), each replaying
# half of the log in its own window; each then recalculates from the shared log, and both windows are saved in
# one screenshot. ./zqt demo --scales: the same replay on a display of 96 and of 144 dots per inch (150%), the two
# windows saved side by side. ./zqt demo --error-box: the window opened on a log table that lacks a column, saved
# with the module's error box over it. Sourced by zqt after setup.

mode=""
case "${1:-}" in
  --multi-op | --scales | --error-box)
    mode=${1#--}
    shift
    ;;
esac
demo_log=${1:-data/logs/cqww-rtty-2024-7n2uqc.log}
out=out/demo
mkdir -p "$out"
rm -f "$out/log.db" "$out"/*.bmp "$out"/*.png

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

if [ "$mode" = multi-op ]; then
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

# The caption buttons are drawn with Marlett: without it in the prefix the picture would show letters there.
zqt_demo_check_marlett() {
  "$WINE64" reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v "Marlett (TrueType)" \
    >/dev/null 2>&1 && [ -s "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ] && return 0
  echo "zqt demo: the Wine prefix lists no Marlett font; the picture's caption buttons would show letters" >&2
  return 1
}
zqt_demo_check_marlett || return 1

if [ "$mode" = error-box ]; then
  # A log table without QSOReportRecived, empty: the window opens and counts nothing. Once a row is in it, the
  # host clicks "Recalc Statistic", and the recount stops at that row with the module's error box, centred on
  # the screen below the window. The two are cut out of the screen with the box still open; then the host is
  # stopped.
  sqlite3 "$out/log.db" "create table Log (CallSign, DigiBand, QSOMode, Continent, MainPrefix, DXCCPrefix)"
  "$WINE64" reg add 'HKCU\Software\zqthost\TfmMainForm' /v NormPos /d "725,330,1195,468" /f >/dev/null 2>&1
  "$loader" "$host" --dll "$dll" --db "$root/$out/log.db" --recalc-at-rows 1 >"$out/error-box.out" 2>&1 &
  host_pid=$!
  # Left, top, right and bottom of the window named $1 on the screen.
  edges() {
    xwininfo -name "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
      /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, x + w, y + h }'
  }
  window="zqthost in ZQT RTTY Contest"
  # Shown, and its first count done, once _Run has returned.
  for _ in $(seq 6000); do
    grep -q '^run: ' "$out/error-box.out" && break
    sleep 0.1
  done
  sqlite3 "$out/log.db" "insert into Log values ('JA1ABC', '20m', 'RTTY', 'AS', 'JA1', 'JA')"
  # The box, named as the host; up to ten minutes, as an emulated product is slow.
  for _ in $(seq 6000); do
    xwininfo -name zqthost >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  read -r bl bt br bb < <(edges zqthost)
  read -r wl wt wr wb < <(edges "$window")
  left=$((bl < wl ? bl : wl)) top=$((bt < wt ? bt : wt))
  right=$((br > wr ? br : wr)) bottom=$((bb > wb ? bb : wb))
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$out/error-box.png"
  kill "$host_pid" 2>/dev/null || true
  wait "$host_pid" 2>/dev/null || true
  echo "== screenshot: $out/error-box.png"
  zqt_tell_windows_build "$arch"
  return 0
fi

# Replays the log into a fresh log database on a display of $1 dots per inch, the window opened at $2 (NormPos at
# 96 dpi, scaled to $1), and saves the window in $3. The scale is set in the session's prefix before any window
# opens there (Wine's desktop keeps the scale it started with); the stored PixelsPerInch matches it, so the window
# opens where NormPos puts it.
replay() {
  local dpi=$1 shot=$3 place
  place=$(echo "$2" | awk -F, -v dpi="$dpi" '{ for (i = 1; i <= NF; i++) $i = int($i * dpi / 96 + 0.5) } 1' OFS=,)
  "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  "$WINE64" reg add 'HKCU\Software\zqthost\TfmMainForm' /v NormPos /d "$place" /f >/dev/null 2>&1
  "$WINE64" reg add 'HKCU\Software\zqthost\TfmMainForm' /v PixelsPerInch /d "$dpi" /f >/dev/null 2>&1
  "$loader" "$host" --dll "$dll" --db "$root/$out/log.db" --fresh --log "$demo_log" --report --screenshot "$shot" \
    --watch-boxes
}

echo "== replaying $demo_log through $host and $dll"
# Fully on screen and wide enough for the whole report, as an operator would leave it: at the design size (268
# wide) the report's last columns are cut off.
if [ "$mode" = scales ]; then
  echo "== at 96 dots per inch"
  replay 96 "40,120,510,258" "$out/window-96.bmp"
  wine_session_stop
  wine_session_start
  zqt_demo_check_marlett || return 1
  echo "== at 144 dots per inch"
  replay 144 "373,80,843,218" "$out/window-144.bmp"
  convert "$out/window-96.bmp" -size 20x1 xc:black "$out/window-144.bmp" -background black -gravity north \
    +append "$out/window-scales.png"
  echo "== screenshot: $out/window-scales.png"
else
  replay 96 "760,120,1230,258" "$out/window.bmp"
  convert "$out/window.bmp" "$out/window.png"
  echo "== screenshot: $out/window.png"
fi
zqt_tell_windows_build "$arch"
