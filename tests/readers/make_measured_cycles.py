#!/usr/bin/env python3
"""Writes the measured-cycle fixtures of tests/readers/data from theory, not from Vorex.

Each file is a cyclic voltammogram of a reversible one-electron couple, O + e = R, at a planar
electrode under semi-infinite linear diffusion, D(O) = D(R), with one form in the bulk. Nernst's
law fixes the surface concentrations at every potential, and the semi-integral of the current is
then, in closed form (Oldham; Bard & Faulkner, "Electrochemical Methods", 2nd ed., 6.2),

    I^(-1/2) i(t) = n F A sqrt(D) C* g(t),   g = 1 / (1 + theta)   (O in the bulk, i cathodic)
                                             g = theta / (1 + theta) (R in the bulk, i anodic)
    theta = exp(n F (E(t) - E0) / R T).

The current is the semi-derivative of that, taken here by the Grunwald-Letnikov sum on a fine time
grid sampled a quarter step late (which makes it second order for q = 1/2); the script checks
itself against Randles-Sevcik (ip = 0.4463 n F A C* sqrt(n F v D / R T)) and the peak's
Ep - E1/2 = -28.5 mV / n before it writes anything.

Each file is written as its instrument would: its layout, units, sign convention (IUPAC, anodic
positive, where the instrument uses it), number format, a measured potential that wanders by a
fraction of a step, and a little noise on the current from a fixed pseudo-random sequence, so that
the files are the same on every run.

    python3 tests/readers/make_measured_cycles.py
"""

import math
import os

F = 96485.33212
R = 8.314462618
T = 298.15
NF = F / (R * T)  # n F / R T for n = 1 [1/V]

AREA = 0.0707  # cm2 (3 mm disc)
CONC = 1e-6  # mol/cm3 (1 mM)
DIFF = 1e-5  # cm2/s
K = F * AREA * math.sqrt(DIFF) * CONC  # n F A sqrt(D) C*

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")


class Noise:
    """A linear congruential sequence in [-1, 1): the same 'noise' every run."""

    def __init__(self, seed):
        self.x = seed

    def __call__(self):
        self.x = (1103515245 * self.x + 12345) % 2**31
        return 2.0 * self.x / 2**31 - 1.0


def triangle(corners, v):
    """E(t) through the corners at scan rate v, and the total time."""
    times = [0.0]
    for a, b in zip(corners, corners[1:]):
        times.append(times[-1] + abs(b - a) / v)

    def e(t):
        t = min(max(t, 0.0), times[-1])
        for k in range(len(corners) - 1):
            if t <= times[k + 1]:
                return corners[k] + (corners[k + 1] - corners[k]) * (t - times[k]) / (
                    times[k + 1] - times[k])
        return corners[-1]

    return e, times[-1]


def reversible_current(e_of_t, t_end, e0, bulk, samples, sub):
    """Current [A], reduction positive, at `samples` + 1 equally spaced times over [0, t_end]."""
    n = samples * sub
    dt = t_end / n
    sign = 1.0 if bulk == "O" else -1.0

    def g(t):
        x = NF * (e_of_t(t) - e0)
        theta = math.exp(min(x, 700.0))
        return 1.0 / (1.0 + theta) if bulk == "O" else theta / (1.0 + theta)

    # Grunwald-Letnikov weights of q = 1/2, and g a quarter step late.
    w = [1.0]
    for j in range(1, n + 1):
        w.append(w[-1] * (j - 1.5) / j)
    f = [g(k * dt + dt / 4) for k in range(n + 1)]
    f0 = f[0]
    scale = 1.0 / math.sqrt(dt)
    out = []
    for m in range(samples + 1):
        top = m * sub
        acc = 0.0
        for j in range(top + 1):
            acc += w[j] * (f[top - j] - f0)
        # The constant start value g(0) has the semi-derivative g(0) / sqrt(pi t): the current of
        # the step to the start potential, a vanishing one here since it lies far from E0.
        t = top * dt
        acc = acc * scale + (f0 / math.sqrt(math.pi * t) if t > 0 else 0.0)
        out.append(sign * K * acc)
    return out


