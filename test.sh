#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless: the plain
# build with the real web engine, the sanitizer build (AddressSanitizer and
# UndefinedBehaviorSanitizer) without it, and a short run of each fuzzer.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
jobs="$(nproc)"
"$here/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen

echo "== Plain build and all tests"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_TESTS=ON >/dev/null
cmake --build "$here/build" -j "$jobs"
ctest --test-dir "$here/build" -j "$jobs" --output-on-failure --timeout 300

echo "== Sanitizer build and the tests that do not start the web engine"
cmake -S "$here" -B "$here/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_TESTS=ON \
  -DCORVANE_SANITIZE=ON -DCORVANE_ENGINE_TESTS=OFF >/dev/null
cmake --build "$here/build-asan" -j "$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$here/build-asan" -j "$jobs" --output-on-failure --timeout 600 -LE engine

if [ -x "$here/scripts/fuzz-smoke.sh" ]; then
  echo "== Fuzzers"
  "$here/scripts/fuzz-smoke.sh"
fi
echo "== All tests passed"
