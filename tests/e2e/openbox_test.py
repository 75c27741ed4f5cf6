#!/usr/bin/env python3
"""Under a window manager (openbox) a photo larger than the screen gets the same room at
start-up as when the same game is restored later: the window keeps its size."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from e2e_test import fail, geometry, start_playing, start_x_server, stop, write_bmp, xdotool

SETTINGS = (
    "[OPTIONS]\r\ngamename=Gross\r\n"
    "[Gross-GAME]\r\nfilename=gross.bmp\r\ndate=07.12.26 12:00\r\nrows=8\r\ncols=10\r\ngrid=0\r\n"
    "color1=1\r\ncolor2=1\r\ncolor3=0\r\ncolor4=0\r\ncolor5=0\r\n"
)


def main():
    binary = sys.argv[1]
    if not shutil.which("openbox"):
        fail("openbox is not installed (make test installs it)")
    folder = tempfile.mkdtemp(prefix="plimmerlo-openbox-")
    server, display = start_x_server()
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_CACHE_HOME=os.path.join(folder, "cache"))
    manager = subprocess.Popen(["openbox", "--sm-disable"], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    shutil.copy(binary, os.path.join(folder, "plimmerlo"))
    write_bmp(os.path.join(folder, "gross.bmp"), 2000, 1500, (90, 140, 60))
    with open(os.path.join(folder, "plimmerlo.ini"), "wb") as f:
        f.write(SETTINGS.encode("cp1252"))
    time.sleep(0.5)  # openbox takes over the screen
    game = subprocess.Popen([os.path.join(folder, "plimmerlo")], cwd=folder, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        main_window = start_playing()
        time.sleep(0.5)
        at_start = geometry(main_window)[2:]
        xdotool("windowactivate", "--sync", main_window)
        xdotool("key", "alt+e", "Up", "Return")  # "Wiederherstellen", the menu's last item
        time.sleep(1.5)
        later = geometry(main_window)[2:]
        if at_start != later:
            fail(f"the window was {at_start[0]} x {at_start[1]} at start-up and {later[0]} x {later[1]} "
                 "when the same game was restored")
        xdotool("key", "F10")
        game.wait(timeout=10)
        print("1 passed, 0 failed")
        return 0
    finally:
        stop(game, folder, manager, server)


if __name__ == "__main__":
    sys.exit(main())
