#!/usr/bin/env python3
"""`cmake --install` lays the game out as one folder with a command and a desktop entry."""
import os
import subprocess
import sys
import tempfile


def main():
    build = sys.argv[1]
    # A blank in the prefix, as in a home folder's name, must not split the entry's command.
    with tempfile.TemporaryDirectory(prefix="plimmerlo install-") as prefix:
        subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
        folder = os.path.join(prefix, "lib", "plimmerlo")
        program = os.path.join(folder, "plimmerlo")
        problems = []
        if not os.access(program, os.X_OK):
            problems.append("no program in " + folder)
        if os.path.realpath(os.path.join(prefix, "bin", "plimmerlo")) != os.path.realpath(program):
            problems.append("the command does not lead to the program")
        if not os.path.isfile(os.path.join(folder, "schule.bmp")):
            problems.append("no schule.bmp beside the program")
        if not os.path.isfile(os.path.join(prefix, "share", "icons", "hicolor", "64x64", "apps", "plimmerlo.png")):
            problems.append("no icon")
        entry_path = os.path.join(prefix, "share", "applications", "de.grumbeck.plimmerlo.desktop")
        entry = open(entry_path, encoding="utf-8").read() if os.path.isfile(entry_path) else ""
        for line in ("[Desktop Entry]", "Type=Application", "Name=GR Plimmerlo", f'Exec="{program}" %f', f"Path={folder}",
                     "Icon=plimmerlo", "Categories=Game;", "MimeType=image/bmp;image/jpeg;"):
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
