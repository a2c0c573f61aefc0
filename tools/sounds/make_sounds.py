#!/usr/bin/env python3
"""Synthesises the eight WAVE sounds of the module.

    116-sleeping-with-the-one-i-love.wav  a warm pad breathing over a slow heartbeat (loops)
    115-sleep-reminder.wav                a gentle three-bell chime
    4-lullaby.wav                         Brahms' lullaby on a music box
    117-ocean-waves.wav                   surf rising and falling (loops)
    109-birds.wav                         chirps, trills and whistles of a few birds
    112-feeling-blue.wav                  a short bluesy phrase over piano chords
    111-cuckoo.wav                        the two-note call of a cuckoo clock, twice
    114-rooster.wav                       a rooster's crow

Every sound is 16-bit mono PCM at 22 050 Hz, starts and ends in silence (no
click when it starts, stops or repeats), peaks at -3 dBFS or lower and is no
louder on average than -20 dBFS, so that it stays soft at night. The looping
sounds are built from oscillators and noise that are periodic over the file
and reverberate circularly, so one pass runs into the next without a seam;
the loop point lies in a lull of the sound.

    make_sounds.py            write every file and sounds.inputs.txt into resources/sounds/
    make_sounds.py --check    exit 1 unless the committed files are what this writes, 77 (skipped)
                              without NumPy or with another version than the recorded one

Needs NumPy (Debian python3-numpy). Every random choice comes from a fixed
seed, so every run writes the same sounds; the check allows the last bit or
two of rounding difference another machine's maths library might bring.
NumPy does not promise the same random streams across versions, so the
record beside the sounds names its version.
"""

import io
import os
import sys
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "common"))
import recorded_inputs  # noqa: E402

try:
    import numpy as np
except ImportError:
    np = None

TOOL = "make_sounds"
RATE = 22050
SOUND_DIR = os.path.join(HERE, "..", "..", "resources", "sounds")
RECORD_FILE = os.path.join(SOUND_DIR, "sounds.inputs.txt")
PEAK_DBFS = -3.0
MAX_RMS_DBFS = -20.0
EDGE_FADE_SECONDS = 0.03
CHECK_TOLERANCE = 2          # least significant bits
MAX_TOTAL_BYTES = 4 * 1024 * 1024


# ---------------------------------------------------------------- building blocks

def seconds(n):
    return int(round(n * RATE))


def timeline(duration):
    return np.arange(seconds(duration)) / RATE


def midi_hz(note):
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def note_hz(name):
    """'C4', 'Bb3', 'F#5' to Hz."""
    step = NOTE_NAMES[name[0]]
    rest = name[1:]
    if rest.startswith("b"):
        step -= 1
        rest = rest[1:]
    elif rest.startswith("#"):
        step += 1
        rest = rest[1:]
    return midi_hz(12 * (int(rest) + 1) + step)


def periodic_hz(freq, loop_seconds):
    """The nearest frequency that completes whole cycles in the loop."""
    return max(1, round(freq * loop_seconds)) / loop_seconds


def spectral_filter(signal, gain_of_hz):
    """Filters in the frequency domain; circular over the signal's length."""
    spectrum = np.fft.rfft(signal)
    spectrum *= gain_of_hz(np.fft.rfftfreq(len(signal), 1.0 / RATE))
    return np.fft.irfft(spectrum, len(signal))


def lowpass(cutoff, order=2):
    return lambda f: 1.0 / np.sqrt(1.0 + (f / cutoff) ** (2 * order))


def highpass(cutoff, order=2):
    return lambda f: 1.0 / np.sqrt(1.0 + (cutoff / np.maximum(f, 1e-3)) ** (2 * order))


def bandpass(low, high, order=2):
    lp, hp = lowpass(high, order), highpass(low, order)
    return lambda f: lp(f) * hp(f)


