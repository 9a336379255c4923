#!/usr/bin/env bash
# Installs what is missing, builds Corvane and starts it from its portable folder.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_TESTS=OFF >/dev/null
cmake --build "$here/build" --target Corvane CorvaneHelp site
# The program's start folder is the folder it is started from: start it from its own.
cd "$here/build/Corvane"
exec ./Corvane.exe
