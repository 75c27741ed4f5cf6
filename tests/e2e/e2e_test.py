#!/usr/bin/env python3
"""The game as a person meets it: the real program in a real X server.

Starts plimmerlo under Xvfb beside a prepared settings file, reads the
stones off the screen, plays a move with the mouse and checks it against
the rules, undoes it with Alt+Backspace, saves a game through the chooser,
closes with F10 and checks the settings file on disk.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

COLS, ROWS, CELL = 10, 8, 40            # a 400 x 320 picture gives 40-pixel cells
PICTURE = (128, 128, 128)               # flat grey, so an empty cell is told at a glance
FACES = {1: (200, 32, 32), 2: (70, 90, 210)}  # red and blue stones
STATUS_HEIGHT = 19

SETTINGS = (
    "[OPTIONS]\r\ngamename=Probe\r\n"
    "[Probe-GAME]\r\nfilename=probe.bmp\r\ndate=07.12.26 12:00\r\nrows=8\r\ncols=10\r\ngrid=0\r\n"
    "color1=1\r\ncolor2=1\r\ncolor3=0\r\ncolor4=0\r\ncolor5=0\r\n"
    "[Andere-GAME]\r\nfilename=weg.jpg\r\ndate=01.01.26 08:00\r\nrows=9\r\ncols=11\r\n"
)


def fail(message):
    print("FAILED:", message)
    sys.exit(1)


def write_bmp(path, width, height, colour):
    row = bytes(reversed(colour)) * width
    row += b"\0" * ((4 - len(row) % 4) % 4)
    data = row * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + data)


class Screen:
    """The X server's frame buffer, which Xvfb keeps as an XWD file."""

    def __init__(self, path):
        self.path = path

    def grab(self):
        with open(self.path, "rb") as f:
            data = f.read()
        fields = struct.unpack(">25I", data[:100])
        header_size, width, height = fields[0], fields[4], fields[5]
        bits_per_pixel, bytes_per_line, ncolors = fields[11], fields[12], fields[19]
        if bits_per_pixel != 32:
            fail(f"unexpected frame buffer of {bits_per_pixel} bits a pixel")
        self.width, self.height, self.stride = width, height, bytes_per_line
        self.pixels = data[header_size + 12 * ncolors:]
        return self

    def rgb(self, x, y):
        at = y * self.stride + 4 * x
        b, g, r = self.pixels[at], self.pixels[at + 1], self.pixels[at + 2]
        return (r, g, b)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout.strip()


def wait_for_window(name, timeout=15):
    end = time.time() + timeout
    while time.time() < end:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], capture_output=True, text=True)
        if found.stdout.strip():
            return found.stdout.split()[0]
        time.sleep(0.1)
    fail(f"no window named {name!r} appeared")


def geometry(window):
    values = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", window).splitlines())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


# A test in a real window that cannot get one fails: passing without having
# played would hide every fault it is there to find.
def start_x_server(frames=None):
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            fail(f"{tool} is not installed (make test installs it)")
    server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"]
                              + (["-fbdir", frames] if frames else []),
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    display = server.stdout.readline().strip()
    if not display:
        fail("Xvfb could not start")
    os.environ["DISPLAY"] = ":" + display
    return server, ":" + display


def stop(game, folder, *servers):
    """Ends the game if it still runs, then the servers it ran under, and removes its folder."""
    if game.poll() is None:
        game.kill()
    for server in servers:
        server.terminate()
        server.wait()
    shutil.rmtree(folder, ignore_errors=True)


def start_playing():
    main_window = wait_for_window("^Grumbeck: Plimmerlo$")
    info = wait_for_window("^Info - 01.12.2001$")
    # Placed within the window: a window manager's border shifts what xdotool tells of its place.
    xdotool("mousemove", "--window", info, str(280 + 75), str(264 + 12), "click", "1")  # "Weiter zum Spiel"
    xdotool("mousemove", "0", "0")  # the pointer is drawn into the screen; keep it off the field
    end = time.time() + 5
    while subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Info - 01.12.2001$"],
                         capture_output=True).returncode == 0:
        if time.time() > end:
            fail("the info window did not close")
        time.sleep(0.1)
    return main_window


def save_game(main_window, name):
    # Without a window manager nobody hands the focus back after a dialog.
    xdotool("windowfocus", "--sync", main_window)
    xdotool("key", "alt+s")
    wait_for_window("^Das aktuelle Plimmerlo-Spiel Speichern ...$")
    time.sleep(0.3)  # the chooser takes the focus into its name field once it is up
    xdotool("key", "ctrl+a")
    xdotool("type", name)
    xdotool("key", "Tab", "space")  # from the name to "Spiel Speichern"


