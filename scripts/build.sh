#!/usr/bin/env bash
# Configures and builds everything into build/ (Ninja, optimised with debug information).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
build=${TERAN_BUILD_DIR:-$root/build}
# CI builds warning-free or not at all.
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
# The warning setting is applied at every configure, so that a kept build/ cannot go on building
# without -Werror under CI (or with it outside).
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTERAN_WERROR=$werror >/dev/null
elif ! grep -q "^TERAN_WERROR:BOOL=$werror\$" "$build/CMakeCache.txt"; then
    cmake "$build" -DTERAN_WERROR=$werror >/dev/null
fi
cmake --build "$build" -- -j"$(nproc)" "$@"
