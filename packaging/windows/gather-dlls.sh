#!/usr/bin/env bash
# Copies into FOLDER every DLL that its programs and plugins load, found in the
# search folders given after it (Qt's and the MinGW runtime's), and the DLLs those
# load in turn. DLLs found in none of them are Windows' own.
set -euo pipefail
dist=$1
shift
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
pending=$(find "$dist" -name '*.exe' -o -name '*.dll')
while [ -n "$pending" ]; do
  next=""
  for binary in $pending; do
    for dll in $(imports "$binary"); do
      [ -e "$dist/$dll" ] && continue
      for dir in "$@"; do
        if [ -e "$dir/$dll" ]; then
          cp "$dir/$dll" "$dist/$dll"
          next="$next $dist/$dll"
          break
        fi
      done
    done
  done
  pending=$next
done
