#!/usr/bin/env python3
"""Draws the window's images: tool-bar pictures, the program icon and the
tab-state marks.

Each picture is written as SVG into Images/window/ and compiled in through
Images/window.qrc, where it is given the resource name the program asks for
(":/Images/<name>").  Qt recognises the SVG content whatever the resource
name's extension, so the pictures stay sharp at every screen density.

Python 3 standard library only.  Run it again after changing a drawing:

    python3 Images/drawwindowimages.py
"""

import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "window")

# A small palette shared by all pictures so that they look like one family.
INK = "#2b2f36"
STEEL = "#5b6675"
PAPER = "#fdfdfb"
PAPER_EDGE = "#8a939f"
FOLDER = "#e7b54a"
FOLDER_DARK = "#b9862a"
BLUE = "#2d6cc0"
BLUE_DARK = "#1d4b8a"
GREEN = "#2e9b47"
GREEN_DARK = "#1f6e31"
AMBER = "#e39a1b"
RED = "#c8342c"
YELLOW = "#f4d03f"
SCREEN = "#bcd9f2"


def svg(width, height, view_w, view_h, body):
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {view_w} {view_h}">\n{body}</svg>\n'
    )


def small(body):
    """A 16-unit drawing delivered at 48 pixels, so it scales down cleanly."""
    return svg(48, 48, 16, 16, body)


def document_new():
    return small(
        f'<path d="M3 1.5h6.5l3.5 3.5v9.5h-10z" fill="{PAPER}" stroke="{PAPER_EDGE}" stroke-width="1"/>\n'
        f'<path d="M9.5 1.5v3.5h3.5" fill="none" stroke="{PAPER_EDGE}" stroke-width="1"/>\n'
        f'<path d="M5 8h6M5 10h6M5 12h4" stroke="{STEEL}" stroke-width="0.8"/>\n'
        f'<circle cx="12.5" cy="3" r="2.2" fill="{YELLOW}" stroke="{AMBER}" stroke-width="0.6"/>\n'
    )


def open_file():
    return small(
        f'<path d="M1 3.5h5l1.5 1.5h6.5v8.5h-13z" fill="{FOLDER_DARK}"/>\n'
        f'<path d="M1 13.5l2.5-6.5h12.5l-2.5 6.5z" fill="{FOLDER}" stroke="{FOLDER_DARK}" stroke-width="0.6"/>\n'
    )


def save():
    return small(
        f'<path d="M1.5 1.5h11l2 2v11h-13z" fill="{BLUE}" stroke="{BLUE_DARK}" stroke-width="0.8"/>\n'
        f'<rect x="4" y="1.5" width="7" height="4.5" fill="{PAPER}"/>\n'
        f'<rect x="8.5" y="2.3" width="1.6" height="2.9" fill="{BLUE_DARK}"/>\n'
        f'<rect x="3.5" y="8.5" width="9" height="6" rx="0.5" fill="{PAPER}"/>\n'
        f'<path d="M5 10.5h6M5 12.5h6" stroke="{PAPER_EDGE}" stroke-width="0.7"/>\n'
    )


def go_right():
    return small(
        f'<path d="M2 6h6.5v-3.5l6 5.5-6 5.5v-3.5h-6.5z" fill="{GREEN}" stroke="{GREEN_DARK}" '
        'stroke-width="0.8" stroke-linejoin="round"/>\n'
    )


def pause():
    return small(
        f'<circle cx="8" cy="8" r="6.8" fill="{BLUE}" stroke="{BLUE_DARK}" stroke-width="0.8"/>\n'
        f'<rect x="5.2" y="4.5" width="2" height="7" fill="{PAPER}"/>\n'
        f'<rect x="8.8" y="4.5" width="2" height="7" fill="{PAPER}"/>\n'
    )