def periodic_noise(rng, length, gain_of_hz):
    """Coloured noise that repeats after length samples without a seam."""
    return spectral_filter(rng.standard_normal(length), gain_of_hz)


def reverb_tail(rng, decay_seconds, brightness_hz):
    """A room's impulse response: decaying noise that darkens as it fades."""
    t = timeline(decay_seconds)
    bright = spectral_filter(rng.standard_normal(len(t)), lowpass(brightness_hz))
    dark = spectral_filter(rng.standard_normal(len(t)), lowpass(brightness_hz / 4))
    fade = np.exp(-6.9 * t / decay_seconds)
    mix = np.clip(t / decay_seconds * 2.0, 0.0, 1.0)
    impulse = fade * ((1.0 - mix) * bright + mix * dark)
    impulse[: seconds(0.01)] *= np.linspace(0.0, 1.0, seconds(0.01))
    return impulse / np.sqrt(np.sum(impulse ** 2))


def reverberate(signal, impulse, wet, circular=False):
    """Adds the room. A circular reverb lets a loop's tail ring into its start."""
    if circular:
        size = len(signal)
        response = np.zeros(size)
        response[: min(size, len(impulse))] = impulse[:size]
        reverberated = np.fft.irfft(np.fft.rfft(signal) * np.fft.rfft(response), size)
        return (1.0 - wet) * signal + wet * reverberated
    size = len(signal) + len(impulse)
    reverberated = np.fft.irfft(np.fft.rfft(signal, size) * np.fft.rfft(impulse, size), size)
    dry = np.zeros(size)
    dry[: len(signal)] = signal
    return (1.0 - wet) * dry + wet * reverberated


def raised_cosine(n):
    return 0.5 - 0.5 * np.cos(np.linspace(0.0, np.pi, n))


def fade_edges(signal, fade_in, fade_out):
    out = signal.copy()
    n_in, n_out = seconds(fade_in), seconds(fade_out)
    out[:n_in] *= raised_cosine(n_in)
    out[len(out) - n_out:] *= raised_cosine(n_out)[::-1]
    return out


def place(track, sound, at_seconds, wrap=False):
    """Mixes sound into track from a moment; a wrapping track is a loop."""
    start = seconds(at_seconds)
    if wrap:
        index = (start + np.arange(len(sound))) % len(track)
        np.add.at(track, index, sound)
        return
    end = min(len(track), start + len(sound))
    if end > start:
        track[start:end] += sound[: end - start]


def envelope(length, attack, decay):
    """Percussive: a short rise, then an exponential fall (decay = seconds to -60 dB)."""
    t = np.arange(length) / RATE
    rise = np.clip(t / max(attack, 1.0 / RATE), 0.0, 1.0)
    return np.sin(0.5 * np.pi * rise) * np.exp(-6.9 * t / decay)


def smooth_steps(t, points):
    """A curve through (time, value) points with eased (cosine) segments."""
    times = np.array([p[0] for p in points])
    values = np.array([p[1] for p in points])
    index = np.clip(np.searchsorted(times, t, side="right") - 1, 0, len(times) - 2)
    span = times[index + 1] - times[index]
    x = np.clip((t - times[index]) / np.where(span > 0, span, 1.0), 0.0, 1.0)
    eased = 0.5 - 0.5 * np.cos(np.pi * x)
    return values[index] + (values[index + 1] - values[index]) * eased


def oscillator(freq_hz_over_time):
    """A sine whose frequency may change every sample."""
    return np.sin(2.0 * np.pi * np.cumsum(freq_hz_over_time) / RATE)


def finish(signal):
    """Soft at night: peaks at PEAK_DBFS at most and RMS at MAX_RMS_DBFS at most."""
    signal = signal - np.mean(signal)
    signal = fade_edges(signal, EDGE_FADE_SECONDS, EDGE_FADE_SECONDS)
    peak = np.max(np.abs(signal))
    rms = np.sqrt(np.mean(signal ** 2))
    gain = min(10 ** (PEAK_DBFS / 20) / peak, 10 ** (MAX_RMS_DBFS / 20) / rms)
    return np.round(signal * gain * 32767.0).astype(np.int16)


