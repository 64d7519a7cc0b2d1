#!/usr/bin/env python3
"""Draws the images of the configuration tabs as SVG files.

Run it again after changing a drawing (python3 Images/drawtabimages.py); it
writes into Images/tabs/:
  messagebox_warning.svg      small warning triangle (off-position threshold)
  SmallFixedDimensions.svg    dimensions A, B, C, D of a fixed AtoN
  SmallFloatingDimensions.svg dimension A of a floating AtoN
tabs.qrc publishes each file under the name the forms use (":/Images/<name>.png");
Qt recognises the SVG content whatever the extension, and the tabs render it
at the screen's pixel density.

Letters are drawn as strokes, so the drawings do not depend on installed fonts.
Only the Python standard library is used.
"""

import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "tabs")

INK = "#1f2d3d"
HULL_FILL = "#dfe8f2"
HULL_EDGE = "#2c5282"
REFERENCE = "#c53030"
DIM = "#1a202c"

# Stroke glyphs in a 6 x 10 box, top left at the origin.
GLYPHS = {
    "A": "M0,10 L3,0 L6,10 M1.1,6.6 H4.9",
    "B": "M0,10 V0 H3 C5.4,0 5.4,5 3,5 H0 M3,5 C6.2,5 6.2,10 3,10 H0",
    "C": "M6,1.8 C4.6,-0.6 0,-0.6 0,5 C0,10.6 4.6,10.6 6,8.2",
    "D": "M0,0 V10 H2.4 C7,10 7,0 2.4,0 Z",
}


def letter(ch, cx, cy, scale=1.1, colour=DIM):
    """A letter centred on (cx, cy)."""
    x = cx - 3 * scale
    y = cy - 5 * scale
    return (f'<path transform="translate({x:.2f},{y:.2f}) scale({scale})" d="{GLYPHS[ch]}" '
            f'fill="none" stroke="{colour}" stroke-width="{1.5 / scale:.2f}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')


def arrow_head(x, y, dx, dy, size=6.0):
    """A filled arrow head with its tip at (x, y) pointing along (dx, dy)."""
    length = (dx * dx + dy * dy) ** 0.5
    ux, uy = dx / length, dy / length
    px, py = -uy, ux
    bx, by = x - ux * size, y - uy * size
    w = size * 0.45
    return (f'<path d="M{x:.2f},{y:.2f} L{bx + px * w:.2f},{by + py * w:.2f} '
            f'L{bx - px * w:.2f},{by - py * w:.2f} Z" fill="{DIM}"/>')


def dimension(x1, y1, x2, y2):
    """A dimension line with arrow heads at both ends."""
    return "\n".join([
        f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{DIM}" stroke-width="1.2"/>',
        arrow_head(x1, y1, x1 - x2, y1 - y2),
        arrow_head(x2, y2, x2 - x1, y2 - y1),
    ])


def extension(x1, y1, x2, y2):
    return (f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{DIM}" '
            f'stroke-width="0.8" stroke-dasharray="3,2"/>')


def reference_point(cx, cy):
    return "\n".join([
        f'<circle cx="{cx}" cy="{cy}" r="5" fill="#ffffff" stroke="{REFERENCE}" stroke-width="1.6"/>',
        f'<circle cx="{cx}" cy="{cy}" r="1.8" fill="{REFERENCE}"/>',
        f'<line x1="{cx - 9}" y1="{cy}" x2="{cx - 5}" y2="{cy}" stroke="{REFERENCE}" stroke-width="1.2"/>',
        f'<line x1="{cx + 5}" y1="{cy}" x2="{cx + 9}" y2="{cy}" stroke="{REFERENCE}" stroke-width="1.2"/>',
        f'<line x1="{cx}" y1="{cy - 9}" x2="{cx}" y2="{cy - 5}" stroke="{REFERENCE}" stroke-width="1.2"/>',
        f'<line x1="{cx}" y1="{cy + 5}" x2="{cx}" y2="{cy + 9}" stroke="{REFERENCE}" stroke-width="1.2"/>',
    ])


def svg(width, height, body, view=None):
    view = view or f"0 0 {width} {height}"
    return (f'<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="{width}" '
            f'height="{height}" viewBox="{view}">\n{body}\n</svg>\n')


# Geometry of the fixed drawing, shared with the positions of the spin boxes on
# the Real AtoN tab: the drawing sits at (70, 5) of its group box, A's spin box
# at (10, 50) beside the A arrow, B's beside the B arrow, C's and D's below the
# drawing under their arrows.  The top 20 units stay clear for the group title.
FIXED_W, FIXED_H = 170, 225
BOW_Y, STERN_Y = 24, 185
PORT_X, STARBOARD_X = 30, 150
REF_X, REF_Y = 70, 95


