#!/usr/bin/env bash
# Fuzzes every reader of outside data: saved games of both kinds and
# favorite files, score files, colour schemes, the settings file, and the
# command line's --deal and --solve. Builds the harnesses with clang
# (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in build-fuzz,
# then runs each for SECONDS (60 unless given) from the seeds in
# fuzz/corpus. A crash, a leak, a hang or undefined behaviour fails, and the
# input that caused it is left in build-fuzz/findings.
#
#   tools/fuzz.sh [SECONDS] [NAME ...]     e.g. tools/fuzz.sh 3600 gamefile
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build-fuzz"
seconds=${1:-60}
shift || true
names=("$@")
[ ${#names[@]} -eq 0 ] && names=(gamefile scorefile scheme settings commandline)

if [ ! -f "$build/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABLORA_FUZZ=ON \
        -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
        > /dev/null
fi
cmake --build "$build" -j "$(nproc)" --target fuzzers

mkdir -p "$build/findings"
failed=0
for name in "${names[@]}"; do
    # New inputs the fuzzer finds go to a corpus of the build's own; the
    # seeds in the source tree stay as they are.
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    cp -n "$here/fuzz/corpus/$name/"* "$corpus/" 2> /dev/null || true
    log="$build/fuzz_$name.log"
    if QT_QPA_PLATFORM=offscreen "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$name-" "$corpus" > "$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
        echo "fuzz_$name: ${runs:-?} runs in ${seconds} s (${rate:-?} per second), no fault"
    else
        echo "fuzz_$name: FAILED, see $log and $build/findings"
        grep -E "ERROR|SUMMARY|runtime error" "$log" | head -5 || true
        failed=1
    fi
done
exit $failed