# ---------------------------------------------------------------- instruments

def music_box_note(freq, duration=2.2):
    """A plucked steel tine: a ringing fundamental with quickly fading inharmonic modes."""
    t = timeline(duration)
    tone = np.zeros(len(t))
    for ratio, amplitude, decay in ((1.0, 1.0, 2.0), (2.0, 0.12, 0.9), (6.27, 0.22, 0.25), (17.55, 0.06, 0.08)):
        if freq * ratio < RATE * 0.45:
            tone += amplitude * np.sin(2 * np.pi * freq * ratio * t) * envelope(len(t), 0.002, decay)
    return tone


def bell(freq, duration, strength=1.0):
    """A small bell: the partials of a struck bell, the high ones dying first."""
    t = timeline(duration)
    tone = np.zeros(len(t))
    for ratio, amplitude, decay in ((0.5, 0.25, 4.5), (1.0, 1.0, 3.5), (1.19, 0.35, 2.6), (1.5, 0.3, 2.2),
                                    (2.0, 0.25, 1.6), (2.74, 0.12, 1.0), (3.76, 0.05, 0.6)):
        if freq * ratio < RATE * 0.45:
            tone += amplitude * np.sin(2 * np.pi * freq * ratio * t) * envelope(len(t), 0.004, decay)
    return strength * tone


def electric_piano(freqs, duration, strength=1.0):
    """A soft tine piano chord: fundamental and a gently fading bell-like octave."""
    t = timeline(duration)
    tone = np.zeros(len(t))
    for freq in freqs:
        tone += np.sin(2 * np.pi * freq * t + 0.6 * np.sin(2 * np.pi * freq * t) * np.exp(-t * 3.0))
        tone += 0.15 * np.sin(2 * np.pi * 2 * freq * t) * np.exp(-t * 4.0)
    release = np.ones(len(t))
    release[-seconds(0.25):] = raised_cosine(seconds(0.25))[::-1]
    return strength * tone * envelope(len(t), 0.006, 6.0) * release


def breathy_lead(freq_curve, loudness_curve, rng):
    """A muted horn: harmonics under a vocal-like formant, vibrato, a little breath."""
    t = np.arange(len(freq_curve)) / RATE
    # The vibrato grows in over the first second, as a player warms to the phrase.
    vibrato_depth = 0.012 * smooth_steps(t, [(0, 0), (0.3, 0), (1.0, 1), (99, 1)])
    freq = freq_curve * (1.0 + vibrato_depth * np.sin(2 * np.pi * 5.2 * t))
    phase = 2.0 * np.pi * np.cumsum(freq) / RATE
    tone = np.zeros(len(t))
    for harmonic in range(1, 12):
        formant = np.exp(-((harmonic * freq_curve - 900.0) / 900.0) ** 2) + 0.4 / harmonic
        tone += formant * np.sin(harmonic * phase) / harmonic ** 0.7
    breath = spectral_filter(rng.standard_normal(len(t)), bandpass(800.0, 3000.0)) * 0.05
    return (tone + breath) * loudness_curve


def flute_note(freq, duration, rng):
    """A wooden whistle pipe: a pure tone, a touch of its octave and of breath."""
    t = timeline(duration)
    shape = smooth_steps(t, [(0, 0), (0.03, 1.0), (duration - 0.08, 0.8), (duration, 0.0)])
    tone = np.sin(2 * np.pi * freq * t) + 0.18 * np.sin(4 * np.pi * freq * t) + 0.05 * np.sin(6 * np.pi * freq * t)
    breath = spectral_filter(rng.standard_normal(len(t)), bandpass(freq * 0.8, freq * 2.5)) * 0.08
    return (tone + breath) * shape


