#!/usr/bin/python3
"""Writes the assets that pivolo embeds, and the icons it installs.

    res/wav/137.wav, 140.wav, 135.wav, 141.wav   the four sound clips
    res/bitmap/138.dib                           the dialog's background picture
    res/icon/128.ico                             the program's icon, 32 x 32 and 16 x 16
    res/icon/pivolo-16.png, -32.png, -128.png    the same icon for desktop menus
    res/icon/pivolo-entrainement-16.png, -32.png, -128.png
                                                 the practice program's: the tiles
                                                 with a clock before them

Usage: tools/make_assets.py [output root], the root defaulting to the
repository's res/ directory.

Every run writes the same bytes: all randomness comes from generators with
fixed seeds, nothing reads the clock, and the PNG writer adds no time stamp.
Only the Python standard library is used.
"""

import math
import os
import random
import struct
import sys
import zlib


# ---------------------------------------------------------------------------
# Fixed formats
# ---------------------------------------------------------------------------

# Clip id -> (channels, sample rate, bytes of sample data, bytes of the whole
# resource). The sizes are what the player and its tests expect, so the
# writer checks every clip against them.
CLIPS = {
    137: (2, 44100, 1870260, 1870378),
    140: (1, 11025, 37668, 37712),
    135: (1, 22000, 26452, 26540),
    141: (1, 19886, 18890, 18934),
}

# Clip 137 carries one "INFO" text after its samples. Its chunk size field is
# 66, so the list takes 74 bytes with its header and the file comes to
# 44 + 1 870 260 + 74 = 1 870 378 bytes. The comment fills the 54-byte entry
# exactly (53 characters and the terminating zero), so no pad byte is needed.
CLIP_137_COMMENT = b"Le pivolo - air d'ouverture, joue au lancement du jeu"
CLIP_137_LIST_SIZE = 66

# Clip 135's resource holds 44 bytes after its RIFF chunk that are no part of
# the clip. They are written as unsigned 8-bit silence, so that even a reader
# that wrongly ran past the chunk's end would play nothing audible.
CLIP_135_TRAILER = bytes([128]) * 44

# Background picture 138: bottom-up 24-bit DIB, 96 dpi.
BG_WIDTH, BG_HEIGHT = 483, 303
BG_PIXELS_PER_METRE = 3780
BG_SIZE = 439996

# Peak sample level after normalisation, as a fraction of full scale: leaves
# head room so no clip comes near clipping on 8 bits.
PEAK_137 = 0.55
PEAK_SHORT = 0.60

# ---------------------------------------------------------------------------
# Music tables
# ---------------------------------------------------------------------------

# Start-up tune: eight bars of 4/4 in C major, then the last chord rings out.
TUNE_BEAT = 0.625  # seconds, 96 beats a minute
TUNE_LEAD_IN = 0.15  # seconds of silence before the first note

# Melody as (note, beats); None is a rest.
TUNE_MELODY = [
    ("G4", 1), ("C5", 1), ("E5", 1), ("D5", 0.5), ("C5", 0.5),  # C
    ("E5", 1.5), ("D5", 0.5), ("C5", 1), ("A4", 1),  # Am
    ("A4", 1), ("C5", 1), ("F5", 1), ("E5", 0.5), ("D5", 0.5),  # F
    ("D5", 2), ("B4", 1), ("G4", 1),  # G
    ("G4", 1), ("C5", 1), ("E5", 1), ("G5", 1),  # C
    ("A5", 1.5), ("G5", 0.5), ("E5", 1), ("C5", 1),  # Am
    ("D5", 1), ("F5", 1), ("E5", 0.5), ("D5", 0.5), ("B4", 1),  # Dm G
    ("C5", 4),  # C
]

# A softer second voice, a third, fifth or sixth under the melody; it enters
# only in the second half, so that the tune grows as it goes.
TUNE_HARMONY = [
    (None, 16),
    ("E4", 2), ("G4", 2),  # C
    ("C5", 2), ("A4", 2),  # Am
    ("F4", 2), ("G4", 2),  # Dm G
    ("E4", 4),  # C
]

# One chord a half bar, each as the four notes of its broken-chord pattern.
TUNE_CHORDS = [
    ("C3", "G3", "C4", "E4"), ("C3", "G3", "C4", "E4"),
    ("A2", "E3", "A3", "C4"), ("A2", "E3", "A3", "C4"),
    ("F2", "C3", "F3", "A3"), ("F2", "C3", "F3", "A3"),
    ("G2", "D3", "G3", "B3"), ("G2", "D3", "G3", "B3"),
    ("C3", "G3", "C4", "E4"), ("C3", "G3", "C4", "E4"),
    ("A2", "E3", "A3", "C4"), ("A2", "E3", "A3", "C4"),
    ("D3", "A3", "D4", "F4"), ("G2", "D3", "G3", "B3"),
]
# Order in which a half bar's eighth notes walk through its chord.
TUNE_ARPEGGIO = (0, 1, 2, 3)
# The last bar: the chord is rolled upwards once and left to ring.
TUNE_FINAL_ROLL = ("C3", "G3", "C4", "E4", "G4")
TUNE_BASS = ["C2", "A1", "F1", "G1", "C2", "A1", "D2", "C2"]  # one a bar

