# Sourced by the build scripts: the compiler cache when it is installed, so
# that a rebuild of unchanged sources costs next to nothing. Its folder is
# made independent of where the checkout lies, so that two checkouts (a
# clean clone beside the working one) share what was compiled.
compiler_cache=()
if command -v ccache >/dev/null; then
  compiler_cache=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=1
  export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-time_macros,include_file_mtime,include_file_ctime}
  ccache --max-size=8G >/dev/null 2>&1 || true
fi