def tab_edited():
    # A pencil: the tab holds changes the unit does not have yet.
    return small(
        f'<path d="M3 13l0.8-3.2 7.5-7.5 2.4 2.4-7.5 7.5z" fill="{AMBER}" stroke="{INK}" '
        'stroke-width="0.7" stroke-linejoin="round"/>\n'
        f'<path d="M3 13l0.8-3.2 2.4 2.4z" fill="{PAPER}" stroke="{INK}" stroke-width="0.5"/>\n'
        f'<path d="M10 3.6l2.4 2.4" stroke="{INK}" stroke-width="0.7"/>\n'
    )


def tab_not_synced():
    # A red circle with a cross: linked, but the tab has not been read or sent.
    return small(
        f'<circle cx="8" cy="8" r="6.5" fill="{RED}" stroke="#8e1f19" stroke-width="0.8"/>\n'
        f'<path d="M5.3 5.3l5.4 5.4M10.7 5.3l-5.4 5.4" stroke="{PAPER}" stroke-width="1.8" '
        'stroke-linecap="round"/>\n'
    )


def tab_syncing():
    # Two arrows chasing each other: a transfer is queued or running.
    arc = f'fill="none" stroke="{BLUE}" stroke-width="1.8" stroke-linecap="round"'
    return small(
        f'<path d="M3 7a5 5 0 0 1 9-2.5" {arc}/>\n'
        f'<path d="M13 9a5 5 0 0 1-9 2.5" {arc}/>\n'
        f'<path d="M13.8 2.2v4h-4z" fill="{BLUE}"/>\n'
        f'<path d="M2.2 13.8v-4h4z" fill="{BLUE}"/>\n'
    )


def tab_synced():
    # A green tick: the tab matches the unit.
    return small(
        f'<circle cx="8" cy="8" r="6.5" fill="{GREEN}" stroke="{GREEN_DARK}" stroke-width="0.8"/>\n'
        f'<path d="M4.6 8.3l2.4 2.4 4.4-5" fill="none" stroke="{PAPER}" stroke-width="1.8" '
        'stroke-linecap="round" stroke-linejoin="round"/>\n'
    )


def aton_unit(x, y):
    """The AtoN unit: a grey transponder box with its antenna and status light,
    drawn in a 40 x 44 box whose top left corner is (x, y)."""
    return (
        f'<g transform="translate({x} {y})">\n'
        f'<path d="M20 0v12" stroke="{INK}" stroke-width="2"/>\n'
        f'<circle cx="20" cy="2" r="2.2" fill="{INK}"/>\n'
        f'<rect x="4" y="12" width="32" height="30" rx="4" fill="#c9ced6" stroke="{STEEL}" stroke-width="2"/>\n'
        f'<rect x="9" y="17" width="22" height="9" rx="1.5" fill="{INK}"/>\n'
        f'<text x="20" y="24.5" font-family="sans-serif" font-size="7" font-weight="bold" '
        f'text-anchor="middle" fill="{YELLOW}">AIS</text>\n'
        f'<circle cx="12" cy="34" r="3" fill="{GREEN}"/>\n'
        f'<circle cx="20" cy="34" r="3" fill="{AMBER}"/>\n'
        f'<circle cx="28" cy="34" r="3" fill="{STEEL}"/>\n'
        '</g>\n'
    )


def computer(x, y):
    """A desktop monitor in a 44 x 44 box whose top left corner is (x, y)."""
    return (
        f'<g transform="translate({x} {y})">\n'
        f'<rect x="1" y="3" width="42" height="29" rx="3" fill="{STEEL}" stroke="{INK}" stroke-width="1.5"/>\n'
        f'<rect x="5" y="7" width="34" height="21" fill="{SCREEN}"/>\n'
        f'<path d="M8 12h18M8 16h24M8 20h14M8 24h20" stroke="{BLUE_DARK}" stroke-width="1.5"/>\n'
        f'<path d="M17 32h10l2 7h-14z" fill="{STEEL}"/>\n'
        f'<rect x="10" y="39" width="24" height="3.5" rx="1.5" fill="{INK}"/>\n'
        '</g>\n'
    )


