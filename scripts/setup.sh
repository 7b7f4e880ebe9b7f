# ./zqt setup: installs the Debian packages the project needs that are missing, through a package mirror that may
# be half-synchronised. Sourced by zqt; setup_packages is the entry point.

# Runs a command as root: directly when we are root (a Debian installed with a root password has no sudo), else
# through sudo.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "zqt setup: installing packages needs root, and $(id -un) is not root and has no sudo: run ./zqt setup as root once" >&2
    return 1
  fi
}

# "URL  reason" of each index that apt-get update could not fetch, and the suites those indexes belong to.
zqt_failed_indexes=""
zqt_failed_suites=""

# Updates the package lists, three tries with a pause between them. An index that still fails is named in a
# warning and left out; apt then works with the indexes it has.
apt_update() {
  local attempt out=""
  for attempt in 1 2 3; do
    if out=$(as_root apt-get update -qq 2>&1) && ! grep -q '^[EW]: Failed to fetch' <<<"$out"; then
      zqt_failed_indexes=""
      zqt_failed_suites=""
      return 0
    fi
    [ "$attempt" -lt 3 ] && sleep $((attempt * 10))
  done
  zqt_failed_indexes=$(sed -n -E 's/^[EW]: Failed to fetch (.*)/\1/p' <<<"$out" | sed -E 's/ \[IP: [^]]*\]$//')
  # Only a suite with a missing package index is held back later: a source that could not be reached at all
  # (its Release file failed) gives apt no packages, and its suite's name may be a good source's too.
  zqt_failed_suites=$(sed -n -E 's|^[^ ]*/dists/([^/]+)/[^ ]*/Packages[^ ]* .*|\1|p' <<<"$zqt_failed_indexes" |
    sort -u | tr '\n' ' ')
  if [ -n "$zqt_failed_indexes" ]; then
    echo "zqt setup: warning: apt-get update could not fetch these indexes, going on without them:" >&2
    sed 's/^/  /' <<<"$zqt_failed_indexes" >&2
  else
    echo "zqt setup: warning: apt-get update failed, going on with the package lists this machine has:" >&2
    sed 's/^/  /' <<<"$out" | tail -n 5 >&2
  fi
}

apt_install() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"
}

# Names each package apt cannot install, with apt's reason, and returns 1.
report_uninstallable() {
  local p reason
  echo "zqt setup: these packages could not be installed:" >&2
  for p in "$@"; do
    reason=$(apt-get install -s -qq --no-install-recommends "$p" 2>&1 | grep -E '^ |^E:' | grep -v '^E: Unable to correct' |
      head -n 3)
    [ -n "$reason" ] && printf '  %s:\n%s\n' "$p" "$(sed 's/^ */    /' <<<"$reason")" >&2
  done
  if grep -q 'Mirror sync in progress' <<<"$zqt_failed_indexes"; then
    echo "zqt setup: the mirror was synchronising an index (above); run ./zqt setup again later" >&2
  fi
  return 1
}

# Installs the missing packages. When an index of a suite could not be fetched, the packages of that suite are
# unknown for one architecture, so an i386 library cannot follow its amd64 twin's newer build there; the install
# is then tried once more with those suites held back, taking the versions the complete indexes agree on.
install_missing() {
  echo "zqt setup: installing $*"
  apt_install "$@" && return 0
  if [ -n "$zqt_failed_suites" ]; then
    local prefs suite rc=0
    prefs=$(mktemp)
    for suite in $zqt_failed_suites; do
      printf 'Package: *\nPin: release n=%s\nPin-Priority: 100\n\n' "$suite" >>"$prefs"
    done
    echo "zqt setup: warning: trying again with $zqt_failed_suites held back, whose index is incomplete;" \
      "run ./zqt setup again once the mirror has it, to take that suite's updates" >&2
    apt_install -o Dir::Etc::Preferences="$prefs" "$@" || rc=$?
    rm -f "$prefs"
    [ "$rc" -eq 0 ] && return 0
  fi
  report_uninstallable "$@"
}

setup_packages() {
  # shellcheck source=scripts/packages.sh
  . "$root/scripts/packages.sh"
  # shellcheck source=scripts/i386.sh
  . "$root/scripts/i386.sh"
  local wanted=("${ZQT_PACKAGES[@]}") missing=() p
  # The i386 emulator, only on a kernel that cannot execute 32-bit code.
  zqt_i386_runs || wanted+=(qemu-user-static)
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      as_root dpkg --add-architecture i386 || return 1
    fi
    as_root true || return 1
    apt_update
    install_missing "${missing[@]}" || return 1
  fi
  setup_i386_emulation
  setup_japanese_locale
}

# The Japanese locale, under which Wine runs a program with the ANSI code page of a Japanese Windows (932), for
# the suite of hosts named in Japanese.
setup_japanese_locale() {
  locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8' && return 0
  echo "zqt setup: making the locale ja_JP.UTF-8"
  as_root localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}