def read_board(screen, origin, timeout=5):
    """The colour code of every cell, read at each cell's centre, once the
    field shows nothing but stones and picture (a window above it may take
    a moment to be repainted away)."""
    end = time.time() + timeout
    while True:
        board = [[0] * ROWS for _ in range(COLS)]
        screen.grab()
        strange = None
        for col in range(COLS):
            for row in range(ROWS):
                pixel = screen.rgb(origin[0] + col * CELL + CELL // 2, origin[1] + row * CELL + CELL // 2)
                codes = [code for code, face in FACES.items() if face == pixel]
                if codes:
                    board[col][row] = codes[0]
                elif pixel != PICTURE:
                    strange = f"cell {col},{row} shows {pixel}, neither a stone nor the picture"
        if not strange:
            return board
        if time.time() > end:
            fail(strange)
        time.sleep(0.1)


def takeable(board, col, row):
    code = board[col][row]
    return code and any(0 <= c < COLS and 0 <= r < ROWS and board[c][r] == code
                        for c, r in ((col - 1, row), (col + 1, row), (col, row - 1), (col, row + 1)))


def play(board, col, row):
    """The rules of a move, written afresh: take the group, let stones fall, close empty columns rightwards."""
    board = [column[:] for column in board]
    code, todo = board[col][row], [(col, row)]
    while todo:
        c, r = todo.pop()
        if 0 <= c < COLS and 0 <= r < ROWS and board[c][r] == code:
            board[c][r] = 0
            todo += [(c - 1, r), (c + 1, r), (c, r - 1), (c, r + 1)]
    columns = [[0] * (ROWS - sum(1 for s in column if s)) + [s for s in column if s] for column in board]
    filled = [column for column in columns if any(column)]
    return [[0] * ROWS for _ in range(COLS - len(filled))] + filled


def settle(screen, origin, expected, what):
    end = time.time() + 5
    while time.time() < end:
        if read_board(screen, origin) == expected:
            return
        time.sleep(0.1)
    fail(f"the field after {what} does not show what the rules give")


def main():
    binary = sys.argv[1]
    folder = tempfile.mkdtemp(prefix="plimmerlo-e2e-")
    frames = os.path.join(folder, "frames")
    os.mkdir(frames)
    server, display = start_x_server(frames)
    shutil.copy(binary, os.path.join(folder, "plimmerlo"))
    write_bmp(os.path.join(folder, "probe.bmp"), COLS * CELL, ROWS * CELL, PICTURE)
    settings = os.path.join(folder, "plimmerlo.ini")
    with open(settings, "wb") as f:
        f.write(SETTINGS.encode("cp1252"))
    # The chooser's previews leave thumbnails in the cache, which stays the test's own.
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_CACHE_HOME=os.path.join(folder, "cache"))
    game = subprocess.Popen([os.path.join(folder, "plimmerlo")], cwd=folder, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        screen = Screen(os.path.join(frames, "Xvfb_screen0"))
        main_window = start_playing()
        x, y, width, height = geometry(main_window)
        if width != COLS * CELL:
            fail(f"the window is {width} pixels wide, not the picture's {COLS * CELL}")
        origin = (x, y + height - STATUS_HEIGHT - ROWS * CELL)
        before = read_board(screen, origin)
        if not any(any(column) for column in before):
            fail("no stones on the field")
        move = next(((c, r) for r in range(ROWS - 1, -1, -1) for c in range(COLS) if takeable(before, c, r)), None)
        if move is None:
            fail("this deal has no move to play")  # red and blue on 80 cells: practically impossible

        xdotool("mousemove", str(origin[0] + move[0] * CELL + CELL // 2), str(origin[1] + move[1] * CELL + CELL // 2),
                "click", "1", "mousemove", "0", "0")
        settle(screen, origin, play(before, *move), f"clicking cell {move}")

        xdotool("key", "alt+BackSpace")
        settle(screen, origin, before, "Alt+Backspace")

        save_game(main_window, "Zweites")
        end = time.time() + 5
        while b"Zweites-GAME" not in open(settings, "rb").read():
            if time.time() > end:
                fail("saving through the chooser wrote no game")
            time.sleep(0.1)

        # Without a window manager nobody hands the focus back after a dialog.
        xdotool("windowfocus", "--sync", main_window)
        xdotool("key", "F10")
        game.wait(timeout=10)
        stored = open(settings, "rb").read().decode("cp1252")
        for expected in ("gamename=Zweites\r\n", "[Zweites-GAME]\r\nfilename=probe.bmp\r\n", "rows=8\r\ncols=10\r\ngrid=0\r\n"
                         "color1=1\r\ncolor2=1\r\ncolor3=0\r\ncolor4=0\r\ncolor5=0\r\n", "firstgame=", "lastgame=",
                         "[Andere-GAME]\r\nfilename=weg.jpg\r\ndate=01.01.26 08:00\r\nrows=9\r\ncols=11\r\n"):
            if expected not in stored:
                fail(f"the settings file lacks {expected!r}:\n{stored}")
        print("1 passed, 0 failed")
        return 0
    finally:
        stop(game, folder, server)


if __name__ == "__main__":
    sys.exit(main())