# ---------------------------------------------------------------- the sounds

def sleeping_with_the_one_i_love(rng):
    """A warm pad drifting through four chords, a heartbeat at 56 beats a minute."""
    beats_in_loop = 12
    period = 60.0 / 56.0
    loop = beats_in_loop * period
    t = timeline(loop)
    chords = (("C3", "G3", "B3", "E4"), ("A2", "E3", "G3", "C4"), ("F2", "C3", "E3", "A3"), ("G2", "D3", "F3", "B3"))
    pad = np.zeros(len(t))
    chord_span = loop / len(chords)
    for index, chord in enumerate(chords):
        # Each chord swells in and out around its own centre, wrapping round the loop.
        centre = (index + 0.5) * chord_span
        distance = np.minimum(np.abs(t - centre), loop - np.abs(t - centre))
        weight = np.clip(np.cos(np.pi * distance / (2.0 * chord_span)), 0.0, None) ** 2
        for name in chord:
            for detune in (-0.003, 0.0, 0.003):
                base = periodic_hz(note_hz(name) * (1.0 + detune), loop)
                for harmonic in range(1, 7):
                    freq = periodic_hz(base * harmonic, loop)
                    pad += weight * np.sin(2 * np.pi * freq * t + rng.uniform(0, 2 * np.pi)) / harmonic ** 2
    # The pad breathes; its quietest breath lies on the loop point.
    pad *= 0.55 - 0.45 * np.cos(2 * np.pi * t / loop * 2.0)
    pad = spectral_filter(pad, lowpass(1200.0))

    beats = np.zeros(len(t))
    beat_length = timeline(0.35)
    thump_freq = 48.0 + 30.0 * np.exp(-beat_length * 25.0)
    thump = oscillator(thump_freq) * envelope(len(beat_length), 0.008, 0.25)
    for beat in range(beats_in_loop):
        place(beats, thump, beat * period + 0.4, wrap=True)
        place(beats, 0.6 * thump, beat * period + 0.4 + 0.28, wrap=True)
    mix = 0.8 * pad / np.max(np.abs(pad)) + 0.7 * beats / np.max(np.abs(beats))
    mix = reverberate(mix, reverb_tail(rng, 2.5, 3000.0), 0.3, circular=True)
    return finish(fade_edges(mix, 0.25, 0.25))


def sleep_reminder(rng):
    """Three soft bells falling down a major triad, then ringing out."""
    track = np.zeros(seconds(6.5))
    for at, name, strength in ((0.1, "G5", 0.9), (0.65, "E5", 0.8), (1.2, "C5", 1.0)):
        place(track, bell(note_hz(name), 5.0, strength), at)
    track = reverberate(track, reverb_tail(rng, 2.0, 5000.0), 0.3)[: len(track)]
    return finish(fade_edges(track, 0.01, 0.8))


LULLABY = [  # (note, beats) in 3/4; "-" rests
    ("E5", .5), ("E5", .5), ("G5", 1.5), ("E5", .5), ("E5", 1), ("G5", 2), ("E5", .5), ("G5", .5),
    ("C6", 1), ("B5", 1.5), ("A5", .5), ("A5", 1), ("G5", 1), ("D5", .5), ("E5", .5),
    ("F5", 1), ("D5", 1), ("D5", .5), ("E5", .5), ("F5", 2), ("D5", .5), ("F5", .5),
    ("B5", .5), ("A5", .5), ("G5", 1), ("B5", 1), ("C6", 2), ("C5", .5), ("C5", .5),
    ("C6", 2), ("A5", .5), ("F5", .5), ("G5", 2), ("E5", .5), ("C5", .5),
    ("F5", 1), ("G5", 1), ("A5", 1), ("G5", 2), ("C5", .5), ("C5", .5),
    ("C6", 2), ("A5", .5), ("F5", .5), ("G5", 2), ("E5", .5), ("C5", .5),
    ("F5", 1), ("E5", 1), ("D5", 1), ("C5", 3),
]
LULLABY_BASS = ["C4", "C4", "G3", "G3", "G3", "C4", "C4", "F3", "C4", "G3", "C4", "F3", "C4", "G3", "C4"]


