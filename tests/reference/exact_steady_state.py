#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Reference values of the exact periodic steady state for accuracy_test.cpp,
# computed to 40 digits by another way than the program's closed form: the
# matrix exponential of mpmath (Taylor series with scaling and squaring),
# the periodicity solved as a linear system, and the peak found by
# bracketing the zeros of iC on a fine grid and refining them with
# mpmath.findroot. Writes tests/cases/exact_steady_state.tsv; run it again
# when a case is added (Debian: python3-mpmath).
import os

import mpmath as mp

mp.mp.dps = 40

# Is, R, C, L, f and what the case tries.
CASES = [
    ("1", "400", "1e-5", "0.1", "159", "the defaults, underdamped"),
    ("1", "1e5", "1e-5", "0.1", "159", "high Q"),
    ("1", "50", "1e-5", "0.1", "159", "at the critical damping"),
    ("1", "49.99999999", "1e-5", "0.1", "159", "just below it"),
    ("1", "50.00000001", "1e-5", "0.1", "159", "just above it"),
    ("1", "1", "1e-5", "0.1", "159", "strongly overdamped"),
    ("1", "400", "1e-5", "0.1", "1", "f far below fris"),
    ("1", "400", "1e-5", "0.1", "1e5", "f far above fris"),
    ("-2.5", "1e3", "1e-9", "1e-3", "5e3", "a negative source, microhenries"),
]
# Instants, as shares of the period, where the waveforms are compared; the
# test takes the second half from the first by the half-wave symmetry.
SHARES = ["0.1", "0.35"]


def steady(Is, R, C, L, f):
    A = mp.matrix([[-1 / (R * C), -1 / C], [1 / L, 0]])
    T = 1 / f
    h = T / 2
    E = mp.expm(A * h)
    p1 = mp.matrix([0, Is])
    x0 = mp.lu_solve(mp.eye(2) + E, E * p1)

    def at(t, first_half=False):
        t = t if first_half else t % T
        if t < h or first_half:
            x = p1 + mp.expm(A * t) * (x0 - p1)
            return Is, x[0], x[1], Is - x[0] / R - x[1]
        x = mp.expm(A * (t - h)) * (p1 - x0)
        return mp.mpf(0), x[0], x[1], -x[0] / R - x[1]

    return at, h


def peak(at, h):
    best, when = abs(at(0)[1]), mp.mpf(0)
    n = 4000
    ic = lambda t: at(t, first_half=True)[3]
    prev = ic(0)
    for i in range(1, n + 1):
        t = h * i / n
        c = ic(t)
        if prev * c < 0:
            root = mp.findroot(ic, (h * (i - 1) / n, t), solver="illinois")
            v = abs(at(root, first_half=True)[1])
            if v > best:
                best, when = v, root
        prev = c
    return best, when


def g(x):
    return mp.nstr(x, 17, min_fixed=-3, max_fixed=3, strip_zeros=False)


HEADER = """# Written by tests/reference/exact_steady_state.py: do not edit.
# Is, R, C, L, f; the peak of |v| in V and its instant in s; v in V, iL and
# iC in A at a tenth and at 0.35 of the period; what the case tries.
"""
with open(os.path.join(os.path.dirname(__file__), "..", "cases", "exact_steady_state.tsv"),
          "w", encoding="utf-8") as out:
    out.write(HEADER)
    for Is, R, C, L, f, what in CASES:
        at, h = steady(*(mp.mpf(x) for x in (Is, R, C, L, f)))
        p, t = peak(at, h)
        points = [at(mp.mpf(s) / mp.mpf(f)) for s in SHARES]
        values = [g(x) for _, v, i, c in points for x in (v, i, c)]
        out.write("\t".join([Is, R, C, L, f, g(p), g(t)] + values + [what]) + "\n")
