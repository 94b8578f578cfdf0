"""The nine-slice window frame: gfx/gui/frame/*.png, the four corners, four
edges and centre of a plum panel with a honey-gold rim (the look of the
game's windows).  The slices are cut from one small panel drawn here; the
edges and the centre are made uniform along the direction in which the
frame stretches them, so a frame of any size shows no seams."""
import numpy as np

import gfxlib as G
import theme as T

C = 20        # corner size: the thickness of the border around the frame's rectangle
SPAN_X = 8    # width of the top and bottom edges and of the centre
SPAN_Y = 48   # height of the side edges and of the centre (they carry the body's gradient)
W, H = 2 * C + SPAN_X, 2 * C + SPAN_Y

# File names by slice position (0..8: top-left, top, top-right, left, right,
# bottom-left, bottom, bottom-right, centre).
NAMES = ["top_left", "top", "top_right", "left", "right",
         "bottom_left", "bottom", "bottom_right", "centre"]


def panel():
    """The whole small panel: soft drop shadow, gold rim, a thin inner gold
    line, plum body darkening downwards, a light line along the top, and a
    gold stud in each corner of the rim."""
    m, radius, rim = 4.0, 13.0, 3.0
    bx, by, bw, bh = m, m * 0.6, W - 2 * m, H - 2 * m
    layer = G.blank(W, H)
    sm = G.rrect_mask(W, H, bx, by + 2.5, bw, bh, radius)
    G.over(layer, G.colorize(G.blur_transparent(sm, 2.2), (0.08, 0.02, 0.05), 0.7))
    outer = G.rrect_mask(W, H, bx, by, bw, bh, radius)
    G.over(layer, G.colorize(outer, G.vgradient(H, W, [(0, T.GOLD_LIGHT), (0.5, T.GOLD), (1, T.GOLD_DARK)])))
    inner = G.rrect_mask(W, H, bx + rim, by + rim, bw - 2 * rim, bh - 2 * rim, radius - rim)
    body = G.vgradient(H, W, [(0, T.BERRY), (0.35, T.PLUM), (1, T.PLUM_DARK)])
    G.over(layer, G.colorize(inner, body))
    # a thin gold line three pixels inside the rim
    line_out = G.rrect_mask(W, H, bx + rim + 3, by + rim + 3, bw - 2 * rim - 6, bh - 2 * rim - 6, radius - rim - 3)
    line_in = G.rrect_mask(W, H, bx + rim + 4, by + rim + 4, bw - 2 * rim - 8, bh - 2 * rim - 8, radius - rim - 4)
    G.over(layer, G.colorize(np.clip(line_out - line_in, 0, 1), T.GOLD, 0.55))
    # light along the top edge of the body
    top = inner - G.rrect_mask(W, H, bx + rim, by + rim + 1.5, bw - 2 * rim, bh - 2 * rim, radius - rim)
    G.over(layer, G.colorize(np.clip(top, 0, 1), (1, 1, 1), 0.25))
    # studs
    for cx, cy in ((bx + 5, by + 5), (W - bx - 5, by + 5), (bx + 5, by + bh - 5), (W - bx - 5, by + bh - 5)):
        def stud(ctx, r=2.6, cx=cx, cy=cy):
            ctx.arc(cx, cy, r, 0, 2 * np.pi)
            ctx.set_source_rgb(1, 1, 1)
            ctx.fill()
        G.over(layer, G.colorize(G.cairo_mask(W, H, lambda c: stud(c, 3.4), 4), T.GOLD_DARK))
        G.over(layer, G.colorize(G.cairo_mask(W, H, stud, 4), T.GOLD_LIGHT))
    return layer


def slices(layer):
    """The nine slices in position order.  The top and bottom edges and the
    centre repeat their middle column across their width; the side edges and
    the centre keep the body's gradient down their height, which the frame
    stretches smoothly."""
    x0, x1, y0, y1 = C, C + SPAN_X, C, C + SPAN_Y
    mid_x = (x0 + x1) // 2

    def across(column, n):
        return np.repeat(column, n, axis=1)
    return [
        layer[:y0, :x0], across(layer[:y0, mid_x:mid_x + 1], SPAN_X), layer[:y0, x1:],
        layer[y0:y1, :x0], layer[y0:y1, x1:],
        layer[y1:, :x0], across(layer[y1:, mid_x:mid_x + 1], SPAN_X), layer[y1:, x1:],
        across(layer[y0:y1, mid_x:mid_x + 1], SPAN_X),
    ]


def build(manifest):
    for name, piece in zip(NAMES, slices(panel())):
        rel = "gfx/gui/frame/%s.png" % name
        G.save_png(np.ascontiguousarray(piece), rel)
        manifest.append((rel, piece.shape[1], piece.shape[0], 1))


if __name__ == "__main__":
    m = []
    build(m)
    for row in m:
        print(*row)