def arrow_right(x0, x1, y, colour, dark):
    """A broad arrow from x0 to x1 pointing right, centred on y."""
    head = x1 - 14
    return (
        f'<path d="M{x0} {y - 5}h{head - x0}v-8l14 13-14 13v-8h{x0 - head}z" fill="{colour}" '
        f'stroke="{dark}" stroke-width="1.5" stroke-linejoin="round"/>\n'
    )


def transfer(unit_first):
    """A 144 x 48 picture delivered at twice that size for dense screens."""
    if unit_first:
        body = aton_unit(6, 2) + arrow_right(50, 94, 24, GREEN, GREEN_DARK) + computer(98, 2)
    else:
        body = computer(2, 2) + arrow_right(50, 94, 24, BLUE, BLUE_DARK) + aton_unit(98, 2)
    return svg(288, 96, 144, 48, body)


def program_icon():
    """A yellow and black buoy sending radio waves: an AIS aid to navigation."""
    waves = "".join(
        f'<path d="M{24 - r} {10 - r * 0.2}a{r} {r} 0 0 1 {2 * r} 0" fill="none" stroke="{BLUE}" '
        f'stroke-width="2.2" stroke-linecap="round" opacity="{op}"/>\n'
        for r, op in ((7, 1.0), (12, 0.75), (17, 0.5))
    )
    return svg(
        256,
        256,
        48,
        48,
        f'<rect x="0" y="0" width="48" height="48" rx="9" fill="#dbe9f6"/>\n'
        f'<path d="M0 40q6-3 12 0t12 0 12 0 12 0v8h-48z" fill="{BLUE}"/>\n'
        + waves
        + f'<path d="M23 10v8h2v-8z" fill="{INK}"/>\n'
        f'<circle cx="24" cy="10" r="2.5" fill="{INK}"/>\n'
        f'<path d="M17 38l3-20h8l3 20z" fill="{YELLOW}" stroke="{INK}" stroke-width="1.3"/>\n'
        f'<path d="M18.2 30h11.6l0.8 5h-13.2z" fill="{INK}"/>\n'
        f'<path d="M12 38h24l-3 5h-18z" fill="{INK}"/>\n'
        f'<path d="M0 43q6-3 12 0t12 0 12 0 12 0v5h-48z" fill="{BLUE_DARK}"/>\n',
    )


# Resource name (as the program asks for it) -> (file written here, drawing).
PICTURES = [
    ("DocumentHS.png", "documentnew.svg", document_new),
    ("OpenFile.png", "openfile.svg", open_file),
    ("saveHS.png", "save.svg", save),
    ("GoLtrHS.png", "goright.svg", go_right),
    ("PauseHS.png", "pause.svg", pause),
    ("TabEdited.png", "tabedited.svg", tab_edited),
    ("TabNotSynced.png", "tabnotsynced.svg", tab_not_synced),
    ("TabSyncing.png", "tabsyncing.svg", tab_syncing),
    ("TabSynced.png", "tabsynced.svg", tab_synced),
    ("KelvanetoPC_144by48px.png", "unittopc.svg", lambda: transfer(True)),
    ("PCtoKelvane_144by48px.png", "pctounit.svg", lambda: transfer(False)),
    ("Quorvel01_48x48.png", "programicon.svg", program_icon),
    ("Quorvel01_48x48.ico", "programicon.svg", program_icon),
]


def main():
    os.makedirs(OUT, exist_ok=True)
    written = set()
    for _, filename, draw in PICTURES:
        if filename in written:
            continue
        with open(os.path.join(OUT, filename), "w", encoding="utf-8") as f:
            f.write(draw())
        written.add(filename)

    lines = ['<RCC>', '    <qresource prefix="/Images">']
    for alias, filename, _ in PICTURES:
        lines.append(f'        <file alias="{alias}">window/{filename}</file>')
    lines += ['    </qresource>', '</RCC>', '']
    with open(os.path.join(HERE, "window.qrc"), "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
