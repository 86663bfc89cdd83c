#!/usr/bin/env bash
# Installs what is missing, builds, and starts a solo game.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -x build/client/cribbage ]; then
    exec build/client/cribbage "$@"
fi
echo "Counting an example hand (5H 5D 5S JC with the 5C turned):"
exec build/tools/cribbage-count 5H 5D 5S JC 5C
