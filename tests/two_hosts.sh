#!/usr/bin/env bash
# Two copies of the game on two machines of their own: the host and a joining player each get a
# network namespace, linked only by a veth pair, and play one whole game to its winner. The
# joining copy can reach the host through that link and nothing else.
#
# Usage: two_hosts.sh path/to/cribbage
# Exits 77 (skipped) where network namespaces or veth links cannot be made.
set -uo pipefail
game=${1:?usage: two_hosts.sh path/to/cribbage}
limit=${TWO_HOSTS_TIMEOUT:-240}

skip() {
    echo "skipped: $*"
    exit 77
}
fail() {
    echo "FAILED: $*"
    for f in "$work"/*.log; do
        [ -f "$f" ] && { echo "--- $(basename "$f")"; tail -n 40 "$f"; }
    done
    exit 1
}

[ "$(id -u)" -eq 0 ] || skip "network namespaces need root"
command -v ip >/dev/null || skip "no ip command"

tag="cr$$"
host_ns="${tag}h"
join_ns="${tag}j"
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
    ip netns del "$host_ns" 2>/dev/null
    ip netns del "$join_ns" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

ip netns add "$host_ns" 2>/dev/null || skip "cannot make a network namespace"
ip netns add "$join_ns" 2>/dev/null || skip "cannot make a second network namespace"
ip link add "${tag}a" type veth peer name "${tag}b" 2>/dev/null || skip "cannot make a veth pair"
ip link set "${tag}a" netns "$host_ns" && ip link set "${tag}b" netns "$join_ns" ||
    skip "cannot move the veth ends into the namespaces"
{
    ip -n "$host_ns" addr add 10.77.0.1/24 dev "${tag}a" &&
        ip -n "$join_ns" addr add 10.77.0.2/24 dev "${tag}b" &&
        ip -n "$host_ns" link set lo up && ip -n "$join_ns" link set lo up &&
        ip -n "$host_ns" link set "${tag}a" up && ip -n "$join_ns" link set "${tag}b" up
} 2>/dev/null || skip "cannot set up the link between the namespaces"
ip netns exec "$host_ns" true 2>/dev/null || skip "cannot run a program in a network namespace"
# The link carries a ping before the game is asked to use it.
ip netns exec "$join_ns" ping -c 1 -W 5 10.77.0.1 >/dev/null 2>&1 ||
    { command -v ping >/dev/null && fail "the namespaces cannot reach each other"; }

export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="*.debug=false;*.warning=false"
mkdir -p "$work/host-files" "$work/join-files"

# The host takes any free port in its namespace and says which.
ip netns exec "$host_ns" "$game" --instance "${tag}-host" --files "$work/host-files" \
    --port 0 --bot-speed 1 --autoplay --start-when 2 --game-type 1 --points 61 \
    Hostess 10.77.0.1 true >"$work/host.log" 2>&1 &
pids+=($!)
host_pid=$!

port=""
for _ in $(seq 1 300); do
    port=$(sed -n 's/^autoplay: hosting on port \([0-9]*\)$/\1/p' "$work/host.log")
    [ -n "$port" ] && break
    kill -0 "$host_pid" 2>/dev/null || fail "the host ended before it listened"
    sleep 0.1
done
[ -n "$port" ] || fail "the host did not say its port"

# The joining copy can see only 10.77.0.1, over the veth link.
ip netns exec "$join_ns" "$game" --instance "${tag}-join" --files "$work/join-files" \
    --port "$port" --autoplay Guest 10.77.0.1 false >"$work/join.log" 2>&1 &
pids+=($!)
join_pid=$!

status_of() {
    local pid=$1 waited=0
    while kill -0 "$pid" 2>/dev/null; do
        [ "$waited" -ge $((limit * 10)) ] && return 124
        sleep 0.1
        waited=$((waited + 1))
    done
    wait "$pid"
}
status_of "$join_pid"
join_status=$?
status_of "$host_pid"
host_status=$?
[ "$join_status" -eq 0 ] || fail "the joining copy ended with $join_status"
[ "$host_status" -eq 0 ] || fail "the host ended with $host_status"

grep -qx "autoplay: seat 1" "$work/host.log" || fail "the host did not sit in seat 1"
grep -qx "autoplay: seat 2" "$work/join.log" || fail "the joining player did not sit in seat 2"
host_end=$(grep "Won the Game" "$work/host.log" | tail -n 1)
join_end=$(grep "Won the Game" "$work/join.log" | tail -n 1)
[ -n "$host_end" ] && [ -n "$join_end" ] || fail "a copy did not see the winner"
# Both tables show the same scores, and the winner past 60.
[ "${host_end##* scores }" = "${join_end##* scores }" ] ||
    fail "the two tables disagree: '$host_end' and '$join_end'"
read -r s1 s2 <<<"${host_end##* scores }"
[ "$s1" -gt 60 ] || [ "$s2" -gt 60 ] || fail "nobody passed 60: $s1 $s2"
case "$host_end $join_end" in
    *"You have Won the Game!"*"Hostess has Won the Game!"*) ;;
    *"Guest has Won the Game!"*"You have Won the Game!"*) ;;
    *) fail "the winner lines do not agree: '$host_end' and '$join_end'" ;;
esac

# The game crossed the link: the joining side's veth carried it.
packets=$(ip netns exec "$join_ns" cat "/sys/class/net/${tag}b/statistics/rx_packets")
[ "${packets:-0}" -gt 20 ] || fail "only $packets packets crossed the link"

# Each side's tally holds the game.
ls "$work/host-files"/*tally* >/dev/null 2>&1 || fail "the host's tally was not written"
ls "$work/join-files"/*tally* >/dev/null 2>&1 || fail "the joining player's tally was not written"

echo "host:  $host_end"
echo "guest: $join_end"
echo "link:  ${packets:-?} packets received by the joining side"
