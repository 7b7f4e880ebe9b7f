# ./zqt score LOGFILE [options]: replays an ADIF or Cabrillo log through the reference host and the real DLL,
# headless under Xvfb unless ZQT_KEEP_DISPLAY is set and a display exists, and prints what the host prints:
# the log's problems, the dupes, and the module's report. Sourced by zqt after setup, with the arguments;
# `bash scripts/score.sh LOGFILE ...` runs it on its own.

score_usage() {
  cat <<'TXT'
usage: ./zqt score LOGFILE [--cty FILE] [--band BAND] [--verbose-mults]

Scores an ADIF (.adi) or Cabrillo log with the real ZQTRTTYContest.dll: the reference host reads the log,
takes each worked call's DXCC prefix, continent and call area from the country file, logs the QSOs one by one
into a fresh SQLite log and offers each to the module, then prints the module window's report.

  LOGFILE           the contest log
  --cty FILE        the country file in cty.dat format (default: /usr/share/hamradio-files/cty.dat)
  --band BAND       score only the QSOs on one band, as for a single-band entry (e.g. 15m)
  --verbose-mults   print each counted QSO with its multipliers ("mult: ...") and every multiplier the
                    module's report then counts anew ("new: DX JA", "new: JA JA1", "new: Cont AS", ...)

Output: "problem: line N: ..." for what the log reader could not take, "read: N QSOs, N problems",
"dupe: <call> <band> <mode>" for each QSO the module answers as a duplicate, then the report between
"report:" and "end report". The host's exit code is the command's.
TXT
}

# Wine maps the drive Z: to the Unix root; the host is a Windows program and gets Windows paths.
score_windows_path() {
  local unix_path
  unix_path=$(realpath "$1")
  printf 'Z:%s' "${unix_path//\//\\}"
}

zqt_score() {
  local here log="" cty=/usr/share/hamradio-files/cty.dat
  local host_args=()
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  while [ $# -gt 0 ]; do
    case $1 in
      -h | --help)
        score_usage
        return 0
        ;;
      --cty | --band)
        if [ $# -lt 2 ]; then
          echo "zqt score: $1 needs a value" >&2
          return 2
        fi
        if [ "$1" = --cty ]; then cty=$2; else host_args+=(--band "$2"); fi
        shift 2
        ;;
      --verbose-mults)
        host_args+=(--verbose-mults)
        shift
        ;;
      -*)
        echo "zqt score: unknown option $1 (see ./zqt score --help)" >&2
        return 2
        ;;
      *)
        if [ -n "$log" ]; then
          echo "zqt score: one log file at a time: $1" >&2
          return 2
        fi
        log=$1
        shift
        ;;
    esac
  done
  if [ -z "$log" ]; then
    score_usage >&2
    return 2
  fi
  local file
  for file in "$log" "$cty"; do
    if [ ! -f "$file" ] || [ ! -r "$file" ]; then
      echo "zqt score: cannot read $file" >&2
      return 1
    fi
  done
  log=$(score_windows_path "$log")
  cty=$(score_windows_path "$cty")

  # shellcheck source=scripts/wine-session.sh
  . "$here/scripts/wine-session.sh"
  # The shipped i686 DLL wherever 32-bit code runs, natively or emulated, else the x86-64 build of the same sources.
  local preset
  preset=$(zqt_windows_preset)
  zqt_build_host_and_dll "$here" "zqt score" "$preset" || return 1

  # The SQLite ODBC driver under Wine is the Linux one: it takes the database as a Unix path.
  score_db=$(mktemp /tmp/zqt-score.XXXXXX)
  trap 'wine_session_stop; rm -f "$score_db"' EXIT
  wine_session_start
  local rc=0
  "$(zqt_wine_loader "$preset")" "$here/build/$preset/host/zqthost.exe" \
    --dll "$(score_windows_path "$here/build/$preset/win32/ZQTRTTYContest.dll")" --db "$score_db" --fresh \
    --watch-boxes --log "$log" --cty "$cty" --report "${host_args[@]}" || rc=$?
  zqt_tell_windows_build "$preset"
  return $rc
}

zqt_score "$@"
