#!/usr/bin/env python3
"""Renders the program's icon at the pixel sizes a desktop asks for.

The icon is the window's own (window/programicon.svg, drawn by
drawwindowimages.py); the install rules put that drawing into the icon theme
as it is and these renderings beside it. Run it again after changing the
drawing (python3 Images/rendericon.py); it writes Images/icon/vandrel-<N>.png
for N from 16 to 256 and needs rsvg-convert (Debian package librsvg2-bin).
"""

import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DRAWING = os.path.join(HERE, "window", "programicon.svg")
OUT = os.path.join(HERE, "icon")
SIZES = (16, 24, 32, 48, 64, 128, 256)


def main():
    renderer = shutil.which("rsvg-convert")
    if not renderer:
        sys.exit("rsvg-convert not found (apt-get install librsvg2-bin)")
    os.makedirs(OUT, exist_ok=True)
    for size in SIZES:
        png = os.path.join(OUT, f"vandrel-{size}.png")
        subprocess.run([renderer, "-w", str(size), "-h", str(size), "-o", png, DRAWING], check=True)
        print("wrote", png)


if __name__ == "__main__":
    main()
