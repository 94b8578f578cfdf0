"""The game's visual theme: palette and the reusable interface shapes
(pill buttons, windows, badges), so that every screen shares one look:
warm plum panels with honey-gold rims, coral buttons, cream labels."""
import math

import numpy as np

import gfxlib as G

H = G.hexrgb
PLUM_DEEP = H("#2e1424")
PLUM_DARK = H("#3f1c31")
PLUM = H("#5c2a47")
BERRY = H("#7d3a5c")
GOLD = H("#f5c45e")
GOLD_LIGHT = H("#ffe6a3")
GOLD_DARK = H("#a8711f")
CORAL = H("#f07b4f")
CORAL_LIGHT = H("#ffa874")
CORAL_DARK = H("#b9432a")
CREAM = H("#fff5de")
BROWN = H("#5a2e1c")
BROWN_DARK = H("#3a1c10")
LEAF = H("#7cc04a")
LEAF_DARK = H("#3f7d24")
TEAL = H("#3aa39b")

# Button colour schemes: (top, bottom, rim, label, label shadow)
SCHEMES = {
    "coral": (CORAL_LIGHT, CORAL_DARK, GOLD, CREAM, BROWN_DARK),
    "leaf": (H("#a5dc6a"), LEAF_DARK, GOLD, CREAM, H("#1f3d12")),
    "gold": (GOLD_LIGHT, H("#d9952f"), H("#fff1c4"), BROWN_DARK, None),
    "plum": (BERRY, PLUM_DARK, GOLD, CREAM, PLUM_DEEP),
}


def brighten(rgb, k):
    return tuple(min(1.0, c + (1 - c) * k) for c in rgb)


def pill(w, h, scheme="coral", hover=False, radius=None, inset=1.0, shadow=True,
         glow=False):
    """A glossy rounded button body of exactly w x h pixels."""
    top, bot, rim, _, _ = SCHEMES[scheme]
    if hover:
        top = brighten(tuple(min(1.0, c * 1.1) for c in top), 0.10)
        bot = tuple(min(1.0, c * 1.28 + 0.03) for c in bot)
        rim = brighten(rim, 0.6)
        glow = True
    sh = 2 if shadow else 0
    bw, bh = w - 2 * inset, h - 2 * inset - sh
    r = bh / 2 if radius is None else radius
    x0, y0 = inset, inset
    layer = G.blank(w, h)
    if shadow:
        m = G.rrect_mask(w, h, x0, y0 + sh, bw, bh, r)
        G.over(layer, G.colorize(G.blur_transparent(m, 1.0), (0.12, 0.04, 0.04), 0.55))
    if glow:
        m = G.rrect_mask(w, h, x0, y0, bw, bh, r)
        G.over(layer, G.colorize(np.clip(G.blur_transparent(m, 1.6) * 1.2, 0, 1), GOLD_LIGHT, 0.9))
    outer = G.rrect_mask(w, h, x0, y0, bw, bh, r)
    G.over(layer, G.colorize(outer, rim))
    rw = 1.4 if h >= 30 else 1.1
    inner = G.rrect_mask(w, h, x0 + rw, y0 + rw, bw - 2 * rw, bh - 2 * rw, max(1, r - rw))
    mid = tuple((a + b) / 2 for a, b in zip(top, bot))
    grad = G.vgradient(h, w, [(y0 / h, top), ((y0 + bh * 0.55) / h, mid), ((y0 + bh) / h, bot)])
    G.over(layer, G.colorize(inner, grad))
    # glossy highlight over the upper half
    gl = G.rrect_mask(w, h, x0 + rw + 2, y0 + rw + 0.8, bw - 2 * rw - 4, bh * 0.45, max(1, r - rw - 2))
    fade = np.clip(1.0 - (np.arange(h, dtype=np.float32) - y0) / (bh * 0.5), 0, 1)[:, None]
    G.over(layer, G.colorize(gl * fade, (1, 1, 1), 0.42 if not hover else 0.55))
    # soft inner bottom glow
    lo = G.rrect_mask(w, h, x0 + rw + 3, y0 + bh * 0.62, bw - 2 * rw - 6, bh * 0.3, max(1, r / 2))
    G.over(layer, G.colorize(G.blur_transparent(lo, 1.2), (1, 1, 1), 0.10))
    return layer


