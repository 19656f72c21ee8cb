#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks that a desktop finds
# what it looks for: a valid desktop entry whose command and icon exist, and the
# demo game as it is in samples/.
#   install_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

entry=$prefix/share/applications/trevanor.desktop
[ -f "$entry" ] || fail "no desktop entry at share/applications/trevanor.desktop"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
command=$(sed -n 's/^Exec=//p' "$entry")
[ -x "$prefix/bin/${command%% *}" ] || fail "the entry's command \"$command\" is not installed in bin/"
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon \"$icon\" in the hicolor theme"
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" || fail "the icon is not an SVG image"

for f in DEMO.MAP DEMO.F1 DEMO.F2 DEMO.F4 DEMO-1.F1 DEMO-1.F2 DEMO-1.F4 README.md; do
    cmp -s "$source/samples/$f" "$prefix/share/trevanor/samples/$f" || fail "share/trevanor/samples/$f differs from samples/$f"
done
samples=$prefix/share/trevanor/samples
"$prefix/bin/trevanor-dump" "$samples/DEMO.MAP" "$samples/DEMO.F1" >/dev/null || fail "the installed trevanor-dump cannot read the installed demo game"
echo "Install tree complete in $prefix"
