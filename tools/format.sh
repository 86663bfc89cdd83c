#!/usr/bin/env bash
# Checks that every tracked C++ source is laid out as .clang-format says (the default), or lays
# them out so (--fix). Installs clang-format when it is missing.
# Usage: tools/format.sh [--check|--fix]
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang-format >/dev/null; then
    echo "Installing: clang-format"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq clang-format
fi

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t sources < <(git ls-files '*.cpp' '*.h')
else
    mapfile -t sources < <(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
if [ "${1:---check}" = "--fix" ]; then
    clang-format -i "${sources[@]}"
else
    clang-format --dry-run --Werror "${sources[@]}"
    echo "Formatting: ${#sources[@]} sources as .clang-format lays them out"
fi
