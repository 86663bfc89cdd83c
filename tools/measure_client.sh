#!/bin/bash
# The client's figures, measured on the real program offscreen: start-up to the table, CPU
# while idle at the table, resident memory over a whole solo game, and the latency bench.
# Usage: tools/measure_client.sh [build dir (default build)] [runs (default 5)]
set -euo pipefail
build=${1:-build}
runs=${2:-5}
game="$build/client/cribbage"
bench="$build/bench/bench_client"
[ -x "$game" ] || { echo "measure: $game not built" >&2; exit 2; }
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export QT_LOGGING_RULES="*.debug=false;*.warning=false"
files=$(mktemp -d)
trap 'rm -rf "$files"' EXIT
ticks=$(getconf CLK_TCK)

now_ms() { echo $(($(date +%s%N) / 1000000)); }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# A solo game waiting for the player: from the launch to "seated", then ten idle seconds.
startups=()
idle=()
for run in $(seq "$runs"); do
    coproc GAME { exec "$game" --instance "measure$$" --files "$files" --port 0 --autoplay; }
    pid=$GAME_PID
    start=$(now_ms)
    while read -r line <&"${GAME[0]}"; do
        [ "$line" = "autoplay: seat 1" ] && break
    done
    startups+=($(($(now_ms) - start)))
    sleep 1 # the window's first paint and the download window settle
    before=$(cpu_ticks "$pid")
    sleep 10
    after=$(cpu_ticks "$pid")
    idle+=("$(awk -v t=$((after - before)) -v hz="$ticks" 'BEGIN {printf "%.2f", 100 * t / hz / 10}')")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
echo "start-up to the table, seated (ms), $runs runs: ${startups[*]}; median $(printf '%s\n' "${startups[@]}" | median)"
echo "CPU while idle at the table over 10 s (%), $runs runs: ${idle[*]}"

# A whole four-player solo game at 1 ms a computer move: peak resident memory.
coproc GAME { exec "$game" --instance "measure$$" --files "$files" --port 0 --autoplay \
    --start-when 1 --game-type 3 --points 121 --bot-speed 1; }
pid=$GAME_PID
peak=0
result=""
while read -r -t 300 line <&"${GAME[0]}"; do
    hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
    [ "${hwm:-0}" -gt "$peak" ] && peak=$hwm
    case "$line" in *"on the Game"*) result=$line ;; esac
done
wait "$pid" 2>/dev/null || true
echo "solo game, four players to 121: ${result#autoplay: }"
echo "solo game: peak resident memory $peak kB (up to the last report)"

if [ -x "$bench" ]; then
    "$bench" 2000 2>/dev/null
fi
