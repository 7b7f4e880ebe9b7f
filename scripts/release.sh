# ./zqt package --verify and --sign: the release archive built again elsewhere and compared, and a signed copy of
# it. Sourced by zqt's package once the archive ($archive) is built, in the tree's root.
# shellcheck shell=bash disable=SC2154 # archive, jobs and root are zqt's

# The commit's time and name as the release tree took them, for a build of a copy and for a repack.
release_source_env() {
  mapfile -t source_env <build/release/release-source.txt
}

# Builds the release again from a copy of this tree's sources (HEAD with any uncommitted changes to tracked files,
# as git stash create records them) in a temporary folder, changing what the archive must not depend on: the
# folder, the clock the build sees (400 days on, through libfaketime), the time zone and the umask. Says
# "identical" when the two archives are the same byte for byte; otherwise names each file that differs and shows
# diffoscope's account of how, whose whole text stays in build/release/rebuild-differences.txt.
release_verify() (
  local work tree again report=build/release/rebuild-differences.txt label started=$SECONDS
  label="release rebuilt in another folder, the clock 400 days on"
  work=$(mktemp -d /tmp/zqt-verify.XXXXXX) || exit 1
  trap 'rm -rf "$work"' EXIT
  release_source_env
  mkdir "$work/src" "$work/built" "$work/again"
  if ! tree=$(git stash create) || ! git archive "${tree:-HEAD}" | tar -x -C "$work/src"; then
    echo "$label: FAILED, git could not give the sources to copy"
    exit 1
  fi
  echo "== $label: $work/src"
  if ! (cd "$work/src" && umask 077 && env "${source_env[@]}" TZ=UTC-14 faketime -f +400d bash -c \
    "cmake --preset release >/dev/null && cmake --build --preset release -j $jobs" >"$work/build.log" 2>&1); then
    tail -n 40 "$work/build.log"
    echo "$label: FAILED, the second build failed"
    exit 1
  fi
  again=$(cat "$work/src/build/release/release-archive.txt")
  rm -f "$report"
  if cmp -s "$archive" "$again"; then
    echo "both archives' SHA-256: $(sha256sum <"$archive" | cut -d' ' -f1)"
    echo "$label: identical ($(took "$started"))"
    exit 0
  fi
  unzip -q "$archive" -d "$work/built" && unzip -q "$again" -d "$work/again"
  diff -rq "$work/built" "$work/again" | sed -E "s|^Files $work/built/(.*) and .* differ$|differs: \1|; s|$work/||g"
  if command -v diffoscope >/dev/null; then
    diffoscope --text "$report" "$archive" "$again" >/dev/null 2>&1
    head -n 150 "$report"
    echo "(diffoscope's whole account: $report)"
  fi
  echo "$label: DIFFERENT ($(took "$started"))"
  exit 1
)

# Signs the archive's DLL and zqthost.exe with the certificate and key in the PKCS#12 file $1 through osslsigncode,
# with the password in ZQT_SIGN_PASSWORD (empty if unset) and a time stamp from the RFC 3161 server at URL $2 if
# one is given, and packs them with the archive's other files into <archive>-signed.zip. The unsigned archive
# stays as built. A failure leaves no signed archive at that path, not even an earlier one.
release_sign() (
  local certificate=$1 server=$2 signed=${archive%.zip}-signed.zip work name file
  local password=(-pass "") given="an empty password (ZQT_SIGN_PASSWORD is empty or unset)" timestamp=()
  rm -f "$signed"
  if [ ! -f "$certificate" ] || [ ! -r "$certificate" ]; then
    echo "zqt package: --sign $certificate: no such readable file; no signed archive written" >&2
    exit 1
  fi
  work=$(mktemp -d /tmp/zqt-sign.XXXXXX) || exit 1
  trap 'rm -rf "$work"' EXIT
  # Its one folder is named like it, as the unsigned archive's is.
  name=$(basename "$signed" .zip)
  unzip -q "$archive" -d "$work" && mv "$work/$(basename "$archive" .zip)" "$work/$name" || exit 1
  if [ -n "${ZQT_SIGN_PASSWORD:-}" ]; then
    # From a file in this run's private folder, not the command line, which every user of the machine can read.
    printf '%s' "$ZQT_SIGN_PASSWORD" >"$work/password"
    password=(-readpass "$work/password")
    given="the password in ZQT_SIGN_PASSWORD"
  fi
  [ -z "$server" ] || timestamp=(-ts "$server")
  for file in ZQTRTTYContest.dll zqthost.exe; do
    if ! osslsigncode sign -pkcs12 "$certificate" "${password[@]}" "${timestamp[@]}" -n "ZQT RTTY Contest" \
      -in "$work/$name/$file" -out "$work/$file" >"$work/log" 2>&1; then
      echo "zqt package: signing $file with $certificate and $given failed; no signed archive written." \
        "osslsigncode says:" >&2
      sed 's/^/  /' "$work/log" >&2
      exit 1
    fi
    mv "$work/$file" "$work/$name/$file"
  done
  release_source_env
  env "${source_env[@]}" python3 release/pack.py "$work/$name" "$signed" || exit 1
  echo "== ${signed#"$root"/}"
)
