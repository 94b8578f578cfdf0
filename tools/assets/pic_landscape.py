"""Puzzle picture: a mountain lake on a summer afternoon - clouded sky,
snowy peaks, pine forest, a cabin on the shore, the lake mirroring it all
and a flower meadow in front."""
import math

import cairo
import numpy as np

import gfxlib as G

HX = G.hexrgb


def ridge(w, rng, base, amp, rough, octaves=6):
    x = np.arange(w, dtype=np.float32)
    prof = np.zeros(w, np.float32)
    a, f = 1.0, 1.0 / rough
    for _ in range(octaves):
        ph = rng.uniform(0, 1000)
        g = rng.standard_normal(int(w * f) + 4)
        prof += a * np.interp(x * f + ph % 1, np.arange(g.size), g)
        a *= 0.5
        f *= 2.1
    return base - amp * prof


def cairo_on(img, draw, ss=1):
    h, w = img.shape[:2]
    G.over(img, G.cairo_layer(w, h, draw, ss))


def pine(ctx, x, y, hgt, col, rng):
    """A conifer: stacked jagged tiers over a short trunk; light from the left."""
    wdt = hgt * rng.uniform(0.34, 0.44)
    ctx.set_source_rgb(*(c * 0.5 for c in HX("#5a3a22")))
    ctx.rectangle(x - hgt * 0.03, y - hgt * 0.12, hgt * 0.06, hgt * 0.14)
    ctx.fill()
    tiers = 4
    for t in range(tiers):
        ty = y - hgt * (0.1 + 0.9 * t / tiers)
        tw = wdt * (1 - t / (tiers + 0.8))
        th = hgt * 0.42
        dark = tuple(c * (0.8 - 0.05 * t) for c in col)
        ctx.set_source_rgb(*dark)
        ctx.move_to(x - tw / 2, ty)
        ctx.line_to(x, ty - th)
        ctx.line_to(x + tw / 2, ty)
        ctx.close_path()
        ctx.fill()
        lite = tuple(min(1, c * 1.25 + 0.03) for c in col)
        ctx.set_source_rgb(*lite)
        ctx.move_to(x - tw / 2, ty)
        ctx.line_to(x, ty - th)
        ctx.line_to(x - tw * 0.08, ty)
        ctx.close_path()
        ctx.fill()