# Success clip 140: a short fanfare in C, then a held chord with a sparkle.
# Entries are (start s, note, length s).
FANFARE_LEAD = [
    (0.05, "G4", 0.11), (0.18, "C5", 0.11), (0.31, "E5", 0.11),
    (0.44, "G5", 0.32), (0.84, "E5", 0.12), (0.99, "C6", 2.3),
]
FANFARE_CHORD = [(0.99, "C4", 2.3), (0.99, "E4", 2.3), (0.99, "G4", 2.3)]
FANFARE_SPARKLE = [(1.25, "E6", 0.1), (1.40, "G6", 0.1), (1.55, "C7", 0.1)]

# Success clip 135: a quick rising chime in D major, every note left ringing.
CHIME_NOTES = [
    (0.02, "D5", 0.6), (0.09, "F#5", 0.6), (0.16, "A5", 0.6),
    (0.23, "D6", 0.75),
]

# Toggle clip 141: a soft two-note blip.
BLIP_NOTES = [(0.02, "E5", 0.06), (0.12, "A5", 0.08)]


# ---------------------------------------------------------------------------
# Synthesis
# ---------------------------------------------------------------------------

NOTE_STEPS = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}


def note_frequency(name):
    """Equal temperament, A4 = 440 Hz; names like "C5", "F#4", "Bb3"."""
    step = NOTE_STEPS[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        step, rest = step + 1, rest[1:]
    elif rest.startswith("b"):
        step, rest = step - 1, rest[1:]
    octave = int(rest)
    return 440.0 * 2.0 ** ((step + 12 * (octave - 4)) / 12.0)


class Timbre:
    """How one voice sounds.

    partials: (frequency ratio, level, extra decay per second); the extra
    decay makes the upper partials die first, so each note starts bright and
    mellows, as struck or plucked sounds do.
    attack, release: raised-cosine ramps in seconds; they keep every note
    from starting or stopping with a click.
    decay, sustain: after the attack the level falls exponentially (time
    constant `decay` seconds) towards `sustain`.
    vibrato: (rate Hz, depth as a frequency ratio, onset s) or None.
    """

    def __init__(self, partials, attack, decay, sustain, release, vibrato=None):
        self.partials = partials
        self.attack = attack
        self.decay = decay
        self.sustain = sustain
        self.release = release
        self.vibrato = vibrato


# Soft flute-like lead for the start-up tune.
LEAD = Timbre([(1, 1.0, 0.0), (2, 0.30, 1.5), (3, 0.10, 3.0), (4, 0.04, 4.0)],
              attack=0.035, decay=0.6, sustain=0.65, release=0.12,
              vibrato=(5.0, 0.003, 0.25))
# Warm, mellow second voice.
SECOND = Timbre([(1, 1.0, 0.0), (2, 0.18, 2.0), (3, 0.05, 3.0)],
                attack=0.06, decay=0.8, sustain=0.6, release=0.18)
# Plucked, harp-like broken chords.
PLUCK = Timbre([(1, 1.0, 0.0), (2, 0.45, 3.0), (3, 0.20, 6.0), (4, 0.10, 9.0),
                (5, 0.05, 12.0)],
               attack=0.006, decay=0.35, sustain=0.0, release=0.08)
# Round bass.
BASS = Timbre([(1, 1.0, 0.0), (2, 0.35, 0.8), (3, 0.10, 1.5)],
              attack=0.05, decay=1.2, sustain=0.45, release=0.25)
# Bright, brass-like fanfare lead.
BRASS = Timbre([(k, 1.0 / k ** 1.1, 0.6 * (k - 1)) for k in range(1, 9)],
               attack=0.018, decay=0.3, sustain=0.55, release=0.06,
               vibrato=(6.0, 0.004, 0.15))
# Bell for chimes and sparkles: near-harmonic partials, long ring.
BELL = Timbre([(1, 1.0, 0.0), (2, 0.35, 2.0), (3, 0.12, 4.0), (4.2, 0.06, 7.0)],
              attack=0.004, decay=0.45, sustain=0.0, release=0.10)
# Nearly pure tone for the toggle blip.
BLIP = Timbre([(1, 1.0, 0.0), (2, 0.15, 10.0), (3, 0.04, 20.0)],
              attack=0.006, decay=0.09, sustain=0.0, release=0.04)


def partial_limit(rate):
    """Highest partial frequency allowed at a sample rate: well under the
    Nyquist frequency (no aliasing), and never above 8 kHz (no harshness)."""
    return min(0.4 * rate, 8000.0)


def envelope(t, length, timbre):
    """Level of a note `t` seconds after its start; `length` is the time at
    which its release begins."""
    if t < timbre.attack:
        level = 0.5 - 0.5 * math.cos(math.pi * t / timbre.attack)
    else:
        level = 1.0
    level *= timbre.sustain + (1.0 - timbre.sustain) * math.exp(-t / timbre.decay)
    if t > length:
        level *= 0.5 + 0.5 * math.cos(math.pi * (t - length) / timbre.release)
    return level


def add_note(buf, rate, start, freq, length, amp, timbre):
    """Mixes one note into `buf` (a list of floats, one per sample)."""
    limit = partial_limit(rate)
    partials = [(r, lvl, dk) for (r, lvl, dk) in timbre.partials if freq * r < limit]
    first = int(round(start * rate))
    count = int((length + timbre.release) * rate)
    count = min(count, len(buf) - first)
    phase = 0.0
    step = 2.0 * math.pi * freq / rate
    for i in range(count):
        t = i / rate
        env = amp * envelope(t, length, timbre)
        value = 0.0
        for ratio, level, extra_decay in partials:
            value += level * math.exp(-extra_decay * t) * math.sin(ratio * phase)
        buf[first + i] += env * value
        if timbre.vibrato is not None:
            vrate, depth, onset = timbre.vibrato
            swell = min(1.0, t / onset)
            phase += step * (1.0 + depth * swell * math.sin(2.0 * math.pi * vrate * t))
        else:
            phase += step


def add_sequence(buf, rate, start, beat, sequence, amp, timbre):
    """Mixes a (note, beats) sequence, rests being None, starting at `start`."""
    t = start
    for name, beats in sequence:
        if name is not None:
            add_note(buf, rate, t, note_frequency(name), beats * beat, amp, timbre)
        t += beats * beat


def add_events(buf, rate, events, amp, timbre):
    """Mixes (start s, note, length s) events."""
    for start, name, length in events:
        add_note(buf, rate, start, note_frequency(name), length, amp, timbre)


def fade(buf, rate, fade_in, fade_out, tail=0.0):
    """Raised-cosine fades at both ends of the clip; the last `tail` seconds
    are left at exact silence."""
    n = len(buf)
    n_in = int(fade_in * rate)
    n_tail = int(tail * rate)
    n_out = int(fade_out * rate)
    for i in range(n_in):
        buf[i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_in)
    end = n - n_tail
    for i in range(n_out):
        buf[end - n_out + i] *= 0.5 + 0.5 * math.cos(math.pi * i / n_out)
    for i in range(end, n):
        buf[i] = 0.0


def normalise(channels, peak):
    """Scales all channels together so that the loudest sample is `peak`."""
    top = max(max(abs(v) for v in ch) for ch in channels)
    scale = peak / top
    return [[v * scale for v in ch] for ch in channels]


def to_unsigned8(channels, seed):
    """Interleaves the channels into unsigned 8-bit samples, 128 being silence.

    Triangular dither of one step keeps the quiet ends of notes from turning
    into a gritty buzz at this bit depth. It is applied only where the signal
    is not silent, so the clip's leading and trailing silence stays exactly
    128 instead of hissing.
    """
    rng = random.Random(seed)
    out = bytearray()
    for frame in zip(*channels):
        for v in frame:
            if abs(v) < 1e-6:
                out.append(128)
                continue
            d = rng.random() - rng.random()
            s = int(math.floor(128.0 + 127.0 * v + d + 0.5))
            out.append(max(0, min(255, s)))
    return bytes(out)


def pan(buf, position):
    """Constant-power pan: 0 left, 0.5 centre, 1 right."""
    angle = position * math.pi / 2.0
    return [v * math.cos(angle) for v in buf], [v * math.sin(angle) for v in buf]


def delayed(buf, seconds, rate, gain):
    """The same voice later and softer: an echo."""
    shift = int(seconds * rate)
    return [0.0] * shift + [v * gain for v in buf[:len(buf) - shift]]


def mix(*bufs):
    return [sum(vals) for vals in zip(*bufs)]


def make_tune_137(frames, rate):
    """The start-up tune: lead slightly left with its echo on the right, the
    broken chords slightly right, the second voice and the bass in the centre."""
    lead = [0.0] * frames
    second = [0.0] * frames
    pluck = [0.0] * frames
    bass = [0.0] * frames
    beat = TUNE_BEAT
    start = TUNE_LEAD_IN

    add_sequence(lead, rate, start, beat, TUNE_MELODY, 0.30, LEAD)
    add_sequence(second, rate, start, beat, TUNE_HARMONY, 0.13, SECOND)

    eighth = beat / 2.0
    for half_bar, chord in enumerate(TUNE_CHORDS):
        t0 = start + half_bar * 2 * beat
        for k, index in enumerate(TUNE_ARPEGGIO):
            add_note(pluck, rate, t0 + k * eighth, note_frequency(chord[index]),
                     eighth * 1.6, 0.10, PLUCK)
    last_bar = start + len(TUNE_CHORDS) * 2 * beat
    for k, name in enumerate(TUNE_FINAL_ROLL):
        add_note(pluck, rate, last_bar + k * 0.09, note_frequency(name),
                 3.0 - k * 0.09, 0.09, PLUCK)

    for bar, name in enumerate(TUNE_BASS):
        length = 4 * beat * (0.92 if bar < len(TUNE_BASS) - 1 else 0.8)
        add_note(bass, rate, start + bar * 4 * beat, note_frequency(name),
                 length, 0.22, BASS)

    lead_l, lead_r = pan(lead, 0.38)
    echo_r = delayed(lead, 0.75 * beat, rate, 0.16)
    pluck_l, pluck_r = pan(pluck, 0.64)
    second_l, second_r = pan(second, 0.5)
    bass_l, bass_r = pan(bass, 0.5)
    left = mix(lead_l, pluck_l, second_l, bass_l)
    right = mix(lead_r, echo_r, pluck_r, second_r, bass_r)
    for ch in (left, right):
        fade(ch, rate, fade_in=0.05, fade_out=1.7, tail=0.06)
    return normalise([left, right], PEAK_137)


def make_fanfare_140(frames, rate):
    buf = [0.0] * frames
    add_events(buf, rate, FANFARE_LEAD, 0.32, BRASS)
    add_events(buf, rate, FANFARE_CHORD, 0.11, BRASS)
    add_events(buf, rate, FANFARE_SPARKLE, 0.10, BELL)
    fade(buf, rate, fade_in=0.01, fade_out=0.6, tail=0.05)
    return normalise([buf], PEAK_SHORT)


def make_chime_135(frames, rate):
    buf = [0.0] * frames
    add_events(buf, rate, CHIME_NOTES, 0.25, BELL)
    fade(buf, rate, fade_in=0.005, fade_out=0.3, tail=0.03)
    return normalise([buf], PEAK_SHORT)


def make_blip_141(frames, rate):
    buf = [0.0] * frames
    add_events(buf, rate, BLIP_NOTES, 0.3, BLIP)
    fade(buf, rate, fade_in=0.005, fade_out=0.1, tail=0.02)
    return normalise([buf], 0.5)


# ---------------------------------------------------------------------------
# WAVE files
# ---------------------------------------------------------------------------

def riff_chunk(tag, body):
    """A RIFF chunk, with the pad byte that an odd body length requires."""
    pad = b"\0" if len(body) % 2 else b""
    return tag + struct.pack("<I", len(body)) + body + pad


def info_list(comment, size):
    """A "LIST" chunk of form "INFO" with one comment entry, whose chunk size
    field comes to exactly `size`."""
    entry = riff_chunk(b"ICMT", comment + b"\0")
    chunk = riff_chunk(b"LIST", b"INFO" + entry)
    assert struct.unpack_from("<I", chunk, 4)[0] == size, "INFO comment length"
    return chunk


def wave_file(channels, rate, samples, extra_chunks=b""):
    """RIFF/WAVE image: "fmt " at 12, "data" at 36, samples from 44, then any
    further chunks; the RIFF chunk ends at the end of what is returned."""
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * channels, channels, 8)
    body = b"WAVE" + riff_chunk(b"fmt ", fmt) + riff_chunk(b"data", samples) + extra_chunks
    return b"RIFF" + struct.pack("<I", len(body)) + body


