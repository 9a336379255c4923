#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in their own build folder and runs each
# for a short while on a copy of its seed corpus. Fails on any crash, hang, broken
# invariant or sanitizer report; findings are kept in <build>/fuzz-artifacts/.
#
#   scripts/fuzz-smoke.sh            # 30 s per target, build folder ./build-fuzz
#   FUZZ_SECONDS=300 FUZZ_BUILD_DIR=/tmp/fz scripts/fuzz-smoke.sh
#
# Needs clang and libclang-rt-14-dev (Debian 12).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-30}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ=ON -DCORVANE_TESTS=OFF
ninja -C "$build" corvane_fuzzers

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"

failed=0
for seeds in "$root"/fuzz/corpus/*/; do
    target=$(basename "$seeds")
    cp -r "$seeds" "$work/$target"
    echo "=== $target (${seconds}s)"
    if ! "$build/fuzz/$target" "$work/$target" \
            -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
            -print_final_stats=1 -artifact_prefix="$artifacts/$target-" 2>"$work/$target.log"; then
        tail -n 60 "$work/$target.log"
        echo "=== $target FAILED (see $artifacts)"
        failed=1
    else
        grep -E '^(stat::number_of_executed_units|Done)' "$work/$target.log" || true
    fi
done
exit $failed