def fixed_dimensions():
    mid = (PORT_X + STARBOARD_X) / 2
    hull = (f'<path d="M{mid},{BOW_Y} C{mid + 40},{BOW_Y + 18} {STARBOARD_X},{BOW_Y + 40} '
            f'{STARBOARD_X},{BOW_Y + 70} V{STERN_Y - 8} Q{STARBOARD_X},{STERN_Y} {STARBOARD_X - 8},{STERN_Y} '
            f'H{PORT_X + 8} Q{PORT_X},{STERN_Y} {PORT_X},{STERN_Y - 8} V{BOW_Y + 70} '
            f'C{PORT_X},{BOW_Y + 40} {mid - 40},{BOW_Y + 18} {mid},{BOW_Y} Z" '
            f'fill="{HULL_FILL}" stroke="{HULL_EDGE}" stroke-width="2" stroke-linejoin="round"/>')
    line_x = 12
    cd_y = 207
    parts = [
        hull,
        # bow marker on the centre line
        f'<line x1="{mid}" y1="{BOW_Y + 10}" x2="{mid}" y2="{STERN_Y - 10}" stroke="{HULL_EDGE}" '
        f'stroke-width="0.6" stroke-dasharray="6,3"/>',
        # A: bow to reference point, B: reference point to stern
        extension(mid, BOW_Y, line_x - 6, BOW_Y),
        extension(REF_X - 9, REF_Y, line_x - 6, REF_Y),
        extension(PORT_X, STERN_Y, line_x - 6, STERN_Y),
        dimension(line_x, BOW_Y, line_x, REF_Y),
        dimension(line_x, REF_Y, line_x, STERN_Y),
        letter("A", line_x + 9, (BOW_Y + REF_Y) / 2 + 6),
        letter("B", line_x + 9, (REF_Y + STERN_Y) / 2),
        # C: port side to reference point, D: reference point to starboard
        extension(PORT_X, STERN_Y, PORT_X, cd_y + 6),
        extension(REF_X, REF_Y + 9, REF_X, cd_y + 6),
        extension(STARBOARD_X, STERN_Y, STARBOARD_X, cd_y + 6),
        dimension(PORT_X, cd_y, REF_X, cd_y),
        dimension(REF_X, cd_y, STARBOARD_X, cd_y),
        letter("C", (PORT_X + REF_X) / 2, cd_y - 9),
        letter("D", (REF_X + STARBOARD_X) / 2, cd_y - 9),
        reference_point(REF_X, REF_Y),
    ]
    return svg(FIXED_W, FIXED_H, "\n".join(parts))


# The floating drawing is shown at 181 x 181 at (20, 20) of the group box; A's
# spin box sits at (40, 82), that is (20, 62) in the drawing, just above the A
# arrow that runs from the reference point at the centre to the buoy's edge.
FLOAT_SIZE = 181


def floating_dimensions():
    c = FLOAT_SIZE / 2
    r = 78
    arrow_y = c + 16
    parts = [
        f'<circle cx="{c}" cy="{c}" r="{r}" fill="{HULL_FILL}" stroke="{HULL_EDGE}" stroke-width="2"/>',
        f'<circle cx="{c}" cy="{c}" r="{r - 12}" fill="none" stroke="{HULL_EDGE}" '
        f'stroke-width="0.8" stroke-dasharray="5,3"/>',
        extension(c, c + 9, c, arrow_y + 8),
        dimension(c - r, arrow_y, c, arrow_y),
        letter("A", c - r / 2, arrow_y + 14),
        reference_point(c, c),
    ]
    return svg(FLOAT_SIZE, FLOAT_SIZE, "\n".join(parts))


def warning():
    body = "\n".join([
        '<path d="M16,2.5 L30,28 Q30.6,29.5 29,29.5 H3 Q1.4,29.5 2,28 Z" fill="#f6c21c" '
        'stroke="#7a5800" stroke-width="1.6" stroke-linejoin="round"/>',
        '<path d="M14.3,10.5 H17.7 L17,21 H15 Z" fill="#1a1a1a"/>',
        '<circle cx="16" cy="25" r="1.9" fill="#1a1a1a"/>',
    ])
    return svg(16, 16, body, view="0 0 32 32")


def main():
    outputs = {
        "messagebox_warning.svg": warning(),
        "SmallFixedDimensions.svg": fixed_dimensions(),
        "SmallFloatingDimensions.svg": floating_dimensions(),
    }
    os.makedirs(OUT, exist_ok=True)
    for name, text in outputs.items():
        with open(os.path.join(OUT, name), "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
