#!/usr/bin/env python3
"""The game starts natively under a Wayland compositor (a headless weston): its window is
painted, whole on the output with room to spare for a desktop's panels even with a photo
larger than the output, and nothing is printed on the error stream on the way, not even a
warning."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from e2e_test import write_bmp

PANELS = 48     # what the window leaves free for a desktop's top bar and dock


def main():
    probe = os.path.abspath(sys.argv[1])   # the program's own start-up, ended at the window's first paint
    if not shutil.which("weston"):
        print("FAILED: weston is not installed (Debian package weston)")
        return 1
    runtime = tempfile.mkdtemp(prefix="plimmerlo-wayland-")
    os.chmod(runtime, 0o700)
    socket = "plimmerlo-%d" % os.getpid()
    env = {"PATH": os.environ["PATH"], "XDG_RUNTIME_DIR": runtime, "HOME": runtime,
           "XDG_CONFIG_HOME": os.path.join(runtime, "config")}
    compositor = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=" + socket,
                                   "--idle-time=0", "--log=" + os.path.join(runtime, "weston.log")],
                                  env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        end = time.time() + 15
        while not os.path.exists(os.path.join(runtime, socket)):
            if time.time() > end or compositor.poll() is not None:
                print("FAILED: weston did not start")
                return 1
            time.sleep(0.1)
        photo = os.path.join(runtime, "gross.bmp")
        write_bmp(photo, 2000, 1500, (90, 140, 60))
        game = subprocess.run([probe, photo], env={**env, "WAYLAND_DISPLAY": socket, "QT_QPA_PLATFORM": "wayland",
                                            "PROBE_LAUNCH_NS": "0"},
                              cwd=runtime, capture_output=True, text=True, timeout=60)
        problems = []
        if game.returncode != 0 or "painted_ms" not in game.stdout:
            problems.append(f"the window was not painted (exit {game.returncode})")
        frames = [line.split() for line in game.stdout.splitlines() if line.startswith("frame ")]
        if frames:
            width, height, screen_width, screen_height = (int(frames[0][i]) for i in (1, 2, 4, 5))
            if width > screen_width or height + PANELS > screen_height:
                problems.append(f"the window of {width} x {height} with its border does not fit on the "
                                f"{screen_width} x {screen_height} output beside the panels")
        if game.stderr.strip():
            problems.append("it printed: " + game.stderr.strip())
        if problems:
            print("FAILED:", "; ".join(problems))
            return 1
        print("1 passed, 0 failed")
        return 0
    finally:
        compositor.terminate()
        compositor.wait()
        shutil.rmtree(runtime, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
