"""The credits picture and its 48 jigsaw-shaped fragments.

The picture (560 x 420, centred on the 800 x 600 screen) is a window-style
panel with the game's name, its makers and the libraries and font with their
licences.  It is cut on an 8 x 6 grid of 70-pixel cells into jigsaw pieces;
each fragment image is its cell plus a 26-pixel margin for the knobs, and
dane/credits.tsc gives the screen position of each fragment's top-left
corner so that the fragments together show the whole picture."""
import math

import numpy as np

import gfxlib as G
import theme as T

PW, PH = 560, 420
COLS, ROWS = 8, 6
CELL = 70
MARGIN = 26
ORIGIN = ((800 - PW) // 2, (600 - PH) // 2)     # (120, 90)

LIBS = [("SDL2", "zlib licence"),
        ("libpng", "libpng licence"),
        ("libjpeg-turbo", "IJG / BSD-style licence"),
        ("libogg and libvorbis", "BSD-style licence"),
        ("FreeType", "FreeType licence"),
        ("GoogleTest, Google Benchmark", "BSD / Apache 2.0, for testing only")]


def picture():
    img = T.panel(PW, PH, radius=26, band=0, shadow=7, seed=21)
    cx = PW / 2
    G.label(img, "Orvela Puzzle Game", 38, cx, 58, T.GOLD, anchor="mm", ss=4,
            glow=((1.0, 0.8, 0.45), 8, 0.35), shadow=(0, 3, 2.5, 0.6), outline=T.BROWN_DARK, outline_w=3,
            gradient=((1, 0.97, 0.8), (0.93, 0.62, 0.2), 38, 80))
    G.label(img, "made by the Orvela Puzzle Game team", 17, cx, 96, T.CREAM, anchor="mm",
            shadow=(0, 1, 1, 0.7))
    # divider with a small piece in the middle
    G.over(img, G.colorize(G.rrect_mask(PW, PH, 70, 121, 180, 2, 1), T.GOLD, 0.8))
    G.over(img, G.colorize(G.rrect_mask(PW, PH, PW - 250, 121, 180, 2, 1), T.GOLD, 0.8))
    G.over(img, T.jigsaw_piece(30, (1, 1, -1, -1), (T.CORAL_LIGHT, T.CORAL_DARK), angle=0.3), int(cx) - 15, 107)
    G.label(img, "Built with", 15, cx, 144, T.GOLD_LIGHT, anchor="mm", shadow=(0, 1, 1, 0.6))
    xn, xl = 44, 292
    y = 170
    rows = LIBS + [None, ("Comfortaa", "SIL Open Font License 1.1")]
    for row in rows:
        if row is None:
            G.label(img, "Font", 15, cx, y + 2, T.GOLD_LIGHT, anchor="mm", shadow=(0, 1, 1, 0.6))
            y += 26
            continue
        name, lic = row
        G.over(img, G.colorize(G.rrect_mask(PW, PH, xn - 14, y - 3, 6, 6, 3), T.GOLD, 0.9))
        G.label(img, name, 14, xn, y, T.CREAM, anchor="lm", shadow=(0, 1, 1, 0.7))
        G.label(img, lic, 13, xl, y, (0.98, 0.82, 0.62), anchor="lm", shadow=(0, 1, 1, 0.7))
        y += 24
    G.label(img, "font by Johan Aakerlund", 12, xn, y - 6, (0.9, 0.8, 0.85), anchor="lm")
    G.label(img, "Thank you for playing!  Click to go back.", 13, cx, PH - 30, T.GOLD_LIGHT, anchor="mm",
            shadow=(0, 1, 1, 0.7))
    return img


def tab_grid(rng):
    """Knob directions: h[r][c] for the edge below cell (r, c), v[r][c] for
    the edge right of it; +1 means the knob belongs to the upper/left cell."""
    h = rng.choice([-1, 1], (ROWS - 1, COLS))
    v = rng.choice([-1, 1], (ROWS, COLS - 1))
    return h, v


def fragment_mask(r, c, h, v):
    size = CELL + 2 * MARGIN
    top = 0 if r == 0 else -int(h[r - 1][c])
    bottom = 0 if r == ROWS - 1 else int(h[r][c])
    left = 0 if c == 0 else -int(v[r][c - 1])
    right = 0 if c == COLS - 1 else int(v[r][c])

    def d(ctx):
        T.piece_path(ctx, MARGIN, MARGIN, CELL, (top, right, bottom, left))
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
    return G.cairo_mask(size, size, d, 4)


def build(manifest):
    pic = picture()
    rng = np.random.default_rng(4848)
    h, v = tab_grid(rng)
    size = CELL + 2 * MARGIN
    padded = np.zeros((PH + 2 * MARGIN, PW + 2 * MARGIN, 4), np.float32)
    padded[MARGIN:MARGIN + PH, MARGIN:MARGIN + PW] = pic
    lines = ["puzle{"]
    for r in range(ROWS):
        for c in range(COLS):
            i = r * COLS + c
            m = fragment_mask(r, c, h, v)
            x0, y0 = c * CELL, r * CELL
            crop = padded[y0:y0 + size, x0:x0 + size] * m[..., None]
            # a faint bevel along the cut so the pieces read as jigsaw pieces
            e = G.blur_transparent(m, 1.0)
            gy, gx = np.gradient(e)
            light = np.clip(-(gx + gy) * 2.0, -1, 1)
            G.over(crop, G.colorize(m * np.clip(light, 0, 1), (1, 1, 1), 0.16 * (crop[..., 3] > 0.5)))
            G.over(crop, G.colorize(m * np.clip(-light, 0, 1), (0, 0, 0), 0.16 * (crop[..., 3] > 0.5)))
            crop[..., :3] = np.minimum(crop[..., :3], crop[..., 3:4])
            rel = "gfx/credits/p%d.png" % i
            G.save_png(crop, rel)
            manifest.append((rel, size, size, 1))
            lines.append("\tp%d=%d,%d" % (i, ORIGIN[0] + x0 - MARGIN, ORIGIN[1] + y0 - MARGIN))
    lines.append("}")
    p = G.out_path("dane/credits.tsc")
    with open(p, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    return pic


if __name__ == "__main__":
    build([])
