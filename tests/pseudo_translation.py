#!/usr/bin/python3
"""Makes a pseudo-translation of the game's texts: every letter accented and
every text about 40 % longer, placeholders (%1, %n) and access keys kept. A
text on screen that still holds a plain ASCII letter did not come through
translation.

Usage: pseudo_translation.py SOURCE.ts PSEUDO.ts   (SOURCE.ts as lupdate makes it)
"""
import re
import sys
import xml.etree.ElementTree as ET

PLAIN = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
ACCENTED = "àƀçđéƒĝĥîĵķĺɱñöþǫŕšţûṽŵẋýžÀßÇĐÉƑĜĤÎĴĶĹṀÑÖÞǪŔŠŢÛṼŴẊÝŽ"
MAP = str.maketrans(PLAIN, ACCENTED)
# What the program fills in or reads: placeholders stay as they are.
KEEP = re.compile(r"(%\d|%n)")


def pseudo(text):
    parts = KEEP.split(text)
    out = "".join(p if KEEP.fullmatch(p) else p.translate(MAP) for p in parts)
    # Longer, but after any line ends, so that lines keep their count.
    padding = "·" * max(1, round(len(text) * 0.4))
    return out + padding if not text.endswith((" ", "\r\n", "\n")) else out.rstrip() + padding + text[len(text.rstrip()):]


def main(source, target):
    tree = ET.parse(source)
    for message in tree.iter("message"):
        text = message.findtext("source")
        translation = message.find("translation")
        translation.attrib.pop("type", None)
        forms = translation.findall("numerusform")
        if forms:
            for form in forms:
                form.text = pseudo(text)
        else:
            translation.text = pseudo(text)
    tree.write(target, encoding="utf-8", xml_declaration=True)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
