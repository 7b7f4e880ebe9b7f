# ./zqt demo: replays a real contest log through the reference host and the real DLL in a visible window
# (its own Xvfb display when there is none), prints the module's report and saves a screenshot of the window.
# Sourced by zqt after setup.

demo_log=${1:-data/logs/cqww-rtty-2024-7n2uqc.log}
out=out/demo
mkdir -p "$out"
rm -f "$out/log.db" "$out/window.bmp"

# shellcheck source=scripts/wine-session.sh
. "$root/scripts/wine-session.sh"
arch=$(zqt_windows_preset)
cmake --preset "$arch" >/dev/null
cmake --build --preset "$arch" -j "$jobs" --target zqthost ZQTRTTYContest >/dev/null

[ -n "${DISPLAY:-}" ] && export ZQT_KEEP_DISPLAY=1
trap wine_session_stop EXIT
wine_session_start

# Open the window fully on screen and wide enough for the whole report, as an operator would leave it: the
# design place (left 1052, 268 wide) runs past the right edge of a 1280-pixel display.
"$WINE64" reg add 'HKCU\Software\zqthost\TfmMainForm' /v NormPos /d "760,120,1230,258" /f >/dev/null 2>&1

host=build/$arch/host/zqthost.exe
loader=$(zqt_wine_loader "$arch")
echo "== replaying $demo_log through $host and build/$arch/win32/ZQTRTTYContest.dll"
"$loader" "$host" --dll "build/$arch/win32/ZQTRTTYContest.dll" --db "$root/$out/log.db" --fresh \
  --log "$demo_log" --report --screenshot "$out/window.bmp" --watch-boxes
convert "$out/window.bmp" "$out/window.png"
echo "== screenshot: $out/window.png"
