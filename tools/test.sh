#!/usr/bin/env bash
# Builds and runs the whole test suite twice: a normal build, then one under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/format.sh --check

tools/setup.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCRIBBAGE_WERROR=ON
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

# The Debian package installs and runs from a scratch root.
(cd build && cpack -G DEB >/dev/null)
scratch=$(mktemp -d)
dpkg -x build/cribbage_*.deb "$scratch"
count=$("$scratch/usr/bin/cribbage-count" 5H 5D 5S JC 5C | awk '$1 == "total" {print $2}')
version=$("$scratch/usr/bin/cribbage" --version)
menu=$(ls "$scratch/usr/share/applications/cribbage.desktop" \
    "$scratch"/usr/share/icons/hicolor/*/apps/cribbage.png 2>/dev/null | wc -l)
# A whole game from the package: its settings and tally go to the user's configuration folder.
home=$(mktemp -d)
env -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="*.debug=false" \
    timeout 120 "$scratch/usr/bin/cribbage" --instance "deb-check-$$" --port 0 --bot-speed 1 \
    --autoplay --start-when 1 --game-type 1 --points 61 >/dev/null 2>&1 || true
kept=$(ls "$home/.config/cribbage/rudedidevaz.ini" "$home/.config/cribbage/Cribbagetally.tld" \
    2>/dev/null | wc -l)
rm -rf "$scratch" "$home"
if [ "$kept" -ne 2 ]; then
    echo "The packaged game did not keep its settings and tally in the configuration folder" >&2
    exit 1
fi
if [ "$count" != "29" ]; then
    echo "The packaged cribbage-count did not count 29 for the best hand (got '$count')" >&2
    exit 1
fi
if [ "$version" != "Cribbage 2.0.8.14" ] || [ "$menu" -lt 2 ]; then
    echo "The packaged game did not start ('$version') or its menu entry is missing" >&2
    exit 1
fi
echo "Debian package: installs, counts, plays a game, keeps its files with the user"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
tools/setup.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCRIBBAGE_SANITIZE=ON -DCRIBBAGE_WERROR=ON
ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)"

# A few seconds of every fuzz target over its corpus (clang, libFuzzer).
tools/fuzz.sh 5
