#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each in turn for a bounded time:
#
#   tests/fuzz/run.sh [seconds per target] [target ...]     (targets: ini bmp jpeg)
#
# Every saved reproducer in regressions/<target>/ is replayed first and must
# pass. New inputs the fuzzers find go to the build folder, so the seeds in
# corpus/ change only when someone means them to; a failing input is left in
# <build>/artifacts/<target>/. One process each: the machine is shared.
set -euo pipefail

seconds=${1:-60}
shift $(( $# > 0 ? 1 : 0 ))
targets=${*:-ini bmp jpeg}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$here" -B "$build" "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --parallel 2

status=0
for target in $targets; do
    binary=$build/${target}_fuzz
    work=$build/corpus/$target
    artifacts=$build/artifacts/$target/
    mkdir -p "$work" "$artifacts"
    # A single allocation above the loader's 256 MiB ceiling is a fault; the
    # whole process, ASan's shadow and quarantine included, stays under 2 GB.
    flags=(-dict="$here/$target.dict" -timeout=25 -rss_limit_mb=2048 -malloc_limit_mb=300
           -artifact_prefix="$artifacts")
    regressions=("$here/regressions/$target"/*)
    if [[ -e ${regressions[0]} ]]; then
        echo "== $target: replaying ${#regressions[@]} reproducer(s)"
        "$binary" "${flags[@]}" "${regressions[@]}" || { status=1; continue; }
    fi
    echo "== $target: fuzzing for $seconds s"
    "$binary" "${flags[@]}" -max_total_time="$seconds" -print_final_stats=1 "$work" "$here/corpus/$target" || status=1
done
exit $status