def make_clips():
    """Returns {clip id: resource bytes}."""
    makers = {137: make_tune_137, 140: make_fanfare_140, 135: make_chime_135,
              141: make_blip_141}
    clips = {}
    for clip_id, (channels, rate, data_size, resource_size) in CLIPS.items():
        frames = data_size // channels
        samples = to_unsigned8(makers[clip_id](frames, rate), seed=clip_id)
        assert len(samples) == data_size
        if clip_id == 137:
            image = wave_file(channels, rate, samples,
                              info_list(CLIP_137_COMMENT, CLIP_137_LIST_SIZE))
        elif clip_id == 135:
            image = wave_file(channels, rate, samples) + CLIP_135_TRAILER
        else:
            image = wave_file(channels, rate, samples)
        assert len(image) == resource_size, (clip_id, len(image))
        clips[clip_id] = image
    return clips


# ---------------------------------------------------------------------------
# Background picture
# ---------------------------------------------------------------------------

def arc(cx, cy, rx, ry, a0, a1, steps=None):
    """Points of an elliptic arc in the unit digit box (y downwards); angles
    in degrees, 0 pointing right and 90 down, drawn from a0 to a1."""
    if steps is None:
        steps = max(4, int(abs(a1 - a0) / 12))
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


# Each digit is a list of strokes, each stroke a polyline in a box one unit
# wide and one unit high. Closed loops run a little past their start, as a
# pen does.
DIGIT_STROKES = {
    0: [arc(0.5, 0.5, 0.42, 0.5, 250, 625)],
    1: [[(0.25, 0.22), (0.55, 0.0), (0.55, 1.0)]],
    2: [arc(0.5, 0.3, 0.42, 0.3, 195, 395) + [(0.05, 1.0), (0.95, 1.0)]],
    3: [arc(0.48, 0.26, 0.38, 0.26, 200, 450) + arc(0.5, 0.74, 0.42, 0.26, 270, 520)],
    4: [[(0.72, 1.0), (0.72, 0.0), (0.05, 0.68), (0.95, 0.68)]],
    5: [[(0.85, 0.0), (0.22, 0.0), (0.18, 0.45)] + arc(0.48, 0.68, 0.4, 0.32, 225, 510)],
    6: [arc(0.62, 0.62, 0.52, 0.62, 280, 160) + arc(0.5, 0.7, 0.38, 0.3, 160, 525)],
    7: [[(0.05, 0.0), (0.95, 0.0), (0.35, 1.0)]],
    8: [arc(0.5, 0.24, 0.32, 0.24, 90, 450) + arc(0.5, 0.72, 0.4, 0.28, 270, 630)],
    9: [arc(0.5, 0.3, 0.38, 0.3, 0, 365) + arc(0.38, 0.32, 0.5, 0.68, 0, 100)],
}

