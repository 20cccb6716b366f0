#!/usr/bin/python3
"""Fits principal terms 31..116 of the Moon's longitude and writes their table.

Brown's principal terms of the lunar longitude beyond the 30 largest are fitted by least
squares to the reference ephemeris (swetest, apparent geocentric Moon, Julian day as TT):

1. Draw the fitting instants: uniform random Julian days over 1800-2200 from a fixed seed.
2. Evaluate our lunar theory without the further terms (the C++ sampler lunar_fit_sample,
   which also gives T, E and the corrected arguments D, l, l', F the series uses) and ask
   swetest for the Moon's longitude at the same instants.
3. Fit the difference with every candidate term A * E^|k'| * sin(kD*D + kl*l + kl'*l' + kF*F)
   of small multipliers, and a quadratic in T alongside: Brown's mean longitude drifts from
   the modern ephemeris by a few arc-seconds per century, which periodic terms cannot absorb;
   the quadratic is left out of the table.
4. Keep the 86 largest amplitudes, refit them (with the quadratic), round to 0.001" and write
   them in decreasing amplitude as a C++ table.

Run from the repository root after building the sampler:
    cmake --build build --target lunar_fit_sample
    tools/fit_lunar_terms/fit_lunar_terms.py [--sampler PATH] [--output PATH]
The output is the same byte for byte on every run.
"""

import argparse
import itertools
import subprocess
import sys

import numpy as np

SEED = 19000105
INSTANTS = 40000
FIRST_JD, LAST_JD = 2378496.5, 2524593.5  # 1800 January 1 and 2200 January 1, 0h
KEPT = 86

# Candidate multipliers: |kD| <= 6, |kl| <= 4, |kl'| <= 3, kF even with |kF| <= 4 (the
# longitude holds no odd multiples of F), |kl| + |kl'| + |kF| <= 5.
RANGE_D, RANGE_L, RANGE_LP, RANGE_F = range(-6, 7), range(-4, 5), range(-3, 4), range(-4, 5, 2)
MAX_ORDER = 5

# Brown's 30 largest terms, which the theory holds already (multipliers of D, l, l', F).
BROWN_30 = {
    (0, 1, 0, 0), (-2, 1, 0, 0), (2, 0, 0, 0), (0, 2, 0, 0), (0, 0, 1, 0), (0, 0, 0, 2),
    (-2, 2, 0, 0), (-2, 1, 1, 0), (2, 1, 0, 0), (-2, 0, 1, 0), (0, 1, -1, 0), (1, 0, 0, 0),
    (0, 1, 1, 0), (-2, 0, 0, 2), (0, 1, 0, 2), (0, 1, 0, -2), (-4, 1, 0, 0), (0, 3, 0, 0),
    (-4, 2, 0, 0), (-2, 1, -1, 0), (2, 0, 1, 0), (-1, 1, 0, 0), (1, 0, 1, 0), (2, 1, -1, 0),
    (2, 2, 0, 0), (4, 0, 0, 0), (-2, 3, 0, 0), (0, 2, -1, 0), (-2, 1, 0, -2), (-2, 2, 1, 0),
}

# Mean motions of D, l, l', F in degrees per day, to keep terms of very long period (which the
# quadratic stands for) out of the candidates.
RATES = np.array([12.19074912, 13.06499295, 0.98560028, 13.22935024])
LONGEST_PERIOD_DAYS = 100 * 365.25

SWETEST = ["swetest", "-p1", "-fl", "-head", "-edir/usr/share/libswe/ephe"]


def instants():
    rng = np.random.default_rng(SEED)
    return ["%.6f" % jd for jd in rng.uniform(FIRST_JD, LAST_JD, INSTANTS)]


def run(command, jds, prefix):
    text = "".join(prefix + jd + "\n" for jd in jds)
    out = subprocess.run(command, input=text, capture_output=True, text=True, check=True).stdout
    return out.splitlines()


def reference_longitudes(jds):
    rows = []
    for line in run(SWETEST, jds, "j"):
        if "not found" in line or "Moshier" in line or "error" in line:
            sys.exit("swetest: " + line)
        if line.startswith("Date ?") and line[6:].strip():
            rows.append(float(line[6:]))
    if len(rows) != len(jds):
        sys.exit("swetest answered %d of %d instants" % (len(rows), len(jds)))
    return np.array(rows)


def normalised(k):
    """(k) and (-k) give one term: the first non-zero multiplier of l, l', F, D is positive."""
    kd, kl, klp, kf = k
    for v in (kl, klp, kf, kd):
        if v:
            return k if v > 0 else tuple(-x for x in k)
    return k


