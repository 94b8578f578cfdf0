"""Puzzle picture: a sunny harbour town - rows of colourful houses climbing a
hill, a church tower, a stone quay with lamps and barrels, and fishing and
sailing boats rocking on the water that mirrors the town."""
import math

import cairo
import numpy as np

import gfxlib as G

HX = G.hexrgb
WALLS = ["#f2c14e", "#e8734a", "#f4a6a0", "#7fc8c2", "#f7e3b5", "#c75b48", "#8fb5e0", "#f0d27a",
         "#b8d68a", "#e89a5a", "#d9b8e0", "#f5f0e6", "#5fa8a0", "#e0605a"]
ROOFS = ["#b5452e", "#c8603a", "#9a3b2a", "#d47a48", "#7a4a3a"]
SHUTTERS = ["#2f6f8f", "#3f8a4a", "#8a3a2a", "#e8e0c8", "#5a4a8a", "#2a5a6a"]


def shade(c, k):
    return tuple(min(1.0, max(0.0, v * k)) for v in c)


def house(ctx, rng, x, base, w, h, s):
    """One house with its front at (x .. x+w, base-h .. base)."""
    wall = HX(WALLS[rng.integers(0, len(WALLS))])
    roof = HX(ROOFS[rng.integers(0, len(ROOFS))])
    shut = HX(SHUTTERS[rng.integers(0, len(SHUTTERS))])
    top = base - h
    # wall with light from the left
    pat = cairo.LinearGradient(x, 0, x + w, 0)
    pat.add_color_stop_rgb(0, *shade(wall, 1.06))
    pat.add_color_stop_rgb(0.8, *shade(wall, 0.96))
    pat.add_color_stop_rgb(1, *shade(wall, 0.78))
    ctx.set_source(pat)
    ctx.rectangle(x, top, w, h)
    ctx.fill()
    # plaster stains
    for _ in range(int(w * h / (220 * s * s))):
        ctx.set_source_rgba(*shade(wall, rng.uniform(0.85, 1.1)), 0.35)
        ctx.arc(rng.uniform(x, x + w), rng.uniform(top, base), rng.uniform(1, 4) * s, 0, 6.3)
        ctx.fill()
    kind = rng.integers(0, 3)
    if kind < 2:       # gable roof
        rh = h * rng.uniform(0.25, 0.4)
        ctx.set_source_rgb(*roof)
        ctx.move_to(x - 3 * s, top + 1)
        ctx.line_to(x + w / 2, top - rh)
        ctx.line_to(x + w + 3 * s, top + 1)
        ctx.close_path()
        ctx.fill()
        ctx.set_source_rgba(0, 0, 0, 0.18)
        for k in range(1, 6):
            yk = top - rh + rh * k / 6
            half = (w / 2 + 3 * s) * k / 6
            ctx.rectangle(x + w / 2 - half, yk, 2 * half, 1.0 * s)
            ctx.fill()
        ctx.set_source_rgba(1, 1, 1, 0.15)
        ctx.move_to(x - 3 * s, top + 1)
        ctx.line_to(x + w / 2, top - rh)
        ctx.line_to(x + w / 2 - 3 * s, top + 1)
        ctx.close_path()
        ctx.fill()
        if rng.uniform() < 0.6:
            cx = x + w * rng.uniform(0.6, 0.8)
            ctx.set_source_rgb(*shade(roof, 0.8))
            ctx.rectangle(cx, top - rh * 0.8, 6 * s, rh * 0.6)
            ctx.fill()
    else:              # flat roof with a cornice
        ctx.set_source_rgb(*shade(wall, 0.7))
        ctx.rectangle(x - 2 * s, top - 5 * s, w + 4 * s, 6 * s)
        ctx.fill()
        ctx.set_source_rgb(*shade(wall, 1.15))
        ctx.rectangle(x - 2 * s, top - 5 * s, w + 4 * s, 1.5 * s)
        ctx.fill()
    # windows
    cols = max(1, int(w / (22 * s)))
    rows = max(1, int(h / (28 * s)))
    ww, wh = 8 * s, 12 * s
    for r in range(rows):
        for cidx in range(cols):
            wx = x + (cidx + 0.5) * w / cols - ww / 2
            wy = top + 8 * s + r * (h - 12 * s) / rows
            if wy + wh > base - 4 * s:
                continue
            door = (r == rows - 1 and cidx == cols // 2 and h > 40 * s)
            if door:
                ctx.set_source_rgb(*shade(shut, 0.7))
                ctx.rectangle(wx - 1 * s, base - 18 * s, ww + 2 * s, 18 * s)
                ctx.fill()
                ctx.set_source_rgba(1, 1, 1, 0.25)
                ctx.rectangle(wx, base - 17 * s, 1 * s, 16 * s)
                ctx.fill()
                continue
            lit = rng.uniform() < 0.15
            ctx.set_source_rgb(*shade(wall, 0.6))
            ctx.rectangle(wx - 1 * s, wy - 1 * s, ww + 2 * s, wh + 2 * s)
            ctx.fill()
            ctx.set_source_rgb(*(HX("#ffe9a0") if lit else HX("#33485a")))
            ctx.rectangle(wx, wy, ww, wh)
            ctx.fill()
            ctx.set_source_rgba(1, 1, 1, 0.35)
            ctx.rectangle(wx + 1 * s, wy + 1 * s, 2 * s, wh * 0.5)
            ctx.fill()
            if rng.uniform() < 0.6:
                ctx.set_source_rgb(*shut)
                ctx.rectangle(wx - 4 * s, wy, 3.5 * s, wh)
                ctx.rectangle(wx + ww + 0.5 * s, wy, 3.5 * s, wh)
                ctx.fill()
            if rng.uniform() < 0.3:   # flower box
                ctx.set_source_rgb(*HX("#7a4a2a"))
                ctx.rectangle(wx - 2 * s, wy + wh, ww + 4 * s, 2.5 * s)
                ctx.fill()
                for f in range(4):
                    ctx.set_source_rgb(*HX(["#ff4a6a", "#ffd23a", "#ffffff", "#ff8a3a"][rng.integers(0, 4)]))
                    ctx.arc(wx + f * ww / 3, wy + wh - 0.5 * s, 1.8 * s, 0, 6.3)
                    ctx.fill()
    if rng.uniform() < 0.25 and rows > 1:   # balcony
        by = top + 8 * s + (h - 12 * s) / rows + wh + 2 * s
        ctx.set_source_rgb(*HX("#3a3a3a"))
        ctx.rectangle(x + w * 0.2, by, w * 0.6, 1.5 * s)
        ctx.fill()
        for k in range(int(w * 0.6 / (3 * s))):
            ctx.rectangle(x + w * 0.2 + k * 3 * s, by - 6 * s, 0.8 * s, 6 * s)
        ctx.fill()
        ctx.rectangle(x + w * 0.2, by - 6 * s, w * 0.6, 1 * s)
        ctx.fill()


def church(ctx, x, base, s):
    ctx.set_source_rgb(*HX("#f3ead6"))
    ctx.rectangle(x, base - 190 * s, 46 * s, 190 * s)
    ctx.fill()
    ctx.set_source_rgb(*HX("#d9cdb2"))
    ctx.rectangle(x + 34 * s, base - 190 * s, 12 * s, 190 * s)
    ctx.fill()
    for k in range(4):
        ctx.set_source_rgb(*HX("#cdbf9f"))
        ctx.rectangle(x - 3 * s, base - (40 + 45 * k) * s, 52 * s, 4 * s)
        ctx.fill()
    ctx.set_source_rgb(*HX("#3a3a4a"))
    for k in range(2):
        ctx.move_to(x + (10 + 18 * k) * s, base - 150 * s)
        ctx.arc(x + (15 + 18 * k) * s, base - 165 * s, 5 * s, math.pi, 0)
        ctx.line_to(x + (20 + 18 * k) * s, base - 150 * s)
        ctx.close_path()
        ctx.fill()
    ctx.set_source_rgb(*HX("#f7f3e8"))
    ctx.arc(x + 23 * s, base - 115 * s, 10 * s, 0, 6.3)
    ctx.fill()
    ctx.set_source_rgb(*HX("#2a2a2a"))
    ctx.set_line_width(1.5 * s)
    ctx.move_to(x + 23 * s, base - 115 * s)
    ctx.line_to(x + 23 * s, base - 122 * s)
    ctx.move_to(x + 23 * s, base - 115 * s)
    ctx.line_to(x + 28 * s, base - 113 * s)
    ctx.stroke()
    pat = cairo.LinearGradient(x, 0, x + 46 * s, 0)
    pat.add_color_stop_rgb(0, *HX("#4fa0a8"))
    pat.add_color_stop_rgb(1, *HX("#2a6a70"))
    ctx.set_source(pat)
    ctx.move_to(x - 2 * s, base - 190 * s)
    ctx.curve_to(x, base - 230 * s, x + 46 * s, base - 230 * s, x + 48 * s, base - 190 * s)
    ctx.close_path()
    ctx.fill()
    ctx.set_source_rgb(*HX("#e8c04a"))
    ctx.rectangle(x + 22 * s, base - 250 * s, 2.5 * s, 30 * s)
    ctx.rectangle(x + 16 * s, base - 242 * s, 14 * s, 2.5 * s)
    ctx.fill()


def boat(ctx, rng, x, y, s, sail):
    hull = HX(["#c8342a", "#2a5a9a", "#2f8a5a", "#f2c14e", "#f5f0e6", "#e8734a", "#3a9aa8"][rng.integers(0, 7)])
    stripe = HX(["#ffffff", "#f2c14e", "#2a2a3a", "#c8342a"][rng.integers(0, 4)])
    L = rng.uniform(90, 140) * s
    D = L * 0.18
    # hull
    ctx.set_source_rgb(*hull)
    ctx.move_to(x - L / 2, y - D)
    ctx.line_to(x + L / 2 + 10 * s, y - D - 6 * s)
    ctx.curve_to(x + L / 2, y, x + L / 3, y + 2 * s, x + L / 4, y + 2 * s)
    ctx.line_to(x - L / 2 + 10 * s, y + 2 * s)
    ctx.close_path()
    ctx.fill()
    ctx.set_source_rgb(*stripe)
    ctx.move_to(x - L / 2, y - D)
    ctx.line_to(x + L / 2 + 10 * s, y - D - 6 * s)
    ctx.line_to(x + L / 2 + 7 * s, y - D - 1 * s)
    ctx.line_to(x - L / 2 + 1 * s, y - D + 4 * s)
    ctx.close_path()
    ctx.fill()
    ctx.set_source_rgba(0, 0, 0, 0.25)
    ctx.move_to(x - L / 2 + 6 * s, y - 2 * s)
    ctx.line_to(x + L / 4, y - 2 * s)
    ctx.line_to(x + L / 4, y + 2 * s)
    ctx.line_to(x - L / 2 + 10 * s, y + 2 * s)
    ctx.close_path()
    ctx.fill()
    # name dots / portholes
    ctx.set_source_rgb(*HX("#f5f0e6"))
    for k in range(3):
        ctx.arc(x - L * 0.1 + k * 9 * s, y - D * 0.45, 2 * s, 0, 6.3)
        ctx.fill()
    if sail:
        ctx.set_source_rgb(*HX("#5a3a22"))
        ctx.rectangle(x - 1.5 * s, y - D - L * 1.1, 3 * s, L * 1.1)
        ctx.fill()
        sc = HX(["#fdf8ec", "#f7e0b0", "#e8734a", "#fdf8ec"][rng.integers(0, 4)])
        ctx.set_source_rgb(*sc)
        ctx.move_to(x + 3 * s, y - D - L * 1.05)
        ctx.curve_to(x + L * 0.35, y - D - L * 0.6, x + L * 0.42, y - D - L * 0.3, x + L * 0.45, y - D - 6 * s)
        ctx.line_to(x + 3 * s, y - D - 6 * s)
        ctx.close_path()
        ctx.fill()
        ctx.set_source_rgb(*shade(sc, 0.85))
        ctx.move_to(x - 3 * s, y - D - L * 0.9)
        ctx.line_to(x - 3 * s, y - D - 6 * s)
        ctx.line_to(x - L * 0.35, y - D - 6 * s)
        ctx.close_path()
        ctx.fill()
        ctx.set_source_rgb(*HX(["#c8342a", "#2a5a9a", "#f2c14e"][rng.integers(0, 3)]))
        ctx.move_to(x, y - D - L * 1.1)
        ctx.line_to(x + 14 * s, y - D - L * 1.06)
        ctx.line_to(x, y - D - L * 1.02)
        ctx.fill()
    else:
        cab = HX(["#f5f0e6", "#e8e0c8", "#8fb5e0"][rng.integers(0, 3)])
        ctx.set_source_rgb(*cab)
        ctx.rectangle(x - L * 0.15, y - D - 26 * s, L * 0.3, 26 * s)
        ctx.fill()
        ctx.set_source_rgb(*HX("#33485a"))
        for k in range(3):
            ctx.rectangle(x - L * 0.12 + k * L * 0.09, y - D - 21 * s, L * 0.06, 9 * s)
        ctx.fill()
        ctx.set_source_rgb(*shade(hull, 0.8))
        ctx.rectangle(x - L * 0.17, y - D - 30 * s, L * 0.34, 5 * s)
        ctx.fill()
        ctx.set_source_rgb(*HX("#4a4a4a"))
        ctx.rectangle(x + L * 0.05, y - D - 70 * s, 2.5 * s, 42 * s)
        ctx.fill()
        ctx.set_line_width(0.8 * s)
        ctx.move_to(x + L * 0.05, y - D - 70 * s)
        ctx.line_to(x + L * 0.45, y - D - 4 * s)
        ctx.move_to(x + L * 0.05, y - D - 70 * s)
        ctx.line_to(x - L * 0.4, y - D - 2 * s)
        ctx.stroke()
        for k in range(5):   # bunting
            ctx.set_source_rgb(*HX(["#c8342a", "#f2c14e", "#2a5a9a", "#2f8a5a", "#ffffff"][k]))
            t = (k + 1) / 6
            px, py = x + L * 0.05 + (L * 0.4) * t, y - D - 70 * s + 66 * s * t
            ctx.move_to(px, py)
            ctx.line_to(px + 4 * s, py + 1 * s)
            ctx.line_to(px + 1 * s, py + 6 * s)
            ctx.fill()
    return L


def render(w=640, h=480, ss=2):
    W, H = w * ss, h * ss
    s = float(ss)
    rng = np.random.default_rng(2202)
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    sky = G.vgradient(H, W, [(0, HX("#4a8fd8")), (0.2, HX("#8cc3ee")), (0.32, HX("#e6f1f4"))]).copy()
    sky += (np.exp(-np.sqrt((xx - W * 0.15) ** 2 + (yy - H * 0.05) ** 2) / (W * 0.15)) * 0.3)[..., None] * \
        np.array([1, 0.9, 0.6], np.float32)
    img = G.from_rgb(np.clip(sky, 0, 1))
    cn = G.aniso_fbm(W, H, 260, 90, rng, 6)
    cm = np.clip((cn + 0.05) * 3, 0, 1) * np.clip(1 - yy / (H * 0.3), 0, 1)
    lit = np.clip(0.8 + (cn - np.roll(cn, -10 * ss, 0)) * 2.5, 0.55, 1.05)
    G.over(img, G.colorize(cm * 0.95, np.stack([lit, lit, lit * 0.98], -1)))
    # hill behind the town with a lighthouse and pines
    x = np.arange(W, dtype=np.float32)
    hill = H * 0.2 + 50 * s * np.sin(x / W * 3.1 + 0.4) + 20 * s * np.sin(x / W * 9 + 1)
    hm = np.clip(yy - hill[None, :], 0, s) / s
    ht = G.fbm(W, H, 30 * ss, rng, 5)
    hc = G.ramp(0.5 + ht * 0.5, [(0, HX("#3f7a3a")), (0.5, HX("#5f9a44")), (1, HX("#8ab85a"))])
    G.over(img, G.colorize(hm, hc))

    def hill_details(ctx):
        for _ in range(120):
            tx = rng.uniform(0, W)
            ty = hill[int(tx)] + rng.uniform(4, 60) * s
            r = rng.uniform(4, 9) * s
            ctx.set_source_rgb(*shade(HX("#2f5a2a"), rng.uniform(0.8, 1.3)))
            ctx.arc(tx, ty, r, 0, 6.3)
            ctx.fill()
        lx = W * 0.86
        ly = hill[int(lx)] + 6 * s
        ctx.set_source_rgb(*HX("#f5f0e6"))
        ctx.move_to(lx - 10 * s, ly)
        ctx.line_to(lx - 6 * s, ly - 70 * s)
        ctx.line_to(lx + 6 * s, ly - 70 * s)
        ctx.line_to(lx + 10 * s, ly)
        ctx.fill()
        ctx.set_source_rgb(*HX("#c8342a"))
        for k in range(3):
            yk = ly - 15 * s - k * 20 * s
            ctx.rectangle(lx - 9 * s, yk, 18 * s, 7 * s)
        ctx.fill()
        ctx.set_source_rgb(*HX("#ffe08a"))
        ctx.rectangle(lx - 5 * s, ly - 80 * s, 10 * s, 10 * s)
        ctx.fill()
        ctx.set_source_rgb(*HX("#c8342a"))
        ctx.move_to(lx - 8 * s, ly - 80 * s)
        ctx.line_to(lx, ly - 90 * s)
        ctx.line_to(lx + 8 * s, ly - 80 * s)
        ctx.fill()
        # gulls
        ctx.set_line_width(1.4 * s)
        ctx.set_source_rgb(0.25, 0.25, 0.3)
        for _ in range(12):
            bx, by, bs = rng.uniform(0, W), rng.uniform(H * 0.02, H * 0.2), rng.uniform(4, 8) * s
            ctx.move_to(bx - bs, by - bs * 0.3)
            ctx.curve_to(bx - bs * 0.5, by - bs * 0.7, bx - bs * 0.2, by - bs * 0.4, bx, by)
            ctx.curve_to(bx + bs * 0.2, by - bs * 0.4, bx + bs * 0.5, by - bs * 0.7, bx + bs, by - bs * 0.3)
            ctx.stroke()
    G.over(img, G.cairo_layer(W, H, hill_details, 1))
    quay = H * 0.63

    # rows of houses, back to front
    def town(ctx):
        nrows = 6
        for r in range(nrows):
            t = r / (nrows - 1)
            sc = s * (0.55 + 0.45 * t)
            base = H * 0.31 + (quay - H * 0.31) * (t ** 0.9)
            xcur = rng.uniform(-40, 0) * sc
            while xcur < W:
                wdt = rng.uniform(40, 80) * sc
                hgt = rng.uniform(60, 110) * sc
                if r == 3 and abs(xcur - W * 0.55) < 50 * sc:
                    church(ctx, xcur, base, sc * 1.05)
                    xcur += 50 * sc
                    continue
                if rng.uniform() < 0.1 and r < 4:
                    # a cypress or round tree between houses
                    ctx.set_source_rgb(*shade(HX("#2f5a2a"), rng.uniform(0.8, 1.2)))
                    ctx.save()
                    ctx.translate(xcur + 8 * sc, base - 50 * sc)
                    ctx.scale(1, 3.2)
                    ctx.arc(0, 0, 9 * sc, 0, 6.3)
                    ctx.restore()
                    ctx.fill()
                    xcur += 16 * sc
                    continue
                house(ctx, rng, xcur, base, wdt, hgt, sc)
                xcur += wdt + rng.uniform(-2, 3) * sc
            # a street shadow line under the row
            ctx.set_source_rgba(0.2, 0.1, 0.05, 0.35)
            ctx.rectangle(0, base, W, 3 * sc)
            ctx.fill()
    G.over(img, G.cairo_layer(W, H, town, 1))
    # stone quay
    qh = int(H * 0.06)
    qt = int(quay)
    stone = G.fbm(W, qh, 8 * ss, rng, 4)
    blocks = ((np.arange(W)[None, :] + (np.arange(qh)[:, None] // (12 * ss)) * 17 * ss) % (34 * ss) < 1.2 * ss) | \
             (np.arange(qh)[:, None] % (12 * ss) < 1.2 * ss)
    qc = G.ramp(0.55 + stone * 0.4, [(0, HX("#8a7a6a")), (0.5, HX("#b8a890")), (1, HX("#dccbb0"))])
    qc = qc * np.where(blocks, 0.7, 1.0)[..., None]
    qc[: 3 * ss] *= 1.15
    ql = np.ones((qh, W, 4), np.float32)
    ql[..., :3] = np.clip(qc, 0, 1)
    G.over(img, ql, 0, qt)

    def quay_items(ctx):
        for k in range(9):
            lx = (k + 0.5) * W / 9 + rng.uniform(-20, 20) * s
            ctx.set_source_rgb(*HX("#2a2a30"))
            ctx.rectangle(lx - 1.2 * s, quay - 46 * s, 2.4 * s, 46 * s)
            ctx.fill()
            ctx.set_source_rgb(*HX("#ffe9a0"))
            ctx.arc(lx, quay - 48 * s, 4 * s, 0, 6.3)
            ctx.fill()
            ctx.set_source_rgb(*HX("#2a2a30"))
            ctx.rectangle(lx - 5 * s, quay - 53 * s, 10 * s, 2 * s)
            ctx.fill()
            bx = lx + rng.uniform(20, 50) * s
            kind = rng.integers(0, 3)
            if kind == 0:
                ctx.set_source_rgb(*HX("#8a5a30"))
                ctx.rectangle(bx, quay - 14 * s, 12 * s, 14 * s)
                ctx.fill()
                ctx.set_source_rgb(*HX("#5a3a1a"))
                ctx.rectangle(bx, quay - 10 * s, 12 * s, 1.5 * s)
                ctx.rectangle(bx, quay - 4 * s, 12 * s, 1.5 * s)
                ctx.fill()
            elif kind == 1:
                ctx.set_source_rgb(*HX("#b07a40"))
                ctx.rectangle(bx, quay - 16 * s, 18 * s, 16 * s)
                ctx.fill()
                ctx.set_source_rgb(*HX("#7a5028"))
                ctx.set_line_width(1.2 * s)
                ctx.move_to(bx, quay - 16 * s)
                ctx.line_to(bx + 18 * s, quay)
                ctx.move_to(bx + 18 * s, quay - 16 * s)
                ctx.line_to(bx, quay)
                ctx.stroke()
            else:
                ctx.set_source_rgb(*HX("#3a3a3a"))
                ctx.rectangle(bx, quay - 8 * s, 6 * s, 8 * s)
                ctx.fill()
                ctx.arc(bx + 3 * s, quay - 8 * s, 4 * s, math.pi, 0)
                ctx.fill()
        # tyres hanging on the quay wall
        for k in range(14):
            tx = rng.uniform(0, W)
            ctx.set_source_rgb(0.12, 0.12, 0.12)
            ctx.set_line_width(3 * s)
            ctx.arc(tx, quay + qh * 0.5, 6 * s, 0, 6.3)
            ctx.stroke()
    G.over(img, G.cairo_layer(W, H, quay_items, 1))
    # water mirroring the town
    wt = qt + qh
    src = img[..., :3].copy()
    rows = np.arange(wt, H)
    rip = G.aniso_fbm(W, H - wt, 120 * ss, 4 * ss, rng, 4)
    depth = (rows - wt)[:, None].astype(np.float32)
    sy = np.clip((2 * wt - rows)[:, None] - 4 * s - rip * (3 + depth * 0.05) * s, 0, H - 1).astype(int)
    sx = np.clip(xx[wt:] + rip * 8 * s, 0, W - 1).astype(int)
    refl = src[sy, sx]
    water = np.array(HX("#1f6a88"), np.float32)
    k = np.clip(0.45 + depth / (H * 0.6), 0.45, 0.75)
    refl = refl * (1 - k[..., None]) + water * k[..., None]
    sparkle = np.clip((rip - 0.4) * 3, 0, 1) * 0.35
    refl += sparkle[..., None]
    lay = np.ones((H - wt, W, 4), np.float32)
    lay[..., :3] = np.clip(refl, 0, 1)
    G.over(img, lay, 0, wt)
    # boats with their own reflections
    boats = []
    for k in range(9):
        bx = (k + 0.5) * W / 9 + rng.uniform(-30, 30) * s
        by = wt + rng.uniform(40, H - wt - 20 * s) * (0.35 + 0.65 * (k % 3) / 2)
        boats.append((by, bx, rng.uniform() < 0.4))
    boats.sort()
    for by, bx, sail in boats:
        bs = s * (0.75 + 0.35 * (by - wt) / (H - wt))
        seed = int(rng.integers(0, 1 << 30))
        lay = G.cairo_layer(W, H, lambda c: boat(c, np.random.default_rng(seed), bx, by, bs, sail), 1)
        # reflection: flip about the waterline, squash the ripples in
        ref = lay[::-1]
        shift = int(H - 2 * by)
        ref = np.roll(ref, -shift, axis=0) if shift < 0 else np.roll(ref, -shift, axis=0)
        ref = ref * (yy > by)[..., None]
        wob = (np.sin(yy / (3 * s)) * 3 * s).astype(int)
        ref = np.take_along_axis(ref, np.clip(xx.astype(int) + wob, 0, W - 1)[..., None].repeat(4, -1), axis=1)
        G.over(img, ref, opacity=0.45)
        G.over(img, lay)
        # water line ripples around the hull
        G.over(img, G.cairo_layer(W, H, lambda c: (c.set_source_rgba(1, 1, 1, 0.35), c.set_line_width(1.2 * s),
                                                    c.move_to(bx - 70 * bs, by + 4 * s),
                                                    c.line_to(bx + 70 * bs, by + 4 * s), c.stroke()), 1))
    img = G.downsample(img, ss)
    img[..., :3] = np.clip(img[..., :3] * np.array([1.02, 1.0, 0.97]), 0, 1)
    return img


if __name__ == "__main__":
    G.save_jpeg(render(), "gfx/puzzle/obr2.jpg", quality=92)
