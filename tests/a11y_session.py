"""A desktop session of the tests' own for the accessibility tests: an X
server, optionally a window manager, a session bus (on which the AT-SPI bus
launcher and registry start when asked), all ended when the session is.

Nothing in it is shared with other programs on the machine: the X server
picks a display whose every socket is free, and the bus has an address of its
own, so that neither the tests nor the game ever reach another session's.
Run by Debian's /usr/bin/python3, which has the gi bindings."""
import ctypes
import os
import select
import signal
import subprocess
import tempfile
import time

GUARD = 60  # seconds; only a hung program gets this far
PR_SET_CHILD_SUBREAPER = 36


def fail(message):
    raise AssertionError(message)


class World:
    def __init__(self, window_manager=False):
        self.window_manager = window_manager

    def __enter__(self):
        become_subreaper()
        self.tmp = tempfile.TemporaryDirectory(prefix="dovrel-a11y-")
        os.chmod(self.tmp.name, 0o700)
        self.groups = []
        home = os.path.join(self.tmp.name, "home")
        os.mkdir(home)
        env = dict(os.environ, XDG_RUNTIME_DIR=self.tmp.name, HOME=home,
                   XDG_CONFIG_HOME=os.path.join(home, ".config"), XDG_DATA_HOME=os.path.join(home, ".local"),
                   XDG_CACHE_HOME=os.path.join(home, ".cache"))
        for name in ("AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON"):
            env.pop(name, None)
        env["DISPLAY"] = self.start_x(env)
        self.bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], env,
                              stdout=subprocess.PIPE)
        env["DBUS_SESSION_BUS_ADDRESS"] = self.bus.stdout.readline().decode().strip()
        env["QT_QPA_PLATFORM"] = "xcb"
        if self.window_manager:
            self.start(["openbox", "--sm-disable"], env, stderr=subprocess.DEVNULL)
            wait_for_window_manager(env)
        self.env = env
        os.environ.update(env)  # libatspi finds the bus through them
        return self

    def start_x(self, env):
        """An X server on the first display that is free on every transport:
        a display taken by another server elsewhere on the machine (another
        mount namespace, a chroot) is skipped, not shared."""
        read_end, write_end = os.pipe()
        xvfb = self.start(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp",
                           "-screen", "0", "1024x768x24"], env, pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as ready:
            display = ready.readline().strip()
        if not display:
            fail(f"Xvfb did not start ({xvfb.wait()})")
        return f":{display}"

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
        self.tmp.cleanup()
        if left and not exc[0]:
            fail("left running: " + ", ".join(left))
        return False


def wait_for_window_manager(env):
    """A window shown before the window manager runs is never handed the
    activation: wait until it says how many desktops it keeps."""
    deadline = time.monotonic() + GUARD
    while time.monotonic() < deadline:
        answer = subprocess.run(["xdotool", "get_num_desktops"], env=env, capture_output=True, text=True)
        if answer.returncode == 0 and answer.stdout.strip() not in ("", "0"):
            return
        time.sleep(0.05)
    fail("the window manager never started")


def become_subreaper():
    """Orphans of what the test starts (the bus launcher and the registry,
    started by the bus) come to the test, which then ends them all."""
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
                fields = f.read().rsplit(")", 1)[1].split()
            with open(f"/proc/{pid}/comm") as f:
                name = f.read().strip()
        except OSError:
            continue
        if int(fields[1]) == os.getpid():
            left.append(f"{name} ({pid})")
            os.kill(int(pid), signal.SIGKILL)
    while True:
        try:
            os.waitpid(-1, 0)
        except ChildProcessError:
            return left


class Probe:
    """The game under test, which says on its output what it has done."""

    def __init__(self, world, command):
        self.process = world.start(command, world.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE)

    def line(self, pump=lambda: None):
        """The probe's next line, handling bus events meanwhile."""
        deadline = time.monotonic() + GUARD
        while time.monotonic() < deadline:
            pump()
            ready, _, _ = select.select([self.process.stdout], [], [], 0.02)
            if ready:
                text = self.process.stdout.readline().decode()
                if not text:
                    fail(f"the probe ended ({self.process.wait()})")
                return text.split()
        state = "still running" if self.process.poll() is None else f"ended ({self.process.returncode})"
        fail(f"the probe said nothing ({state})")

    def tell(self, command):
        self.process.stdin.write(command.encode() + b"\n")
        self.process.stdin.flush()

    def quit(self):
        self.tell("quit")
        status = self.process.wait(GUARD)
        if status != 0:
            fail(f"the probe ended with {status}")


def find_app(pyatspi):
    """The game, once it has joined the accessibility bus, which it does
    in its own time."""
    deadline = time.monotonic() + GUARD
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "Dovrel":
                return app
        time.sleep(0.05)
    fail("the game is not on the accessibility bus")


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def find(app, role, name=None, description=None):
    """By role (pyatspi's constant: the roles' names differ between AT-SPI's
    versions), and by name or description."""
    for node in walk(app):
        if node.getRole() == role and name in (None, node.name) \
                and description in (None, node.description):
            return node
    fail(f"no {role.value_nick} {name or description!r}")
