#!/bin/bash
# Soak run of cribbage-server by hand: nine clients, games back to back at 1 ms a step, players
# leaving and rejoining at random; prints games, messages, errors and resident memory.
# Usage: tools/soak.sh [seconds (default 600)] [build dir (default build)]
set -euo pipefail
duration=${1:-600}
build=${2:-build}
here=$(cd "$(dirname "$0")" && pwd)
server="$build/server/cribbage-server"
[ -x "$server" ] || { echo "soak: $server not built" >&2; exit 2; }

log=$(mktemp)
trap 'kill "$pid" 2>/dev/null || true; rm -f "$log"' EXIT
"$server" --port 0 --bot-speed 1 --seed 1 2>"$log" &
pid=$!
port=""
for _ in $(seq 100); do
    port=$(sed -n 's/.*listening on port \([0-9]*\).*/\1/p' "$log")
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || { echo "soak: the server did not report its port" >&2; cat "$log" >&2; exit 1; }

rss() { awk '/^VmRSS/ {print $2 " " $3}' "/proc/$pid/status"; }
echo "soak: server pid $pid on port $port for $duration s"
echo "soak: resident memory at start: $(rss)"
rc=0
python3 "$here/soak_client.py" --port "$port" --duration "$duration" || rc=$?
echo "soak: resident memory at end: $(rss)"
kill -0 "$pid" 2>/dev/null || { echo "soak: the server died" >&2; rc=1; }
echo "soak: server log lines: $(wc -l <"$log"), game starts: $(grep -c 'game started' "$log"), wins: $(grep -c 'game won' "$log")"
kill -TERM "$pid"
wait "$pid" || { echo "soak: the server exited with $?" >&2; rc=1; }
exit $rc
