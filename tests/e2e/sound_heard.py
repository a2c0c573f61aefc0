#!/usr/bin/python3
"""What a recording of the sound server's output holds.

    sound_heard.py RECORDING.raw START_OFFSET REFERENCE.wav...

RECORDING.raw is signed 16-bit little-endian mono at 22 050 Hz (what parec
writes with --format=s16le --rate=22050 --channels=1); START_OFFSET is how
many seconds into the recording the program was started. Prints one line:

    heard <reference file> at <seconds after the start> s, RMS <dBFS>, match <0..1> (next best <0..1>)

naming the reference the sound matches best; "silence" when nothing rose
above the noise floor, "pending" when a sound began but too little of it is
recorded yet to tell which. Exits 0 in every case; the calling check judges.
"""

import os
import sys
import wave

import numpy as np

RATE = 22050
WINDOW = 0.05            # seconds per loudness window
SILENCE_DBFS = -55.0     # a null sink gives exact zeros; any sound is far above
MATCH_SECONDS = 2.0


def db(value):
    return 20.0 * np.log10(max(value, 1e-12))


def read_reference(path):
    with wave.open(path, "rb") as source:
        return np.frombuffer(source.readframes(source.getnframes()), dtype="<i2").astype(np.float64) / 32768.0


def match(recorded, reference):
    """Peak normalised cross-correlation of the reference's opening within the recording."""
    piece = reference[: int(MATCH_SECONDS * RATE)]
    size = len(recorded) + len(piece)
    correlation = np.fft.irfft(np.fft.rfft(recorded, size) * np.conj(np.fft.rfft(piece, size)), size)[: len(recorded)]
    # Energy of every recorded stretch as long as the piece, for the normalisation.
    energy = np.concatenate(([0.0], np.cumsum(recorded ** 2)))
    ends = np.minimum(np.arange(len(recorded)) + len(piece), len(recorded))
    stretch = energy[ends] - energy[np.arange(len(recorded))]
    normalised = correlation / np.sqrt(np.maximum(stretch, 1e-12) * np.sum(piece ** 2))
    return float(np.max(normalised))


def main(recording, offset, references):
    samples = np.fromfile(recording, dtype="<i2").astype(np.float64) / 32768.0
    window = int(WINDOW * RATE)
    count = len(samples) // window
    if count == 0:
        print("silence (empty recording)")
        return 0
    levels = np.sqrt(np.mean(samples[: count * window].reshape(count, window) ** 2, axis=1))
    loud = np.nonzero(20.0 * np.log10(np.maximum(levels, 1e-12)) > SILENCE_DBFS)[0]
    if len(loud) == 0:
        print(f"silence (loudest {db(np.max(levels)):.1f} dBFS)")
        return 0
    onset = loud[0] * window
    heard = samples[onset:]
    if len(heard) < (MATCH_SECONDS + 0.2) * RATE:
        print("pending")
        return 0
    rms = float(np.sqrt(np.mean(heard[: int(MATCH_SECONDS * RATE)] ** 2)))
    # From well before the onset, so that the quiet first samples of a fade-in are not missed.
    lead = int(0.5 * RATE)
    scores = {path: match(samples[max(0, onset - lead):], read_reference(path)) for path in references}
    ranked = sorted(scores, key=scores.get, reverse=True)
    best, runner_up = ranked[0], (scores[ranked[1]] if len(ranked) > 1 else 0.0)
    print(f"heard {os.path.basename(best)} at {onset / RATE - offset:.2f} s, RMS {db(rms):.1f} dBFS, "
          f"match {scores[best]:.2f} (next best {runner_up:.2f})")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], float(sys.argv[2]), sys.argv[3:]))