def self_check():
    """A linear sweep from far positive: the current's peak against the textbook values."""
    v, e0 = 0.05, 0.0
    e, t_end = triangle([0.4, -0.3], v)
    samples, sub = 700, 4  # 1 mV a sample
    i = reversible_current(e, t_end, e0, "O", samples, sub)
    k = max(range(len(i)), key=lambda j: i[j])
    ep = e(k * t_end / samples)
    ip_theory = 0.4463 * K * math.sqrt(NF * v)
    assert abs(i[k] / ip_theory - 1) < 0.005, (i[k], ip_theory)
    assert abs(ep - e0 + 0.0285) < 0.0011, ep


def sample(corners, v, step, e0, bulk, sub):
    e, t_end = triangle(corners, v)
    samples = round(t_end * v / step)
    current = reversible_current(e, t_end, e0, bulk, samples, sub)
    times = [m * t_end / samples for m in range(samples + 1)]
    return times, [e(t) for t in times], current


def write(name, text, encoding="utf-8"):
    with open(os.path.join(HERE, name), "w", encoding=encoding, newline="") as out:
        out.write(text)


def biologic_three_segments():
    """EC-Lab .mpt: Ei 0.93 V, E1 -0.01 V, E2 1.69 V, Ef 0.97 V at 50 mV/s, a point every 2 mV,
    E0 = 0.45 V with O in the bulk, <I> in mA anodic positive, Ewe wandering by up to 0.05 mV."""
    times, control, current = sample([0.93, -0.01, 1.69, 0.97], 0.05, 0.002, 0.45, "O", 4)
    noise, hum = Noise(11), Noise(23)
    titles = ("mode\tox/red\terror\tcontrol changes\tcounter inc.\ttime/s\tcontrol/V\tEwe/V\t"
              "<I>/mA\tcycle number\t(Q-Qo)/C\tI Range\tP/W\t")
    header = [
        "EC-Lab ASCII FILE", "Nb header lines : {n}                          ", "",
        "Cyclic Voltammetry", "", "Run on channel : 2 (SN 20461)",
        "User : ", "Ewe ctrl range : min = -2.50 V, max = 2.50 V",
        "Acquisition started on : 03/14/2023 10:22:41.118",
        "Electrode surface area : 0.0707 cm\u00b2",
        "Ei (V)              0.930               ", "vs.                 Ref                 ",
        "dE/dt               50.000              ", "dE/dt unit          mV/s                ",
        "E1 (V)              -0.010              ", "vs.                 Ref                 ",
        "E2 (V)              1.690               ", "vs.                 Ref                 ",
        "nc cycles           0                   ", "Ef (V)              0.970               ",
        "vs.                 Ref                 ", "", titles]
    lines = [h.replace("{n}", str(len(header))) for h in header]
    charge = 0.0
    for k, t in enumerate(times):
        ewe = control[k] + 5e-5 * noise()
        amps = current[k] + 2e-10 * hum()  # reduction positive
        if k > 0:
            charge += -(amps + current[k - 1]) / 2 * (t - times[k - 1])
        milli = -amps * 1e3
        lines.append(
            "2\t{}\t0\t0\t0\t{:.15E}\t{:.7E}\t{:.7E}\t{:.15E}\t1.000000000000000E+000\t{:.7E}\t"
            "41\t{:.7E}".format(1 if milli > 0 else 0, t, control[k], ewe, milli, charge,
                                ewe * milli * 1e-3))
    write("biologic-three-segment-cycle.mpt", "\r\n".join(lines) + "\r\n", "latin-1")


