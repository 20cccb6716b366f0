#!/usr/bin/python3
"""Fits the periodic perturbation terms of the Sun, Mercury, Venus and Mars that the published
series leave out, and writes the term tables of the engine.

Method. For a fixed set of random instants the reference ephemeris (swetest with the JPL-derived
files; heliocentric, geometric, mean ecliptic and equinox of date, Julian day as TT) gives the
heliocentric longitude, latitude and radius of the Earth and of the three planets. These are
turned into the theory's own quantities: the perturbation of the longitude in the orbit (the
reduction to the ecliptic inverted), of log10 of the radius vector (units of 1e-9) and of the
latitude, all against the theory's own unperturbed orbit (its mean elements, long-period terms
and Kepler's equation). The published terms are subtracted as they stand. The remainder is
fitted by least squares with a cos and a sin column for every term A cos(x X + m M + phase)
allowed in each series (X the disturbing planet's mean anomaly as the theory forms it, M the own
mean anomaly) plus a quadratic in T, which absorbs the slow drift of the mean elements and is
left out of the tables. The quadratic has no mean over the fitted instants: the mean offset of
the mean elements is a constant term (no multiple of either anomaly) that the Jupiter block of
each body may keep, so that what is left out is centred on the fitted years. Per series the
largest terms are kept up to the series' count, and the kept terms are fitted once more. Terms
in the own anomaly alone occur in one series only.

Usage: fit_planet_terms.py [--out DIR] [--published-only]
  --out DIR         where the four *_perturbation_terms.cpp go (default: ephemeris/theories of
                    the source tree)
  --published-only  write tables holding only the published terms (used to measure what the
                    fitted terms bring); no reference ephemeris is needed.
"""
import argparse
import os
import subprocess
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from published_terms import SERIES  # noqa: E402

PI = 3.1415926535898
DEG = PI / 180.0
EPHE = "/usr/share/libswe/ephe"
SEED = 20261206
SAMPLES = 16000
JD_FIRST, JD_LAST = 2378496.5, 2524593.5  # 1800-01-01 .. 2200-01-01
SUMS = ("lon", "rad", "lat")

# Disturbing planets: (series name, x in degrees as a function of T, allowed (x, m) pairs). The
# Jupiter block of each body may take the constant term (0, 0): the mean offset of the theory's
# mean elements from the reference over the fitted years.
def inline_pairs(own_range, x_range):
    return [(x, m) for x in x_range for m in own_range if not (x == 0 and m <= 0)]


SERIES_PROC = [m for m in range(-14, 5) if abs(m) != 11]  # own multiples of the four long series