def lullaby(rng):
    """Brahms' lullaby on a music box, a soft bass tine on every bar."""
    beat = 0.37
    total_beats = sum(length for _, length in LULLABY)
    track = np.zeros(seconds(total_beats * beat + 2.0))
    at = 0.2
    for name, length in LULLABY:
        place(track, music_box_note(note_hz(name)) * rng.uniform(0.85, 1.0), at + rng.uniform(0.0, 0.01))
        at += length * beat
    # The pickup takes one beat; bars start after it.
    for bar, name in enumerate(LULLABY_BASS):
        place(track, 0.45 * music_box_note(note_hz(name), 2.5), 0.2 + (1 + 3 * bar) * beat)
    track = reverberate(track, reverb_tail(rng, 1.6, 6000.0), 0.25)[: len(track)]
    return finish(fade_edges(track, 0.01, 1.5))


def ocean_waves(rng):
    """Two waves in a loop: each rolls in, breaks in a hiss and draws back over the sand."""
    loop = 16.0
    t = timeline(loop)
    n = len(t)
    rumble = periodic_noise(rng, n, lambda f: lowpass(300.0)(f) * highpass(30.0)(f))
    body = periodic_noise(rng, n, bandpass(150.0, 1500.0))
    fizz = periodic_noise(rng, n, lambda f: bandpass(1200.0, 7000.0)(f) / np.sqrt(np.maximum(f, 1.0) / 1200.0))
    rumble, body, fizz = (x / np.std(x) for x in (rumble, body, fizz))
    half = loop / 2.0
    phase = t % half
    # One wave: rolling in, breaking at 3.4 s, then the wash drawing back.
    swell = smooth_steps(phase, [(0, 0.15), (2.6, 0.6), (3.4, 1.0), (5.2, 0.45), (half, 0.15)])
    wash = smooth_steps(phase, [(0, 0.05), (3.0, 0.1), (3.7, 1.0), (4.9, 0.6), (6.9, 0.15), (half, 0.05)])
    second_wave = np.where(t >= half, 0.8, 1.0)  # the second wave is a little smaller
    mix = 0.5 * rumble * (0.6 + 0.4 * swell) + 0.6 * body * swell * second_wave + 0.35 * fizz * wash * second_wave
    mix = reverberate(mix, reverb_tail(rng, 1.2, 4000.0), 0.2, circular=True)
    return finish(fade_edges(mix, 0.4, 0.4))


def chirp(start_hz, end_hz, duration):
    t = timeline(duration)
    sweep = start_hz + (end_hz - start_hz) * (t / duration) ** 0.7
    shape = np.sin(np.pi * t / duration) ** 2
    return (oscillator(sweep) + 0.1 * oscillator(2 * sweep)) * shape


def trill(centre_hz, duration, rate_hz):
    t = timeline(duration)
    pulses = np.clip(np.sin(2 * np.pi * rate_hz * t), 0.0, None) ** 2
    freq = centre_hz * (1.0 + 0.06 * np.sin(2 * np.pi * rate_hz * t) - 0.05 * t / duration)
    shape = smooth_steps(t, [(0, 0), (0.1, 1), (duration - 0.15, 0.8), (duration, 0)])
    return oscillator(freq) * pulses * shape


def whistle(first_hz, second_hz):
    """Two clear notes, the second lower, as a titmouse calls."""
    out = np.zeros(seconds(0.75))
    for at, freq in ((0.0, first_hz), (0.38, second_hz)):
        t = timeline(0.3)
        place(out, oscillator(freq * (1.0 + 0.02 * np.sin(np.pi * t / 0.3))) * np.sin(np.pi * t / 0.3) ** 1.5, at)
    return out