# Dim inks, (red, green, blue): blues, greens, teals and purples, kept dark so
# that the dialog's texts stay readable wherever they fall.
INKS = [
    (40, 60, 130), (30, 45, 110), (25, 95, 70), (30, 80, 95),
    (80, 45, 120), (60, 35, 100), (45, 75, 135), (35, 100, 90),
]

# Numbers the decoration writes: the game's tiles and some targets.
TILE_VALUES = [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 25, 50, 75, 100]


def smooth_jitter(rng, count, sigma):
    """Random offsets that change gently from one point to the next, so a
    stroke wobbles like a hand rather than shivering."""
    raw = [rng.gauss(0.0, sigma) for _ in range(count + 4)]
    return [(raw[i] + 2 * raw[i + 1] + 3 * raw[i + 2] + 2 * raw[i + 3] + raw[i + 4]) / 9.0 * 2.2
            for i in range(count)]


def hand_digit(rng, digit, x, y, height, width):
    """The digit's strokes as pixel polylines: scaled to the box at (x, y),
    slanted, turned a little and wobbled."""
    slant = rng.uniform(-0.05, 0.22)
    turn = math.radians(rng.uniform(-6.0, 6.0))
    cos_t, sin_t = math.cos(turn), math.sin(turn)
    strokes = []
    for stroke in DIGIT_STROKES[digit]:
        jx = smooth_jitter(rng, len(stroke), 0.035)
        jy = smooth_jitter(rng, len(stroke), 0.035)
        pts = []
        for (u, v), dx, dy in zip(stroke, jx, jy):
            u, v = u + dx, v + dy
            u += slant * (0.5 - v)
            px, py = (u - 0.5) * width, (v - 0.5) * height
            pts.append((x + width / 2 + px * cos_t - py * sin_t,
                        y + height / 2 + px * sin_t + py * cos_t))
        strokes.append(pts)
    return strokes


