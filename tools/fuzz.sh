#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz (clang, sanitizers, every library instrumented) and
# runs each over its corpus for a few seconds; any crash, leak or sanitizer report fails.
# Usage: tools/fuzz.sh [seconds-per-target] [target...]
#   FUZZ_BUILD_DIR   build directory (default build-fuzz)
#   FUZZ_JOBS        parallel build jobs (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds="${1:-5}"
shift || true
targets=("$@")
build_dir="${FUZZ_BUILD_DIR:-build-fuzz}"
jobs="${FUZZ_JOBS:-2}"

packages=(clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

# The top-level list does not add fuzz/ itself (yet); the hook adds it after every other folder.
# It is harmless once the top level does: fuzz/ is only ever added once.
# _GLIBCXX_ASSERTIONS checks every std::array and std::vector index, so a seat or a hand position
# out of range stops the run where it happens instead of reading a neighbour quietly.
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCRIBBAGE_SANITIZE=ON -DCRIBBAGE_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link -D_GLIBCXX_ASSERTIONS" \
    -DCMAKE_PROJECT_INCLUDE="$root/fuzz/project_hook.cmake" >/dev/null

if [ ${#targets[@]} -eq 0 ]; then
    known="$(ninja -C "$build_dir" -t targets all)"
    for t in fuzz_handparse fuzz_tally fuzz_settings fuzz_server fuzz_client; do
        # fuzz_client exists once the client library does.
        if grep -q "^$t: phony" <<<"$known"; then targets+=("$t"); fi
    done
fi
nice cmake --build "$build_dir" --parallel "$jobs" --target "${targets[@]}"

max_len() {
    case "$1" in
        fuzz_tally) echo 40000 ;;   # past one 32768-byte block, so the container has two
        fuzz_client) echo 16384 ;;  # a whole game as the server sends it
        *) echo 4096 ;;
    esac
}

export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="*.debug=false;*.warning=false"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
for t in "${targets[@]}"; do
    corpus="$root/fuzz/corpus/$t"
    # New inputs go to a scratch folder: the corpus in the repository stays as it was checked in.
    scratch="$(mktemp -d)"
    dict=()
    [ -f "$root/fuzz/$t.dict" ] && dict=(-dict="$root/fuzz/$t.dict")
    echo "== $t: ${seconds}s"
    if ! (cd "$scratch" && nice "$root/$build_dir/fuzz/$t" -max_total_time="$seconds" \
              -max_len="$(max_len "$t")" -timeout=25 -rss_limit_mb=2560 -print_final_stats=1 \
              -artifact_prefix="$scratch/" "${dict[@]}" "$scratch" "$corpus" 2>"$scratch/log"); then
        tail -n 60 "$scratch/log"
        echo "FAILED: $t (reproducer and log in $scratch)"
        status=1
        continue
    fi
    grep -E "^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)|cov:" \
        "$scratch/log" | tail -n 4
    rm -rf "$scratch"
done
exit $status
