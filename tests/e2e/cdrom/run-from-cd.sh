#!/usr/bin/env bash
# The demo disk run from a CD: lays it out with its installers, presses it
# with tools/press, extracts the image with xorriso through its Joliet names
# (as Windows reads it), makes the tree read-only and maps it as drive D: of
# type CD-ROM in the prefix, with the product's SourceDir on it, then runs
# the Windows side (CdromE2ETest.cpp) and compares every file and folder on
# D:, with checksums, before and after.
#
#   run-from-cd.sh SOURCE_DIR WINE_RUN PROGRAM DEMOSETUP_EXE TEST_EXE
set -euo pipefail
[ $# -eq 5 ] || { echo "usage: $0 SOURCE_DIR WINE_RUN PROGRAM DEMOSETUP_EXE TEST_EXE" >&2; exit 2; }
src=$1 wine_run=$2 program=$3 demo_setup=$4 test_exe=$5
export WINEPREFIX=${WINEPREFIX:-$src/build/wineprefix} WINEDEBUG=${WINEDEBUG:--all}

work=$(mktemp -d)
drive=$WINEPREFIX/dosdevices/d:
saved_drive=
cleanup() {
  "$wine_run" regedit /S "$work/undo.reg" >/dev/null 2>&1 || true
  rm -f "$drive"
  [ -n "$saved_drive" ] && ln -s "$saved_drive" "$drive"
  chmod -R u+w "$work"
  rm -rf "$work"
}
trap cleanup EXIT

"$src/examples/demo/lay-out-disk.sh" "$work/disk" "$demo_setup"
VELMORA_PROGRAM=$program "$src/tools/press" "$work/disk" "$work/demo.iso" >/dev/null
xorriso -osirrox on -read_fs norock -indev "$work/demo.iso" -extract / "$work/cd" 2>/dev/null
chmod -R a-w "$work/cd"
listing() {
  (cd "$work/cd" && find . -printf '%y %m %s %p\n' | LC_ALL=C sort &&
     find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum)
}
before=$(listing)
grep -q ' ./access/VERavevi.exe$' <<<"$before" || { echo "the image has no access/VERavevi.exe" >&2; exit 1; }

# Wine takes a drive's type from the registry when its session starts.
[ -L "$drive" ] && saved_drive=$(readlink "$drive")
rm -f "$drive"
ln -s "$work/cd" "$drive"
printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]\r\n"d:"="cdrom"\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Velmora Network\\5.0]\r\n"SourceDir"="D:"\r\n' >"$work/cd.reg"
printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]\r\n"d:"=-\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Velmora Network\\5.0]\r\n"SourceDir"=-\r\n' >"$work/undo.reg"
"$wine_run" regedit /S "$work/cd.reg" >/dev/null 2>&1
wineserver -w

status=0
"$wine_run" "$test_exe" --gtest_brief=1 || status=$?
after=$(listing)
if [ "$before" != "$after" ]; then
  echo "the program changed D:" >&2
  diff <(echo "$before") <(echo "$after") >&2 || true
  status=1
fi
exit $status
