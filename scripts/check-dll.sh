#!/bin/sh
# Fails unless the DLL exports exactly the six entry points, undecorated, and imports only Windows' own DLLs.
set -eu
objdump=$1
dll=$2
dump=$("$objdump" -p "$dll")
exports=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '/^[[:space:]]*\[ *[0-9]+\]/ {print $NF}' | sort | tr '\n' ' ')
expected="_AddQSO _GetInfo _GetScore _GrabNumber _Release _Run "
if [ "$exports" != "$expected" ]; then
  echo "check-dll: $dll exports '$exports', expected '$expected'" >&2
  exit 1
fi
imports=$(printf '%s\n' "$dump" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
for name in $imports; do
  case $name in
    kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | odbc32.dll | comctl32.dll | msvcrt.dll) ;;
    *)
      echo "check-dll: $dll imports $name, which is not one of Windows' own DLLs" >&2
      exit 1
      ;;
  esac
done
echo "check-dll: $(basename "$dll") exports $exports; imports $(echo $imports)"