def draw_line(img, x0, y0, x1, y1, half_width, ink, strength):
    """Anti-aliased line: each pixel's cover is its distance from the segment
    against the pen's half width. Inks combine by maximum, so crossings and
    joints do not brighten."""
    r = half_width + 1.0
    xa, xb = int(math.floor(min(x0, x1) - r)), int(math.ceil(max(x0, x1) + r))
    ya, yb = int(math.floor(min(y0, y1) - r)), int(math.ceil(max(y0, y1) + r))
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy
    for py in range(max(0, ya), min(BG_HEIGHT, yb + 1)):
        for px in range(max(0, xa), min(BG_WIDTH, xb + 1)):
            cx, cy = px + 0.5, py + 0.5
            t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((cx - x0) * dx + (cy - y0) * dy) / length2))
            d = math.hypot(cx - (x0 + t * dx), cy - (y0 + t * dy))
            cover = max(0.0, min(1.0, half_width + 0.5 - d)) * strength
            if cover <= 0.0:
                continue
            pixel = img[py][px]
            for c in range(3):
                pixel[c] = max(pixel[c], ink[c] * cover)


def random_number(rng):
    """A tile value most of the time, now and then a three-digit target."""
    if rng.random() < 0.7:
        return rng.choice(TILE_VALUES)
    return rng.randint(100, 999)