def warble(centre_hz, duration):
    t = timeline(duration)
    freq = centre_hz + 350.0 * np.sin(2 * np.pi * 7.0 * t) + 200.0 * np.sin(2 * np.pi * 1.3 * t)
    shape = smooth_steps(t, [(0, 0), (0.08, 1), (duration - 0.1, 0.7), (duration, 0)])
    return oscillator(freq) * shape


def birds(rng):
    """A few birds in the dark trees: chirps, a trill, a two-note whistle, a warble."""
    track = np.zeros(seconds(13.0))
    events = []
    for at in (0.3, 3.1, 6.8, 10.2):  # one songbird's groups of rising chirps
        base = rng.uniform(2600.0, 3200.0)
        for i in range(int(rng.integers(3, 6))):
            events.append((at + i * rng.uniform(0.11, 0.16), 0.5, chirp(base, base * 1.45, 0.07)))
    events.append((1.6, 0.35, trill(3900.0, 1.1, 24.0)))
    events.append((8.4, 0.3, trill(4200.0, 0.9, 28.0)))
    events.append((4.6, 0.45, whistle(3950.0, 3300.0)))
    events.append((11.4, 0.4, whistle(3900.0, 3250.0)))
    events.append((5.6, 0.3, warble(3000.0, 1.0)))
    for at, loudness, sound in events:
        place(track, loudness * sound, at)
    leaves = spectral_filter(rng.standard_normal(len(track)), bandpass(400.0, 3000.0)) * 0.004
    track = reverberate(track + leaves, reverb_tail(rng, 1.4, 6000.0), 0.35)[: len(track)]
    return finish(fade_edges(track, 0.2, 0.6))


BLUE_PHRASE = [  # (start beat, beats, from note, to note) of the lead line
    (0.0, 0.5, "G4", "G4"), (0.5, 0.5, "Bb4", "Bb4"), (1.0, 1.0, "B4", "C5"), (2.0, 1.0, "Eb5", "E5"),
    (3.0, 1.0, "C5", "C5"), (4.5, 0.5, "Bb4", "Bb4"), (5.0, 1.0, "G4", "G4"), (6.0, 1.0, "F4", "Gb4"),
    (7.0, 1.0, "G4", "G4"), (8.5, 0.5, "Eb4", "E4"), (9.0, 0.5, "G4", "G4"), (9.5, 0.5, "Bb4", "A4"),
    (10.0, 2.0, "G4", "G4"), (12.0, 0.5, "Eb4", "E4"), (12.5, 3.5, "C4", "C4"),
]


def feeling_blue(rng):
    """Four bars of blues: a muted horn bending its blue notes over C7, F7, C7, G7-C7."""
    beat = 0.72
    length = 16 * beat + 2.0
    track = np.zeros(seconds(length))
    comping = ((0, ("C3", "E3", "Bb3", "D4")), (4, ("F3", "A3", "Eb4", "G4")), (8, ("C3", "E3", "Bb3", "D4")),
               (12, ("G2", "F3", "B3", "D4")), (14, ("C3", "E3", "Bb3", "D4")))
    for start, chord in comping:
        for hit, strength in ((0.0, 0.5), (1.5, 0.3), (2.0, 0.35)) if start < 12 else ((0.0, 0.5),):
            duration = (2.0 if start >= 12 else 1.4) * beat
            place(track, electric_piano([note_hz(n) for n in chord], duration + 1.0, strength), (start + hit) * beat)
    for bar_beat, name in ((0, "C2"), (4, "F2"), (8, "C2"), (12, "G1"), (14, "C2")):
        t = timeline(3.0)
        place(track, 0.9 * np.sin(2 * np.pi * note_hz(name) * t) * envelope(len(t), 0.01, 2.5), bar_beat * beat)

    lead_freq = np.full(len(track), note_hz("C4"))
    lead_level = np.zeros(len(track))
    for start, beats, first, last in BLUE_PHRASE:
        begin, end = seconds(start * beat), min(len(track), seconds((start + beats) * beat))
        t = np.arange(end - begin) / RATE
        bend = np.clip(t / 0.12, 0.0, 1.0)
        lead_freq[begin:end] = note_hz(first) * (note_hz(last) / note_hz(first)) ** bend
        hold = (end - begin) / RATE
        tail = 0.6 if start >= 12.5 else 0.05
        lead_level[begin:end] = smooth_steps(t, [(0, 0.0), (0.04, 1.0), (max(0.05, hold - tail), 0.85), (hold, 0.0)])
    lead = breathy_lead(lead_freq, lead_level, rng)
    mix = 0.35 * track / np.max(np.abs(track)) + 0.5 * lead / np.max(np.abs(lead))
    mix = reverberate(mix, reverb_tail(rng, 1.8, 4000.0), 0.25)[: len(mix)]
    return finish(fade_edges(mix, 0.01, 1.0))