BLOCKS = {
    1: [
        ("SunByMercury", lambda T: (102.199 + 149472.35 * T), []),
        ("SunByVenus", lambda T: 212.445 + 58517.493 * T,
         [(x, m) for x in range(0, 11) for m in SERIES_PROC if not (x == 0 and m <= 0)]),
        ("SunByMars", lambda T: 319.582 + 19139.977 * T,
         [(-x, m) for x in list(range(1, 14)) + [15, 17] for m in range(-1, 15) if abs(m) != 11]),
        ("SunMarsLatitude", lambda T: 319.582 + 19139.977 * T, []),
        ("SunByJupiter",
         lambda T: 225.281 + 3034.583 * T + (0.3315 - 0.00155 * T) * np.sin((133.9099 + 38.39365 * T) * DEG),
         [(0, 0)] + inline_pairs(range(-8, 5), range(1, 7))),
        ("SunBySaturn", lambda T: 175.596 + 1221.794 * T, inline_pairs(range(-8, 5), range(1, 7))),
    ],
    3: [
        ("MercuryByVenus", lambda T: 212.536 + 58517.656 * T,
         [(x, m) for x in range(0, 11) for m in SERIES_PROC if not (x == 0 and m <= 0)]),
        ("MercuryByEarth", lambda T: -1.45 + 35999.213 * T, inline_pairs(range(-8, 5), range(1, 7))),
        ("MercuryByJupiter", lambda T: 225.36 + 3034.743 * T, [(0, 0)] + inline_pairs(range(-8, 5), range(1, 7))),
        ("MercuryBySaturn", lambda T: 175.68 + 1221.96 * T, inline_pairs(range(-8, 5), range(1, 7))),
    ],
    4: [
        ("VenusByMercury", lambda T: 102.35 + 149472.6615 * T, inline_pairs(range(-8, 5), range(1, 7))),
        ("VenusByEarth", lambda T: 358.63 + 35999.3595 * T,
         [(x, m) for x in list(range(0, 11)) + [13] for m in SERIES_PROC if not (x == 0 and m <= 0)]),
        ("VenusByMars", lambda T: 319.74 + 19140.2867 * T, inline_pairs(range(-8, 5), range(1, 7))),
        ("VenusByJupiter", lambda T: 225.43 + 3034.893 * T, [(0, 0)] + inline_pairs(range(-8, 5), range(1, 7))),
        ("VenusBySaturn", lambda T: 175.8 + 1222.0994 * T, inline_pairs(range(-8, 5), range(1, 7))),
    ],
    5: [
        ("MarsByVenus", lambda T: 212.388 + 58517.3715 * T, inline_pairs(range(-8, 5), range(1, 7))),
        ("MarsByEarth", lambda T: 358.415 + 35998.9285 * T, inline_pairs(range(-19, 3), range(1, 10))),
        ("MarsByJupiter", lambda T: 225.209 + 3034.462 * T + 0.332 * np.sin((134.4 + 38.5 * T) * DEG),
         [(0, 0)] + inline_pairs(range(-8, 5), range(0, 7))),
        ("MarsBySaturn", lambda T: 175.533 + 1221.669 * T - 0.808 * np.sin((134.4 + 38.5 * T) * DEG),
         inline_pairs(range(-8, 5), range(1, 7))),
        ("MarsByUranus", lambda T: 74.188 + 428.049 * T, inline_pairs(range(-8, 5), range(1, 7))),
    ],
}

# The one series with a term in 19 times the own anomaly (the largest such term is kept).
NINETEEN_M = ("MarsByEarth", "lon")

# Phase style of each series: the published tables of the Sun's two long series give phases
# in 0..2 pi, the others mostly in -2 pi..0 (Mars's inline blocks in 0..2 pi).
POSITIVE_PHASE = {"SunByVenus", "SunByMars", "MarsByVenus", "MarsByEarth", "MarsByJupiter", "MarsBySaturn",
                  "MarsByUranus"}


def norm360(a):
    return np.mod(a, 360.0)


def kepler(M, e, L, a):
    """The theory's Kepler solution: longitude in the orbit (degrees) and radius vector."""
    M = np.where(M < 0, M + 2 * PI, M)
    E = M.copy()
    for _ in range(60):
        E = M + e * np.sin(E)
    v = 2 * np.arctan(np.sqrt((1 + e) / (1 - e)) * np.tan(E / 2))
    v = np.where(v < 0, v + PI, v)
    v = np.where((E >= PI) & (v < PI), v + PI, v)
    return (v - M + L) / DEG, (1 - e * np.cos(E)) * a, M


def sun_orbit(T):
    """Unperturbed Sun: longitude (degrees) with the long-period terms, radius, mean anomaly."""
    T2, T3 = T * T, T * T * T
    s = lambda a: np.sin(a * DEG)
    L = norm360(279.65 + (129602768.13 * T + 168.04 + 1.089 * T2) / 3600.0)
    M = norm360(358.45 + (129596579.1 * T + 93.04 - 0.54 * T2 - 0.012 * T3) / 3600.0)
    e = 0.01675104 - 4.18e-5 * T - 1.26e-7 * T2
    lp = 0.266 * s(119.0 * T + 31.8) + 6.4 * s(20.2 * T + 231.19) + (1.882 - 0.016 * T) * s(150.27 * T + 57.24)
    Mr = M * DEG + lp / 3600.0 * DEG
    lon, r, Mr = kepler(Mr, e, L * DEG, 1.00000023)
    lp = lp + 0.202 * s(893.3 * T + 315.6)
    return lon + lp / 3600.0, r, Mr


