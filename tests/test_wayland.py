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
import ctypes
import os
import signal
import subprocess
import sys
import tempfile
import time

GUARD = 90  # seconds; only a hung program or compositor gets this far
PR_SET_CHILD_SUBREAPER = 36


def fail(message):
    raise AssertionError(message)


class Compositor:
    """weston with a socket of its own, in a runtime folder of its own; with
    nested, inside an X server of its own as well."""

    def __init__(self, nested):
        self.nested = nested

    def __enter__(self):
        self.tmp = tempfile.TemporaryDirectory(prefix="dovrel-wayland-")
        os.chmod(self.tmp.name, 0o700)
        self.groups = []
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET")}
        env["XDG_RUNTIME_DIR"] = self.tmp.name
        socket = f"dovrel-test-{os.getpid()}"
        command = ["weston", "--no-config", "--use-pixman", "--idle-time=0", f"--socket={socket}"]
        if self.nested:
            command += ["--backend=x11-backend.so", "--width=1100", "--height=760"]
            weston_env = dict(env, DISPLAY=self.start_x(env))
        else:
            command += ["--backend=headless-backend.so"]
            weston_env = env
        self.log = open(os.path.join(self.tmp.name, "weston.log"), "w+")
        self.weston = self.start(command, weston_env, stdout=self.log, stderr=subprocess.STDOUT)
        path = os.path.join(self.tmp.name, socket)
        deadline = time.monotonic() + GUARD
        while not os.path.exists(path):
            if self.weston.poll() is not None or time.monotonic() > deadline:
                self.log.seek(0)
                fail("weston did not start:\n" + self.log.read())
            time.sleep(0.05)
        # Nothing of X for the game: it must run on the compositor, or not at all.
        self.env = dict(env, WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM="wayland")
        return self

    def start_x(self, env):
        """An X server on a display far from the ones other programs take by habit."""
        first = 300 + os.getpid() % 250
        for display in range(first, first + 20):
            if os.path.exists(f"/tmp/.X{display}-lock"):
                continue
            read_end, write_end = os.pipe()
            xvfb = subprocess.Popen(["Xvfb", f":{display}", "-displayfd", str(write_end), "-nolisten", "tcp",
                                     "-screen", "0", "1200x800x24"], env=env, start_new_session=True,
                                    pass_fds=(write_end,), stderr=subprocess.DEVNULL)
            os.close(write_end)
            with os.fdopen(read_end) as ready:
                if ready.readline().strip():
                    self.groups.append(xvfb)
                    return f":{display}"
            xvfb.wait()  # another server took the display first
        fail("Xvfb found no free display")

    def start(self, command, env, **kwargs):
        process = subprocess.Popen(command, env=env, start_new_session=True, **kwargs)
        self.groups.append(process)
        return process

    def __exit__(self, *exc):
        for process in reversed(self.groups):
            try:
                os.killpg(process.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        left = reap_all()
        self.log.close()
        self.tmp.cleanup()
        if left and not exc[0]:
            fail("left running: " + ", ".join(left))
        return False


def become_subreaper():
    """weston's own helpers (its shell and keyboard clients) come to the test
    when weston ends, and the test ends them too."""
    if ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1) != 0:
        fail("cannot adopt the processes it starts")


def reap_all(patience=5.0):
    """Waits for every child to end; any still running after a while is killed, and named."""
    deadline = time.monotonic() + patience
    while time.monotonic() < deadline:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return []
        if pid == 0:
            time.sleep(0.02)
    left = []
    for pid in os.listdir("/proc"):
        try:
            with open(f"/proc/{pid}/stat") as f:
                parent = int(f.read().rsplit(")", 1)[1].split()[1])
            with open(f"/proc/{pid}/comm") as f:
                name = f.read().strip()
        except (OSError, ValueError):
            continue
        if parent == os.getpid():
            left.append(f"{name} ({pid})")
            os.kill(int(pid), signal.SIGKILL)
    return left


def play(probe, nested):
    with Compositor(nested) as compositor:
        arguments = [probe] + (["--activated"] if nested else [])
        env = dict(compositor.env)
        if "ASAN_OPTIONS" in env:
            # Qt's Wayland libraries keep no frame pointers: only the slow
            # unwinder reaches the Qt frames that tests/lsan.supp names.
            env["ASAN_OPTIONS"] += ":fast_unwind_on_malloc=0"
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
    become_subreaper()
    for nested, name in ((False, "headless"), (True, "nested in Xvfb")):
        try:
            play(sys.argv[1], nested)
        except AssertionError as error:
            print(f"FAIL: weston {name}: {error}")
            sys.exit(1)
        print(f"PASS: weston {name}")


if __name__ == "__main__":
    main()
