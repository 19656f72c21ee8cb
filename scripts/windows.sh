#!/usr/bin/env bash
# Builds Trevanor for Windows on this Debian machine and wraps it in a Setup program:
#   1. installs what is missing (MinGW, Wine, NSIS, the icon converter);
#   2. builds Qt for MinGW from Debian's own source package, once, into a cache outside
#      the checkout (TREVANOR_QT_CACHE, default /var/cache/trevanor), reused while its
#      version, options and patches are unchanged;
#   3. builds trevanor.exe and trevanor-dump.exe from this CMake project in build-win/;
#   4. gathers them with the DLLs they need in build-win/Trevanor/;
#   5. writes build-win/Trevanor-Setup-<version>.exe (NSIS) and build-win/Trevanor-<version>.zip.
# Options: --qt-only stops after step 2.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

qt_only=0
[ "${1:-}" = "--qt-only" ] && qt_only=1

stage() { printf '== windows: %s (%s)\n' "$1" "$(date +%H:%M:%S)"; }

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# --- 1. what is missing -------------------------------------------------------
stage "packages"
bash scripts/deps.sh nsis dpkg-dev librsvg2-bin zip perl

# --- 2. Qt for MinGW -------------------------------------------------------------
qt_version=6.4.2
cache=${TREVANOR_QT_CACHE:-/var/cache/trevanor}
qt_options=(
  -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_testlib=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_opengl=OFF
  -DFEATURE_vulkan=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=ON
  -DFEATURE_dynamicgl=OFF -DFEATURE_tabletevent=OFF -DFEATURE_sessionmanager=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_freetype=ON -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
  # Left out because neither program uses them (an eighth of Qt's build): the Direct2D
  # platform plugin, the graphics view, documents in PDF, ODF and Markdown, undo,
  # animations of images, and the widgets and dialogs no window shows. (The direct2d
  # feature itself stays: Qt 6.4's fonts reach DirectWrite's outlines only with it.)
  -DFEATURE_direct2d1_1=OFF -DFEATURE_graphicsview=OFF -DFEATURE_pdf=OFF
  -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_undocommand=OFF -DFEATURE_undostack=OFF -DFEATURE_undogroup=OFF -DFEATURE_undoview=OFF
  -DFEATURE_movie=OFF -DFEATURE_systemtrayicon=OFF -DFEATURE_mdiarea=OFF -DFEATURE_calendarwidget=OFF
  -DFEATURE_datetimeedit=OFF -DFEATURE_wizard=OFF -DFEATURE_colordialog=OFF -DFEATURE_fontdialog=OFF
  -DFEATURE_errormessage=OFF -DFEATURE_progressdialog=OFF -DFEATURE_lcdnumber=OFF -DFEATURE_dial=OFF
  -DFEATURE_splashscreen=OFF -DFEATURE_keysequenceedit=OFF -DFEATURE_fontcombobox=OFF
  -DFEATURE_commandlinkbutton=OFF -DFEATURE_columnview=OFF -DFEATURE_datawidgetmapper=OFF
  -DFEATURE_syntaxhighlighter=OFF -DFEATURE_textbrowser=OFF -DFEATURE_toolbox=OFF
)
patches=(packaging/windows/qt-patches/*.patch)
[ -e "${patches[0]}" ] || patches=()
qt_key=$( { echo "$qt_version"; printf '%s\n' "${qt_options[@]}"; cat packaging/windows/mingw-toolchain.cmake;
            ((${#patches[@]})) && cat "${patches[@]}"; x86_64-w64-mingw32-g++-posix --version | head -1; } |
          sha256sum | cut -c1-12)
qt_prefix=$cache/qt-$qt_version-mingw-$qt_key

build_qt() {
  local src=$cache/src/qtbase-everywhere-src-$qt_version-$qt_key build=$cache/build-$qt_key
  stage "Qt $qt_version for MinGW: source"
  if ! grep -q '^Types:.*deb-src' /etc/apt/sources.list.d/debian.sources 2>/dev/null &&
     ! grep -rqs '^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/*.list; then
    $SUDO sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
    $SUDO apt-get update -qq
  fi
  mkdir -p "$cache/src"
  local tarball
  tarball=$(ls "$cache"/src/qt6-base_"$qt_version"*.orig.tar.xz 2>/dev/null | head -1 || true)
  if [ -z "$tarball" ]; then
    (cd "$cache/src" && apt-get source --download-only qt6-base >/dev/null 2>&1)
    tarball=$(ls "$cache"/src/qt6-base_"$qt_version"*.orig.tar.xz | head -1)
  fi
  rm -rf "$src" "$build"
  mkdir -p "$src"
  tar xf "$tarball" -C "$src" --strip-components=1
  for p in "${patches[@]}"; do
    stage "Qt: patch $(basename "$p")"
    patch -d "$src" -p1 --quiet < "$root/$p"
  done
  stage "Qt: configure"
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/packaging/windows/mingw-toolchain.cmake" \
    -DCMAKE_INSTALL_PREFIX="$qt_prefix" "${qt_options[@]}" > "$cache/configure-$qt_key.log" 2>&1 ||
    { tail -40 "$cache/configure-$qt_key.log"; echo "Qt's configure failed (log: $cache/configure-$qt_key.log)"; exit 1; }
  stage "Qt: build (log: $cache/build-$qt_key.log)"
  local started=$SECONDS
  ninja -C "$build" -j "$(nproc)" > "$cache/build-$qt_key.log" 2>&1 ||
    { tail -40 "$cache/build-$qt_key.log"; echo "Qt's build failed (log: $cache/build-$qt_key.log)"; exit 1; }
  stage "Qt: install (built in $(( (SECONDS - started) / 60 )) min)"
  rm -rf "$qt_prefix"
  cmake --install "$build" > /dev/null
  touch "$qt_prefix/.complete"
  rm -rf "$src" "$build"
}

if [ -f "$qt_prefix/.complete" ]; then
  stage "Qt $qt_version for MinGW: cached in $qt_prefix"
else
  build_qt
fi
((qt_only)) && exit 0

# --- 3. Trevanor for Windows ------------------------------------------------------
"$root/packaging/windows/build.sh" "$qt_prefix"
