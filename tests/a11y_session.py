"""A desktop session of the tests' own for the accessibility tests: an X
server, optionally a window manager, a session bus (on which the AT-SPI bus
launcher and registry start when asked), all ended when the session is.

Nothing in it is shared with other programs on the machine: the X server
picks a display whose every socket is free, and the bus has an address of its
own, so that neither the tests nor the game ever reach another session's.
Run by Debian's /usr/bin/python3, which has the gi bindings."""
import os
import select
import subprocess
import sys
import time

from session import Session, fail

GUARD = 60  # seconds; only a hung program gets this far


class World(Session):
    prefix = "dovrel-a11y-"

    def __init__(self, window_manager=False):
        self.window_manager = window_manager

    def begin(self):
        home = os.path.join(self.tmp.name, "home")
        os.mkdir(home)
        env = dict(os.environ, XDG_RUNTIME_DIR=self.tmp.name, HOME=home,
                   XDG_CONFIG_HOME=os.path.join(home, ".config"), XDG_DATA_HOME=os.path.join(home, ".local"),
                   XDG_CACHE_HOME=os.path.join(home, ".cache"))
        for name in ("AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON"):
            env.pop(name, None)
        env["DISPLAY"] = self.start_x(env, "1024x768x24")
        self.bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], env,
                              stdout=subprocess.PIPE)
        env["DBUS_SESSION_BUS_ADDRESS"] = self.bus.stdout.readline().decode().strip()
        env["QT_QPA_PLATFORM"] = "xcb"
        if self.window_manager:
            self.start(["openbox", "--sm-disable"], env, stderr=subprocess.DEVNULL)
            wait_for_window_manager(env)
        self.env = env
        os.environ.update(env)  # libatspi finds the bus through them


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


class Probe:
    """The game under test, which says on its output what it has done."""

    def __init__(self, world, command, env=None):
        self.process = world.start(command, env or world.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE)

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
        if self.process.poll() is not None:
            fail(f"the probe said nothing (ended ({self.process.returncode}))")
        fail(f"the probe said nothing (still running; {self.state()})")

    def state(self):
        """What a probe that keeps silent has come to, if it still answers."""
        try:
            self.tell("state")
        except OSError:
            return "its input is closed"
        ready, _, _ = select.select([self.process.stdout], [], [], 5)
        if not ready:
            return "it does not answer: stuck outside its event loop"
        return self.process.stdout.readline().decode().strip()

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


def run(main):
    """Runs a test's main on the probe named by its one argument; a failed
    check ends it with 1."""
    try:
        main(sys.argv[1])
    except AssertionError as error:
        print("FAIL:", error, file=sys.stderr)
        sys.exit(1)
