#!/usr/bin/python3
"""Fits the periodic perturbation terms of the Sun, Mercury, Venus and Mars that the published
series leave out, and writes the term tables of the engine.

Method. For a fixed set of random instants the reference ephemeris (swetest with the JPL-derived
files; heliocentric, geometric, mean ecliptic and equinox of date, Julian day as TT) gives the
heliocentric longitude, latitude and radius of the Earth and of the three planets. These are
turned into the theory's own quantities: the perturbation of the longitude in the orbit (the
reduction to the ecliptic inverted), of log10 of the radius vector (units of 1e-9) and of the
latitude, all against the theory's own unperturbed orbit (its mean elements, long-period terms
and Kepler's equation). That orbit, the disturbers' mean anomalies and the parts of the sums
that are not term tables come from the engine itself, through the sampler planet_fit_sample,
so that an edit of the theory is fitted as it stands. The published terms are subtracted as
they stand. The remainder is
fitted by least squares with a cos and a sin column for every term A cos(x X + m M + phase)
allowed in each series (X the disturbing planet's mean anomaly as the theory forms it, M the own
mean anomaly) plus a quadratic in T, which absorbs the slow drift of the mean elements and is
left out of the tables. The quadratic has no mean over the fitted instants: the mean offset of
the mean elements is a constant term (no multiple of either anomaly) that the Jupiter block of
each body may keep, so that what is left out is centred on the fitted years. Per series the
largest terms are kept up to the series' count, and the kept terms are fitted once more. Terms
in the own anomaly alone occur in one series only.

Usage: fit_planet_terms.py [--out DIR] [--sampler PATH] [--published-only]
  --out DIR         where the four *_perturbation_terms.cpp go (default: ephemeris/theories of
                    the source tree)
  --sampler PATH    the built planet_fit_sample (default: build/tools/fit_planet_terms/ of the
                    source tree)
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

# Disturbing planets of each body: (series name, allowed (x, m) pairs); the sampler gives
# their mean anomalies X. The Jupiter block of each body may take the constant term (0, 0):
# the mean offset of the theory's mean elements from the reference over the fitted years.
def inline_pairs(own_range, x_range):
    return [(x, m) for x in x_range for m in own_range if not (x == 0 and m <= 0)]


SERIES_PROC = [m for m in range(-14, 5) if abs(m) != 11]  # own multiples of the four long series

BLOCKS = {
    1: [
        ("SunByMercury", []),
        ("SunByVenus", [(x, m) for x in range(0, 11) for m in SERIES_PROC if not (x == 0 and m <= 0)]),
        ("SunByMars", [(-x, m) for x in list(range(1, 14)) + [15, 17] for m in range(-1, 15) if abs(m) != 11]),
        ("SunMarsLatitude", []),
        ("SunByJupiter", [(0, 0)] + inline_pairs(range(-8, 5), range(1, 7))),
        ("SunBySaturn", inline_pairs(range(-8, 5), range(1, 7))),
    ],
    3: [
        ("MercuryByVenus", [(x, m) for x in range(0, 11) for m in SERIES_PROC if not (x == 0 and m <= 0)]),
        ("MercuryByEarth", inline_pairs(range(-8, 5), range(1, 7))),
        ("MercuryByJupiter", [(0, 0)] + inline_pairs(range(-8, 5), range(1, 7))),
        ("MercuryBySaturn", inline_pairs(range(-8, 5), range(1, 7))),
    ],
    4: [
        ("VenusByMercury", inline_pairs(range(-8, 5), range(1, 7))),
        ("VenusByEarth", [(x, m) for x in list(range(0, 11)) + [13] for m in SERIES_PROC if not (x == 0 and m <= 0)]),
        ("VenusByMars", inline_pairs(range(-8, 5), range(1, 7))),
        ("VenusByJupiter", [(0, 0)] + inline_pairs(range(-8, 5), range(1, 7))),
        ("VenusBySaturn", inline_pairs(range(-8, 5), range(1, 7))),
    ],
    5: [
        ("MarsByVenus", inline_pairs(range(-8, 5), range(1, 7))),
        ("MarsByEarth", inline_pairs(range(-19, 3), range(1, 10))),
        ("MarsByJupiter", [(0, 0)] + inline_pairs(range(-8, 5), range(0, 7))),
        ("MarsBySaturn", inline_pairs(range(-8, 5), range(1, 7))),
        ("MarsByUranus", inline_pairs(range(-8, 5), range(1, 7))),
    ],
}

# The one series with a term in 19 times the own anomaly (the largest such term is kept).
NINETEEN_M = ("MarsByEarth", "lon")

# Phase style of each series: the published tables of the Sun's two long series give phases
# in 0..2 pi, the others mostly in -2 pi..0 (Mars's inline blocks in 0..2 pi).
POSITIVE_PHASE = {"SunByVenus", "SunByMars", "MarsByVenus", "MarsByEarth", "MarsByJupiter", "MarsBySaturn",
                  "MarsByUranus"}


def sample_theory(sampler, jds):
    """The engine's unperturbed orbits, non-table terms and disturber anomalies per body."""
    text = "".join("%.17g\n" % jd for jd in jds)
    out = subprocess.run([sampler], input=text, capture_output=True, text=True, check=True).stdout
    names, rows = {}, {body: [] for body in BLOCKS}
    for line in out.splitlines():
        fields = line.split()
        if fields[0] == "#":
            names[int(fields[1])] = fields[2:]
        else:
            rows[int(fields[0])].append([float(v) for v in fields[1:]])
    samples = {}
    for body, values in rows.items():
        if names.get(body) != [name for name, _ in BLOCKS[body]] or len(values) != len(jds):
            raise RuntimeError("the sampler's blocks or rows for body %d do not match the fitter's" % body)
        v = np.array(values)
        samples[body] = {"lon": v[:, 1], "r": v[:, 2], "M": v[:, 3], "node": v[:, 4], "inc": v[:, 5],
                         "extra": v[:, 6:9], "X": dict(zip(names[body], v[:, 9:].T))}
    return samples


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


