#!/usr/bin/env bash
# Builds and runs the whole test suite twice: a normal build, then one under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCRIBBAGE_WERROR=ON
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
tools/setup.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCRIBBAGE_SANITIZE=ON -DCRIBBAGE_WERROR=ON
ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)"
