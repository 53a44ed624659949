#!/usr/bin/env bash
# Lays out the demo disk in DIR as it goes on the CD: access/ and media/
# from this folder, and the stand-in installer DEMOSETUP_EXE copied into
# every capsule folder under the name its Run value gives. DIR is made
# afresh.
#
#   examples/demo/lay-out-disk.sh DIR DEMOSETUP_EXE
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 DIR DEMOSETUP_EXE" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
disk=$1
rm -rf "$disk"
mkdir -p "$disk"
cp -r "$here/access" "$here/media" "$disk/"
for capsule in Games/Chess Browser Photo Music Guard Typing; do
  cp "$2" "$disk/access/$capsule/$(basename "$capsule")Setup.exe"
done