def candidates():
    out = set()
    for k in itertools.product(RANGE_D, RANGE_L, RANGE_LP, RANGE_F):
        if not any(k) or abs(k[1]) + abs(k[2]) + abs(k[3]) > MAX_ORDER:
            continue
        k = normalised(k)
        if k in BROWN_30 or abs(np.dot(RATES, k)) * LONGEST_PERIOD_DAYS < 360.0:
            continue
        out.add(k)
    return sorted(out)


def design(sample, terms, rows):
    t, e, args = sample["T"][rows], sample["E"][rows], sample["args"][rows]
    columns = [np.ones_like(t), t, t * t]
    for k in terms:
        columns.append(e ** abs(k[2]) * np.sin(args @ np.array(k, dtype=float)))
    return np.column_stack(columns)


def fit(sample, terms):
    """Least squares by normal equations accumulated in blocks of rows (well conditioned)."""
    n = len(terms) + 3
    normal, rhs = np.zeros((n, n)), np.zeros(n)
    for start in range(0, len(sample["T"]), 4000):
        rows = slice(start, start + 4000)
        a = design(sample, terms, rows)
        normal += a.T @ a
        rhs += a.T @ sample["residual"][rows]
    scale = np.sqrt(np.diag(normal))
    scaled = normal / np.outer(scale, scale)
    solution = np.linalg.solve(scaled, rhs / scale) / scale
    return solution, np.linalg.cond(scaled)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--sampler", default="build/tools/fit_lunar_terms/lunar_fit_sample")
    parser.add_argument("--output", default="ephemeris/theories/lunar_fitted_longitude_terms.cpp")
    options = parser.parse_args()

    jds = instants()
    model = np.array([[float(v) for v in line.split()] for line in run([options.sampler], jds, "")])
    residual = (reference_longitudes(jds) - model[:, 6] + 180.0) % 360.0 - 180.0
    sample = {"T": model[:, 0], "E": model[:, 1], "args": np.radians(model[:, 2:6]), "residual": residual * 3600.0}

    terms = candidates()
    solution, cond = fit(sample, terms)
    print("%d candidates, condition %.2f" % (len(terms), cond))
    order = np.argsort(-np.abs(solution[3:]), kind="stable")
    kept = [terms[i] for i in order[:KEPT]]
    print("largest left out: %.4f\"" % abs(solution[3 + order[KEPT]]))
    solution, cond = fit(sample, kept)
    fitted = design(sample, kept, slice(None)) @ solution
    rest = sample["residual"] - fitted
    print("kept %d, condition %.2f; quadratic %.3f %+.3f T %+.3f T^2 arcsec" % (KEPT, cond, *solution[:3]))
    print("residual of the fit: rms %.3f\", max %.3f\"" % (np.sqrt(np.mean(rest ** 2)), np.max(np.abs(rest))))

    table = sorted(zip(kept, np.round(solution[3:], 3)), key=lambda ka: (-abs(ka[1]), ka[0]))
    with open(options.output, "w") as out:
        out.write(HEADER % {"n": INSTANTS, "seed": SEED, "kept": KEPT})
        for (kd, kl, klp, kf), a in table:
            out.write("    {%d, %d, %d, %d, %.3f},\n" % (kd, kl, klp, kf, a))
        out.write(FOOTER)
    print("wrote", options.output)


HEADER = """\
// Principal terms 31 to 116 of the Moon's longitude in Brown's theory, in arc-seconds, each
// multiplied by E^|k'| in the sum like Brown's 30 largest terms.
//
// GENERATED by tools/fit_lunar_terms/fit_lunar_terms.py; do not edit. Provenance: a
// least-squares fit of A * E^|k'| * sin(kD*D + kl*l + kl'*l' + kF*F) to the difference between
// the Swiss Ephemeris (swetest with the JPL DE431-based files, apparent geocentric longitude,
// Julian day as TT) and this theory without these terms, at %(n)d random instants of
// 1800-2200 (seed %(seed)d), with a quadratic in T fitted alongside for the drift of the mean
// longitude and left out; candidates |kD| <= 6, |kl| <= 4, |k'| <= 3, even |kF| <= 4 with
// |kl| + |k'| + |kF| <= 5; the %(kept)d largest kept, refitted, rounded to 0.001".
#include "ephemeris/theories/lunar_terms.h"

namespace orbelle::ephemeris {

const std::array<LunarArgumentTerm, kFittedLongitudeTermCount> kFittedLongitudeTerms = {{
"""

FOOTER = """\
}};

}  // namespace orbelle::ephemeris
"""

if __name__ == "__main__":
    main()
