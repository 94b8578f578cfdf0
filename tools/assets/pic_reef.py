"""Puzzle picture: a tropical coral reef - sun rays through clear water,
schools of striped fish, branching and brain corals, sea fans, anemones,
swaying weed, starfish and shells on rippled sand, and rising bubbles."""
import math

import cairo
import numpy as np

import gfxlib as G

HX = G.hexrgb
FISH = [("#ffb020", "#ffffff"), ("#ff6a3a", "#ffffff"), ("#3aa0ff", "#ffe040"), ("#ffe040", "#2a2a60"),
        ("#ff4a8a", "#ffd0e0"), ("#40d0a0", "#1a5a6a"), ("#a070ff", "#ffe0a0"), ("#ff8a20", "#202020")]


def shade(c, k):
    return tuple(min(1.0, max(0.0, v * k)) for v in c)


def fish(ctx, x, y, L, col, stripe, flip, rng):
    ctx.save()
    ctx.translate(x, y)
    if flip:
        ctx.scale(-1, 1)
    body = HX(col)
    st = HX(stripe)
    hgt = L * rng.uniform(0.38, 0.55)
    # tail
    ctx.set_source_rgb(*shade(body, 0.85))
    ctx.move_to(-L * 0.42, 0)
    ctx.line_to(-L * 0.72, -hgt * 0.55)
    ctx.curve_to(-L * 0.62, 0, -L * 0.62, 0, -L * 0.72, hgt * 0.55)
    ctx.close_path()
    ctx.fill()
    # fins
    ctx.move_to(-L * 0.1, -hgt * 0.45)
    ctx.curve_to(-L * 0.05, -hgt * 0.9, L * 0.1, -hgt * 0.75, L * 0.15, -hgt * 0.42)
    ctx.fill()
    # body with a soft top light
    pat = cairo.LinearGradient(0, -hgt / 2, 0, hgt / 2)
    pat.add_color_stop_rgb(0, *shade(body, 1.15))
    pat.add_color_stop_rgb(0.6, *body)
    pat.add_color_stop_rgb(1, *shade(body, 0.7))
    ctx.set_source(pat)
    ctx.save()
    ctx.scale(L / 2, hgt / 2)
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.restore()
    ctx.fill_preserve()
    ctx.save()
    ctx.clip()
    ctx.set_source_rgb(*st)
    for k in range(rng.integers(1, 4)):
        sx = -L * 0.2 + k * L * 0.22
        ctx.rectangle(sx, -hgt, L * 0.07, hgt * 2)
    ctx.fill()
    ctx.restore()
    ctx.new_path()
    # eye
    ctx.set_source_rgb(1, 1, 1)
    ctx.arc(L * 0.28, -hgt * 0.08, L * 0.07, 0, 6.3)
    ctx.fill()
    ctx.set_source_rgb(0.05, 0.05, 0.1)
    ctx.arc(L * 0.3, -hgt * 0.08, L * 0.04, 0, 6.3)
    ctx.fill()
    ctx.restore()


def branch_coral(ctx, rng, x, y, size, col, depth=0, ang=-math.pi / 2):
    if depth > 5 or size < 3:
        ctx.set_source_rgb(*shade(col, 1.25))
        ctx.arc(x, y, max(2.0, size * 0.5), 0, 6.3)
        ctx.fill()
        return
    L = size * rng.uniform(2.2, 3.2)
    x2, y2 = x + math.cos(ang) * L, y + math.sin(ang) * L
    ctx.set_source_rgb(*shade(col, 0.8 + 0.08 * depth))
    ctx.set_line_width(size)
    ctx.set_line_cap(1)
    ctx.move_to(x, y)
    ctx.curve_to(x + math.cos(ang) * L * 0.5 + rng.uniform(-1, 1) * size, y + math.sin(ang) * L * 0.5,
                 x2, y2 + size, x2, y2)
    ctx.stroke()
    n = 2 if rng.uniform() < 0.8 else 3
    for k in range(n):
        a2 = ang + (k - (n - 1) / 2) * rng.uniform(0.35, 0.7) + rng.uniform(-0.15, 0.15)
        branch_coral(ctx, rng, x2, y2, size * rng.uniform(0.68, 0.8), col, depth + 1, a2)