def cuckoo(rng):
    """A cuckoo clock's two pipes, a major third apart: cu-ckoo, cu-ckoo."""
    track = np.zeros(seconds(3.2))
    high, low = note_hz("D6"), note_hz("Bb5")
    for at in (0.1, 1.1):
        place(track, flute_note(high, 0.22, rng), at)
        place(track, flute_note(low, 0.45, rng), at + 0.3)
    track = reverberate(track, reverb_tail(rng, 1.2, 6000.0), 0.25)[: len(track)]
    return finish(fade_edges(track, 0.01, 0.5))


def rooster(rng):
    """Cock-a-doodle-doo: four syllables on a strained, bright voice, the last one long."""
    syllables = [(0.0, 0.16, 520.0, 600.0), (0.2, 0.12, 560.0, 560.0), (0.36, 0.22, 600.0, 700.0),
                 (0.62, 0.95, 720.0, 560.0)]
    track = np.zeros(seconds(2.6))
    for at, duration, start_hz, end_hz in syllables:
        t = timeline(duration)
        contour = smooth_steps(t, [(0, start_hz), (duration * 0.35, max(start_hz, end_hz) * 1.05), (duration, end_hz)])
        # A few per cent of slow pitch jitter: the strain in a crowing throat.
        roughness = 1.0 + 0.3 * spectral_filter(rng.standard_normal(len(t)), lowpass(60.0))
        phase = 2 * np.pi * np.cumsum(contour * roughness) / RATE
        voice = np.zeros(len(t))
        for harmonic in range(1, 14):
            freq = harmonic * contour
            formant = np.exp(-((freq - 1500.0) / 700.0) ** 2) + 0.5 * np.exp(-((freq - 3000.0) / 600.0) ** 2)
            voice += np.where(freq < RATE * 0.45, formant, 0.0) * np.sin(harmonic * phase)
        shape = smooth_steps(t, [(0, 0), (0.025, 1.0), (duration * 0.7, 0.9), (duration, 0.0)])
        place(track, voice * shape, at + 0.05)
    track = spectral_filter(track, lowpass(4000.0))
    track = reverberate(track, reverb_tail(rng, 1.0, 5000.0), 0.2)[: len(track)]
    return finish(fade_edges(track, 0.01, 0.4))


SOUNDS = [  # (file, seed, synthesiser)
    ("116-sleeping-with-the-one-i-love.wav", 116, sleeping_with_the_one_i_love),
    ("115-sleep-reminder.wav", 115, sleep_reminder),
    ("4-lullaby.wav", 4, lullaby),
    ("117-ocean-waves.wav", 117, ocean_waves),
    ("109-birds.wav", 109, birds),
    ("112-feeling-blue.wav", 112, feeling_blue),
    ("111-cuckoo.wav", 111, cuckoo),
    ("114-rooster.wav", 114, rooster),
]


