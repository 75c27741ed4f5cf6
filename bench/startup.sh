#!/bin/bash
# Start-up time and peak memory of the game against a bare Qt main window,
# from launch to the first paint of its window on a real X server.
#   bench/startup.sh BUILD_FOLDER [RUNS]
set -euo pipefail

build=$(realpath "${1:?usage: $0 BUILD_FOLDER [RUNS]}")
runs=${2:-30}
source_dir=$(dirname "$(realpath "$0")")/..

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    if ! command -v Xvfb >/dev/null; then
        echo "startup.sh: Xvfb is not installed (Debian package xvfb); start-up benchmark skipped"
        exit 0
    fi
    # Xvfb picks a free display itself and names it on fd 3 once it listens.
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
        sleep 0.05
    done
    [ -s "$work/display" ] || { echo "startup.sh: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(cat "$work/display")"
fi
export QT_QPA_PLATFORM=xcb

# The game looks for its default picture in the folder it starts in.
cp "$source_dir/art/schule.bmp" "$work/"
# A 24-megapixel photograph, shown in the room the screen leaves it.
"$build/bench/picture_bench" --write-photo "$work/photo.jpg"
cd "$work"

python3 - "$build/bench/startup_probe_game" "$build/bench/startup_probe_bare" "$runs" "$work/photo.jpg" <<'PY'
import os, statistics, subprocess, sys, time

game, bare, runs, photo = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]

def run(program, *args):
    env = dict(os.environ, PROBE_LAUNCH_NS=str(time.monotonic_ns()))
    done = subprocess.run([program, *args], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, check=True, env=env)
    lines = done.stdout.splitlines()
    painted = next(float(line.split()[1]) for line in lines if line.startswith("painted_ms"))
    kib = next(int(line.split()[1]) for line in lines if line.startswith("peak_rss_kib"))
    return painted, kib

# One unmeasured run each fills the file cache; alternating the rest spreads
# any drift of the machine over both.
run(game); run(bare)
times = {game: [], bare: []}
peaks = {game: [], bare: []}
for _ in range(runs):
    for program in (game, bare):
        ms, kib = run(program)
        times[program].append(ms)
        peaks[program].append(kib)

t_game, t_bare = statistics.median(times[game]), statistics.median(times[bare])
m_game, m_bare = statistics.median(peaks[game]) / 1024, statistics.median(peaks[bare]) / 1024
print(f"start-up, median of {runs} runs: game {t_game:.1f} ms, bare QMainWindow {t_bare:.1f} ms")
print(f"start-up game / bare: {t_game / t_bare:.3f} (goal: at most 1.3)")
print(f"peak RSS: game {m_game:.1f} MiB, bare QMainWindow {m_bare:.1f} MiB")
print(f"start-up RSS game - bare: {m_game - m_bare:.1f} MiB (goal: at most 15 MiB)")
m_photo = statistics.median(run(game, photo)[1] for _ in range(5)) / 1024
print(f"peak RSS with a 24-megapixel photo - with the default picture: {m_photo - m_game:.1f} MiB (goal: at most 40 MiB)")
PY