def targets(body, orbit, ref):
    """The theory's own perturbation quantities from the reference, against its orbit."""
    lon_ref, lat_ref, r_ref = ref[:, 0], ref[:, 1], ref[:, 2]
    lon0, r0, M = orbit["lon"], orbit["r"], orbit["M"]
    if body == 1:
        mlon, mrad, mlat = orbit["extra"].T
        lon = (np.mod(lon_ref + 180.0 - lon0 + 180.0, 360.0) - 180.0) * 3600.0 - mlon
        rad = np.log10(r_ref / r0) * 1e9 - mrad
        lat = mlat - (-lat_ref) * 3600.0  # the planetary latitude sum enters with the opposite sign
        return {"lon": lon, "rad": rad, "lat": lat}
    node, inc = orbit["node"], orbit["inc"]
    t = np.tan(inc / 2) ** 2
    l = lon_ref * DEG
    u = l - node
    for _ in range(8):
        u = l - node - (-t * np.sin(2 * u) + 0.5 * t * t * np.sin(4 * u) - t ** 3 * np.sin(6 * u) / 3)
    lon = (np.mod((u + node) / DEG - lon0 + 180.0, 360.0) - 180.0) * 3600.0
    lat = (lat_ref - np.degrees(np.arcsin(np.sin(inc) * np.sin(u)))) * 3600.0
    rad = np.log10(r_ref / r0) * 1e9
    if body == 5:  # Mars's own two terms
        lon = lon - orbit["extra"][:, 0]
        rad = rad - orbit["extra"][:, 1]
    return {"lon": lon, "rad": rad, "lat": lat}


def fit_body(body, T, orbit, ref):
    """Returns {series name: {sum: [(x, m, phase, amp) fitted]}} and the held-out check."""
    want, M = targets(body, orbit, ref), orbit["M"]
    blocks = BLOCKS[body]
    X = orbit["X"]
    result = {name: {} for name, _ in blocks}
    for k, s in enumerate(SUMS):
        y = want[s].copy()
        for name, _ in blocks:
            y -= published_value(SERIES[name][1].get(s, []), X[name], M)
        # Candidates of every series with free places in this sum; terms in M alone once.
        cands, seen_own = [], set()
        for name, pairs in blocks:
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
        for name, _ in blocks:
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
    ap.add_argument("--sampler", default=os.path.join(here, "..", "..", "build", "tools", "fit_planet_terms",
                                                     "planet_fit_sample"))
    ap.add_argument("--published-only", action="store_true")
    args = ap.parse_args()
    fitted = {}
    if not args.published_only:
        rng = np.random.default_rng(SEED)
        jds = np.sort(rng.uniform(JD_FIRST, JD_LAST, SAMPLES))
        T = (jds - 2415020.0) / 36525.0
        samples = sample_theory(args.sampler, jds)
        for body, planet in ((1, "C"), (3, "2"), (4, "3"), (5, "4")):
            ref = swetest(planet, jds)
            fitted.update(fit_body(body, T, samples[body], ref))
    write_tables(args.out, fitted, args.published_only)


if __name__ == "__main__":
    main()
