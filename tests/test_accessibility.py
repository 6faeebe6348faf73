"""The board on a real accessibility bus, read as a screen reader reads it.

Starts its own X server, session bus and AT-SPI registry, runs the board in
accessibility_probe (which says what picture each token was dealt) and reads
it through pyatspi. After the deal, every token reads the kind of its picture.
A take is then played through the bus as a screen reader user plays it; the
taken tokens leave the row, and each change is sent as it happens. Whatever
the test starts, it stops.

Run by Debian's /usr/bin/python3, which has the gi bindings:
    /usr/bin/python3 test_accessibility.py PROBE
"""
import ctypes
import os
import re
import select
import signal
import subprocess
import sys
import tempfile
import time

KIND = {"P": "positive", "N": "negative", "U": "neutral"}
TOKEN = re.compile(r"Token (\d+): (\w+)$")
GUARD = 60  # seconds; only a hung program gets this far
PR_SET_CHILD_SUBREAPER = 36


def fail(message):
    raise AssertionError(message)


class World:
    """An X server and a session bus of their own; the AT-SPI bus launcher
    and registry start on that bus when the game asks for them."""

    def __enter__(self):
        become_subreaper()
        self.tmp = tempfile.TemporaryDirectory(prefix="dovrel-a11y-")
        os.chmod(self.tmp.name, 0o700)
        self.groups = []
        env = dict(os.environ, XDG_RUNTIME_DIR=self.tmp.name)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        env["DISPLAY"] = self.start_x(env)
        self.bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], env,
                              stdout=subprocess.PIPE)
        env["DBUS_SESSION_BUS_ADDRESS"] = self.bus.stdout.readline().decode().strip()
        env["QT_QPA_PLATFORM"] = "xcb"
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        self.env = env
        os.environ.update(env)  # libatspi finds the bus through them
        return self

    def start_x(self, env):
        """An X server on a display of its own. Far from the low numbers
        other programs take by habit, so that none of them reaches it."""
        first = 600 + os.getpid() % 300
        for display in range(first, first + 20):
            if os.path.exists(f"/tmp/.X{display}-lock"):
                continue
            read_end, write_end = os.pipe()
            xvfb = subprocess.Popen(["Xvfb", f":{display}", "-displayfd", str(write_end), "-nolisten", "tcp",
                                     "-screen", "0", "1024x768x24"], env=env, start_new_session=True,
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
        for process in self.groups:
            try:
                os.killpg(process.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        left = reap_all()
        self.tmp.cleanup()
        if left and not exc[0]:
            fail("left running: " + ", ".join(left))
        return False


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
    def __init__(self, world, path):
        self.process = world.start([path], world.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE)

    def line(self, pump):
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

    def quit(self):
        self.process.stdin.write(b"quit\n")
        self.process.stdin.flush()
        status = self.process.wait(GUARD)
        if status != 0:
            fail(f"the probe ended with {status}")


def main(probe_path):
    with World() as world:
        import pyatspi
        from gi.repository import GLib

        context = GLib.MainContext.default()

        def pump():
            while context.pending():
                context.iteration(False)

        # What each change event came from. Qt sends no new name with the
        # event, so a name read now may be a later one: events are matched to
        # the objects that sent them.
        heard = set()

        def listen(event):
            heard.add((event.type, event.source.path, event.detail1))

        pyatspi.Registry.registerEventListener(
            listen, "object:property-change:accessible-name", "object:state-changed:showing")

        probe = Probe(world, probe_path)
        word, kinds = probe.line(pump)
        if word != "dealt" or len(kinds) != 74:
            fail(f"unexpected: {word} {kinds}")

        app = find_app(pyatspi)
        tokens = row(app)
        if len(tokens) != 74:
            fail(f"{len(tokens)} tokens read, not 74")
        for k, token in enumerate(tokens):
            number, kind = TOKEN.match(token.name).groups()
            if int(number) != k + 1 or kind != KIND[kinds[k]]:
                fail(f"token {k + 1} shows {KIND[kinds[k]]} but reads {token.name!r}")
            if not showing(pyatspi, token):
                fail(f"{token.name!r} is not showing")

        # Ann takes four, through the bus alone.
        take = find(app, "text", "Take...")
        take.queryEditableText().setTextContents("4")
        find(app, "push button", "OK").queryAction().doAction(0)
        word, taken, score = probe.line(pump)
        if word != "took" or taken != "4":
            fail(f"unexpected: {word} {taken}")

        tokens = row(app)  # a round trip after the changes: their events are in
        pump()
        for k, token in enumerate(tokens):
            gone = k < 4
            if gone:
                if showing(pyatspi, token) or TOKEN.match(token.name).group(2) != "taken":
                    fail(f"taken token {k + 1} still reads {token.name!r}")
            elif not showing(pyatspi, token) or TOKEN.match(token.name).group(2) != KIND[kinds[k]]:
                fail(f"token {k + 1} of the row reads {token.name!r}")

        named = "object:property-change:accessible-name"
        told = {f"token {k + 1}": [(named, tokens[k].path, 0), ("object:state-changed:showing", tokens[k].path, 0)]
                for k in range(4)}
        told["the frame"] = [(named, find(app, "panel", "Bob").path, 0)]
        for i in range(1, 5):
            points = find(app, "label", description=f"Points of token {i} of the take")
            told[f"points {i}"] = [(named, points.path, 0)]
        if score != "0":
            told["the score"] = [(named, find(app, "label", f"Ann: {score} points").path, 0)]
        untold = [what for what, events in told.items() if not all(e in heard for e in events)]
        if untold:
            fail("not told: " + ", ".join(untold))
        pyatspi.Registry.deregisterEventListener(
            listen, "object:property-change:accessible-name", "object:state-changed:showing")
        probe.quit()
    print("the board read and told as a sighted player sees it")


def find_app(pyatspi):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Dovrel":
            return app
    fail("the game is not on the accessibility bus")


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def find(app, role, name=None, description=None):
    for node in walk(app):
        if node.getRoleName() == role and name in (None, node.name) \
                and description in (None, node.description):
            return node
    fail(f"no {role} {name or description!r}")


def row(app):
    """The 74 tokens in their order on the board."""
    tokens = [n for n in walk(app) if n.getRoleName() == "image" and TOKEN.match(n.name or "")]
    return sorted(tokens, key=lambda n: int(TOKEN.match(n.name).group(1)))


def showing(pyatspi, node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


if __name__ == "__main__":
    try:
        main(sys.argv[1])
    except AssertionError as error:
        print("FAIL:", error, file=sys.stderr)
        sys.exit(1)
