#!/usr/bin/env python3
"""The Debian package: as clean as Debian's own checker wants it, and, unpacked into a scratch
root, played by someone who may not write in the program's folder: the game saved must land in
that player's configuration folder."""
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

from e2e_test import fail, save_game, start_playing, start_x_server


def main():
    scratch = tempfile.mkdtemp(prefix="plimmerlo-package-")
    root, home = os.path.join(scratch, "root"), os.path.join(scratch, "home")
    folder = os.path.join(root, "usr", "games")
    server = game = None
    try:
        subprocess.run(["cpack", "--config", os.path.join(sys.argv[1], "CPackConfig.cmake"), "-B", scratch], check=True)
        package = glob.glob(os.path.join(scratch, "plimmerlo_*.deb"))[0]
        # Information tags are kept on purpose (see the closing note of the
        # packaging); an error or a warning is a fault.
        report = subprocess.run(["lintian", "--pedantic", "--display-info", "--tag-display-limit", "0", package],
                                capture_output=True, text=True).stdout
        faults = [line for line in report.splitlines() if line[:2] in ("E:", "W:") or " hardening-" in line]
        if faults:
            fail("lintian: " + "; ".join(faults))
        subprocess.run(["dpkg", "-x", package, root], check=True)
        subprocess.run(["desktop-file-validate", os.path.join(root, "usr/share/applications/de.grumbeck.plimmerlo.desktop")],
                       check=True)
        subprocess.run(["appstreamcli", "validate", "--no-net",
                        os.path.join(root, "usr/share/metainfo/de.grumbeck.plimmerlo.metainfo.xml")], check=True)
        os.chmod(scratch, 0o755)
        os.mkdir(home)
        # Root may write anywhere, so it hands the game to nobody; anyone
        # else closes the program's folder to themselves.
        player = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"] if os.geteuid() == 0 else []
        if player:
            shutil.chown(home, "nobody", "nogroup")
        else:
            os.chmod(folder, 0o555)
        server, display = start_x_server()
        env = {"PATH": os.environ["PATH"], "DISPLAY": display, "QT_QPA_PLATFORM": "xcb", "HOME": home,
               "XDG_CONFIG_HOME": os.path.join(home, ".config")}
        game = subprocess.Popen(player + [os.path.join(folder, "plimmerlo")], cwd=home, env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        save_game(start_playing(), "Paket")
        settings = os.path.join(home, ".config/plimmerlo/plimmerlo.ini")
        end = time.time() + 5
        while not (os.path.exists(settings) and b"[Paket-GAME]" in open(settings, "rb").read()):
            if time.time() > end:
                fail(f"saving wrote no game to {settings}")
            time.sleep(0.1)
        print("1 passed, 0 failed")
        return 0
    finally:
        if game:
            game.kill()
        if server:
            server.terminate()
        if os.path.isdir(folder):
            os.chmod(folder, 0o755)
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
