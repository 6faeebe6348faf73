"""What the tests that start real components share: a runtime folder of
their own and the processes started in it, all ended when the test is done.
Run by Debian's /usr/bin/python3."""
import ctypes
import os
import signal
import subprocess
import sys
import tempfile
import time

PR_SET_CHILD_SUBREAPER = 36


def fail(message):
    raise AssertionError(message)


class Session:
    """Entered, it makes the folder and calls begin(), which starts what the
    test needs; left, it ends every process group it started, and fails when
    any of their processes had to be killed."""

    prefix = "dovrel-"

    def begin(self):
        raise NotImplementedError

    def __enter__(self):
        become_subreaper()
        self.tmp = tempfile.TemporaryDirectory(prefix=self.prefix)
        os.chmod(self.tmp.name, 0o700)
        self.groups = []
        try:
            self.begin()
        except BaseException:
            self.__exit__(*sys.exc_info())
            raise
        return self

    def start(self, command, env, **kwargs):
        process = subprocess.Popen(command, env=env, start_new_session=True, **kwargs)
        self.groups.append(process)
        return process

    def start_x(self, env, screen):
        """An X server on the first display that is free on every transport:
        a display taken by another server elsewhere on the machine (another
        mount namespace, a chroot) is skipped, not shared."""
        read_end, write_end = os.pipe()
        xvfb = self.start(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-screen", "0", screen],
                          env, pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as ready:
            display = ready.readline().strip()
        if not display:
            fail(f"Xvfb did not start ({xvfb.wait()})")
        return f":{display}"

    def __exit__(self, *exc):
        for process in reversed(self.groups):
            try:
                os.killpg(process.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        left = reap_all()
        self.tmp.cleanup()
        if left and not exc[0]:
            fail("left running: " + ", ".join(left))
        return False


def unwinding_through_qt(env):
    """The environment for a sanitized program whose leaks tests/lsan.supp
    names by Qt's frames: Qt's libraries keep no frame pointers, and only
    the slow unwinder reaches those frames."""
    if "ASAN_OPTIONS" not in env:
        return env
    return dict(env, ASAN_OPTIONS=env["ASAN_OPTIONS"] + ":fast_unwind_on_malloc=0")


def become_subreaper():
    """Orphans of what the test starts (helpers started by a bus or a
    compositor) come to the test, which then ends them all."""
    if ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1) != 0:
        fail("cannot adopt the processes it starts")


def reap_all(patience=5.0):
    """Waits for every child to end; any still running after a while is
    killed, and named."""
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
    while True:
        try:
            os.waitpid(-1, 0)
        except ChildProcessError:
            return left
