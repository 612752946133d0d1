"""Checks that a float WAV rendered by the host holds the phrase: each note at its pitch and time."""
import struct
import sys

import numpy as np

PHRASE = [(81, 0.5, 0.4, 440.0), (69, 1.2, 0.4, 220.0), (76, 1.9, 0.4, 329.63)]
LENGTH = 3.0


def read_wav(path):
    data = open(path, "rb").read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        sys.exit("not a WAV file")
    pos, fmt, frames = 12, None, None
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        body = data[pos + 8:pos + 8 + size]
        if cid == b"fmt ":
            fmt = struct.unpack("<HHIIHH", body[:16])
            if fmt[0] == 0xFFFE:  # extensible: the sub-format's tag
                fmt = (struct.unpack("<H", body[24:26])[0],) + fmt[1:]
        elif cid == b"data":
            frames = body
        pos += 8 + size + (size & 1)
    tag, channels, rate, _, _, bits = fmt
    if tag != 3 or bits != 32:
        sys.exit("expected 32-bit float samples, got format %d with %d bits" % (tag, bits))
    return np.frombuffer(frames, dtype="<f4").astype(np.float64).reshape(-1, channels), rate


def main():
    x, rate = read_wav(sys.argv[1])
    left = x[:, 0]
    failures = []

    if abs(len(left) / rate - LENGTH) > 0.05:
        failures.append("length %.3f s, expected %.1f s" % (len(left) / rate, LENGTH))
    if not np.all(np.isfinite(x)):
        failures.append("samples that are not finite")

    peak = np.abs(left).max()
    step = rate // 200  # 5 ms
    env = np.array([np.abs(left[i:i + step]).max() for i in range(0, len(left) - step, step)])
    loud = env > 0.1 * peak

    for note, start, length, hz in PHRASE:
        # Onset: the first loud 5 ms stretch near the note's start.
        window = range(int((start - 0.1) * 200), int((start + 0.1) * 200))
        onsets = [i for i in window if loud[i]]
        if not onsets or abs(onsets[0] / 200.0 - start) > 0.03:
            failures.append("note %d: onset %s, expected %.2f s" % (note, onsets[0] / 200.0 if onsets else None, start))

        # Pitch of the held part.
        a, b = int((start + 0.05) * rate), int((start + length - 0.02) * rate)
        seg = left[a:b] * np.hanning(b - a)
        spectrum = np.abs(np.fft.rfft(seg, 1 << 18))
        freqs = np.fft.rfftfreq(1 << 18, 1.0 / rate)
        band = (freqs > 80) & (freqs < 2000)
        found = freqs[band][np.argmax(spectrum[band])]
        if abs(found - hz) > hz * 0.01:
            failures.append("note %d: %.2f Hz, expected %.2f Hz" % (note, found, hz))

        # Released: quiet again 150 ms after the note's end (100 ms release).
        end = start + length
        after = env[int((end + 0.15) * 200):int((end + 0.25) * 200)]
        if after.max() > 0.01 * peak:
            failures.append("note %d: still sounding %.2f s after its end" % (note, 0.15))

        print("note %d at %.3f s: %.2f Hz" % (note, onsets[0] / 200.0 if onsets else -1.0, found))

    if env[:int(0.45 * 200)].max() > 1e-4:
        failures.append("sound before the first note")

    for f in failures:
        print("FAIL:", f)
    print("%d passed, %d failed" % (3 * len(PHRASE) + 2 - len(failures), len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