# ---------------------------------------------------------------- files

def wave_bytes(samples):
    buffer = io.BytesIO()
    with wave.open(buffer, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(samples.astype("<i2").tobytes())
    return buffer.getvalue()


def read_samples(path):
    with wave.open(path, "rb") as source:
        if (source.getnchannels(), source.getsampwidth(), source.getframerate()) != (1, 2, RATE):
            return None
        return np.frombuffer(source.readframes(source.getnframes()), dtype="<i2")


def render():
    return {name: synthesise(np.random.default_rng(seed)) for name, seed, synthesise in SOUNDS}


def problems_of(name, samples):
    """What a listener at night would object to."""
    found = []
    peak = np.max(np.abs(samples.astype(np.int32))) / 32768.0
    if peak >= 10 ** (-1.0 / 20):
        found.append(f"{name}: peak {20 * np.log10(peak):.2f} dBFS is not below -1 dBFS")
    edge = seconds(0.005)
    if max(abs(int(samples[0])), abs(int(samples[-1]))) > 64 or np.max(np.abs(samples[:edge])) > 2000 \
            or np.max(np.abs(samples[-edge:])) > 2000:
        found.append(f"{name}: does not start and end in silence")
    if not 2.0 <= len(samples) / RATE <= 25.0:
        found.append(f"{name}: {len(samples) / RATE:.1f} s long")
    return found


def installed_inputs():
    return {"numpy": np.__version__}


def record():
    return recorded_inputs.record_text("tools/sounds/make_sounds.py", [name for name, _, _ in SOUNDS],
                                       sorted(installed_inputs().items()))


def check():
    problems = []
    total = 0
    committed_record = recorded_inputs.read_text(RECORD_FILE)
    recorded_inputs.skip_unless_recorded(TOOL, committed_record, installed_inputs())
    if committed_record != record():
        problems.append(os.path.basename(RECORD_FILE) + ": not what the generator writes")
    for name, samples in render().items():
        path = os.path.join(SOUND_DIR, name)
        if not os.path.exists(path):
            problems.append(f"{name}: missing")
            continue
        total += os.path.getsize(path)
        committed = read_samples(path)
        if committed is None or len(committed) != len(samples):
            problems.append(f"{name}: format or length differs from the generator's")
            continue
        difference = np.max(np.abs(committed.astype(np.int32) - samples.astype(np.int32)))
        if difference > CHECK_TOLERANCE:
            problems.append(f"{name}: samples differ from the generator's by up to {difference}")
        problems += problems_of(name, committed)
    if total > MAX_TOTAL_BYTES:
        problems.append(f"the sounds take {total} bytes, more than {MAX_TOTAL_BYTES}")
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print("run tools/sounds/make_sounds.py to regenerate", file=sys.stderr)
        return 1
    print(f"{len(SOUNDS)} sounds are current ({total} bytes)")
    return 0


def write():
    os.makedirs(SOUND_DIR, exist_ok=True)
    recorded_inputs.write_text(RECORD_FILE, record())
    for name, samples in render().items():
        for problem in problems_of(name, samples):
            print(problem, file=sys.stderr)
        with open(os.path.join(SOUND_DIR, name), "wb") as out:
            out.write(wave_bytes(samples))
        rms = np.sqrt(np.mean((samples / 32768.0) ** 2))
        peak = np.max(np.abs(samples.astype(np.int32))) / 32768.0
        print(f"{name}: {len(samples) / RATE:.1f} s, peak {20 * np.log10(peak):.1f} dBFS, "
              f"RMS {20 * np.log10(rms):.1f} dBFS")
    return 0


def main(argv):
    checking = argv == ["--check"]
    if np is None:
        recorded_inputs.missing(TOOL, "NumPy (Debian python3-numpy)", checking)
    return check() if checking else write()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
