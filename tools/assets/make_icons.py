#!/usr/bin/python3
"""The desktop icons: the game's icon (make_gui.icon, drawn at 256 x 256)
at the sizes of the hicolor icon theme, written to desktop/icons/NxN.png;
the install puts each into share/icons/hicolor/NxN/apps/ under the game's
application id.

Usage:  /usr/bin/python3 tools/assets/make_icons.py
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path.insert(0, HERE)

from PIL import Image  # noqa: E402

import gfxlib as G  # noqa: E402
import make_gui  # noqa: E402

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def build():
    big = Image.fromarray(G.to_rgba8(make_gui.icon(256)), "RGBA")
    written = []
    for size in SIZES:
        im = big if size == 256 else big.resize((size, size), Image.LANCZOS)
        rel = "desktop/icons/%dx%d.png" % (size, size)
        im.save(G.out_path(rel), optimize=True)
        written.append(rel)
    return written


if __name__ == "__main__":
    print("\n".join(build()))
