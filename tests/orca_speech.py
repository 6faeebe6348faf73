"""Runs the Orca screen reader with what it would speak written to a file,
one utterance a line, and what it complains of (calls that timed out, objects
that had gone) to another. No speech engine is needed, and Orca's full debug
log, which slows it down a great deal, stays off.

Orca's own launcher refuses to start while any process called orca runs for
the same user, anywhere on the machine; this one starts Orca by itself, under
another name, so that neither stands in the other's way.

    /usr/bin/python3 orca_speech.py SPEECH_FILE COMPLAINTS_FILE PREFS_DIR
"""
import logging
import os
import sys

speech_file, complaints_file, prefs_dir = sys.argv[1:4]
sys.argv = sys.argv[:1]



class OneLine(logging.Formatter):
    """An utterance a line, with the time it was said: a message's own line
    breaks become spaces."""

    def format(self, record):
        return super().format(record).replace("\n", " ")


# Orca logs each utterance on its "speech" logger as it hands it to the speech engine.
handler = logging.FileHandler(speech_file)
handler.setFormatter(OneLine("%(created).3f %(message)s"))
logging.getLogger("speech").addHandler(handler)

from orca import debug  # noqa: E402 (after the logger is in place)

COMPLAINTS = ("defunct source", "defunct object", "Did not receive a reply", "NoReply", "timed out")
complaints = open(complaints_file, "w", buffering=1)
println = debug.println


last_event = ""


def println_noting_complaints(level, text="", *rest):
    global last_event
    if text.startswith("EVENT MANAGER: ") and " for " in text:
        last_event = text[len("EVENT MANAGER: "):]
    if any(word in text for word in COMPLAINTS):
        complaints.write(f"{text} ({last_event})\n")
    println(level, text, *rest)


debug.println = println_noting_complaints
if os.environ.get("ORCA_DEBUG_FILE"):  # Orca's full log, to see why it said what it said
    debug.debugLevel = debug.LEVEL_ALL
    debug.debugFile = open(os.environ["ORCA_DEBUG_FILE"], "w", buffering=1)

from orca import orca  # noqa: E402

settings = orca.getSettingsManager()
settings.activate(prefs_dir, {})
sys.path.insert(0, settings.getPrefsDir())
sys.exit(orca.main())