def button(w, h, text, size, scheme="coral", hover=False, dy=0, radius=None):
    """A pill button with its label centred."""
    layer = pill(w, h, scheme, hover, radius=radius)
    _, _, _, lab, labsh = SCHEMES[scheme]
    if hover and scheme != "gold":
        lab = (1, 1, 1)
    cy = (h - 2) / 2 + dy
    if labsh is not None:
        G.label(layer, text, size, w / 2, cy, lab, anchor="mm", ss=1,
                shadow=(0, 1, 0.6, 0.75), outline=labsh, outline_w=0)
    else:
        G.label(layer, text, size, w / 2, cy, lab, anchor="mm", ss=1,
                shadow=None)
    return layer


def strip(frames):
    """Frames side by side in one image (the engine's horizontal strips)."""
    h = frames[0].shape[0]
    assert all(f.shape[0] == h and f.shape[1] == frames[0].shape[1] for f in frames)
    return np.concatenate(frames, axis=1)


def panel(w, h, radius=22, band=0, rim=3.0, body=(PLUM, PLUM_DARK), shadow=6,
          band_rgb=(PLUM_DEEP, PLUM_DARK), pattern=True, seed=1):
    """A window: soft drop shadow, gold rim, plum body with a faint grain of
    tiny puzzle dots, optional darker title band `band` pixels tall."""
    layer = G.blank(w, h)
    m = shadow
    bx, by, bw, bh = m, m * 0.6, w - 2 * m, h - 2 * m
    if shadow:
        sm = G.rrect_mask(w, h, bx, by + 3, bw, bh, radius)
        G.over(layer, G.colorize(G.blur_transparent(sm, m / 2.2), (0.08, 0.02, 0.05), 0.7))
    outer = G.rrect_mask(w, h, bx, by, bw, bh, radius)
    rimgrad = G.vgradient(h, w, [(0, GOLD_LIGHT), (0.5, GOLD), (1, GOLD_DARK)])
    G.over(layer, G.colorize(outer, rimgrad))
    inner = G.rrect_mask(w, h, bx + rim, by + rim, bw - 2 * rim, bh - 2 * rim, radius - rim)
    grad = G.vgradient(h, w, [(0, body[0]), (1, body[1])])
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    # gentle radial light from the upper middle
    rad = np.exp(-(((xx - w / 2) / (w * 0.55)) ** 2 + ((yy - h * 0.25) / (h * 0.7)) ** 2))
    grad = grad + (rad[..., None] * 0.10)
    if pattern:
        rng = np.random.default_rng(seed)
        n = G.fbm(w, h, 40, rng, 4)
        grad = grad * (1 + 0.05 * n[..., None])
    G.over(layer, G.colorize(inner, np.clip(grad, 0, 1)))
    if band:
        def bandpath(ctx):
            G.rounded_rect(ctx, bx + rim, by + rim, bw - 2 * rim, band + radius, radius - rim)
            ctx.set_source_rgb(1, 1, 1)
            ctx.fill()
        bm = G.cairo_mask(w, h, bandpath, 4)
        cut = (yy < by + rim + band).astype(np.float32)
        bm = bm * cut * inner
        bgrad = G.vgradient(h, w, [(0, band_rgb[0]), ((by + band) / h, band_rgb[1]), (1, band_rgb[1])])
        G.over(layer, G.colorize(bm, bgrad))
        # gold line under the band with a soft glow
        line = G.rrect_mask(w, h, bx + rim + 10, by + rim + band - 1, bw - 2 * rim - 20, 2, 1)
        G.over(layer, G.colorize(G.blur_transparent(line, 2), GOLD, 0.5))
        G.over(layer, G.colorize(line, GOLD))
        # sheen at the top of the band
        sheen = G.rrect_mask(w, h, bx + rim + 8, by + rim + 2, bw - 2 * rim - 16, band * 0.42, radius / 2)
        fade = np.clip(1 - (yy - by) / (band * 0.5), 0, 1)
        G.over(layer, G.colorize(sheen * fade, (1, 1, 1), 0.10))
    # thin inner highlight along the top edge of the body
    hl = inner - G.rrect_mask(w, h, bx + rim, by + rim + 1.5, bw - 2 * rim, bh - 2 * rim, radius - rim)
    G.over(layer, G.colorize(np.clip(hl, 0, 1), (1, 1, 1), 0.25))
    return layer


