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
import re

from a11y_session import Probe, World, fail, find, find_app, run, walk

KIND = {"P": "positive", "N": "negative", "U": "neutral"}
TOKEN = re.compile(r"Token (\d+): (\w+)$")


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

        # No screen reader turns the bridge on here: the probe is told to.
        world.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        probe = Probe(world, [probe_path])
        word, kinds = probe.line(pump)
        if word != "dealt" or len(kinds) != 74:
            fail(f"unexpected: {word} {kinds}")

        app = find_app(pyatspi)
        tokens = row(pyatspi, app)
        if len(tokens) != 74:
            fail(f"{len(tokens)} tokens read, not 74")
        for k, token in enumerate(tokens):
            number, kind = TOKEN.match(token.name).groups()
            if int(number) != k + 1 or kind != KIND[kinds[k]]:
                fail(f"token {k + 1} shows {KIND[kinds[k]]} but reads {token.name!r}")
            if not showing(pyatspi, token):
                fail(f"{token.name!r} is not showing")

        # Ann takes four, through the bus alone.
        take = find(app, pyatspi.ROLE_TEXT, "Take...")
        take.queryEditableText().setTextContents("4")
        find(app, pyatspi.ROLE_PUSH_BUTTON, "OK").queryAction().doAction(0)
        word, taken, score = probe.line(pump)
        if word != "took" or taken != "4":
            fail(f"unexpected: {word} {taken}")

        tokens = row(pyatspi, app)  # a round trip after the changes: their events are in
        pump()
        for k, token in enumerate(tokens):
            if k < 4:
                if showing(pyatspi, token):
                    fail(f"taken token {k + 1} is still in the row")
            elif not showing(pyatspi, token) or TOKEN.match(token.name).group(2) != KIND[kinds[k]]:
                fail(f"token {k + 1} of the row reads {token.name!r}")

        named = "object:property-change:accessible-name"
        told = {f"token {k + 1}": [("object:state-changed:showing", tokens[k].path, 0)] for k in range(4)}
        told["the frame"] = [(named, find(app, pyatspi.ROLE_PANEL, "Bob").path, 0)]
        for i in range(1, 5):
            points = find(app, pyatspi.ROLE_LABEL, description=f"Points of token {i} of the take")
            told[f"points {i}"] = [(named, points.path, 0)]
        if score != "0":
            told["the score"] = [(named, find(app, pyatspi.ROLE_LABEL, f"Ann: {score} points").path, 0)]
        untold = [what for what, events in told.items() if not all(e in heard for e in events)]
        if untold:
            fail("not told: " + ", ".join(untold))
        pyatspi.Registry.deregisterEventListener(
            listen, "object:property-change:accessible-name", "object:state-changed:showing")
        probe.quit()
    print("the board read and told as a sighted player sees it")


def row(pyatspi, app):
    """The 74 tokens in their order on the board."""
    tokens = [n for n in walk(app) if n.getRole() == pyatspi.ROLE_LIST_ITEM and TOKEN.match(n.name or "")]
    return sorted(tokens, key=lambda n: int(TOKEN.match(n.name).group(1)))


def showing(pyatspi, node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


if __name__ == "__main__":
    run(main)