def moon_terms(T):
    """The Sun's lunar terms: longitude (arcsec), log r (1e-9) and the lunar latitude sum."""
    T2, T3 = T * T, T * T * T
    L = norm360(279.65 + (129602768.13 * T + 168.04 + 1.089 * T2) / 3600.0) * DEG
    Ms = norm360(358.45 + (129596579.1 * T + 93.04 - 0.54 * T2 - 0.012 * T3) / 3600.0) * DEG
    Lm = norm360(norm360(1336 * 360.0 * T) + 270.4 + 307.8 * T + (299.31 * T + 122.99 - 4.08 * T2 + 0.0068 * T3) / 3600.0) * DEG
    Mm = norm360(norm360(1325 * 360.0 * T) + 296.1 + 198.8 * T + (176.79 * T + 16.59 + 33.09 * T2 + 0.0518 * T3) / 3600.0) * DEG
    Om = norm360(259.15 - 1934.1 * T + (119.79 - 151.23 * T + 7.48 * T2 + 0.008 * T3) / 3600.0) * DEG
    D = np.mod(Lm - L, 2 * PI)
    F, G = Lm - Om, 2 * (L - Om)
    H = D - Mm - Ms
    sin, cos = np.sin, np.cos
    lon = (6.454 * sin(D) + 0.013 * sin(3 * D) + 0.177 * sin(D + Mm) - 0.424 * sin(D - Mm) + 0.039 * sin(3 * D - Mm)
           - 0.064 * sin(D + Ms) + 0.172 * sin(D - Ms) - 0.013 * sin(H) - 0.013 * sin(G))
    rad = 10 * (1336 * cos(D) + 3 * cos(3 * D) + 37 * cos(D + Mm) - 133 * cos(D - Mm) + 8 * cos(3 * D - Mm)
                - 14 * cos(D + Ms) + 36 * cos(D - Ms) - 3 * cos(H) + 3 * cos(G))
    lat = (0.576 * sin(F) + 0.016 * sin(F + Mm) - 0.047 * sin(F - Mm) + 0.021 * sin(F - G)
           + 0.005 * sin(F - G - Mm) + 0.005 * sin(F + Ms) + 0.005 * sin(F - Ms))
    return lon, rad, lat


def planet_orbit(body, T):
    """Unperturbed planet: longitude in the orbit (degrees), radius, M, node and inclination."""
    T2, T3 = T * T, T * T * T
    N = norm360
    s = lambda a: np.sin(a * DEG)
    if body == 3:
        L = N(N(415 * 360.0 * T) + 178.15 + (266654.8 * T + 104.68 + 1.084 * T2) / 3600.0)
        M = N(N(415 * 360.0 * T) + 102.25 + (261055.04 * T + 105.77 + 0.024 * T2) / 3600.0)
        e = 0.20561421 + 2.046e-5 * T - 3e-8 * T2
        node = 47.1 + (4266.75 * T + 165.4 + 0.626 * T2) / 3600.0
        inc = 7 + (6.699 * T + 10.37 - 0.066 * T2) / 3600.0
        a, lp = 0.3870986, 0.0
    elif body == 4:
        L = N(N(162 * 360.0 * T) + 342.75 + (717162.88 * T + 61.39 + 1.1148 * T2) / 3600.0)
        M = N(N(162 * 360.0 * T) + 212.6 + (712093.95 * T + 11.6 + 4.63 * T2) / 3600.0)
        e = 0.00682069 - 4.774e-5 * T + 9.1e-8 * T2
        node = 75.75 + (3239.46 * T + 106.73 + 1.476 * T2) / 3600.0
        inc = 3.35 + (3.621 * T + 157.07 - 0.0035 * T2) / 3600.0
        a = 0.7233316
        lp = ((2.761 - 0.022 * T) * s(150.27 * T + 237.24) + 0.269 * s(119.05 * T + 212.2)
              - 0.208 * s(1223.5 * T + 175.8)) / 3600.0
    else:
        L = N(N(53 * 360.0 * T) + 293.7 + (222117.33 * T + 171.46 + 1.1184 * T2) / 3600.0)
        M = N(N(53 * 360.0 * T) + 319.5 + (215490.6 * T + 105.93 + 0.6509 * T2 + 0.0043 * T3) / 3600.0)
        e = 0.0933129 + 9.2064e-5 * T - 7.7e-8 * T2
        node = 48.75 + (2775.57 * T + 131.19 - 0.005 * T2 - 0.0192 * T3) / 3600.0
        inc = 1.85 + (1.2 - 2.43 * T + 0.0454 * T2) / 3600.0
        a = 1.523691462
        lp = (0.606 * s(119.051 * T + 212.87) + 0.009 * s(753.67 * T + 325) + 0.13 * s(163 * T + 74)
              + 0.28 * s(40.8 * T + 300) + 0.319 * s(773.444 * T + 116.88) + 52.49 * s(19.771 * T + 47.48)
              - 37.05 - 13.5 * T) / 3600.0
    lon, r, Mr = kepler((M + lp) * DEG, e, (L + lp) * DEG, a)
    return lon, r, Mr, node * DEG, inc * DEG