def text_tables():
    """A plain export: Index, E / mV, I / uA under a title row, tab-separated, anodic positive;
    0.25 V up to 0.70 V, down to -0.05 V and back to 0.25 V at 100 mV/s in 2 mV steps, E0 = 0.45 V
    with R in the bulk, E written to 0.01 mV as measured, wandering by up to 0.02 mV. The same rows
    without their title row, separated by blanks, make the untitled file."""
    times, e, current = sample([0.25, 0.70, -0.05, 0.25], 0.1, 0.002, 0.45, "R", 4)
    noise, wander = Noise(5), Noise(9)
    rows = []
    for k in range(len(times)):
        ua = -(current[k] + 3e-8 * noise()) * 1e6
        rows.append("{}\t{:.2f}\t{:.4f}".format(k + 1, e[k] * 1e3 + 0.02 * wander(), ua))
    write("text-table-mv-ua.txt", "Index\tE / mV\tI / \u00b5A\r\n" + "\r\n".join(rows) + "\r\n")
    write("text-untitled-3-columns.txt", "\n".join(r.replace("\t", " ") for r in rows) + "\n")


def nova_procedure_columns():
    """NOVA ASCII, ';' between fields: the procedure's settings as columns filled on the first row
    only, before the signals. Two scans 0 V -> 0.6 V -> -0.2 V -> 0 V at 0.1 V/s on the converter's
    step of 2.44140625 mV (Step (V) = 0.00244 as the procedure states it), E0 = 0.25 V with R in the
    bulk, current in A anodic positive, WE(1).Potential wandering by up to 0.1 mV."""
    h = 0.00244140625
    corners = [0, 246, -82, 0, 246, -82, 0]  # in steps: the vertices nearest 0.6 V and -0.2 V
    times, e, current = sample([c * h for c in corners], 0.1, h, 0.25, "R", 2)
    noise, hum = Noise(7), Noise(3)
    settings = ["Start potential (V)", "Upper vertex potential (V)", "Lower vertex potential (V)",
                "Stop potential (V)", "Number of stop crossings", "Step (V)", "Scan rate (V/s)"]
    signals = ["Potential applied (V)", "Time (s)", "WE(1).Current (A)", "WE(1).Potential (V)",
               "Scan", "Index", "Q+", "Q-", "Current range"]
    lines = [";".join(settings + signals)]
    per_scan = (len(times) - 1) // 2
    charge = 0.0
    for k, t in enumerate(times):
        applied = round(e[k] / h) * h
        amps = -(current[k] + 2e-9 * hum())  # anodic positive
        if k > 0:
            charge += amps * (t - times[k - 1])
        scan = 1 if k < per_scan else 2
        first = ["0", "0.6", "-0.2", "0", "4", "0.00244", "0.1"] if k == 0 else [""] * 7
        lines.append(";".join(first + [
            "{:.8f}".format(applied), "{:.4f}".format(t), "{:.6E}".format(amps),
            "{:.8f}".format(applied + 1e-4 * noise()), str(scan), str(k + 1),
            "{:.6E}".format(max(charge, 0.0)), "{:.6E}".format(min(charge, 0.0)), "1 mA"]))
    write("nova-procedure-columns.txt", "\r\n".join(lines) + "\r\n")


def long_record():
    """More points than the store holds: three cycles between 0.6 V and -0.2 V from 0.2 V at
    50 mV/s, a point every 1 mV (4801 points), E0 = 0.35 V with R in the bulk, in V and A."""
    corners = [0.2, 0.6, -0.2, 0.6, -0.2, 0.6, -0.2, 0.2]
    times, e, current = sample(corners, 0.05, 0.001, 0.35, "R", 1)
    noise = Noise(17)
    rows = ["{:.4f},{:.6E}".format(e[k], -(current[k] + 1e-8 * noise())) for k in range(len(e))]
    write("text-table-long-record.csv", "Potential (V),Current (A)\n" + "\n".join(rows) + "\n")


if __name__ == "__main__":
    self_check()
    biologic_three_segments()
    text_tables()
    nova_procedure_columns()
    long_record()
