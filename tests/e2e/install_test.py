#!/usr/bin/env python3
"""`cmake --install` lays the game out as Debian lays out games, with a command on the player's
PATH and a desktop entry."""
import os
import subprocess
import sys
import tempfile


def main():
    build = sys.argv[1]
    # A blank in the prefix, as in a home folder's name, must not split the entry's command.
    with tempfile.TemporaryDirectory(prefix="plimmerlo install-") as prefix:
        subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
        program = os.path.join(prefix, "games", "plimmerlo")
        problems = []
        if not os.access(program, os.X_OK):
            problems.append("no program " + program)
        if os.path.realpath(os.path.join(prefix, "bin", "plimmerlo")) != os.path.realpath(program):
            problems.append("the command does not lead to the program")
        for data in ("share/plimmerlo/schule.bmp", "share/icons/hicolor/16x16/apps/plimmerlo.png",
                     "share/man/man6/plimmerlo.6.gz", "share/man/de/man6/plimmerlo.6.gz"):
            if not os.path.isfile(os.path.join(prefix, data)):
                problems.append("no " + data)
        entry_path = os.path.join(prefix, "share", "applications", "de.grumbeck.plimmerlo.desktop")
        entry = open(entry_path, encoding="utf-8").read() if os.path.isfile(entry_path) else ""
        for line in ("[Desktop Entry]", "Type=Application", "Name=GR Plimmerlo", f'Exec="{program}" %f',
                     "Icon=plimmerlo", "Categories=Game;", "MimeType=image/bmp;image/jpeg;image/png;image/webp;image/gif;image/tiff;"):
            if line not in entry:
                problems.append(f"the desktop entry lacks {line!r}")
        check = subprocess.run(["desktop-file-validate", entry_path], capture_output=True, text=True)
        if check.returncode != 0 or check.stdout:
            problems.append("desktop-file-validate: " + check.stdout + check.stderr)
        if problems:
            print("FAILED:", "; ".join(problems))
            return 1
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
