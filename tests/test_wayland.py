"""The game on a real Wayland compositor, as Qt runs it in a Wayland session.

Starts weston twice, each time on a socket and runtime folder of its own, and
runs wayland_probe on it, which plays a match's way through from inside
(setup, a take, a game's end and the next game, About, the winner dialog and
Exit with its question) and says what happened:
  - headless: a compositor that never activates a window; the board must get
    its row all the same;
  - nested in its own Xvfb, with a keyboard seat: the compositor activates the
    board in its own time, and that activation must not deal again.
Whatever the test starts, it stops.

    /usr/bin/python3 test_wayland.py PROBE
"""
import os
import subprocess
import sys
import time

from session import Session, fail, unwinding_through_qt

GUARD = 90  # seconds; only a hung program or compositor gets this far


class Compositor(Session):
    """weston with a socket of its own, in a runtime folder of its own; with
    nested, inside an X server of its own as well."""

    prefix = "dovrel-wayland-"

    def __init__(self, nested):
        self.nested = nested

    def begin(self):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET")}
        env["XDG_RUNTIME_DIR"] = self.tmp.name
        socket = f"dovrel-test-{os.getpid()}"
        command = ["weston", "--no-config", "--use-pixman", "--idle-time=0", f"--socket={socket}"]
        if self.nested:
            command += ["--backend=x11-backend.so", "--width=1100", "--height=760"]
            weston_env = dict(env, DISPLAY=self.start_x(env, "1200x800x24"))
        else:
            command += ["--backend=headless-backend.so"]
            weston_env = env
        log = os.path.join(self.tmp.name, "weston.log")
        with open(log, "w") as output:
            weston = self.start(command, weston_env, stdout=output, stderr=subprocess.STDOUT)
        path = os.path.join(self.tmp.name, socket)
        deadline = time.monotonic() + GUARD
        while not os.path.exists(path):
            if weston.poll() is not None or time.monotonic() > deadline:
                with open(log) as said:
                    fail("weston did not start:\n" + said.read())
            time.sleep(0.05)
        # Nothing of X for the game: it must run on the compositor, or not at all.
        self.env = dict(env, WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM="wayland")


def play(probe, nested):
    with Compositor(nested) as compositor:
        arguments = [probe] + (["--activated"] if nested else [])
        env = unwinding_through_qt(compositor.env)
        try:
            run = subprocess.run(arguments, env=env, capture_output=True, text=True, timeout=GUARD)
        except subprocess.TimeoutExpired as hung:
            fail(f"the probe hung; it said:\n{hung.stdout or ''}{hung.stderr or ''}")
        lines = run.stdout.splitlines()
        report = "\n".join(lines) + ("\n" + run.stderr if run.stderr else "")
        if run.returncode != 0 or "end 0" not in lines:
            fail(f"the probe ended with {run.returncode}:\n{report}")
        # The first game's score (the match's last game has the winner
        # dialog instead), then the exit question.
        boxes = [line for line in lines if line.startswith("box ")]
        if boxes != ["box Score For This Game", "box Exit Check..."]:
            fail(f"message boxes: {boxes}\n{report}")
        if nested != ("active" in lines):
            fail(f"the compositor {'never activated' if nested else 'activated'} the board:\n{report}")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for nested, name in ((False, "headless"), (True, "nested in Xvfb")):
        try:
            play(sys.argv[1], nested)
        except AssertionError as error:
            print(f"FAIL: weston {name}: {error}")
            sys.exit(1)
        print(f"PASS: weston {name}")


if __name__ == "__main__":
    main()
