#!/usr/bin/env python3
"""Writes the hand-made seed sessions of fuzz/corpus/ (run from anywhere).

Each byte string follows the session encoding of fuzz/HostSession.cpp: an
action byte (its value modulo 12 picks the action), then that action's bytes.
"""
import os
import struct

DISPATCH, SET_PARAM, TAME, PROGRAM, MAINS, RATE, READ, PROCESS = 0, 2, 3, 4, 5, 6, 7, 8
# frame-count picks: indices into the table of edge counts
F0, F1, F512, F4096, F8192, F33075, F132300, F132301, F200000, FNEG = 0, 1, 10, 13, 15, 16, 20, 21, 22, 23
SEPARATE, IN_PLACE, RIGHT_ON_LEFT_INPUT = 0, 1, 2
SILENCE, NOISE, SINE, IMPULSE, FULL, SQUARE, BURST, DENORMAL, HUGE = range(9)


def process(frames, layout=SEPARATE, left=NOISE, right=NOISE, seed=1):
    return bytes([PROCESS, frames, layout, left, right]) + struct.pack("<I", seed)


def program(n):
    return bytes([PROGRAM, 200]) + struct.pack("<i", n)


def tame(values, mask=2):
    """Nine bytes 0..255; gains are scaled into 0..0.25, pitches forced to unity by mask bit 1."""
    return bytes([TAME, mask] + values)


def param(index, float_pick):
    return bytes([SET_PARAM, 1, index, float_pick])


def dispatch(opcode, index_pick=0, value_pick=0, opt_pick=0, extra=b""):
    return bytes([DISPATCH, (opcode + 5) % 106, index_pick, value_pick, opt_pick]) + extra


RESUME = bytes([MAINS, 1])
SUSPEND = bytes([MAINS, 0])

seeds = {
    # a burst of non-finite input, a resume, three seconds of noise, then checked output
    "burst-resume-recover": process(F8192, left=BURST, right=BURST) + SUSPEND + RESUME
    + process(F132300, seed=5) + process(F4096, IN_PLACE, SINE, SINE, 9),
    # wall 2 on with both gain factors at 0.5 and no pitch stage: output must stay finite
    "tame-loop": tame([255, 40, 128, 255, 0, 255, 10, 255, 0]) + process(F200000, left=FULL, right=SQUARE)
    + process(F4096, RIGHT_ON_LEFT_INPUT),
    # every preset, an impulse through each
    "presets": b"".join(program(n) + process(F33075, left=IMPULSE, right=SILENCE, seed=n) for n in range(5))
    + program(15) + program(16) + program(-1),
    # parameters outside 0..1 and non-finite, then processing, then a clean restart
    "wild-parameters": param(2, 9) + param(3, 7) + param(4, 11) + param(6, 8) + param(5, 1)
    + process(F4096) + param(2, 12) + process(F512, IN_PLACE) + tame([200] * 9) + RESUME
    + process(F132300) + process(F512),
    # blocks longer than the work blocks, zero and negative counts
    "odd-blocks": process(F132301) + process(F200000, IN_PLACE) + process(F0) + process(FNEG)
    + process(F1, RIGHT_ON_LEFT_INPUT),
    # sample rate and block size edges around processing
    "rates": bytes([RATE, 1, 9]) + bytes([RATE, 1, 11]) + bytes([RATE, 0, 13]) + bytes([RATE, 1, 0])
    + process(F4096) + dispatch(7, 3) + dispatch(7, 4) + dispatch(7, 5) + bytes([READ]),
}
# every opcode once, in two halves (a session has at most 96 steps)
opcodes = [op for op in range(-5, 101) if op != 1]
seeds["opcodes-low"] = b"".join(dispatch(op, 1, 1, 1, b"\x10" * 8) for op in opcodes[:53])
seeds["opcodes-high"] = b"".join(dispatch(op, 2, 250, 9, b"\x20" * 8) for op in opcodes[53:])
seeds["close-last"] = process(F512) + dispatch(1)

out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
os.makedirs(out, exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
