#!/usr/bin/env bash
# Sets everything up, starts the loopback servers, runs every test and stops the servers.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TERAN_BUILD_DIR:-$root/build}
services=$build/services

"$root/scripts/deps.sh"
"$root/scripts/build.sh"
# CI also holds the formatting and clang-tidy's bug-prone checks of the core.
if [ "${CI:-}" = "true" ]; then
    "$root/scripts/check.sh"
fi

"$root/scripts/services.sh" start "$services"
trap '"$root/scripts/services.sh" stop "$services" >/dev/null 2>&1 || true' EXIT
# shellcheck disable=SC1091
source "$services/services.env"

export QT_QPA_PLATFORM=offscreen
# The Galera cluster check starts three more servers and kills one: TERAN_TEST_GALERA=1 adds it.
exclude=(-LE galera)
[ "${TERAN_TEST_GALERA:-}" = "1" ] && exclude=()
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600 "${exclude[@]}" "$@"
# CI also runs the core's tests once more under the address and undefined-behaviour sanitizers.
if [ "${CI:-}" = "true" ]; then
    "$root/scripts/sanitize.sh"
fi