def sea_fan(ctx, rng, x, y, r, col):
    ctx.set_source_rgba(*col, 0.9)
    ctx.set_line_width(1.4)
    for k in range(46):
        a = -math.pi / 2 + (k / 45 - 0.5) * 2.2
        px, py = x, y
        L = r * rng.uniform(0.6, 1.0)
        ctx.move_to(px, py)
        for j in range(1, 7):
            t = j / 6
            px = x + math.cos(a + math.sin(j + k) * 0.08) * L * t
            py = y + math.sin(a) * L * t
            ctx.line_to(px, py)
        ctx.stroke()
    ctx.set_line_width(0.8)
    for j in range(1, 8):
        ctx.arc(x, y, r * j / 8, math.pi * 1.1, math.pi * 1.9)
        ctx.stroke()


def anemone(ctx, rng, x, y, r, col):
    for k in range(40):
        a = -math.pi + k / 39 * math.pi
        L = r * rng.uniform(0.7, 1.1)
        ex, ey = x + math.cos(a) * L, y + math.sin(a) * L * 1.2
        ctx.set_source_rgb(*shade(col, rng.uniform(0.8, 1.2)))
        ctx.set_line_width(r * 0.12)
        ctx.set_line_cap(1)
        ctx.move_to(x + math.cos(a) * r * 0.2, y)
        ctx.curve_to(x + math.cos(a) * L * 0.5, y + math.sin(a) * L * 0.5 - r * 0.2,
                     ex - math.cos(a) * r * 0.2 + r * 0.15, ey, ex, ey)
        ctx.stroke()
        ctx.set_source_rgb(*shade(col, 1.4))
        ctx.arc(ex, ey, r * 0.07, 0, 6.3)
        ctx.fill()


