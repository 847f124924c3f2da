#!/usr/bin/env python3
"""32-bit float WAV files for the host tests, read and written bit for bit.

Sample-format converters (sox included) pass samples through integers and
would round small values, so this tool moves the raw float bytes itself.

  wavtool.py input OUT.wav FRAMES            a fixed stereo test input at 48 kHz
  wavtool.py impulse OUT.wav FRAMES          one left impulse at frame 0, 48 kHz
  wavtool.py takes IN.wav LEAD_IN TAKE_L TAKE_R
        overwrite two recorded mono takes with IN's channels, delayed by
        LEAD_IN frames and padded with zeros to the takes' own length
  wavtool.py pad IN.wav LEAD_IN FRAMES OUT.wav
        the same stream as one stereo file (what the track plays)
  wavtool.py compare A.wav B.wav             bit-for-bit comparison report
  wavtool.py info A.wav                      format, length and peak per channel
  wavtool.py onsets A.wav [B.wav]            per channel, the frames where sound
        rises above 1/100 after at least 2048 quiet frames (where an impulse's
        reflections begin, even when a pitch stage smears them); with B, also
        how far apart the two files' onsets lie
"""
import array
import struct
import sys

FLOAT = 3
EXTENSIBLE = 0xFFFE


def read(path):
    """Returns (channels, rate, samples as array('f'), interleaved)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[0:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise SystemExit(f"{path}: not a WAV file")
    pos, fmt, body = 12, None, None
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
        chunk = data[pos + 8:pos + 8 + size]
        if cid == b"fmt ":
            fmt = struct.unpack_from("<HHIIHH", chunk)
            if fmt[0] == EXTENSIBLE and size >= 26:
                fmt = (struct.unpack_from("<H", chunk, 24)[0],) + fmt[1:]
        elif cid == b"data":
            body = chunk
        pos += 8 + size + (size & 1)
    if fmt is None or body is None:
        raise SystemExit(f"{path}: no fmt or data chunk")
    tag, channels, rate, _, _, bits = fmt
    if tag != FLOAT or bits != 32:
        raise SystemExit(f"{path}: not 32-bit float samples (format {tag}, {bits} bits)")
    samples = array.array("f")
    samples.frombytes(body[:len(body) // 4 * 4])
    if sys.byteorder != "little":
        samples.byteswap()
    return channels, rate, samples


def write(path, channels, rate, samples):
    body = samples.tobytes() if sys.byteorder == "little" else _swapped(samples)
    fmt = struct.pack("<HHIIHH", FLOAT, channels, rate, rate * channels * 4, channels * 4, 32)
    fact = struct.pack("<I", len(samples) // channels)
    out = b"".join([b"WAVE", b"fmt ", struct.pack("<I", len(fmt)), fmt,
                    b"fact", struct.pack("<I", 4), fact,
                    b"data", struct.pack("<I", len(body)), body])
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(out)) + out)


def _swapped(samples):
    copy = array.array("f", samples)
    copy.byteswap()
    return copy.tobytes()


def channel(samples, channels, c):
    return samples[c::channels]


def test_input(frames):
    """Impulses on the left, then noise on both channels: the impulses show
    where reflections land, the noise exercises every sample value path."""
    left = array.array("f", bytes(4 * frames))
    right = array.array("f", bytes(4 * frames))
    for i, amp in ((0, 1.0), (frames // 8, -0.5)):
        left[i] = amp
    seed = 12345
    for i in range(frames // 4, frames):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        left[i] = (seed / 0x7FFFFFFF - 0.5) * 0.5
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        right[i] = (seed / 0x7FFFFFFF - 0.5) * 0.25
    return interleave([left, right])


def interleave(chans):
    out = array.array("f", bytes(4 * len(chans) * len(chans[0])))
    for c, ch in enumerate(chans):
        out[c::len(chans)] = ch
    return out


def padded(ch, lead_in, frames):
    out = array.array("f", bytes(4 * frames))
    n = max(0, min(len(ch), frames - lead_in))
    out[lead_in:lead_in + n] = ch[:n]
    return out


def onsets(path, threshold=0.01, gap=2048):
    channels, _, samples = read(path)
    result = []
    for c in range(channels):
        found, quiet = [], gap
        for i, x in enumerate(channel(samples, channels, c)):
            if abs(x) > threshold:
                if quiet >= gap:
                    found.append(i)
                quiet = 0
            else:
                quiet += 1
        result.append(found)
    return result


def main(argv):
    cmd = argv[1] if len(argv) > 1 else ""
    if cmd == "input":
        write(argv[2], 2, 48000, test_input(int(argv[3])))
    elif cmd == "impulse":
        frames = int(argv[3])
        left, right = array.array("f", bytes(4 * frames)), array.array("f", bytes(4 * frames))
        left[0] = 1.0
        write(argv[2], 2, 48000, interleave([left, right]))
    elif cmd == "onsets":
        found = [onsets(path) for path in argv[2:4]]
        for c, frames in enumerate(found[0]):
            print(f"channel {c}: {' '.join(map(str, frames))}")
        if len(found) == 2:
            a, b = found
            same = len(a) == len(b) and all(len(x) == len(y) for x, y in zip(a, b))
            print(f"same-count {'yes' if same else 'no'}")
            if same:
                print(f"largest-shift {max((abs(x - y) for ca, cb in zip(a, b) for x, y in zip(ca, cb)), default=0)}")
    elif cmd == "takes":
        channels, _, samples = read(argv[2])
        lead_in = int(argv[3])
        for c, take in enumerate(argv[4:6]):
            tch, rate, tsamples = read(take)
            write(take, 1, rate, padded(channel(samples, channels, c), lead_in, len(tsamples)))
    elif cmd == "pad":
        channels, rate, samples = read(argv[2])
        lead_in, frames = int(argv[3]), int(argv[4])
        chans = [padded(channel(samples, channels, c), lead_in, frames) for c in range(channels)]
        write(argv[5], channels, rate, interleave(chans))
    elif cmd == "compare":
        a, b = read(argv[2]), read(argv[3])
        print(f"channels {a[0]} {b[0]}")
        print(f"rate {a[1]} {b[1]}")
        fa, fb = len(a[2]) // a[0], len(b[2]) // b[0]
        print(f"frames {fa} {fb}")
        if a[0] != b[0]:
            return
        ba, bb = a[2].tobytes(), b[2].tobytes()
        n = min(len(ba), len(bb))
        if ba[:n] == bb[:n]:
            print(f"differing-samples 0 of {n // 4}")
            return
        diff = [i for i in range(n // 4) if a[2][i] != b[2][i] or ba[4 * i:4 * i + 4] != bb[4 * i:4 * i + 4]]
        i = diff[0]
        peak = max(abs(a[2][j] - b[2][j]) for j in diff)
        print(f"differing-samples {len(diff)} of {n // 4}")
        print(f"first-difference frame {i // a[0]} channel {i % a[0]}: {a[2][i]!r} {b[2][i]!r}")
        print(f"largest-difference {peak!r}")
    elif cmd == "info":
        channels, rate, samples = read(argv[2])
        peaks = [max((abs(x) for x in channel(samples, channels, c)), default=0.0) for c in range(channels)]
        print(f"channels {channels} rate {rate} frames {len(samples) // channels} peaks {peaks}")
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
