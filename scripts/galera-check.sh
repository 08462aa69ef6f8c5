#!/usr/bin/env bash
# The vendor's server tests against a three-node Galera cluster on loopback, with one node killed
# (kill -9) while they run: the program's stores must pass over the lost node, and what a node
# refused must be run again. Usage: scripts/galera-check.sh [BUILD_DIR]
# Needs the loopback services of scripts/services.sh (FTP, web, SMS) and starts the cluster.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
state=${TERAN_SERVICES_DIR:-$build/services}

bash "$here/services.sh" start "$state" >/dev/null
bash "$here/services.sh" galera "$state" >/dev/null
# shellcheck disable=SC1091
source "$state/services.env"
# shellcheck disable=SC1091
source "$state/galera.env"
export QT_QPA_PLATFORM=offscreen

# The server's tests: every MariaDB test of the store and of the vendor's server.
log=$state/galera-ctest.log
ctest --test-dir "$build" -L 'core_session_tests|core_online_tests' -L mariadb -LE galera -j3 \
    --output-on-failure >"$log" 2>&1 &
tests=$!

# A node dies while they run; the cluster goes on with two.
sleep "${TERAN_GALERA_KILL_AFTER:-8}"
victim=$state/galera/node2/mysqld.pid
if [ -f "$victim" ]; then
    kill -9 "$(cat "$victim")" 2>/dev/null || true
    echo "node 2 killed" >>"$log"
fi

status=0
wait "$tests" || status=$?
grep -E "tests passed|tests failed|\(Failed\)|Timeout" "$log" || true
# The killed node joins again, so that the next run finds three.
# A node that meets its own last sockets still closing gives up; the second start finds them gone.
bash "$here/services.sh" galera "$state" >/dev/null 2>&1 ||
    { sleep 3 && bash "$here/services.sh" galera "$state" >/dev/null; } ||
    echo "node 2 did not come back" >&2
exit "$status"