def render(w=640, h=480, ss=2):
    W, H = w * ss, h * ss
    s = float(ss)
    rng = np.random.default_rng(3303)
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    water = G.vgradient(H, W, [(0, HX("#7fe0ee")), (0.25, HX("#2ab0c8")), (0.6, HX("#1680a8")),
                               (1, HX("#0e5a80"))]).copy()
    # surface shimmer at the top
    sn = G.aniso_fbm(W, H, 60 * ss, 14 * ss, rng, 4)
    top = np.clip(1 - yy / (H * 0.12), 0, 1)
    water += (np.clip(sn, 0, 1) * top * 0.35)[..., None]
    # god rays
    ang = (xx - W * 0.35) / (yy + H * 0.3)
    rays = G.aniso_noise(W, 1, 25 * ss, 1, rng)[0]
    rk = np.interp(ang * 400 * s + W / 2, np.arange(W), rays)
    rays2 = np.clip(rk, 0, 1) * np.clip(1 - yy / (H * 0.85), 0, 1)
    water += rays2[..., None] * 0.22
    # caustic net
    cn = G.fbm(W, H, 22 * ss, rng, 3)
    caust = np.clip(1 - np.abs(cn) * 8, 0, 1) ** 3 * 0.12 * np.clip(1 - yy / H, 0.3, 1)
    water += caust[..., None]
    img = G.from_rgb(np.clip(water, 0, 1))
    # far reef silhouettes
    x = np.arange(W, dtype=np.float32)
    for base, amp, col in ((0.58, 40, "#2a8aa8"), (0.66, 50, "#237a98")):
        prof = H * base - amp * s * (np.sin(x / W * 7 + rng.uniform(0, 6)) * 0.5 +
                                     np.sin(x / W * 17 + rng.uniform(0, 6)) * 0.3 +
                                     G.aniso_noise(W, 1, 30 * ss, 1, rng)[0] * 0.5)
        m = np.clip(yy - prof[None, :], 0, s) / s
        t = G.fbm(W, H, 14 * ss, rng, 4)
        G.over(img, G.colorize(m, np.clip(np.asarray(HX(col))[None, None, :] * (1 + 0.25 * t[..., None]), 0, 1)))
    # sand
    sand_top = H * 0.84 - 20 * s * np.sin(x / W * 5 + 1)
    sm = np.clip(yy - sand_top[None, :], 0, s) / s
    rip = np.sin(xx / (9 * s) + G.fbm(W, H, 50 * ss, rng, 3) * 6) * 0.5 + 0.5
    sc = G.ramp(rip * 0.5 + 0.3 + G.fbm(W, H, 6 * ss, rng, 3) * 0.2,
                [(0, HX("#b89a6a")), (0.5, HX("#e0c890")), (1, HX("#f4e2b0"))])
    G.over(img, G.colorize(sm, sc))
    corals = ["#ff6a5a", "#ff9a3a", "#f74a8a", "#ffd04a", "#c060e0", "#ff7ab0", "#ffb070", "#e84a3a"]

    def reef(ctx):
        # brain corals and rocks
        for k in range(16):
            bx = rng.uniform(0, W)
            by = H * rng.uniform(0.7, 0.95)
            r = rng.uniform(30, 60) * s
            col = HX(["#c8a050", "#d88a5a", "#a8b860", "#d0a0c0"][k % 4])
            pat = cairo.RadialGradient(bx - r * 0.3, by - r * 0.5, r * 0.1, bx, by, r)
            pat.add_color_stop_rgb(0, *shade(col, 1.3))
            pat.add_color_stop_rgb(1, *shade(col, 0.6))
            ctx.set_source(pat)
            ctx.save()
            ctx.translate(bx, by)
            ctx.scale(1, 0.7)
            ctx.arc(0, 0, r, math.pi, 2 * math.pi)
            ctx.restore()
            ctx.close_path()
            ctx.fill()
            ctx.set_source_rgba(*shade(col, 0.5), 0.6)
            ctx.set_line_width(1.3 * s)
            for j in range(14):
                a = rng.uniform(math.pi, 2 * math.pi)
                rr = rng.uniform(0.2, 0.9) * r
                ctx.arc(bx + math.cos(a) * rr * 0.5, by + math.sin(a) * rr * 0.5, rr * 0.35,
                        rng.uniform(0, 3), rng.uniform(3, 6))
                ctx.stroke()
        for k in range(10):
            sea_fan(ctx, rng, rng.uniform(0, W), H * rng.uniform(0.62, 0.8), rng.uniform(60, 110) * s,
                    HX(["#c060e0", "#f7608a", "#ffa040"][k % 3]))
        # weed
        for k in range(30):
            wx = rng.uniform(0, W)
            wy = H * rng.uniform(0.8, 1.0)
            L = rng.uniform(80, 200) * s
            ctx.set_source_rgb(*shade(HX("#3a9a4a"), rng.uniform(0.7, 1.2)))
            ctx.set_line_width(rng.uniform(4, 8) * s)
            ctx.set_line_cap(1)
            ctx.move_to(wx, wy)
            ph = rng.uniform(0, 6)
            for j in range(1, 11):
                t = j / 10
                ctx.line_to(wx + math.sin(t * 5 + ph) * 12 * s, wy - L * t)
            ctx.stroke()
        for k in range(22):
            col = HX(corals[k % len(corals)])
            branch_coral(ctx, rng, rng.uniform(0, W), H * rng.uniform(0.78, 1.02), rng.uniform(7, 13) * s, col,
                         0, -math.pi / 2 + rng.uniform(-0.3, 0.3))
        for k in range(9):
            anemone(ctx, rng, rng.uniform(0, W), H * rng.uniform(0.86, 1.0), rng.uniform(22, 36) * s,
                    HX(["#ff8ab0", "#ffd070", "#a0e070", "#ff7a50"][k % 4]))
        # starfish and shells
        for k in range(8):
            sx, sy = rng.uniform(0, W), H * rng.uniform(0.9, 0.99)
            r = rng.uniform(10, 16) * s
            ctx.set_source_rgb(*HX(["#ff7a3a", "#ff4a6a", "#ffc040"][k % 3]))
            a0 = rng.uniform(0, 1)
            ctx.move_to(sx + math.cos(a0) * r, sy + math.sin(a0) * r)
            for j in range(1, 11):
                rr = r if j % 2 == 0 else r * 0.42
                a = a0 + j * math.pi / 5
                ctx.line_to(sx + math.cos(a) * rr, sy + math.sin(a) * rr)
            ctx.close_path()
            ctx.fill()
        # little clown fish hiding in the anemones
    G.over(img, G.cairo_layer(W, H, reef, 1))

    def swimmers(ctx):
        # schools of small fish
        for sch in range(6):
            cx, cy = rng.uniform(0, W), H * rng.uniform(0.12, 0.6)
            col, st = FISH[sch % len(FISH)]
            flip = rng.uniform() < 0.5
            for k in range(rng.integers(10, 18)):
                fish(ctx, cx + rng.normal(0, 60) * s, cy + rng.normal(0, 22) * s, rng.uniform(14, 22) * s,
                     col, st, flip, rng)
        # big single fish
        for k in range(12):
            col, st = FISH[rng.integers(0, len(FISH))]
            fish(ctx, rng.uniform(0, W), H * rng.uniform(0.15, 0.85), rng.uniform(40, 80) * s, col, st,
                 rng.uniform() < 0.5, rng)
        # a sea turtle
        tx, ty, ts = W * 0.7, H * 0.28, 1.3 * s
        ctx.save()
        ctx.translate(tx, ty)
        ctx.scale(ts, ts)
        ctx.set_source_rgb(*HX("#8ab05a"))
        for fx, fy, a in ((-30, -22, -0.6), (30, -22, 0.6), (-26, 24, 0.5), (26, 24, -0.5)):
            ctx.save()
            ctx.translate(fx, fy)
            ctx.rotate(a)
            ctx.scale(1.8, 0.6)
            ctx.arc(0, 0, 14, 0, 6.3)
            ctx.restore()
            ctx.fill()
        ctx.arc(0, -44, 12, 0, 6.3)
        ctx.fill()
        pat = cairo.RadialGradient(-10, -10, 4, 0, 0, 42)
        pat.add_color_stop_rgb(0, *HX("#c89a4a"))
        pat.add_color_stop_rgb(1, *HX("#6a4a20"))
        ctx.set_source(pat)
        ctx.save()
        ctx.scale(1, 1.2)
        ctx.arc(0, 0, 34, 0, 6.3)
        ctx.restore()
        ctx.fill()
        ctx.set_source_rgba(0.3, 0.2, 0.05, 0.8)
        ctx.set_line_width(2)
        for j in range(6):
            a = j * math.pi / 3
            ctx.move_to(0, 0)
            ctx.line_to(math.cos(a) * 30, math.sin(a) * 36)
        ctx.stroke()
        ctx.arc(0, 0, 14, 0, 6.3)
        ctx.stroke()
        ctx.set_source_rgb(0, 0, 0)
        ctx.arc(-5, -50, 2, 0, 6.3)
        ctx.arc(5, -50, 2, 0, 6.3)
        ctx.fill()
        ctx.restore()
        # bubbles
        for k in range(160):
            bx, by = rng.uniform(0, W), rng.uniform(0, H * 0.9)
            r = rng.uniform(1.5, 6) * s
            ctx.set_source_rgba(1, 1, 1, 0.55)
            ctx.set_line_width(0.8 * s)
            ctx.arc(bx, by, r, 0, 6.3)
            ctx.stroke()
            ctx.set_source_rgba(1, 1, 1, 0.7)
            ctx.arc(bx - r * 0.35, by - r * 0.35, r * 0.25, 0, 6.3)
            ctx.fill()
    G.over(img, G.cairo_layer(W, H, swimmers, 1))
    img = G.downsample(img, ss)
    return img


if __name__ == "__main__":
    G.save_jpeg(render(), "gfx/puzzle/obr3.jpg", quality=92)
