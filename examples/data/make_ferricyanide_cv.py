"""Writes ferricyanide-cv.txt: a synthetic cyclic voltammogram laid out as an instrument's text
export (a title row, an index column, mV and uA, anodic current positive).

The curve is Vorex's own digital simulation of a quasi-reversible couple (E0 0.217 V, ks 1e-3 cm/s,
alpha 0.48, 4 mM, D 7.6e-6 cm2/s, 0.071 cm2, 0.1 V/s) behind Ru 50 ohm with Cdl 20 uF and 1 % noise,
on a two-cycle programme started in mid-range (0.3 -> 0.7 -> -0.1 -> 0.7 -> -0.1 -> 0.3 V in 2 mV
steps), with a sloping background 1.5e-6 + 2e-6 E A added. Run it with the module on the path:
    PYTHONPATH=build/python python3 examples/data/make_ferricyanide_cv.py
"""

import pathlib

import numpy as np

import vorex


def leg(start, end, first):
    n = int(round(abs(end - start) / 0.002))
    k = np.arange(0 if first else 1, n + 1)
    return start + (end - start) * k / n


E = np.concatenate([leg(0.3, 0.7, True), leg(0.7, -0.1, False), leg(-0.1, 0.7, False),
                    leg(0.7, -0.1, False), leg(-0.1, 0.3, False)])
truth = dict(scan_rate=0.1, E0_1=0.217, ks_1=1e-3, alpha_1=0.48, C_A=4e-3, D_A=7.6e-6,
             D_B=7.6e-6, area=0.071, Ru=50, Cdl=2e-5, noise=1)
I = vorex.simulate(programme=E, **truth).I + 1.5e-6 + 2.0e-6 * E
out = pathlib.Path(__file__).with_name("ferricyanide-cv.txt")
with out.open("w") as f:
    f.write("Index\tE (mV)\tI (uA)\n")
    for i, (e, c) in enumerate(zip(E, I)):
        f.write(f"{i + 1}\t{e * 1000:.1f}\t{-c * 1e6:.4f}\n")
