#!/usr/bin/env python3
"""Draws the program's icon, orbelle-angles.svg: a zodiac wheel whose twelve signs carry the
colours of their elements (fire, earth, air, water from Aries on), with the Sun and the Moon on
the wheel and the angle between them measured from the Earth at the centre. Then renders the
PNG sizes of the hicolor theme with rsvg-convert (Debian package librsvg2-bin)."""
import math
import pathlib
import subprocess

C = 64.0  # centre of the 128 x 128 canvas
R_OUT, R_IN, R_HUB = 60.0, 45.0, 40.0
ELEMENTS = ["#d9534f", "#6aa84f", "#f1c232", "#4a86c5"]  # fire, earth, air, water


def point(r, deg):
    # Ecliptic longitude counted anticlockwise from the left, as a chart draws the ascendant.
    a = math.radians(180.0 - deg)
    return C + r * math.cos(a), C + r * math.sin(a)


def sector(r0, r1, d0, d1, fill):
    (x0, y0), (x1, y1) = point(r1, d0), point(r1, d1)
    (x2, y2), (x3, y3) = point(r0, d1), point(r0, d0)
    return (f'<path d="M{x0:.2f},{y0:.2f} A{r1},{r1} 0 0 0 {x1:.2f},{y1:.2f} L{x2:.2f},{y2:.2f} '
            f'A{r0},{r0} 0 0 1 {x3:.2f},{y3:.2f} Z" fill="{fill}"/>')


def svg():
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 128 128">',
        '<defs><radialGradient id="sky" cx="0.5" cy="0.42" r="0.6">'
        '<stop offset="0" stop-color="#2b3f78"/><stop offset="1" stop-color="#101a38"/></radialGradient>'
        '<radialGradient id="sun" cx="0.4" cy="0.35" r="0.7">'
        '<stop offset="0" stop-color="#fff3c4"/><stop offset="1" stop-color="#f0a020"/></radialGradient></defs>',
        f'<circle cx="{C}" cy="{C}" r="{R_OUT + 2}" fill="#0c1430"/>',
    ]
    for sign in range(12):
        parts.append(sector(R_IN, R_OUT, sign * 30.0, sign * 30.0 + 30.0, ELEMENTS[sign % 4]))
    parts.append(f'<circle cx="{C}" cy="{C}" r="{R_IN}" fill="url(#sky)"/>')
    for sign in range(12):
        (x0, y0), (x1, y1) = point(R_IN, sign * 30.0), point(R_OUT, sign * 30.0)
        parts.append(f'<line x1="{x0:.2f}" y1="{y0:.2f}" x2="{x1:.2f}" y2="{y1:.2f}" stroke="#0c1430" stroke-width="1.6"/>')
    for r in (R_OUT, R_IN):
        parts.append(f'<circle cx="{C}" cy="{C}" r="{r}" fill="none" stroke="#e9c46a" stroke-width="2"/>')
    sun, moon = 215.0, 318.0
    (sx, sy), (mx, my) = point(R_HUB - 8, sun), point(R_HUB - 8, moon)
    # The angle between the two bodies, as seen from the Earth.
    (ax, ay), (bx, by) = point(13, sun), point(13, moon)
    parts.append(f'<path d="M{ax:.2f},{ay:.2f} A13,13 0 0 0 {bx:.2f},{by:.2f}" fill="none" stroke="#e9c46a" stroke-width="2"/>')
    for x, y in ((sx, sy), (mx, my)):
        parts.append(f'<line x1="{C}" y1="{C}" x2="{x:.2f}" y2="{y:.2f}" stroke="#e9c46a" stroke-width="2.6" stroke-linecap="round"/>')
    parts.append(f'<circle cx="{sx:.2f}" cy="{sy:.2f}" r="7.5" fill="url(#sun)" stroke="#fff3c4" stroke-width="1"/>')
    parts.append(f'<path d="M{mx:.2f},{my - 7:.2f} A7,7 0 1 0 {mx:.2f},{my + 7:.2f} '
                 f'A12,12 0 0 1 {mx:.2f},{my - 7:.2f} Z" fill="#e4eaf3"/>')  # crescent
    parts.append(f'<circle cx="{C}" cy="{C}" r="4.2" fill="#5fb0e0" stroke="#e9c46a" stroke-width="1.4"/>')
    parts.append('</svg>')
    return "\n".join(parts) + "\n"


here = pathlib.Path(__file__).resolve().parent
(here / "orbelle-angles.svg").write_text(svg())
for size in (16, 22, 24, 32, 48, 64, 128, 256):
    (here / str(size)).mkdir(exist_ok=True)
    subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", str(here / str(size) / "orbelle-angles.png"),
                    str(here / "orbelle-angles.svg")], check=True)