def render(w=640, h=480, ss=2):
    W, H = w * ss, h * ss
    rng = np.random.default_rng(4101)
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    horizon = H * 0.50
    # sky
    sky = G.vgradient(H, W, [(0, HX("#3d7fc9")), (0.25, HX("#78b3e6")), (0.45, HX("#cfe6f2")),
                             (0.52, HX("#fbe7c4")), (1, HX("#fbe7c4"))]).copy()
    sun = (W * 0.78, H * 0.13)
    d = np.sqrt((xx - sun[0]) ** 2 + (yy - sun[1]) ** 2)
    sky += (np.exp(-d / (W * 0.18)) * 0.35)[..., None] * np.array([1, 0.85, 0.55], np.float32)
    img = G.from_rgb(np.clip(sky, 0, 1))
    sunm = np.clip((16 * ss - d) / 2, 0, 1)
    G.over(img, G.colorize(np.clip(np.exp(-d / (30 * ss)) * 0.8, 0, 1), (1, 0.96, 0.8)))
    G.over(img, G.colorize(sunm, (1, 0.99, 0.92)))
    # clouds: noise thresholded, lit from above
    cn = G.aniso_fbm(W, H, 340, 150, rng, 6)
    mask = np.clip((cn - 0.05) * 3.0, 0, 1) * np.clip(1 - yy / (H * 0.44), 0, 1) ** 0.6
    below = np.roll(cn, -int(14 * ss), 0)
    lit = np.clip(0.75 + (cn - below) * 2.5, 0.45, 1.05)
    ccol = np.stack([lit, lit * 0.97, lit * 0.95], -1) * np.array([1, 1, 1], np.float32)
    ccol = ccol * (1 - 0.25 * (yy / H)[..., None]) + np.array([0.05, 0.02, 0.0])
    G.over(img, G.colorize(mask * 0.93, np.clip(ccol, 0, 1)))
    # small distant birds
    def birds(ctx):
        ctx.set_line_width(1.4 * ss)
        ctx.set_source_rgba(0.2, 0.2, 0.3, 0.8)
        for _ in range(9):
            bx, by, s = rng.uniform(W * 0.1, W * 0.6), rng.uniform(H * 0.06, H * 0.3), rng.uniform(4, 8) * ss
            ctx.move_to(bx - s, by - s * 0.3)
            ctx.curve_to(bx - s * 0.5, by - s * 0.7, bx - s * 0.2, by - s * 0.4, bx, by)
            ctx.curve_to(bx + s * 0.2, by - s * 0.4, bx + s * 0.5, by - s * 0.7, bx + s, by - s * 0.3)
            ctx.stroke()
    cairo_on(img, birds)
    # mountains, back to front
    x = np.arange(W)
    ranges = [(horizon - 40 * ss, 95 * ss, 260 * ss, HX("#8fa6c8"), 0.55),
              (horizon - 10 * ss, 70 * ss, 150 * ss, HX("#6d83a8"), 0.35),
              (horizon + 12 * ss, 40 * ss, 90 * ss, HX("#4f6a6a"), 0.15)]
    for i, (base, amp, rough, col, haze) in enumerate(ranges):
        top = ridge(W, rng, base, amp, rough)
        m = np.clip(yy - top[None, :], 0, ss) / ss
        # rock texture and light from the right-hand sun
        tex = G.fbm(W, H, 40 * ss, rng, 5)
        ridged = 1 - np.abs(G.aniso_fbm(W, H, 30 * ss, 70 * ss, rng, 5))
        facet = np.gradient(ridged, axis=1) * 60
        slope = np.gradient(top)
        fall = np.exp(-np.clip(yy - top[None, :], 0, None) / (50 * ss))
        light = np.clip(0.85 - slope[None, :] * 0.7 / ss * fall + facet * 0.5 + tex * 0.2, 0.45, 1.25)
        rock = np.asarray(col, np.float32)[None, None, :] * light[..., None]
        if i < 2:
            peak = np.clip((base - 25 * ss - top) / (40 * ss), 0, 1)[None, :]
            snowline = top[None, :] + (10 + 26 * peak) * ss + tex * 14 * ss
            snow = np.clip((snowline - yy) / (3 * ss), 0, 1) * np.clip(ridged * 2.2 - 0.7 + tex, 0, 1) * (peak > 0)
            snowc = np.array([0.93, 0.95, 1.0], np.float32)[None, None, :] * np.clip(light, 0.7, 1.1)[..., None]
            rock = rock * (1 - snow[..., None]) + snowc * snow[..., None]
        hz = haze * np.clip(1 - (yy - top[None, :]) / (120 * ss), 0, 1)
        rock = rock * (1 - hz[..., None]) + np.array(HX("#cfe0f0"))[None, None, :] * hz[..., None]
        G.over(img, G.colorize(m, np.clip(rock, 0, 1)))
    # forest band on the far shore
    shore = horizon + 46 * ss
    def forest(ctx):
        xs = np.sort(rng.uniform(-10 * ss, W + 10 * ss, 420))
        for k, bx in enumerate(xs):
            base = shore + rng.uniform(-6, 8) * ss - 10 * ss * math.sin(bx / W * 5 + 1)
            hgt = rng.uniform(26, 48) * ss
            g = HX(["#2f5a34", "#3b6b3a", "#2a4f3a", "#46743a"][k % 4])
            pine(ctx, bx, base, hgt, g, rng)
    cairo_on(img, forest)
    # shoreline meadow strip
    strip = np.clip((yy - (shore - 4 * ss)) / ss, 0, 1) * np.clip((shore + 6 * ss - yy) / ss, 0, 1)
    G.over(img, G.colorize(strip, HX("#6f9a3a")))
    # cabin on the shore
    def cabin(ctx):
        cx, cy = W * 0.30, shore + 2 * ss
        s = 1.0 * ss
        ctx.set_source_rgb(*HX("#8a4a2a"))
        ctx.rectangle(cx - 34 * s, cy - 30 * s, 68 * s, 30 * s)
        ctx.fill()
        for k in range(6):
            ctx.set_source_rgba(0.3, 0.12, 0.05, 0.5)
            ctx.rectangle(cx - 34 * s, cy - 30 * s + k * 5 * s, 68 * s, 1.2 * s)
            ctx.fill()
        ctx.set_source_rgb(*HX("#b8342a"))
        ctx.move_to(cx - 42 * s, cy - 28 * s)
        ctx.line_to(cx, cy - 56 * s)
        ctx.line_to(cx + 42 * s, cy - 28 * s)
        ctx.close_path()
        ctx.fill()
        ctx.set_source_rgb(*HX("#e0584a"))
        ctx.move_to(cx - 42 * s, cy - 28 * s)
        ctx.line_to(cx, cy - 56 * s)
        ctx.line_to(cx - 4 * s, cy - 28 * s)
        ctx.close_path()
        ctx.fill()
        ctx.set_source_rgb(*HX("#ffe08a"))
        for wx in (-24, 10):
            ctx.rectangle(cx + wx * s, cy - 22 * s, 12 * s, 10 * s)
            ctx.fill()
        ctx.set_source_rgb(*HX("#4a2a16"))
        ctx.rectangle(cx - 6 * s, cy - 20 * s, 10 * s, 20 * s)
        ctx.fill()
        ctx.set_source_rgb(*HX("#6a6a6a"))
        ctx.rectangle(cx + 18 * s, cy - 60 * s, 7 * s, 16 * s)
        ctx.fill()
        ctx.set_source_rgba(0.95, 0.95, 0.95, 0.5)
        for k in range(5):
            ctx.arc(cx + 22 * s + k * 5 * s, cy - 66 * s - k * 7 * s, (3 + k) * s, 0, 6.3)
            ctx.fill()
        # jetty
        ctx.set_source_rgb(*HX("#7a5030"))
        ctx.rectangle(cx + 36 * s, cy - 2 * s, 70 * s, 5 * s)
        ctx.fill()
        for k in range(5):
            ctx.rectangle(cx + 40 * s + k * 16 * s, cy, 2.5 * s, 12 * s)
            ctx.fill()
    cairo_on(img, cabin)
    # lake: mirror of everything above the shore, rippled and tinted
    lake_top = int(shore + 6 * ss)
    lake_bot = int(H * 0.80)
    src = img[..., :3].copy()
    rows = np.arange(lake_top, H)
    ripple = G.aniso_fbm(W, H - lake_top, 200 * ss, 3 * ss, rng, 4)
    depth = (rows - lake_top)[:, None].astype(np.float32)
    sy = (2 * lake_top - rows)[:, None] - (ripple * (3 + depth * 0.06) * ss)
    sx = xx[lake_top:] + ripple * 6 * ss
    sy = np.clip(sy, 0, H - 1).astype(int)
    sx = np.clip(sx, 0, W - 1).astype(int)
    refl = src[sy, sx]
    water = np.array(HX("#2c6f8e"), np.float32)
    k = np.clip(0.35 + depth / (H * 0.5), 0.35, 0.7)
    refl = refl * (1 - k[..., None]) * 0.92 + water * k[..., None]
    glint = np.clip((ripple - 0.35) * 4, 0, 1) * np.exp(-((xx[lake_top:] - sun[0]) / (W * 0.12)) ** 2)
    refl += glint[..., None] * 0.5
    lines = np.clip(np.sin(depth * 0.9 / ss + ripple * 8) * 0.5 + 0.5, 0, 1) ** 8
    refl += lines[..., None] * 0.07
    lake = np.zeros((H - lake_top, W, 4), np.float32)
    lake[..., :3] = np.clip(refl, 0, 1)
    lake[..., 3] = 1
    G.over(img, lake, 0, lake_top)
    # ducks / swans on the lake
    def swans(ctx):
        for _ in range(4):
            bx, by = rng.uniform(W * 0.45, W * 0.9), rng.uniform(lake_top + 30 * ss, lake_bot - 40 * ss)
            s = rng.uniform(0.8, 1.2) * ss
            ctx.set_source_rgb(0.97, 0.97, 0.95)
            ctx.save()
            ctx.translate(bx, by)
            ctx.scale(s, s)
            ctx.arc(0, 0, 9, 0, math.pi)
            ctx.close_path()
            ctx.fill()
            ctx.set_line_width(3)
            ctx.move_to(6, -2)
            ctx.curve_to(10, -10, 6, -16, 10, -18)
            ctx.stroke()
            ctx.set_source_rgb(*HX("#f08a2a"))
            ctx.move_to(10, -18)
            ctx.line_to(15, -16)
            ctx.line_to(10, -16)
            ctx.fill()
            ctx.set_source_rgba(1, 1, 1, 0.3)
            ctx.rectangle(-12, 1, 26, 1.5)
            ctx.fill()
            ctx.restore()
    cairo_on(img, swans)
    # meadow foreground: rolling bank with grass texture
    bank = ridge(W, rng, lake_bot, 18 * ss, 200 * ss, 4)
    gm = np.clip(yy - bank[None, :], 0, ss) / ss
    gt = G.aniso_fbm(W, H, 6 * ss, 30 * ss, rng, 3)
    gb = G.fbm(W, H, 60 * ss, rng, 4)
    t = np.clip(0.5 + gt * 0.35 + gb * 0.35 + (yy - lake_bot) / H * 0.3, 0, 1)
    grass = G.ramp(t, [(0, HX("#4e7f2a")), (0.5, HX("#79a83a")), (0.8, HX("#a8c64a")), (1, HX("#c8d870"))])
    G.over(img, G.colorize(gm, grass))
    # path winding down to the water
    def path(ctx):
        ctx.set_source_rgba(*HX("#d8b878"), 0.95)
        ctx.move_to(W * 0.40, H)
        ctx.curve_to(W * 0.46, H * 0.93, W * 0.36, H * 0.87, W * 0.42, bank[int(W * 0.42)] + 2 * ss)
        ctx.line_to(W * 0.45, bank[int(W * 0.45)] + 2 * ss)
        ctx.curve_to(W * 0.42, H * 0.87, W * 0.56, H * 0.93, W * 0.56, H)
        ctx.close_path()
        ctx.fill()
    cairo_on(img, path)
    # flowers: many small blossoms, denser and larger towards the front
    def flowers(ctx):
        cols = ["#ffffff", "#ffd83a", "#ff6a8a", "#c86aff", "#ff8a3a", "#6ab0ff", "#ff4a4a"]
        for _ in range(2600):
            fx = rng.uniform(0, W)
            fy = rng.uniform(bank[int(min(W - 1, fx))] + 4 * ss, H)
            if abs(fx - W * 0.48) < W * 0.06 and fy > H * 0.9:
                continue
            depth = (fy - lake_bot) / (H - lake_bot)
            r = (1.2 + 3.8 * depth * rng.uniform(0.6, 1.2)) * ss
            col = HX(cols[rng.integers(0, len(cols))])
            ctx.set_source_rgba(0.25, 0.45, 0.15, 0.7)
            ctx.rectangle(fx - 0.4 * ss, fy, 0.8 * ss, r * 2)
            ctx.fill()
            ctx.set_source_rgb(*col)
            for p in range(5):
                a = p * 2 * math.pi / 5 + fx
                ctx.arc(fx + math.cos(a) * r * 0.6, fy + math.sin(a) * r * 0.6, r * 0.55, 0, 6.3)
                ctx.fill()
            ctx.set_source_rgb(*HX("#f0a020"))
            ctx.arc(fx, fy, r * 0.35, 0, 6.3)
            ctx.fill()
    cairo_on(img, flowers)
    # two big trees framing the view
    def big_tree(ctx, bx, by, s, flip):
        ctx.set_source_rgb(*HX("#5a3a22"))
        ctx.move_to(bx - 10 * s, by)
        ctx.curve_to(bx - 6 * s, by - 60 * s, bx - 4 * s, by - 100 * s, bx - 2 * s, by - 150 * s)
        ctx.line_to(bx + 6 * s, by - 150 * s)
        ctx.curve_to(bx + 6 * s, by - 100 * s, bx + 8 * s, by - 60 * s, bx + 14 * s, by)
        ctx.close_path()
        ctx.fill()
        for k in range(420):
            a = rng.uniform(0, 2 * math.pi)
            rr = math.sqrt(rng.uniform(0, 1)) * 72 * s
            cx, cy = bx + math.cos(a) * rr * 1.1, by - 170 * s + math.sin(a) * rr * 0.8
            # clumps towards the sun (upper right) are lighter, inner ones darker
            side = (math.cos(a) * 0.5 - math.sin(a) * 0.6) * rr / (72 * s)
            shade = 0.55 + 0.35 * (k / 420) + 0.35 * side
            g = HX(["#3b6b2a", "#4f8a32", "#2f5a24", "#65a03a"][k % 4])
            r = rng.uniform(6, 13) * s
            pat = cairo.RadialGradient(cx - r * 0.3, cy - r * 0.4, r * 0.1, cx, cy, r)
            hi = tuple(min(1, c * shade * 1.35) for c in g)
            lo = tuple(min(1, c * shade * 0.75) for c in g)
            pat.add_color_stop_rgb(0, *hi)
            pat.add_color_stop_rgb(1, *lo)
            ctx.set_source(pat)
            ctx.arc(cx, cy, r, 0, 6.3)
            ctx.fill()
    cairo_on(img, lambda c: (big_tree(c, W * 0.06, H * 1.02, 1.6 * ss, False),
                             big_tree(c, W * 0.96, H * 1.0, 1.4 * ss, True)))
    # butterflies
    def butterflies(ctx):
        for _ in range(7):
            bx, by = rng.uniform(W * 0.15, W * 0.85), rng.uniform(H * 0.82, H * 0.97)
            s = rng.uniform(3, 5) * ss
            col = HX(["#ffcf3a", "#ff7a3a", "#7ab8ff", "#ffffff"][rng.integers(0, 4)])
            ctx.set_source_rgb(*col)
            for sx in (-1, 1):
                ctx.arc(bx + sx * s, by - s * 0.5, s, 0, 6.3)
                ctx.fill()
                ctx.arc(bx + sx * s * 0.7, by + s * 0.6, s * 0.6, 0, 6.3)
                ctx.fill()
            ctx.set_source_rgb(0.2, 0.1, 0.05)
            ctx.rectangle(bx - 0.5 * ss, by - s, 1 * ss, 2 * s)
            ctx.fill()
    cairo_on(img, butterflies)
    img = G.downsample(img, ss)
    # soft warm grade
    img[..., :3] = np.clip(img[..., :3] * np.array([1.03, 1.0, 0.96]) + 0.01, 0, 1)
    return img


if __name__ == "__main__":
    G.save_jpeg(render(), "gfx/puzzle/obr1.jpg", quality=92)
