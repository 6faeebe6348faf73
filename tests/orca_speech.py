"""Runs the Orca screen reader with what it would speak written to a file,
one utterance a line with the time it was said, and what it complains of
(calls that timed out, objects that had gone) to another. No speech engine is
needed, and Orca's full debug log, which slows it down a great deal, stays off
(set ORCA_DEBUG_FILE to have it).

Orca's own launcher refuses to start while any process called orca runs for
the same user, anywhere on the machine; this one starts Orca by itself, under
another name, so that neither stands in the other's way. It serves Orca 43
(Debian 12) and Orca 48 (Debian 13).

    /usr/bin/python3 orca_speech.py SPEECH_FILE COMPLAINTS_FILE PREFS_DIR
"""
import os
import sys
import time

import gi

gi.require_version("Atspi", "2.0")

speech_file, complaints_file, prefs_dir = sys.argv[1:4]
sys.argv = sys.argv[:1]

from orca import debug  # noqa: E402

COMPLAINTS = ("defunct source", "defunct object", "Did not receive a reply", "NoReply", "timed out")
said = open(speech_file, "a", buffering=1)
complaints = open(complaints_file, "w", buffering=1)
last_event = ""


def noting(print_debug):
    """Orca hands every complaint to its debug log, whether that log is on or not."""

    def note(level, text="", *rest, **named):
        global last_event
        if text.startswith("EVENT MANAGER: ") and " for " in text:
            last_event = text[len("EVENT MANAGER: "):]
        if any(word in text for word in COMPLAINTS):
            complaints.write(f"{text} ({last_event})\n")
        print_debug(level, text, *rest, **named)

    return note


for name in ("println", "print_message"):  # Orca 43, Orca 48
    if hasattr(debug, name):
        setattr(debug, name, noting(getattr(debug, name)))
if os.environ.get("ORCA_DEBUG_FILE"):
    debug.debugLevel = debug.LEVEL_ALL
    debug.debugFile = open(os.environ["ORCA_DEBUG_FILE"], "w", buffering=1)

# Orca's modules import one another in circles: in the order its own launcher
# takes them, Orca's main module last.
from orca import script_manager  # noqa: E402,F401
from orca import settings_manager  # noqa: E402

if hasattr(settings_manager, "get_manager"):
    settings = settings_manager.get_manager()
    settings.activate(prefs_dir, {})
    sys.path.insert(0, settings.get_prefs_dir())
    from orca import orca  # noqa: E402
else:
    from orca import orca  # noqa: E402
    settings = orca.getSettingsManager()
    settings.activate(prefs_dir, {})
    sys.path.insert(0, settings.getPrefsDir())

from orca import speech  # noqa: E402

speak = speech._speak  # every utterance passes here, but the echo of keys


def speak_noted(text, *rest, **named):
    said.write(f"{time.time():.3f} {text}".replace("\n", " ") + "\n")
    speak(text, *rest, **named)


speech._speak = speak_noted
sys.exit(orca.main())