def piece_path(ctx, x, y, s, tabs, tab=0.22):
    """Outline of a jigsaw piece with its square body at (x, y, s, s).
    tabs = (top, right, bottom, left): +1 knob out, -1 hole in, 0 straight."""
    def edge(px, py, ux, uy, nx, ny, kind):
        # edge from (px, py) along unit u for length s, normal n pointing out
        if kind == 0:
            ctx.line_to(px + ux * s, py + uy * s)
            return
        k = kind * s
        def P(a, b):
            return px + ux * s * a + nx * k * b, py + uy * s * a + ny * k * b
        ctx.line_to(*P(0.36, 0.0))
        for c1, c2, e in (((0.42, 0.0), (0.43, 0.06), (0.40, 0.12)),
                          ((0.35, 0.20), (0.35, 0.34), (0.50, 0.34)),
                          ((0.65, 0.34), (0.65, 0.20), (0.60, 0.12)),
                          ((0.57, 0.06), (0.58, 0.0), (0.64, 0.0))):
            ctx.curve_to(*P(*c1), *P(*c2), *P(*e))
        ctx.line_to(*P(1.0, 0.0))
    t, r, b, l = tabs
    ctx.move_to(x, y)
    edge(x, y, 1, 0, 0, -1, t)
    edge(x + s, y, 0, 1, 1, 0, r)
    edge(x + s, y + s, -1, 0, 0, 1, b)
    edge(x, y + s, 0, -1, -1, 0, l)
    ctx.close_path()


def jigsaw_piece(size, tabs, colors, body_frac=0.58, shadow=True, rim=None, angle=0.0):
    """A single decorative jigsaw piece layer (size x size), optionally
    turned by `angle` radians about its centre."""
    s = size * body_frac
    off = (size - s) / 2

    def d(ctx):
        ctx.translate(size / 2, size / 2)
        ctx.rotate(angle)
        ctx.translate(-size / 2, -size / 2)
        piece_path(ctx, off, off, s, tabs)
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
    m = G.cairo_mask(size, size, d, 4)
    layer = G.blank(size, size)
    if shadow:
        G.over(layer, G.colorize(G.blur_transparent(np.roll(m, int(size * 0.03) + 1, 0), size * 0.03 + 1),
                                 (0.1, 0.03, 0.05), 0.55))
    grad = G.vgradient(size, size, [(0, colors[0]), (1, colors[1])])
    G.over(layer, G.colorize(m, grad))
    # bevel: light from upper left
    e = G.blur_transparent(m, size * 0.025 + 0.6)
    gy, gx = np.gradient(e)
    light = np.clip(-(gx + gy) * (size * 0.025 + 0.6) * 2.5, -1, 1)
    G.over(layer, G.colorize(m * np.clip(light, 0, 1), (1, 1, 1), 0.45))
    G.over(layer, G.colorize(m * np.clip(-light, 0, 1), (0.2, 0.05, 0.05), 0.35))
    return layer
