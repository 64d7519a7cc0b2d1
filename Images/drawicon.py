#!/usr/bin/env python3
"""Draws the program's icon: a lighthouse sending radio waves, on a sea-blue
tile.

Run it again after changing the drawing (python3 Images/drawicon.py); it
writes into Images/icon/:
  vandrel.svg          the icon, for any size
  vandrel-<N>.png      the same rendered at N x N pixels (16 to 256), for
                       desktops that want pixels
The PNG files need rsvg-convert (Debian package librsvg2-bin); without it
only the SVG is written and the PNG files already there stay.
The install rules copy these files into the icon theme's folders.
"""

import os
import shutil
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "icon")
SIZES = (16, 24, 32, 48, 64, 128, 256)

SEA_TOP = "#2b6cb0"
SEA_BOTTOM = "#1a365d"
TOWER = "#f7fafc"
BAND = "#c53030"
LAMP = "#f6e05e"
INK = "#1a202c"
WAVE = "#f6e05e"


def tile():
    """The rounded background with a darker sea at its foot."""
    return (
        '<defs><linearGradient id="sea" x1="0" y1="0" x2="0" y2="1">'
        f'<stop offset="0" stop-color="{SEA_TOP}"/>'
        f'<stop offset="1" stop-color="{SEA_BOTTOM}"/>'
        "</linearGradient></defs>"
        '<rect x="8" y="8" width="240" height="240" rx="44" fill="url(#sea)"/>'
        f'<path d="M8,200 Q64,184 128,200 T248,200 V204 Q248,248 204,248 H52 Q8,248 8,204 Z" '
        f'fill="{SEA_BOTTOM}" opacity="0.8"/>'
    )


def tower():
    """A tapering tower with two red bands, a gallery, and the lamp room."""
    left_foot, right_foot, foot = 96, 160, 206
    left_top, right_top, top = 108, 148, 96

    def x_at(y, left):
        # Straight edges from foot to top.
        t = (foot - y) / (foot - top)
        return (left_foot + (left_top - left_foot) * t) if left else (
            right_foot + (right_top - right_foot) * t)

    parts = [
        f'<path d="M{left_foot},{foot} L{left_top},{top} H{right_top} L{right_foot},{foot} Z" '
        f'fill="{TOWER}" stroke="{INK}" stroke-width="4" stroke-linejoin="round"/>'
    ]
    for y0, y1 in ((176, 152), (132, 112)):
        parts.append(
            f'<path d="M{x_at(y0, True):.1f},{y0} L{x_at(y1, True):.1f},{y1} '
            f'H{x_at(y1, False):.1f} L{x_at(y0, False):.1f},{y0} Z" fill="{BAND}"/>'
        )
    parts += [
        # Gallery, lamp room with its light, and the roof.
        f'<rect x="100" y="88" width="56" height="10" rx="3" fill="{INK}"/>',
        f'<rect x="112" y="60" width="32" height="28" fill="{LAMP}" stroke="{INK}" '
        'stroke-width="4"/>',
        f'<path d="M106,62 L128,40 L150,62 Z" fill="{BAND}" stroke="{INK}" stroke-width="4" '
        'stroke-linejoin="round"/>',
        f'<path d="M{left_foot - 6},{foot} H{right_foot + 6}" stroke="{INK}" stroke-width="6" '
        'stroke-linecap="round"/>',
    ]
    return "".join(parts)


def waves():
    """Radio waves on both sides of the lamp: the unit's AIS broadcast."""
    arcs = []
    for radius, width in ((30, 7), (50, 7), (70, 6)):
        for side in (-1, 1):
            # An arc of about 80 degrees centred on the horizontal.
            x0 = 128 + side * radius * 0.77
            x1 = x0
            y0, y1 = 74 - radius * 0.64, 74 + radius * 0.64
            sweep = 1 if side > 0 else 0
            arcs.append(
                f'<path d="M{x0:.1f},{y0:.1f} A{radius},{radius} 0 0 {sweep} {x1:.1f},{y1:.1f}" '
                f'fill="none" stroke="{WAVE}" stroke-width="{width}" stroke-linecap="round"/>'
            )
    return "".join(arcs)


def svg():
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
        'viewBox="0 0 256 256">\n'
        f"{tile()}{waves()}{tower()}\n"
        "</svg>\n"
    )


def main():
    os.makedirs(OUT, exist_ok=True)
    path = os.path.join(OUT, "vandrel.svg")
    with open(path, "w", encoding="utf-8") as f:
        f.write(svg())
    print("wrote", path)
    renderer = shutil.which("rsvg-convert")
    if not renderer:
        print("rsvg-convert not found: the PNG files are left as they are")
        return
    for size in SIZES:
        png = os.path.join(OUT, f"vandrel-{size}.png")
        subprocess.run([renderer, "-w", str(size), "-h", str(size), "-o", png, path], check=True)
        print("wrote", png)


if __name__ == "__main__":
    main()
