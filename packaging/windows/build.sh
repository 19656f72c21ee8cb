#!/usr/bin/env bash
# Builds trevanor.exe and trevanor-dump.exe with Qt for MinGW (the prefix given), gathers
# them with every DLL they load in build-win/Trevanor/, and wraps that folder into
# build-win/Trevanor-Setup-<version>.exe (NSIS) and build-win/Trevanor-<version>.zip.
# Called by scripts/windows.sh, which builds that Qt first.
set -euo pipefail
qt_prefix=$1
cd "$(dirname "$0")/../.."
root=$PWD
out=$root/build-win
stage() { printf '== windows: %s (%s)\n' "$1" "$(date +%H:%M:%S)"; }

mkdir -p "$out"
source scripts/compiler_cache.sh
stage "Trevanor: configure"
# -Wno-restrict: GCC 12 warns falsely inside libstdc++'s own string copies once they
# are inlined at -O2 (GCC bug 105329); any other warning stops the build.
cmake -S . -B "$out/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Wno-restrict \
  -DCMAKE_TOOLCHAIN_FILE="$root/packaging/windows/mingw-toolchain.cmake" \
  -DCMAKE_PREFIX_PATH="$qt_prefix" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DTREVANOR_TESTS=OFF -DTREVANOR_BENCH=OFF "${compiler_cache[@]}" > "$out/configure.log" 2>&1 ||
  { tail -30 "$out/configure.log"; exit 1; }
stage "Trevanor: build"
cmake --build "$out/cmake" --target trevanor trevanor-dump -j "$(nproc)" > "$out/build.log" 2>&1 ||
  { grep -B2 -A10 -m5 'error' "$out/build.log" || tail -40 "$out/build.log"; exit 1; }
if grep -q 'warning:' "$out/build.log"; then
  grep -A4 'warning:' "$out/build.log" | head -40
  echo "The Windows build gave warnings (log: $out/build.log)"
  exit 1
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/cmake/CMakeCache.txt")

stage "Trevanor: gather the files"
dist=$out/Trevanor
rm -rf "$dist"
mkdir -p "$dist/platforms" "$dist/styles" "$dist/fonts" "$dist/samples"
cp "$out/cmake/src/trevanor.exe" "$out/cmake/tools/trevanor-dump.exe" "$dist/"
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$qt_prefix/plugins/platforms/qoffscreen.dll" "$dist/platforms/"
cp "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$dist/styles/"
# Tahoma where the system lacks it: Wine's metric twin (LGPL), with its licence. Its
# bold face is left out: its strokes are regular, only its small bitmaps are bold.
cp /usr/share/wine/fonts/tahoma.ttf "$dist/fonts/"
cp /usr/share/doc/fonts-wine/copyright "$dist/fonts/COPYING-wine-fonts.txt"
cp samples/DEMO.MAP samples/DEMO.F1 samples/DEMO.F2 samples/DEMO.F4 \
   samples/DEMO-1.F1 samples/DEMO-1.F2 samples/DEMO-1.F4 "$dist/samples/"
cp -r samples/history "$dist/samples/"  # the demo's kept turns, to try the trails and the chart with
# What a Windows player reads (the Markdown READMEs tell of building on Linux): CR LF ends.
sed 's/$/\r/' packaging/windows/README.txt > "$dist/README.txt"
"$root/packaging/windows/gather-dlls.sh" "$dist" "$qt_prefix/bin" \
  "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")" /usr/x86_64-w64-mingw32/lib
find "$dist" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded

stage "Trevanor: Setup program"
# The files one by one: installed folder by folder, removed file by file, then the
# folders deepest first.
(cd "$dist" && find . -type d | sort | while read -r d; do
   d=${d#./}; d=${d#.}
   printf 'SetOutPath "$INSTDIR%s"\n' "${d:+\\${d//\//\\}}"
   find "./$d" -maxdepth 1 -type f | sort | while read -r f; do printf 'File "%s"\n' "$dist/${f#./}"; done
 done) > "$out/install-files.nsh"
(cd "$dist" && find . -type f | sort | while read -r f; do f=${f#./}; printf 'Delete "$INSTDIR\\%s"\n' "${f//\//\\}"; done
 find . -mindepth 1 -type d | sort -r | while read -r d; do d=${d#./}; printf 'RMDir "$INSTDIR\\%s"\n' "${d//\//\\}"; done
) > "$out/uninstall-files.nsh"
makensis -V2 -DVERSION="$version" -DSOURCE="$dist" -DLISTS="$out" -DICON="$out/cmake/src/trevanor.ico" \
  -DOUTFILE="$out/Trevanor-Setup-$version.exe" "$root/packaging/windows/trevanor.nsi"
stage "Trevanor: portable zip"
rm -f "$out/Trevanor-$version.zip"
(cd "$out" && zip -qr "Trevanor-$version.zip" Trevanor)
ls -l "$out/Trevanor-Setup-$version.exe" "$out/Trevanor-$version.zip" | awk '{print "   ", $5, $9}'
