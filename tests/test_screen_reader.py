"""A blind player's game against the computer, as the Orca screen reader
speaks it: the turn's start, each token's points as it turns over, the
computer's move, the game's end and the next game, at the speed a new player
has. During the player's own take no stale "to move" is spoken, and Orca
never waits for the game in vain nor hears from objects that have gone.

Starts its own X server, window manager, session bus and Orca (orca_speech.py
writes what Orca would say), then the board in accessibility_probe --speech,
and plays with keys as a player does. Whatever the test starts, it stops.

    /usr/bin/python3 test_screen_reader.py PROBE
"""
import os
import re
import subprocess
import time

from a11y_session import GUARD, Probe, World, fail, run

HERE = os.path.dirname(os.path.abspath(__file__))
SPOKEN = re.compile(r"^[\d.]+ (.*)$")  # the time it was said, and what
POINTS = re.compile(r"^(?:([+-]) (\d+)|10) Points\.?$")  # Orca 43 ends a notification with a stop
KIND = {"P": "positive", "N": "negative", "U": "neutral"}


class Speech:
    """What Orca has said, read as it says it."""

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.heard = []

    def until(self, pattern):
        """Everything said from now up to the first utterance that matches."""
        deadline = time.monotonic() + GUARD
        said = []
        while time.monotonic() < deadline:
            with open(self.path) as log:
                log.seek(self.offset)
                lines = log.readlines()
            for line in lines:
                if not line.endswith("\n"):
                    break
                self.offset += len(line.encode())
                spoken = SPOKEN.match(line)
                if not spoken:
                    continue
                said.append(spoken.group(1))
                self.heard.append(spoken.group(1))
                if re.search(pattern, spoken.group(1)):
                    return said
            time.sleep(0.05)
        fail(f"Orca never said {pattern!r}; it said: {self.heard}")


def points(utterance):
    sign, value = POINTS.match(utterance).groups()
    return 10 if value is None else int(value) * (-1 if sign == "-" else 1)


def take_of(said, mover):
    """The points of a take, each spoken once, and nothing else."""
    values = [points(u) for u in said if POINTS.match(u)]
    others = [u for u in said if not POINTS.match(u)]
    # The news of a turn ("Ann to move."): not the take panel that Orca 48
    # once read out in the middle of a take, in about 1 run of 24 ("Ann The
    # player to move panel"), which is true while Ann takes.
    stale = [u for u in others if re.search(r"\bto move\.", u) and u is not said[-1]]
    if stale:
        fail(f"during {mover}'s take Orca said: {stale}")
    if len(values) != 6:
        fail(f"{mover} took 6 tokens, Orca told {len(values)} points: {said}")
    return sum(values)


def main(probe_path):
    with World(window_manager=True) as world:
        speech_file = os.path.join(world.tmp.name, "speech")
        complaints_file = os.path.join(world.tmp.name, "complaints")
        open(speech_file, "w").close()
        prefs = os.path.join(world.env["HOME"], "orca")
        os.mkdir(prefs)
        world.start(["/usr/bin/python3", os.path.join(HERE, "orca_speech.py"), speech_file, complaints_file, prefs],
                    world.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        speech = Speech(speech_file)
        speech.until(r"^Screen reader on\.$")

        # Qt's bridge holds a copy of each key while the reader decides on it,
        # and never frees one whose receiver has gone meanwhile (a message box
        # its press closed) or that is still held at the end. Those leaks are
        # Qt's and come and go with the reader's timing; the other sanitized
        # tests still look for the game's own.
        env = dict(world.env)
        if "ASAN_OPTIONS" in env:
            env["ASAN_OPTIONS"] += ":detect_leaks=0"
        probe = Probe(world, [probe_path, "--speech"], env)
        word, kinds = probe.line()
        said = speech.until(r"^New match\.")[-1]
        front = ", ".join(KIND[k] for k in kinds[:6])
        if said != ("New match. Ann to move. Ann: 0 points, 0 Wins. Computer: 0 points, 0 Wins. "
                    f"Next tokens: {front}. 74 tokens left."):
            fail(f"the match began with: {said!r}")

        probe.tell("short")
        if probe.line() != ["short"]:
            fail("the row was not cut short")
        subprocess.run(["xdotool", "key", "6", "Return"], env=world.env, check=True)
        said = speech.until(r"^Computer to move\.")
        ann = take_of(said, "Ann")
        if not said[-1].startswith(f"Computer to move. Ann: {ann} points, 0 Wins. Computer: 0 points, 0 Wins."):
            fail(f"after Ann's take Orca said: {said[-1]!r}")

        said = speech.until(r"Score For This Game")
        if said[0] != "Computer takes 6.":
            fail(f"the computer's move was told as: {said[:1]}")
        computer = take_of(said[1:-1], "the computer")
        box = " ".join(speech.until(r"points this round"))
        if f"Ann: {ann} points this round" not in box or f"Computer: {computer} points this round" not in box:
            fail(f"the game's end was told as: {box!r}")

        subprocess.run(["xdotool", "key", "Return"], env=world.env, check=True)
        said = speech.until(r"^New game\.")[-1]
        if not re.match(r"New game\. (Ann|Computer) to move\. .* 74 tokens left\.$", said):
            fail(f"the next game began with: {said!r}")
        # Read before the game quits: a program that has ended leaves nothing
        # but gone objects behind.
        with open(complaints_file) as f:
            complaints = f.read().strip()
        if complaints:
            fail("Orca complained:\n" + complaints)
        probe.quit()
        print("Orca said:\n  " + "\n  ".join(speech.heard))
    print("Orca told the whole game as it happened")


if __name__ == "__main__":
    run(main)