def swetest(planet, jds):
    """Heliocentric geometric longitude, latitude (degrees) and radius (AU), mean of date."""
    text = "".join("j%.6f\n" % jd for jd in jds)
    out = subprocess.run(["swetest", "-p" + planet, "-hel", "-true", "-nonut", "-flbR", "-head", "-edir" + EPHE],
                         input=text, capture_output=True, text=True, check=True).stdout
    rows = []
    for line in out.splitlines():
        if "not found" in line or "Moshier" in line:
            raise RuntimeError("swetest: " + line)
        if line.startswith("Date ?") and line[6:].strip():
            rows.append([float(v) for v in line[6:].split()])
    if len(rows) != len(jds):
        raise RuntimeError("swetest answered %d rows for %d instants" % (len(rows), len(jds)))
    return np.array(rows)


def published_value(terms, X, M):
    total = 0.0
    for _, x, m, phase, amp in terms:
        ph = {"+pi": PI, "-pi": -PI}.get(phase, phase) if isinstance(phase, str) else phase
        total = total + amp * np.cos(x * X + m * M + ph)
    return total


def targets(body, T, ref):
    """The theory's own perturbation quantities from the reference, and the own anomaly M."""
    lon_ref, lat_ref, r_ref = ref[:, 0], ref[:, 1], ref[:, 2]
    if body == 1:
        lon0, r0, M = sun_orbit(T)
        mlon, mrad, mlat = moon_terms(T)
        lon = (np.mod(lon_ref + 180.0 - lon0 + 180.0, 360.0) - 180.0) * 3600.0 - mlon
        rad = np.log10(r_ref / r0) * 1e9 - mrad
        lat = mlat - (-lat_ref) * 3600.0  # the planetary latitude sum enters with the opposite sign
        return {"lon": lon, "rad": rad, "lat": lat}, M
    lon0, r0, M, node, inc = planet_orbit(body, T)
    t = np.tan(inc / 2) ** 2
    l = lon_ref * DEG
    u = l - node
    for _ in range(8):
        u = l - node - (-t * np.sin(2 * u) + 0.5 * t * t * np.sin(4 * u) - t ** 3 * np.sin(6 * u) / 3)
    lon = (np.mod((u + node) / DEG - lon0 + 180.0, 360.0) - 180.0) * 3600.0
    lat = (lat_ref - np.degrees(np.arcsin(np.sin(inc) * np.sin(u)))) * 3600.0
    rad = np.log10(r_ref / r0) * 1e9
    if body == 5:  # Mars's own two terms
        lon = lon - 0.043 * np.sin(2 * M)
        rad = rad - (-465.0 * np.cos(M) - 105.0 * np.cos(2 * M))
    return {"lon": lon, "rad": rad, "lat": lat}, M


def disturber(name, fx, T):
    if name == "SunByMercury":
        return fx(T) * DEG
    return norm360(fx(T)) * DEG


