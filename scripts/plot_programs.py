"""Pictures of the effect's named programs from kelvorn's renders.

  plot_programs.py impulse FILE            writes a stereo impulse (left only) at 44.1 kHz
  plot_programs.py plot WORK OUT NAME...   plots WORK/impulse-N.wav and WORK/demo-N.wav
                                           into OUT/program-N.png, one per NAME
"""
import struct
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

RATE = 44100


def write_impulse(path):
    frames = RATE // 10
    samples = np.zeros((frames, 2), dtype="<i2")
    samples[0, 0] = 16384  # half of full scale, left channel only
    data = samples.tobytes()
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE"
    header += b"fmt " + struct.pack("<IHHIIHH", 16, 1, 2, RATE, RATE * 4, 4, 16)
    header += b"data" + struct.pack("<I", len(data))
    with open(path, "wb") as f:
        f.write(header + data)


def read_float_wav(path):
    """Reads the 32-bit float stereo WAV files kelvorn writes."""
    with open(path, "rb") as f:
        blob = f.read()
    pos, rate, channels = 12, RATE, 2
    while pos + 8 <= len(blob):
        tag, size = blob[pos:pos + 4], struct.unpack("<I", blob[pos + 4:pos + 8])[0]
        body = blob[pos + 8:pos + 8 + size]
        if tag == b"fmt ":
            fmt, channels, rate = struct.unpack("<HHI", body[:8])
            if fmt not in (3, 0xFFFE):
                raise SystemExit(f"{path}: expected float samples")
        elif tag == b"data":
            return rate, np.frombuffer(body, dtype="<f4").reshape(-1, channels)
        pos += 8 + size + (size & 1)
    raise SystemExit(f"{path}: no data chunk")


def plot(work, out, names):
    for program, name in enumerate(names):
        rate, ir = read_float_wav(f"{work}/impulse-{program}.wav")
        _, demo = read_float_wav(f"{work}/demo-{program}.wav")
        fig = plt.figure(figsize=(10, 7.5), constrained_layout=True)
        grid = fig.add_gridspec(3, 1, height_ratios=[1, 1, 1.6])
        t = np.arange(len(ir)) / rate
        top = None
        for row, (channel, colour) in enumerate((("left", "tab:blue"), ("right", "tab:red"))):
            ax = fig.add_subplot(grid[row], sharex=top)
            top = top or ax
            ax.plot(t, ir[:, row], color=colour, linewidth=0.8)
            ax.set_ylabel(f"{channel} output")
            ax.grid(alpha=0.3)
            ax.set_xlim(-0.01 * t[-1], t[-1])  # keeps the dry impulse at 0 in view
        top.set_title(f'Program {program} "{name}": response to a left impulse of 0.5 (-6 dBFS)')
        ax.set_xlabel("time (s)")
        spectrogram = fig.add_subplot(grid[2])
        mono = demo.mean(axis=1)
        with np.errstate(divide="ignore"):  # silent stretches have zero power
            spectrogram.specgram(mono, NFFT=2048, Fs=rate, noverlap=1536, cmap="magma", vmin=-120, vmax=-20)
        spectrogram.set_ylim(0, 6000)
        spectrogram.set_ylabel("frequency (Hz)")
        spectrogram.set_xlabel("time (s)")
        spectrogram.set_title("the demo signal through it: spectrogram of (left + right) / 2")
        fig.savefig(f"{out}/program-{program}.png", dpi=80)
        plt.close(fig)


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "impulse":
        write_impulse(sys.argv[2])
    elif len(sys.argv) >= 4 and sys.argv[1] == "plot":
        plot(sys.argv[2], sys.argv[3], sys.argv[4:])
    else:
        raise SystemExit(__doc__)
