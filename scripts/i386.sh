# How this machine runs 32-bit x86 code, which the product (an i686 DLL in 32-bit Wine) needs: natively, through
# a user-mode emulator registered with binfmt_misc, or not at all. Sourced by wine-session.sh and setup.sh.

zqt_binfmt=/proc/sys/fs/binfmt_misc
zqt_i386_probe_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build

# Writes a static i386 Linux program to $1 that only exits with 42 (int 0x80): the ELF header, one loadable
# segment of the whole 96-byte file at 0x08048000, and the code at its end. It needs no compiler.
zqt_write_i386_probe() {
  local ident='\177ELF\1\1\1\0\0\0\0\0\0\0\0\0'
  local header='\2\0\3\0\1\0\0\0\124\200\4\010\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0'
  local segment='\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\140\0\0\0\140\0\0\0\5\0\0\0\0\020\0\0'
  local code='\270\1\0\0\0\273\52\0\0\0\315\200'
  printf "$ident$header$segment$code" >"$1" && chmod +x "$1"
}

# Succeeds when a 32-bit program runs here, natively or emulated. It is made in the build folder, since /tmp may
# be mounted noexec. A kernel without 32-bit execution refuses it at exec or kills it at its first system call;
# the shell's notice of that is kept quiet.
zqt_i386_runs() {
  local dir rc
  mkdir -p "$zqt_i386_probe_dir" && dir=$(mktemp -d "$zqt_i386_probe_dir/i386-probe.XXXXXX") || return 1
  zqt_write_i386_probe "$dir/probe"
  rc=$({ "$dir/probe" >/dev/null; echo $?; } 2>/dev/null)
  rm -rf "$dir"
  [ "$rc" = 42 ]
}

# Succeeds when an enabled binfmt_misc entry hands i386 ELF programs (magic: 32-bit little-endian ELF, machine 3)
# to an emulator.
zqt_i386_emulator_registered() {
  local entry
  for entry in "$zqt_binfmt"/*; do
    [ "$(head -n 1 "$entry" 2>/dev/null)" = enabled ] &&
      grep -qs '^magic 7f454c460101.*0300$' "$entry" && return 0
  done
  return 1
}

# Sets zqt_i386 once per shell: native, emulated, no-kernel (no 32-bit execution at all) or no-wine (32-bit code
# runs, 32-bit Wine does not).
zqt_probe_i386() {
  [ -n "${zqt_i386:-}" ] && return 0
  if ! zqt_i386_runs; then
    zqt_i386=no-kernel
  elif ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    zqt_i386=no-wine
  elif zqt_i386_emulator_registered; then
    zqt_i386=emulated
  else
    zqt_i386=native
  fi
}

# Why the i686 product does not run natively here, in words; nothing where it does.
zqt_i386_reason() {
  zqt_probe_i386
  case $zqt_i386 in
    emulated) echo "this machine runs 32-bit code only through the i386 emulator registered with binfmt_misc" ;;
    no-kernel) echo "this kernel does not execute 32-bit code, and no i386 emulator is registered with binfmt_misc" \
      "(./zqt setup registers qemu-i386 where it may)" ;;
    no-wine) echo "32-bit Wine is missing or broken: /usr/lib/wine/wine --version fails" \
      "(./zqt setup installs wine32:i386)" ;;
  esac
}

# The Windows build that demo and score run: the product (win32) wherever 32-bit Wine runs, natively or emulated,
# else the x86-64 build of the same sources. ZQT_WINDOWS_PRESET pins it (a test of the commands pins the build
# its suite runs, since an emulated product takes minutes).
zqt_windows_preset() {
  [ -n "${ZQT_WINDOWS_PRESET:-}" ] && echo "$ZQT_WINDOWS_PRESET" && return
  zqt_probe_i386
  case $zqt_i386 in native | emulated) echo win32 ;; *) echo win64 ;; esac
}

# The Windows build whose full suites and benchmarks run: the product where 32-bit code runs natively; the
# x86-64 build elsewhere, since an emulated run would take hours and time the emulator.
zqt_suites_preset() {
  zqt_probe_i386
  if [ "$zqt_i386" = native ]; then echo win32; else echo win64; fi
}

# One line on stderr when a command runs the product emulated, or the x86-64 build in its place.
zqt_tell_windows_build() {
  zqt_probe_i386
  case $1 in
    win32) [ "$zqt_i386" = emulated ] && echo "zqt: the i686 product ran emulated (i386 through binfmt_misc)" >&2 ;;
    win64) echo "zqt: the x86-64 build of the same sources ran, not the i686 product: $(zqt_i386_reason)" >&2 ;;
  esac
  return 0
}

# On a kernel that cannot execute 32-bit code, registers qemu-user-static's qemu-i386 with binfmt_misc (mounted
# first where it is absent) with the fix-binary flag: the kernel opens the emulator at registration, so it serves
# every mount namespace and chroot. Never where 32-bit code runs already: every 32-bit program would then go
# through the emulator. A registration lasts until the next boot, and every command that sets up checks it
# again. What cannot be arranged is a warning; ./zqt test then fails and says why.
setup_i386_emulation() {
  zqt_i386_runs && return 0
  local emulator=/usr/bin/qemu-i386-static
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  local problem=""
  if [ ! -x "$emulator" ]; then
    problem="$emulator is missing (package qemu-user-static)"
  elif [ ! -e "$zqt_binfmt/register" ] && ! as_root mount -t binfmt_misc binfmt_misc "$zqt_binfmt" 2>/dev/null; then
    problem="binfmt_misc is not mounted at $zqt_binfmt and cannot be mounted here"
  else
    # An entry of that name that does not run the probe (its emulator gone, say) is replaced.
    [ -e "$zqt_binfmt/qemu-i386" ] && echo -1 | as_root tee "$zqt_binfmt/qemu-i386" >/dev/null 2>&1
    if ! echo ":qemu-i386:M::$magic:$mask:$emulator:F" | as_root tee "$zqt_binfmt/register" >/dev/null 2>&1; then
      problem="binfmt_misc refused the registration of $emulator"
    elif ! zqt_i386_runs; then
      problem="a 32-bit program still does not run with $emulator registered"
    fi
  fi
  unset zqt_i386
  if [ -n "$problem" ]; then
    echo "zqt setup: warning: this kernel does not execute 32-bit code, and i386 emulation could not be arranged:" \
      "$problem; the x86-64 build of the same sources stands in for the product" >&2
  else
    echo "zqt setup: this kernel does not execute 32-bit code: registered $emulator with binfmt_misc for the product"
  fi
}