def make_background():
    """Rows of hand-written numbers in dim inks on black, as RGB rows."""
    rng = random.Random(138)
    img = [[[0.0, 0.0, 0.0] for _ in range(BG_WIDTH)] for _ in range(BG_HEIGHT)]
    y = rng.uniform(2.0, 6.0)
    while y < BG_HEIGHT - 8:
        height = rng.uniform(11.0, 19.0)
        x = rng.uniform(-6.0, 10.0)
        while x < BG_WIDTH:
            ink = rng.choice(INKS)
            strength = rng.uniform(0.45, 0.9)
            for ch in str(random_number(rng)):
                h = height * rng.uniform(0.9, 1.1)
                w = h * rng.uniform(0.5, 0.62)
                top = y + rng.uniform(-1.5, 1.5)
                for stroke in hand_digit(rng, int(ch), x, top, h, w):
                    for (xa, ya), (xb, yb) in zip(stroke, stroke[1:]):
                        draw_line(img, xa, ya, xb, yb, 0.5, ink, strength)
                x += w + rng.uniform(2.0, 4.0)
            x += rng.uniform(10.0, 26.0)
        y += height + rng.uniform(8.0, 14.0)
    return [[tuple(int(round(v)) for v in pixel) for pixel in row] for row in img]


def dib_file(rows):
    """Information header and bottom-up BGR rows padded to four bytes; no
    file header and no colour table, as the picture resource wants."""
    row_bytes = (BG_WIDTH * 3 + 3) & ~3
    image_size = row_bytes * BG_HEIGHT
    header = struct.pack("<IiiHHIIiiII", 40, BG_WIDTH, BG_HEIGHT, 1, 24, 0,
                         image_size, BG_PIXELS_PER_METRE, BG_PIXELS_PER_METRE, 0, 0)
    out = bytearray(header)
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (row_bytes - len(line))
        out += line
    assert len(out) == BG_SIZE
    return bytes(out)


# ---------------------------------------------------------------------------
# Icon
# ---------------------------------------------------------------------------

# The classic 16-colour palette, index -> (red, green, blue). Letters name the
# entries in the pixel tables below; "." is transparent.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
LETTERS = {"K": 0, "N": 4, "G": 8, "Y": 11, "W": 15}  # black, navy, grey, yellow, white

# Two number tiles, one behind the other: a yellow one peeking out at the
# top right, and in front a white tile with a bold navy 7 and a grey shadow.
ICON_32 = [
    "................................",
    "............KKKKKKKKKKKKKKKKKK..",
    "...........KYYYYYYYYYYYYYYYYYYK.",
    "...........KYYYYYYYYYYYYYYYYYYKG",
    "...........KYYYYYYYYYYYYYYYYYYKG",
    "...........KYYYYYYYYYYYYYYYYYYKG",
    "...........KYYYYYYYYYYYYYYYYYYKG",
    "...........KYYYYYYYYYYYYYYYYYYKG",
    "...........KYYYYYYYYYYYYYYYYYYKG",
    "..KKKKKKKKKKKKKKKKKKKKYYYYYYYYKG",
    ".KWWWWWWWWWWWWWWWWWWWWKYYYYYYYKG",
    ".KWWWWWWWWWWWWWWWWWWWWKGYYYYYYKG",
    ".KWWWWWWWWWWWWWWWWWWWWKGYYYYYYKG",
    ".KWWWWNNNNNNNNNNNNWWWWKGYYYYYYKG",
    ".KWWWWNNNNNNNNNNNNWWWWKGYYYYYYKG",
    ".KWWWWNNNNNNNNNNNNWWWWKGYYYYYYKG",
    ".KWWWWWWWWWWWWWNNNWWWWKGYYYYYYKG",
    ".KWWWWWWWWWWWWWNNNWWWWKGYYYYYYKG",
    ".KWWWWWWWWWWWWNNNWWWWWKGYYYYYYKG",
    ".KWWWWWWWWWWWWNNNWWWWWKGYYYYYYKG",
    ".KWWWWWWWWWWWNNNWWWWWWKGKKKKKK.G",
    ".KWWWWWWWWWWWNNNWWWWWWKG.GGGGGGG",
    ".KWWWWWWWWWWNNNWWWWWWWKG........",
    ".KWWWWWWWWWWNNNWWWWWWWKG........",
    ".KWWWWWWWWWNNNWWWWWWWWKG........",
    ".KWWWWWWWWWNNNWWWWWWWWKG........",
    ".KWWWWWWWWNNNWWWWWWWWWKG........",
    ".KWWWWWWWWWWWWWWWWWWWWKG........",
    ".KWWWWWWWWWWWWWWWWWWWWKG........",
    "..KKKKKKKKKKKKKKKKKKKKGG........",
    "...GGGGGGGGGGGGGGGGGGGG.........",
    "................................",
]

