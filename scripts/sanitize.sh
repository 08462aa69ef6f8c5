#!/usr/bin/env bash
# Runs the core's tests once more, built with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/), against the loopback servers that are running (services.env sourced, as
# scripts/test.sh does). A read past a buffer, a use after free or an overflowing integer stops
# the test that did it. The windows' tests are left to the everyday build: under the sanitizers
# they would double the run without reaching other code of the core.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
build=${TERAN_ASAN_BUILD_DIR:-$root/build-asan}
programs=(core_store_tests core_listing_tests core_session_tests core_register_tests core_pictures_tests
    core_contracts_tests core_online_tests core_publication_tests core_listings_tests
    core_maintenance_tests core_people_tests core_game_tests)

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
if [ ! -f "$build/build.ninja" ]; then
    # -O1 with line tables only: the sanitizers' own advice for speed, and half the compile time
    # of the optimised build with full debug information.
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
        -DTERAN_ASAN=ON -DTERAN_BUILD_BENCH=OFF -DTERAN_WERROR=$werror >/dev/null
elif ! grep -q "^TERAN_WERROR:BOOL=$werror\$" "$build/CMakeCache.txt"; then
    cmake "$build" -DTERAN_WERROR=$werror >/dev/null
fi
cmake --build "$build" -- -j"$(nproc)" "${programs[@]}"

# Leaks are not looked for: Qt keeps its singletons to the end of the process on purpose.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=0:halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
labels=$(IFS='|'; echo "${programs[*]}")
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 900 -L "^($labels)\$" -LE galera
