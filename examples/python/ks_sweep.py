"""Peak separation of a cyclic voltammogram against the rate constant ks, beside Nicholson's
working curve (Anal. Chem. 37 (1965) 1351, Table I: psi against n dEp at 25 degrees C, alpha 0.5).

Run with the module on the path:  PYTHONPATH=build/python python3 examples/python/ks_sweep.py
Writes docs/python-ks-sweep.png when matplotlib is installed, and prints the table either way.
"""

import math
import sys

import numpy as np

import vorex

D, v = 1e-5, 0.1  # cm2/s, V/s
F_RT = 96484.6 / (8.31441 * 298.14)
ks_values = np.logspace(-4, 0, 41)
cases = [dict(technique="cv", E_start=0.5, E_end=-0.5, E_step=0.001, scan_rate=v, D=D, ks=ks)
         for ks in ks_values]
results = vorex.sweep(cases)  # on local threads; pass client=dask.distributed.Client() for a cluster


def peak_separation(result):
    """Epa - Epc [V] of one cycle: reduction currents are positive, so the forward (cathodic) peak
    is the largest current of the first sweep and the anodic peak the smallest of the second."""
    half = len(result.E) // 2
    cathodic = result.E[np.argmax(result.I[:half])]
    anodic = result.E[half + np.argmin(result.I[half:])]
    return anodic - cathodic


separations = []
for ks, result in zip(ks_values, results):
    if not result:  # a Failure carries the program's message instead of a curve
        sys.exit(f"ks = {ks:g}: {result.message}")
    separations.append(1000 * peak_separation(result))

# Nicholson's psi = ks / sqrt(pi D v F/RT) for equal diffusion coefficients.
nicholson = [(20, 61), (7, 63), (6, 64), (5, 65), (4, 66), (3, 68), (2, 72), (1, 84),
             (0.75, 92), (0.5, 105), (0.35, 121), (0.25, 141), (0.1, 212)]
scale = math.sqrt(math.pi * D * v * F_RT)
print(" ks (cm/s)   dEp (mV)")
for ks, sep in zip(ks_values, separations):
    print(f"{ks:10.3g} {sep:10.1f}")

try:
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
except ImportError:
    sys.exit(0)
fig, ax = plt.subplots(figsize=(6, 4), dpi=100)
ax.semilogx(ks_values, separations, "-", color="#0072B2", label="vorex.simulate (digital, 1 mV)")
ax.semilogx([psi * scale for psi, _ in nicholson], [sep for _, sep in nicholson], "o",
            color="#D55E00", label="Nicholson 1965, Table I")
ax.set_xlabel("ks (cm/s)")
ax.set_ylabel("Epa - Epc (mV)")
ax.set_title(f"Peak separation at v = {v} V/s, D = {D} cm$^2$/s, $\\alpha$ = 0.5")
ax.legend()
ax.grid(True, which="both", alpha=0.3)
fig.tight_layout()
fig.savefig("docs/python-ks-sweep.png")
print("wrote docs/python-ks-sweep.png")
