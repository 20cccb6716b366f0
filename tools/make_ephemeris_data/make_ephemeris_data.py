#!/usr/bin/env python3
"""Regenerates the ephemeris files shipped under data/ from the reference ephemeris.

The positions come from swetest (Swiss Ephemeris with its JPL DE431-derived files),
heliocentric, geometric, referred to the mean ecliptic and equinox of date (-hel -true
-nonut), with the Julian day taken as TT. The output is a pure function of swetest's printed
numbers, so a run reproduces the committed files byte for byte.

Usage: make_ephemeris_data.py [DATA_DIR]   (default: data/ of the source tree)
"""
import math
import os
import struct
import subprocess
import sys

EPHE = "-edir/usr/share/libswe/ephe"
SWETEST_CHUNK = 30000  # swetest stops after 36,525 steps per call

# Ephemeris files of the chain bodies: fifteen files per body, ordered from the earliest
# coverage to the latest, sharing one grid of records; consecutive files overlap by eight
# steps of covered dates, so every date of the chain is covered.
CHAIN_EXTENSIONS = [".M%d" % n for n in range(11, 0, -1)] + ["", ".P1", ".P2", ".P3"]
CHAIN_START = 1355000.5  # -1001 Jan 1 (proleptic Gregorian)
CHAIN_END = 2818000.5    # 3003 Apr 29
CHAIN_OVERLAP = 8

# name, swetest planet letter, step in days. The steps keep the error of Everett's
# sixth-difference interpolation at or below about 0.003" (measured against swetest at
# mid-step, 1900-2300), a third of the 0.01" budget.
CHAIN_BODIES = [("JUPITER", "5", 32), ("SATURN", "6", 32), ("URANUS", "7", 64),
                ("NEPTUNE", "8", 64), ("PLUTO", "9", 64)]

# Single files: the full 16-bit record count (65535, stored as -1), centred on J2000.0 for
# the four asteroids; Chiron's range sits inside the reference's own coverage of Chiron,
# JD 1967601.5 .. 3419437.5, with its step the largest that fits.
SINGLE_COUNT = 65535
SINGLE_BODIES = [("CERES", "F", 16, 2451544.5 - 32767 * 16), ("PALLAS", "G", 16, 2451544.5 - 32767 * 16),
                 ("JUNO", "H", 16, 2451544.5 - 32767 * 16), ("VESTA", "I", 16, 2451544.5 - 32767 * 16),
                 ("CHIRON", "D", 22, 1972656.5)]

GAUSS_K = 0.01720209895  # Gaussian gravitational constant, AU^(3/2) / day


def swetest(planet, start, count, step, flags):
    """Rows of numbers for count instants start + i * step."""
    rows = []
    done = 0
    while done < count:
        n = min(SWETEST_CHUNK, count - done)
        cmd = ["swetest", EPHE, "-p" + planet, "-hel", "-true", "-head", "-bj%.6f" % (start + done * step),
               "-n%d" % n, "-s%d" % step] + flags
        out = subprocess.run(cmd, capture_output=True, text=True, check=True).stdout
        lines = [l for l in out.splitlines() if l.strip()]
        for line in lines:
            if "not found" in line or "Moshier" in line or "error" in line.lower():
                raise RuntimeError("swetest: " + line)
        rows += [[float(v) for v in line.split()] for line in lines]
        done += n
    if len(rows) != count:
        raise RuntimeError("swetest answered %d rows for %d instants" % (len(rows), count))
    return rows


def coordinates(planet, start, count, step):
    return swetest(planet, start, count, step, ["-nonut", "-fX"])


def ephm_file(path, start, step, records):
    """An "EPHM" file whose record 0 lies at start - 2 * step; N = len(records) - 3."""
    count = len(records) - 3
    s = start + 2 * step
    with open(path, "wb") as f:
        f.write(b"EPHM" + bytes(8))
        f.write(struct.pack("<hdh", count - 65536 if count > 32767 else count, s, step))
        for x, y, z in records:
            f.write(struct.pack("<fff", x, y, z))