ICON_16 = [
    "......KKKKKKKK..",
    ".....KYYYYYYYYK.",
    ".....KYYYYYYYYKG",
    ".....KYYYYYYYYKG",
    ".KKKKKKKKKYYYYKG",
    "KWWWWWWWWWKYYYKG",
    "KWWNNNNNNWKGYYKG",
    "KWWNNNNNNWKGYYKG",
    "KWWWWWWNNWKGKK.G",
    "KWWWWWNNWWKG.GGG",
    "KWWWWWNNWWKG....",
    "KWWWWNNWWWKG....",
    "KWWWWNNWWWKG....",
    "KWWWWWWWWWKG....",
    ".KKKKKKKKKGG....",
    "..GGGGGGGGG.....",
]


def check_grid(grid, size):
    assert len(grid) == size and all(len(row) == size for row in grid), size
    assert all(ch == "." or ch in LETTERS for row in grid for ch in row)


def ico_image(grid):
    """One BMP-in-ICO image: header with doubled height, 16-entry palette,
    4-bit colour rows, then the 1-bit transparency mask, both bottom-up and
    padded to four bytes."""
    size = len(grid)
    xor_row = ((size * 4 + 31) // 32) * 4
    and_row = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         (xor_row + and_row) * size, 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(grid):
        nibbles = [LETTERS.get(ch, 0) for ch in row]  # transparent pixels are black
        line = bytearray((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        colour += line + b"\0" * (xor_row - len(line))
        bits = bytearray(and_row)
        for x, ch in enumerate(row):
            if ch == ".":
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + palette + bytes(colour) + bytes(mask)


def ico_file(grids):
    """Icon directory, one entry per image, then the images in order."""
    images = [ico_image(g) for g in grids]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for grid, image in zip(grids, images):
        size = len(grid)
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    return bytes(out)


def grid_rgba(grid):
    """The pixel table as RGBA rows for the PNG copies."""
    rows = []
    for row in grid:
        line = []
        for ch in row:
            if ch == ".":
                line.append((0, 0, 0, 0))
            else:
                line.append(PALETTE[LETTERS[ch]] + (255,))
        rows.append(line)
    return rows


# The large desktop icon follows the same drawing, in units of the 32-pixel
# icon: rounded tiles as (left, top, right, bottom), the 7 as thick strokes.
BIG_BACK_TILE = (11.5, 1.5, 31.0, 21.0)
BIG_FRONT_TILE = (1.5, 9.5, 23.0, 30.0)
BIG_SEVEN = [(6.3, 14.3), (17.3, 14.3), (10.2, 27.0)]
BIG_SEVEN_HALF_WIDTH = 1.55
BIG_CORNER = 2.2
BIG_OUTLINE = 0.9


def rounded_rect_distance(x, y, rect, radius):
    """Signed distance from a rounded rectangle: negative inside."""
    left, top, right, bottom = rect
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def polyline_distance(x, y, pts):
    best = float("inf")
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        best = min(best, math.hypot(x - x0 - t * dx, y - y0 - t * dy))
    return best


def over(dst, src, alpha):
    """Paints colour `src` with coverage `alpha` over the RGBA `dst`."""
    if alpha <= 0.0:
        return dst
    r, g, b, a = dst
    out_a = alpha + a * (1.0 - alpha)
    mixc = [(src[i] * alpha + dst[i] * a * (1.0 - alpha)) / out_a for i in range(3)]
    return (mixc[0], mixc[1], mixc[2], out_a)


def tile_colour(y, rect, top_colour, bottom_colour):
    """Gentle top-to-bottom shading of a tile's face."""
    t = max(0.0, min(1.0, (y - rect[1]) / (rect[3] - rect[1])))
    return tuple(top_colour[i] + (bottom_colour[i] - top_colour[i]) * t for i in range(3))


# The practice program's clock, before the tiles at the bottom right: its face, and its hands
# at twelve and at three.
CLOCK_CENTRE = (23.6, 23.6)
CLOCK_RADIUS = 8.0
CLOCK_HANDS = [[(23.6, 23.6), (23.6, 18.0)], [(23.6, 23.6), (27.6, 23.6)]]
CLOCK_HAND_HALF_WIDTH = 1.0


def clock_sample(px, x, y):
    """Paints the clock over the colour px at one point, in 32-pixel units."""
    d = math.hypot(x - CLOCK_CENTRE[0], y - CLOCK_CENTRE[1]) - CLOCK_RADIUS
    shadow = math.hypot(x - 0.9 - CLOCK_CENTRE[0], y - 1.0 - CLOCK_CENTRE[1]) - CLOCK_RADIUS
    px = over(px, (0, 0, 0), 0.35 * max(0.0, min(1.0, 0.5 - shadow / 1.4)))
    px = over(px, (25, 25, 35), max(0.0, min(1.0, 0.5 - d * 4)))
    px = over(px, (250, 250, 252), max(0.0, min(1.0, 0.5 - (d + 1.1) * 4)))
    for hand in CLOCK_HANDS:
        h = polyline_distance(x, y, hand) - CLOCK_HAND_HALF_WIDTH
        px = over(px, (176, 28, 28), max(0.0, min(1.0, 0.5 - h * 4)))
    return px


def big_icon_sample(x, y, clock=False):
    """Colour of the large icon at one point, in 32-pixel units."""
    px = (0.0, 0.0, 0.0, 0.0)
    outline = (25, 25, 35)
    layers = [
        (BIG_BACK_TILE, (255, 222, 70), (232, 176, 20)),
        (BIG_FRONT_TILE, (255, 255, 255), (222, 226, 236)),
    ]
    for rect, top_c, bottom_c in layers:
        # Soft drop shadow below and to the right.
        shadow = rounded_rect_distance(x - 0.9, y - 1.0, rect, BIG_CORNER)
        px = over(px, (0, 0, 0), 0.35 * max(0.0, min(1.0, 0.5 - shadow / 1.4)))
        d = rounded_rect_distance(x, y, rect, BIG_CORNER)
        px = over(px, outline, max(0.0, min(1.0, 0.5 - d * 4)))
        face = tile_colour(y, rect, top_c, bottom_c)
        px = over(px, face, max(0.0, min(1.0, 0.5 - (d + BIG_OUTLINE) * 4)))
    d = polyline_distance(x, y, BIG_SEVEN) - BIG_SEVEN_HALF_WIDTH
    px = over(px, (20, 40, 125), max(0.0, min(1.0, 0.5 - d * 4)))
    if clock:
        px = clock_sample(px, x, y)
    return px


def make_big_icon(size=128, samples=4, clock=False):
    """The large icon, supersampled for smooth edges."""
    scale = 32.0 / size
    rows = []
    for py in range(size):
        line = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    r, g, b, a = big_icon_sample(x, y, clock)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if alpha <= 0.0:
                line.append((0, 0, 0, 0))
            else:
                line.append(tuple(int(round(acc[i] / acc[3])) for i in range(3))
                            + (int(round(alpha * 255)),))
        rows.append(line)
    return rows


# ---------------------------------------------------------------------------
# PNG
# ---------------------------------------------------------------------------

def png_chunk(tag, body):
    return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body))


def png_file(rows, alpha=True):
    """8-bit RGBA (or RGB) PNG, no ancillary chunks, so no time stamp."""
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for pixel in row:
            raw += bytes(pixel if alpha else pixel[:3])
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr)
            + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b""))


# ---------------------------------------------------------------------------

def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print(f"{path}: {len(data)} bytes")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "res")
    root = os.path.normpath(root)

    check_grid(ICON_32, 32)
    check_grid(ICON_16, 16)
    write(os.path.join(root, "icon", "128.ico"), ico_file([ICON_32, ICON_16]))
    write(os.path.join(root, "icon", "pivolo-32.png"), png_file(grid_rgba(ICON_32)))
    write(os.path.join(root, "icon", "pivolo-16.png"), png_file(grid_rgba(ICON_16)))
    write(os.path.join(root, "icon", "pivolo-128.png"), png_file(make_big_icon()))
    for size in (16, 32, 128):
        write(os.path.join(root, "icon", f"pivolo-entrainement-{size}.png"),
              png_file(make_big_icon(size, 8 if size < 128 else 4, clock=True)))

    write(os.path.join(root, "bitmap", "138.dib"), dib_file(make_background()))

    for clip_id, image in make_clips().items():
        write(os.path.join(root, "wav", f"{clip_id}.wav"), image)


if __name__ == "__main__":
    main()
