#!/usr/bin/python3
"""Synthesizes the cue files into assets/sounds: ding1.wav to ding6.wav (a bell
that rises with the token's place in the take), loss.wav (a falling, sad phrase)
and win.wav (a short fanfare). Standard library only; the outputs are committed.

Run: /usr/bin/python3 assets/make_sounds.py
"""
import math
import os
import struct
import wave

RATE = 22050
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sounds")


def note(midi):
    return 440.0 * 2 ** ((midi - 69) / 12)


def bell(freq, seconds):
    """A soft bell: a few inharmonic partials, each dying away at its own pace."""
    partials = [(1.0, 1.0, 3.5), (2.0, 0.45, 6.0), (2.76, 0.25, 8.0), (5.4, 0.08, 12.0)]
    n = int(RATE * seconds)
    out = []
    for i in range(n):
        t = i / RATE
        attack = min(1.0, t / 0.004)
        v = sum(a * math.exp(-d * t) * math.sin(2 * math.pi * freq * m * t) for m, a, d in partials)
        out.append(attack * v)
    return out


def brass(freq, seconds, vibrato=0.0, bend=0.0):
    """A round brass-like voice: odd and even harmonics under a soft envelope."""
    n = int(RATE * seconds)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        f = freq * (1 + bend * t / seconds) * (1 + vibrato * math.sin(2 * math.pi * 5.5 * t))
        phase += 2 * math.pi * f / RATE
        env = min(1.0, t / 0.03) * min(1.0, (seconds - t) / 0.06)
        bright = 0.6 + 0.4 * min(1.0, t / 0.08)
        v = sum((bright ** k) / k * math.sin(k * phase) for k in range(1, 7))
        out.append(env * v)
    return out


def mix_at(track, part, start):
    i0 = int(start * RATE)
    need = i0 + len(part)
    if len(track) < need:
        track.extend([0.0] * (need - len(track)))
    for i, v in enumerate(part):
        track[i0 + i] += v


def save(name, samples, level=0.7):
    peak = max(abs(s) for s in samples) or 1.0
    # A few milliseconds of fade at the end, so no cue ends with a click.
    fade = int(0.01 * RATE)
    for i in range(1, fade + 1):
        samples[-i] *= i / fade
    data = b"".join(struct.pack("<h", int(32767 * level * s / peak)) for s in samples)
    with wave.open(os.path.join(OUT, name), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(data)


def main():
    os.makedirs(OUT, exist_ok=True)
    # C major pentatonic upwards: each token of a take rings a step higher.
    for position, midi in enumerate((72, 74, 76, 79, 81, 84), start=1):
        save("ding%d.wav" % position, bell(note(midi), 0.45), level=0.55)

    loss = []
    for i, (midi, length) in enumerate(((62, 0.32), (61, 0.32), (60, 0.32))):
        mix_at(loss, brass(note(midi), length), i * 0.36)
    mix_at(loss, brass(note(59), 1.0, vibrato=0.012, bend=-0.03), 3 * 0.36)
    save("loss.wav", loss)

    win = []
    for start, midi, length in ((0.0, 60, 0.14), (0.15, 64, 0.14), (0.30, 67, 0.14), (0.45, 72, 0.30),
                                (0.78, 67, 0.12), (0.92, 72, 0.55)):
        mix_at(win, brass(note(midi), length), start)
        mix_at(win, brass(note(midi + 12), length), start)  # an octave above for shine
    save("win.wav", win)


if __name__ == "__main__":
    main()