def make_chain(data, name, planet, step):
    steps = math.ceil((CHAIN_END - CHAIN_START) / step)
    per_file = -(-steps // len(CHAIN_EXTENSIONS))
    first = CHAIN_START - 5 * step
    grid = coordinates(planet, first, len(CHAIN_EXTENSIONS) * per_file + 18, step)
    for f, ext in enumerate(CHAIN_EXTENSIONS):
        # covered: CHAIN_START + f * per_file * step .. + (per_file + overlap) * step
        lo = f * per_file
        records = [row[:3] for row in grid[lo:lo + per_file + CHAIN_OVERLAP + 10]]
        ephm_file(os.path.join(data, name + ext), first + lo * step, step, records)


def make_single(data, name, planet, step, s):
    first = s - 2 * step
    records = [row[:3] for row in coordinates(planet, first, SINGLE_COUNT + 3, step)]
    ephm_file(os.path.join(data, name), first, step, records)


# Test files of minor bodies (".ELM"), with the siblings for the centuries before 1900.
ELM_CENTURIES = [("19", 2415020.5, 2488069.5), ("17", 2341972.5, 2415020.5), ("15", 2268924.5, 2341972.5)]


def elm_header(name, step, epoch, count, kind, records_at):
    head = b"EL" + struct.pack("<h", 0) + name.ljust(18).encode("ascii")
    head += struct.pack("<hii", step, round(epoch * 10), count) + kind
    return head.ljust(records_at, b"\0")


def osculating_elements(row):
    """Elements (M, omega, node, i in degrees, e, n in degrees/day, a in AU) of the two-body
    orbit through a heliocentric J2000.0 ecliptic position and velocity."""
    r, v = row[:3], row[3:6]
    mu = GAUSS_K * GAUSS_K
    cross = lambda p, q: [p[1] * q[2] - p[2] * q[1], p[2] * q[0] - p[0] * q[2], p[0] * q[1] - p[1] * q[0]]
    dot = lambda p, q: sum(a * b for a, b in zip(p, q))
    rn = math.sqrt(dot(r, r))
    h = cross(r, v)
    hn = math.sqrt(dot(h, h))
    incl = math.acos(h[2] / hn)
    node = math.atan2(h[0], -h[1])
    ev = [c / mu - p / rn for c, p in zip(cross(v, h), r)]
    e = math.sqrt(dot(ev, ev))
    a = 1.0 / (2.0 / rn - dot(v, v) / mu)
    nvec = [math.cos(node), math.sin(node), 0.0]
    hhat = [c / hn for c in h]
    m = cross(hhat, nvec)
    omega = math.atan2(dot(ev, m), dot(ev, nvec))
    ehat = [c / e for c in ev]
    nu = math.atan2(dot(r, cross(hhat, ehat)), dot(r, ehat))
    E = 2.0 * math.atan(math.sqrt((1 - e) / (1 + e)) * math.tan(nu / 2))
    M = E - e * math.sin(E)
    n = math.sqrt(mu / a ** 3)
    deg = math.degrees
    return [deg(M) % 360, deg(omega) % 360, deg(node) % 360, deg(incl), e, deg(n), a]


def make_element_file(path, name, planet, step, lo, hi):
    count = math.ceil((hi - lo) / step) + 1
    rows = swetest(planet, lo, count, step, ["-j2000", "-fXs"])
    scales = [1e6, 1e6, 1e6, 1e6, 1e8, 1e8, 1e7]
    with open(path, "wb") as f:
        f.write(elm_header(name, step, lo, count, b"E", 56))
        for row in rows:
            f.write(struct.pack("<7i", *[round(v * s) for v, s in zip(osculating_elements(row), scales)]))


def make_coordinate_file(path, name, planet, step, lo, hi):
    # Record 2 at E = lo - 4 step: the file covers lo - step .. hi (and a little beyond), so
    # that the instants just before the change of century file are served.
    epoch = lo - 4 * step
    count = math.ceil((hi - epoch) / step) + 4
    rows = coordinates(planet, epoch - 2 * step, count + 3, step)
    with open(path, "wb") as f:
        f.write(elm_header(name, step, epoch, count, b"X", 36))
        for row in rows:
            f.write(struct.pack("<3i", *[round(v * 1e7) for v in row[:3]]))


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data")
    os.makedirs(os.path.join(data, "elm"), exist_ok=True)
    for name, planet, step in CHAIN_BODIES:
        make_chain(data, name, planet, step)
    for name, planet, step, s in SINGLE_BODIES:
        make_single(data, name, planet, step, s)
    open(os.path.join(data, "ZodrixTC2.Dat"), "wb").close()
    for century, lo, hi in ELM_CENTURIES:
        make_element_file(os.path.join(data, "elm", "CERES%s.ELM" % century), "CERES", "F", 20, lo, hi)
        make_coordinate_file(os.path.join(data, "elm", "C%sVESTA.ELM" % century), "VESTA", "I", 16, lo, hi)


if __name__ == "__main__":
    main()
