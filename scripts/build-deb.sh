#!/usr/bin/env bash
# Builds the Debian package of Custodex Calendar and checks it with lintian.
#
#   scripts/build-deb.sh [BUILD-FOLDER]     (default: build-deb)
#
# A Release build without the tests, compiled and linked with Debian's hardening flags; the
# package's library dependencies come from dpkg-shlibdeps. Ends with the path of the .deb,
# and fails when lintian reports an error. Install it with `apt install ./PATH.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
build=${1:-build-deb}

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
# dpkg-buildflags chooses the optimisation (-O2); Release only adds NDEBUG.
mkdir -p "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCUSTODEX_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >"$build/configure.log" 2>&1 ||
    { tail -n 40 "$build/configure.log" >&2; exit 1; }
cmake --build "$build" >"$build/build.log" 2>&1 || { tail -n 60 "$build/build.log" >&2; exit 1; }
rm -f "$build"/custodex-calendar_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { tail -n 40 "$build/cpack.log" >&2; exit 1; }
deb=$(ls "$build"/custodex-calendar_*.deb)

echo "== dpkg-deb --field $deb"
dpkg-deb --field "$deb"
echo "== lintian $deb"
lintian --display-info --fail-on error "$deb" || { echo "lintian reported errors" >&2; exit 1; }
echo "lintian: no errors"
echo "$deb"