def fit_body(body, T, ref):
    """Returns {series name: {sum: [(x, m, phase, amp) fitted]}} and the held-out check."""
    want, M = targets(body, T, ref)
    blocks = BLOCKS[body]
    X = {name: disturber(name, fx, T) for name, fx, _ in blocks}
    result = {name: {} for name, _, _ in blocks}
    for k, s in enumerate(SUMS):
        y = want[s].copy()
        for name, _, _ in blocks:
            y -= published_value(SERIES[name][1].get(s, []), X[name], M)
        # Candidates of every series with free places in this sum; terms in M alone once.
        cands, seen_own = [], set()
        for name, _, pairs in blocks:
            counts, given = SERIES[name]
            free = counts[k] - len(given.get(s, []))
            if free <= 0:
                continue
            used = {(x, m) for _, x, m, _, _ in given.get(s, [])}
            for x, m in pairs:
                if (x, m) in used:
                    continue
                if x == 0:
                    if m in seen_own:
                        continue
                    seen_own.add(m)
                cands.append((name, x, m))
        if not cands:
            continue
        half = np.arange(len(T)) % 2 == 0  # fit on every other instant, check on the rest
        # The drift of the mean elements, a quadratic in T with no mean over the fitted
        # instants, is fitted alongside and left out; its mean is the constant term.
        tc = T - T[half].mean()
        poly = np.stack([tc, tc * tc - np.mean(tc[half] ** 2)], axis=1)

        def design(cs):
            """Design matrix; a periodic term has a cos and a sin column, the constant one."""
            cols = [poly]
            for name, x, m in cs:
                arg = x * X[name] + m * M
                cols.append(np.stack([np.cos(arg), np.sin(arg)], axis=1) if (x, m) != (0, 0) else np.ones((len(T), 1)))
            return np.concatenate(cols, axis=1)

        def terms_of(cs, coef):
            """(amplitude, phase) of each candidate: c cos t + s sin t = A cos(t + phase)."""
            out, col = [], 2
            for _, x, m in cs:
                if (x, m) == (0, 0):
                    out.append((abs(coef[col]), 0.0 if coef[col] >= 0 else PI))
                    col += 1
                else:
                    out.append((np.hypot(coef[col], coef[col + 1]), np.arctan2(-coef[col + 1], coef[col])))
                    col += 2
            return out

        A = design(cands)
        coef = np.linalg.lstsq(A[half], y[half], rcond=None)[0]
        amp = np.array([a for a, _ in terms_of(cands, coef)])
        kept = []
        for name, _, _ in blocks:
            counts, given = SERIES[name]
            free = counts[k] - len(given.get(s, []))
            idx = [i for i, c in enumerate(cands) if c[0] == name]
            idx.sort(key=lambda i: -amp[i])
            if (name, s) == NINETEEN_M:
                # Mars's series by the Earth holds one term in 19 M: the largest of them.
                nineteen = [i for i in idx if abs(cands[i][2]) == 19][:1]
                idx = nineteen + [i for i in idx if abs(cands[i][2]) != 19]
            kept += idx[:max(free, 0)]
        kept.sort()
        kc = [cands[i] for i in kept]
        A = design(kc)
        coef = np.linalg.lstsq(A[half], y[half], rcond=None)[0]
        resid = y - A @ coef
        constant = sum(a * np.cos(ph) for (a, ph), (_, x, m) in zip(terms_of(kc, coef), kc) if (x, m) == (0, 0))
        print("  body %d %s: %d candidates, %d kept; rms fit %.4f check %.4f, max check %.4f; "
              "constant %.3f, drift left out %+.3f (T%+.2f) %+.3f (T%+.2f)^2" % (
                  body, s, len(cands), len(kc), np.sqrt(np.mean(resid[half] ** 2)),
                  np.sqrt(np.mean(resid[~half] ** 2)), np.abs(resid[~half]).max(), constant, coef[0],
                  -T[half].mean(), coef[1], -T[half].mean()), file=sys.stderr)
        for (name, x, m), (amplitude, phase) in zip(kc, terms_of(kc, coef)):
            result[name].setdefault(s, []).append((x, m, phase, amplitude))
    return result


def format_term(x, m, phase, amp, unit):
    if isinstance(phase, str):
        return "{%d, %d, %s1, 0.0, %s}" % (x, m, phase[0], repr(float(amp)))
    ph = repr(float(phase)) if not isinstance(phase, np.floating) else "%.6f" % phase
    a = repr(float(amp)) if not isinstance(amp, np.floating) else ("%.4f" % amp if unit == "arcsec" else "%.1f" % amp)
    return "{%d, %d, 0, %s, %s}" % (x, m, ph, a)


