#!/usr/bin/env bash
# Guards that keep the code as it is meant to be: the formatting of Debian 12's clang-format, and
# clang-tidy's bug-prone checks over the core (.clang-tidy). Needs a configured build/ (for the
# compile commands); scripts/test.sh runs it under CI.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TERAN_BUILD_DIR:-$root/build}
cd "$root"

echo "check: formatting (clang-format $(clang-format --version | grep -o '[0-9][0-9.]*' | head -1))"
find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror

echo "check: clang-tidy bugprone-* over src/core"
find src/core -name '*.cpp' -print0 |
    xargs -0 -P"$(nproc)" -n8 clang-tidy -p "$build" --quiet 2>/dev/null
echo "check: passed"
