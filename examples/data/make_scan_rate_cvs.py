"""Writes ferricyanide-20mVs.txt, -50mVs, -100mVs and -200mVs: four synthetic cyclic voltammograms
of one quasi-reversible couple at 0.02, 0.05, 0.1 and 0.2 V/s, laid out as the CH Instruments text
export (a header stating the scan rate, "Potential/V, Current/A", cathodic current positive).

Each curve is Vorex's own digital simulation (E0 0.217 V, ks 1e-3 cm/s, alpha 0.48, 4 mM,
D 7.6e-6 cm2/s for both forms, 0.071 cm2) behind Ru 50 ohm with Cdl 20 uF, on one cycle started in
mid-range (0.4 -> 0.7 -> -0.1 -> 0.4 V; 1 mV steps at the two slower rates, 2 mV at the faster
ones), with a sloping background 1.5e-6 + 2e-6 E A and Gaussian noise of 0.1 uA added here. The
simulations run through vorex-cli, so no Python module is needed:
    python3 examples/data/make_scan_rate_cvs.py [path/to/vorex-cli]
(build/bin/vorex-cli by default).
"""

import pathlib
import random
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
TRUTH = dict(E0=0.217, ks=1e-3, alpha=0.48, C=4e-3, D=7.6e-6, area=0.071, Ru=50, Cdl=2e-5)
RATES = [(0.02, 0.001), (0.05, 0.001), (0.1, 0.002), (0.2, 0.002)]  # V/s, step V
NOISE = 1e-7  # A
SIMULATION = """mnuTech
FormTech.optTech(1) = 1
FormTech.CheckDigital = 1
click FormTech.CmdOK
mnuImport programme.csv scan=measured
mnuExperimental
FormExpr.V = {v}
FormExpr.ARE = {area}
FormExpr.Ru = {Ru}
FormExpr.Cdl = {Cdl}
FormExpr.D(1) = {D}
FormExpr.D(2) = {D}
FormExpr.Eze(1) = {E0}
FormExpr.ks(1) = {ks}
FormExpr.alph(1) = {alpha}
FormExpr.C(1) = {C}
click FormExpr.CmdOK
mnuSimulate
mnuExport simulated.csv
"""
HEADER = """Jan. 15, 2025   10:{minute:02d}:00
Cyclic Voltammetry
File: c:\\data\\ferri_{mv}mVs.bin
Data Source:  Experiment
Instrument Model:  CHI660E
Header:
Note: 4 mM K3[Fe(CN)6] in 1 M KCl, glassy carbon 3 mm

Init E (V) = 0.4
High E (V) = 0.7
Low E (V) = -0.1
Init P/N = P
Scan Rate (V/s) = {v}
Segment = 3
Sample Interval (V) = {step}
Quiet Time (sec) = 2
Sensitivity (A/V) = 1e-4

Potential/V, Current/A

"""


def leg(start, end, step, first):
    n = round(abs(end - start) / step)
    return [start + (end - start) * k / n for k in range(0 if first else 1, n + 1)]


def simulate(cli, potentials, v):
    """The total current [A] at each potential, as Export Data writes it: "E , I" a line."""
    with tempfile.TemporaryDirectory() as work:
        work = pathlib.Path(work)
        # The programme's currents only need to be numbers; the simulation replaces them.
        (work / "programme.csv").write_text("".join(f"{e:.4f},{1e-6 * e:.6e}\n" for e in potentials))
        (work / "simulate.vxs").write_text(SIMULATION.format(v=v, **TRUTH))
        subprocess.run([cli, "simulate.vxs"], cwd=work, check=True, capture_output=True)
        lines = (work / "simulated.csv").read_text().splitlines()
    current = [float(line.split(",")[1]) for line in lines if line.strip()]
    if len(current) != len(potentials):
        sys.exit(f"vorex-cli simulated {len(current)} points, not {len(potentials)}")
    return current


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else str(HERE.parent.parent / "build/bin/vorex-cli")
    noise = random.Random(20250115)
    for minute, (v, step) in enumerate(RATES):
        e = leg(0.4, 0.7, step, True) + leg(0.7, -0.1, step, False) + leg(-0.1, 0.4, step, False)
        i = simulate(cli, e, v)
        mv = round(v * 1000)
        with (HERE / f"ferricyanide-{mv}mVs.txt").open("w", newline="\r\n") as f:
            f.write(HEADER.format(minute=minute, mv=mv, v=v, step=step))
            for ek, ik in zip(e, i):
                ik += 1.5e-6 + 2e-6 * ek + noise.gauss(0, NOISE)
                f.write(f"{ek:.3f}, {ik:.3e}\n")


if __name__ == "__main__":
    main()