def series_terms(name, s, fitted):
    """The terms of one sum in summation order: published rows in place, fitted by size."""
    counts, given = SERIES[name]
    n = counts[SUMS.index(s)]
    rows = {row: (x, m, ph, a) for row, x, m, ph, a in given.get(s, [])}
    rest = []
    for x, m, ph, a in sorted(fitted.get(s, []), key=lambda t: -t[3]):
        ph = float(np.mod(ph, 2 * PI))
        if name not in POSITIVE_PHASE and ph > 0:
            ph -= 2 * PI
        rest.append((x, m, np.float64(ph), np.float64(a)))
    out = []
    for row in range(1, n + 1):
        if row in rows:
            out.append(rows[row])
        elif rest:
            out.append(rest.pop(0))
    return out


FILES = {
    "sun": ("the Sun (the Earth's orbit)", ["SunByMercury", "SunByVenus", "SunByMars", "SunMarsLatitude",
                                            "SunByJupiter", "SunBySaturn"]),
    "mercury": ("Mercury", ["MercuryByVenus", "MercuryByEarth", "MercuryByJupiter", "MercuryBySaturn"]),
    "venus": ("Venus", ["VenusByMercury", "VenusByEarth", "VenusByMars", "VenusByJupiter", "VenusBySaturn"]),
    "mars": ("Mars", ["MarsByVenus", "MarsByEarth", "MarsByJupiter", "MarsBySaturn", "MarsByUranus"]),
}


def write_tables(out_dir, fitted, published_only):
    for stem, (title, names) in FILES.items():
        lines = ["// Periodic perturbation terms of %s. GENERATED by tools/fit_planet_terms; do not edit." % title,
                 "//"]
        if published_only:
            lines += ["// Only the published leading terms (Newcomb's theory of the Sun and the series of the same",
                      "// form for the planets), for measuring what the fitted terms bring."]
        else:
            lines += ["// Source: the leading terms of each series as published (Newcomb's theory of the Sun and the",
                      "// series of the same form for the planets), kept exactly; every other term fitted by least",
                      "// squares to the JPL-derived reference ephemeris (Swiss Ephemeris' swetest, DE431 files),",
                      "// heliocentric, geometric, mean ecliptic and equinox of date, %d instants of 1800-2200" % (SAMPLES // 2),
                      "// (seed %d), in the theory's own quantities, with a quadratic in T alongside." % SEED]
        lines += ["// Each term: multiple of the disturber's anomaly, multiple of the own anomaly, +/-1 for a",
                  "// phase of +/-pi, phase (radians), amplitude (arc-seconds; 1e-9 in log10 r).",
                  '#include "ephemeris/theories/perturbation_terms.h"', "",
                  "namespace orbelle::ephemeris {", "", "namespace {", ""]
        defs = []
        for name in names:
            spans = []
            for s, label, unit in (("lon", "Longitude", "arcsec"), ("rad", "LogRadius", "1e-9"),
                                   ("lat", "Latitude", "arcsec")):
                terms = series_terms(name, s, fitted.get(name, {}) if not published_only else {})
                if published_only:
                    terms = [t for t in terms if not isinstance(t[3], np.floating)]
                if not terms:
                    spans.append("{}")
                    continue
                arr = "k%s%s" % (name, label)
                lines.append("constexpr PerturbationTerm %s[] = {" % arr)
                for x, m, ph, a in terms:
                    lines.append("    %s," % format_term(x, m, ph, a, unit))
                lines.append("};")
                spans.append(arr)
            defs.append("const PerturbationBlock k%s{%s};" % (name, ", ".join(spans)))
        lines += ["", "}  // namespace", ""] + defs + ["", "}  // namespace orbelle::ephemeris", ""]
        with open(os.path.join(out_dir, "%s_perturbation_terms.cpp" % stem), "w") as f:
            f.write("\n".join(lines))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser()
    ap.add_argument("--out", default=os.path.join(here, "..", "..", "ephemeris", "theories"))
    ap.add_argument("--published-only", action="store_true")
    args = ap.parse_args()
    fitted = {}
    if not args.published_only:
        rng = np.random.default_rng(SEED)
        jds = np.sort(rng.uniform(JD_FIRST, JD_LAST, SAMPLES))
        T = (jds - 2415020.0) / 36525.0
        for body, planet in ((1, "C"), (3, "2"), (4, "3"), (5, "4")):
            ref = swetest(planet, jds)
            fitted.update(fit_body(body, T, ref))
    write_tables(args.out, fitted, args.published_only)


if __name__ == "__main__":
    main()
