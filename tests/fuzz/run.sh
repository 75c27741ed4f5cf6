#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each in turn for a bounded time:
#
#   tests/fuzz/run.sh [seconds per target] [target ...]     (all <target>_fuzz.cpp here)
#
# Every saved reproducer in regressions/<target>/ is replayed first and must
# pass. New inputs the fuzzers find go to the build folder, so the seeds in
# corpus/ change only when someone means them to. An input that crashes,
# breaks a check or takes longer than FUZZ_TIMEOUT seconds (3 unless set)
# fails the run; it is left in <build>/artifacts/<target>/ and named in a
# line starting "FUZZ FAILED". One process each: the machine is shared.
set -euo pipefail

seconds=${1:-60}
shift $(( $# > 0 ? 1 : 0 ))
here=$(cd "$(dirname "$0")" && pwd)
targets=${*:-$(cd "$here" && ls *_fuzz.cpp | sed 's/_fuzz\.cpp$//')}
root=$(cd "$here/../.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
timeout=${FUZZ_TIMEOUT:-3}

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ -DPLIMMERLO_FUZZ=ON >/dev/null
cmake --build "$build" --parallel 2 --target $(printf '%s_fuzz ' $targets)

# Names what a failed run left behind, so that the reproducer is at hand.
report() {
    local target=$1 what=$2 stamp=$3 found
    found=$(find "$build/artifacts/$target" -type f -newer "$stamp" | tr '\n' ' ')
    echo "FUZZ FAILED: $target: $what; reproducer: ${found:-none saved, see the log above}"
    status=1
}

status=0
for target in $targets; do
    binary=$build/tests/fuzz/${target}_fuzz
    work=$build/corpus/$target
    artifacts=$build/artifacts/$target/
    stamp=$build/artifacts/$target.started
    mkdir -p "$work" "$artifacts"
    touch "$stamp"
    # 64 KiB lets a picture declare megapixels and thousands of scans. A BMP
    # reader's cost per byte shows only in megabytes, so its inputs may be
    # as large as a photograph's file. A single allocation above the
    # loader's 256 MiB ceiling is a fault; the whole process, ASan's shadow
    # and quarantine included, stays under 2 GB.
    max_len=65536
    [[ $target == bmp ]] && max_len=$((4 << 20))
    flags=(-dict="$here/$target.dict" -max_len=$max_len -timeout="$timeout" -rss_limit_mb=2048
           -malloc_limit_mb=300 -artifact_prefix="$artifacts")
    regressions=("$here/regressions/$target"/*)
    if [[ -e ${regressions[0]} ]]; then
        echo "== $target: replaying ${#regressions[@]} reproducer(s)"
        "$binary" "${flags[@]}" "${regressions[@]}" || { report "$target" "a saved reproducer fails" "$stamp"; continue; }
    fi
    echo "== $target: fuzzing for $seconds s"
    "$binary" "${flags[@]}" -max_total_time="$seconds" -print_final_stats=1 "$work" "$here/corpus/$target" \
        || report "$target" "an input crashed, failed a check or ran over ${timeout} s" "$stamp"
done
exit $status
