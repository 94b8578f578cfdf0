"""Full-screen backgrounds: the main menu (title art), the picture chooser,
the play table with its bar, and the more-games screen."""
import math

import numpy as np

import gfxlib as G
import theme as T
import pages

W, H = 800, 600


def dusk(w, h, seed, horizon=0.78):
    """Warm twilight backdrop: plum sky into a rosy-gold glow, soft clouds,
    bokeh lights and layered hills along the bottom."""
    rng = np.random.default_rng(seed)
    sky = G.vgradient(h, w, [(0.0, G.hexrgb("#24102c")), (0.30, G.hexrgb("#4a1d45")),
                             (0.55, G.hexrgb("#8e3a56")), (0.72, G.hexrgb("#d9765a")),
                             (0.82, G.hexrgb("#f4b069")), (1.0, G.hexrgb("#ffd98f"))]).copy()
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    # glow of the sun low behind the middle
    sun = np.exp(-(((xx - w * 0.5) / (w * 0.35)) ** 2 + ((yy - h * horizon) / (h * 0.32)) ** 2))
    sky += sun[..., None] * np.array([0.35, 0.22, 0.10], np.float32)
    # soft bands of cloud
    n = G.fbm(w, h, 160, rng, 5)
    band = np.clip((n + 0.1) * 1.6, 0, 1) * np.exp(-((yy / h - 0.5) / 0.28) ** 2)
    cloud = G.ramp(yy / h, [(0, G.hexrgb("#6a2f5e")), (0.5, G.hexrgb("#d98a86")), (0.8, G.hexrgb("#ffcf9a"))])
    sky = sky * (1 - band[..., None] * 0.35) + cloud * band[..., None] * 0.35
    img = G.from_rgb(np.clip(sky, 0, 1))
    # stars in the upper sky
    for _ in range(140):
        x, y = rng.uniform(0, w), rng.uniform(0, h * 0.45)
        b = rng.uniform(0.2, 0.8) * (1 - y / (h * 0.45))
        r = rng.uniform(0.5, 1.3)
        st = np.exp(-(((xx - x) ** 2 + (yy - y) ** 2) / (r * r)))
        G.over(img, G.colorize(np.clip(st * b, 0, 1), (1, 0.95, 0.85)))
    # bokeh
    bok = np.zeros((h, w), np.float32)
    bcol = np.zeros((h, w, 3), np.float32)
    pal = [G.hexrgb("#ffd27a"), G.hexrgb("#ff9a7a"), G.hexrgb("#f5a0c8"), G.hexrgb("#ffe9b5")]
    for _ in range(46):
        x, y = rng.uniform(0, w), rng.uniform(h * 0.05, h * 0.95)
        r = rng.uniform(6, 26)
        d = np.sqrt((xx - x) ** 2 + (yy - y) ** 2)
        disc = np.clip((r - d) / 1.8, 0, 1) * (0.5 + 0.5 * np.clip(d / r, 0, 1) ** 2)
        a = disc * rng.uniform(0.05, 0.16)
        bok += a
        bcol += a[..., None] * np.array(pal[rng.integers(0, 4)], np.float32)
    img[..., :3] = np.clip(img[..., :3] + bcol * 1.3, 0, 1)
    # hills
    x = np.arange(w, dtype=np.float32)
    layers = [(0.74, 38, G.hexrgb("#8e4a66"), 0.55), (0.80, 30, G.hexrgb("#6a3050"), 0.75),
              (0.88, 26, G.hexrgb("#4a1f3c"), 0.9), (0.95, 18, G.hexrgb("#31142a"), 1.0)]
    for base, amp, col, op in layers:
        prof = np.zeros(w, np.float32)
        for k in range(1, 6):
            prof += np.sin(x / w * math.pi * (k * 1.3 + rng.uniform(0, 1)) + rng.uniform(0, 6.28)) / k
        top = h * base - amp * prof
        m = np.clip(yy - top[None, :], 0, 1.5) / 1.5
        shade = G.vgradient(h, w, [(0, T.brighten(col, 0.25)), (1, col)])
        G.over(img, G.colorize(m, shade, op))
    return img


def floating_pieces(img, rng, boxes, avoid, count, size_rng=(40, 90), alpha=(0.35, 0.75)):
    """Scatter decorative jigsaw pieces inside `boxes`, keeping clear of the
    `avoid` rectangles."""
    cols = [(T.CORAL_LIGHT, T.CORAL_DARK), (T.GOLD_LIGHT, G.hexrgb("#d9952f")),
            (G.hexrgb("#f5a0c8"), T.BERRY), (G.hexrgb("#a5dc6a"), T.LEAF_DARK),
            (G.hexrgb("#8fd3cf"), T.TEAL)]
    placed = 0
    tries = 0
    while placed < count and tries < 2000:
        tries += 1
        bx0, by0, bx1, by1 = boxes[rng.integers(0, len(boxes))]
        s = int(rng.uniform(*size_rng))
        x = int(rng.uniform(bx0, max(bx0 + 1, bx1 - s)))
        y = int(rng.uniform(by0, max(by0 + 1, by1 - s)))
        if any(x < ax1 and x + s > ax0 and y < ay1 and y + s > ay0 for ax0, ay0, ax1, ay1 in avoid):
            continue
        tabs = tuple(int(v) for v in rng.choice([-1, 1, 1, 0], 4))
        p = T.jigsaw_piece(s, tabs, cols[rng.integers(0, len(cols))], angle=rng.uniform(-0.6, 0.6))
        G.over(img, p, x, y, opacity=rng.uniform(*alpha))
        avoid = avoid + [(x + s * 0.2, y + s * 0.2, x + s * 0.8, y + s * 0.8)]
        placed += 1


def title_art(img, cx, cy):
    """'Orvela' in big honey-gold letters over a coral ribbon reading
    'Puzzle Game'."""
    # ribbon
    rw, rh = 330, 46
    ry = cy + 58

    def ribbon(ctx):
        x0 = cx - rw / 2
        ctx.move_to(x0 - 26, ry + 6)
        ctx.line_to(x0 + 8, ry + 6)
        ctx.line_to(x0 + 8, ry + rh + 6)
        ctx.line_to(x0 - 26, ry + rh + 6)
        ctx.line_to(x0 - 12, ry + rh / 2 + 6)
        ctx.close_path()
        x1 = cx + rw / 2
        ctx.move_to(x1 + 26, ry + 6)
        ctx.line_to(x1 - 8, ry + 6)
        ctx.line_to(x1 - 8, ry + rh + 6)
        ctx.line_to(x1 + 26, ry + rh + 6)
        ctx.line_to(x1 + 12, ry + rh / 2 + 6)
        ctx.close_path()
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
    tails = G.cairo_mask(W, H, ribbon, 4)
    G.over(img, G.colorize(G.blur_transparent(np.roll(tails, 3, 0), 3), (0, 0, 0), 0.4))
    G.over(img, G.colorize(tails, T.CORAL_DARK))

    def band(ctx):
        G.rounded_rect(ctx, cx - rw / 2, ry, rw, rh, 8)
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
    bm = G.cairo_mask(W, H, band, 4)
    G.over(img, G.colorize(G.blur_transparent(np.roll(bm, 4, 0), 4), (0, 0, 0), 0.45))
    G.over(img, G.colorize(bm, G.vgradient(H, W, [(0, T.CORAL_LIGHT), ((ry + rh) / H, T.CORAL_DARK), (1, T.CORAL_DARK)])))
    G.over(img, G.colorize(G.rrect_mask(W, H, cx - rw / 2 + 6, ry + 4, rw - 12, 2, 1), T.GOLD_LIGHT, 0.8))
    G.over(img, G.colorize(G.rrect_mask(W, H, cx - rw / 2 + 6, ry + rh - 6, rw - 12, 2, 1), T.GOLD_LIGHT, 0.8))
    G.label(img, "Puzzle Game", 28, cx, ry + rh / 2 - 1, T.CREAM, anchor="mm", ss=4,
            shadow=(0, 2, 1.5, 0.6))
    # main word
    G.label(img, "Orvela", 92, cx, cy - 8, T.GOLD, anchor="mm", ss=4,
            glow=((1.0, 0.8, 0.45), 14, 0.55), shadow=(0, 6, 5, 0.55),
            outline=T.BROWN_DARK, outline_w=5,
            gradient=((1, 0.97, 0.8), (0.93, 0.6, 0.18), cy - 50, cy + 34))
    # shine dots on the letters
    for sx, sy in ((cx - 118, cy - 40), (cx + 140, cy - 36)):
        sp = G.blank(W, H)
        yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
        a = np.exp(-(((xx - sx) / 2.5) ** 2 + ((yy - sy) / 2.5) ** 2)) + \
            np.exp(-(((xx - sx) / 14) ** 2 + ((yy - sy) / 1.2) ** 2)) * 0.8 + \
            np.exp(-(((xx - sx) / 1.2) ** 2 + ((yy - sy) / 14) ** 2)) * 0.8
        G.over(img, G.colorize(np.clip(a, 0, 1), (1, 1, 0.95)))


def calm_panel(img, x, y, w, h):
    m = G.rrect_mask(W, H, x, y, w, h, 26)
    G.over(img, G.colorize(G.blur_transparent(m, 8), (0.1, 0.02, 0.08), 0.35))
    G.over(img, G.colorize(m, T.PLUM_DEEP, 0.45))
    edge = m - G.rrect_mask(W, H, x + 1.5, y + 1.5, w - 3, h - 3, 24.5)
    G.over(img, G.colorize(np.clip(edge, 0, 1), T.GOLD, 0.45))


def menu_screen():
    rng = np.random.default_rng(101)
    img = dusk(W, H, 7)
    floating_pieces(img, rng, [(10, 250, 270, 590), (530, 250, 790, 590), (10, 10, 190, 240), (610, 10, 790, 240)],
                    [(290, 300, 510, 535)], 13)
    calm_panel(img, 300, 308, 200, 218)
    title_art(img, 400, 128)
    return img


def chooser_screen():
    rng = np.random.default_rng(202)
    img = dusk(W, H, 9, horizon=0.9)
    floating_pieces(img, rng, [(0, 0, 800, 600)],
                    [(60, 90, 360, 370), (440, 90, 740, 370), (60, 300, 360, 590), (440, 300, 740, 590),
                     (190, 0, 610, 100), (330, 520, 470, 590)], 10, (34, 70), (0.25, 0.5))
    G.label(img, "Choose a picture", 38, 400, 52, T.GOLD, anchor="mm", ss=4,
            glow=((1.0, 0.8, 0.45), 8, 0.4), shadow=(0, 3, 3, 0.55), outline=T.BROWN_DARK, outline_w=3,
            gradient=((1, 0.97, 0.8), (0.93, 0.62, 0.2), 30, 74))
    G.label(img, "each picture has its own cut: 12, 30, 48 or 80 pieces", 14, 400, 88, T.CREAM, anchor="mm",
            shadow=(0, 1, 1, 0.7))
    for cx, cy in ((210, 210), (590, 210), (210, 420), (590, 420)):
        # a thin gold mat around each thumbnail place, with a soft glow
        fw, fh = 256 + 8, 192 + 8
        x0, y0 = cx - fw / 2, cy - fh / 2
        m = G.rrect_mask(W, H, x0, y0, fw, fh, 6)
        G.over(img, G.colorize(np.clip(G.blur_transparent(m, 7) * 1.1, 0, 1), T.GOLD, 0.35))
        G.over(img, G.colorize(m, G.vgradient(H, W, [(y0 / H, T.GOLD_LIGHT), ((y0 + fh) / H, T.GOLD_DARK)])))
        inner = G.rrect_mask(W, H, x0 + 3, y0 + 3, fw - 6, fh - 6, 4)
        G.over(img, G.colorize(inner, T.PLUM_DEEP))
    return img


def game_table():
    rng = np.random.default_rng(303)
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    # warm wooden table: planks of long grain running along x
    plank = 120
    py = np.maximum(0, (yy - 31) // plank).astype(int)
    wood_t = np.zeros((H, W), np.float32)
    for k in range(6):
        g1 = G.aniso_fbm(W, H, 420, 26, rng, 5)          # broad light and dark streaks
        g2 = G.aniso_fbm(W, H, 160, 3.0, rng, 3)         # fine grain lines
        warp = G.aniso_fbm(W, H, 260, 60, rng, 3) * 18
        rings = np.sin((yy + warp + g1 * 14) * 0.32) * 0.5 + 0.5
        t = 0.5 + 0.22 * g1 + 0.16 * g2 + 0.10 * rings
        wood_t += (py == k) * t
    t = np.clip(wood_t, 0, 1)
    wood = G.ramp(t, [(0, G.hexrgb("#4e2615")), (0.45, G.hexrgb("#86492a")), (0.7, G.hexrgb("#a8643a")),
                      (1, G.hexrgb("#c9894e"))])
    # seams between planks
    seam = np.exp(-(((yy - 31) % plank) / 1.2) ** 2) + np.exp(-(((yy - 31) % plank - plank) / 1.2) ** 2)
    wood *= (1 - 0.35 * seam)[..., None]
    # vignette and a soft lamp light in the middle
    vig = np.exp(-(((xx - 400) / 520) ** 2 + ((yy - 320) / 420) ** 2))
    wood = wood * (0.62 + 0.5 * vig[..., None])
    img = G.from_rgb(np.clip(wood, 0, 1))
    # the bar
    bar = G.vgradient(31, W, [(0, G.hexrgb("#fff0cc")), (0.5, G.hexrgb("#f4d597")), (1, G.hexrgb("#e0b26a"))]).copy()
    bn = G.fbm(W, 31, 20, rng, 3)
    bar *= (1 + 0.03 * bn[..., None])
    img[:31, :, :3] = np.clip(bar, 0, 1)
    img[30, :, :3] = G.hexrgb("#9a6428")
    img[0, :, :3] = np.clip(img[0, :, :3] + 0.05, 0, 1)
    # shadow of the bar on the table
    sh = np.exp(-((yy - 31) / 5.0)) * (yy >= 31)
    img[..., :3] *= (1 - 0.45 * sh)[..., None]
    # a recessed slot for the clock at the right end
    slot = G.rrect_mask(W, H, 684, 3, 84, 25, 10)
    G.over(img, G.colorize(slot, G.hexrgb("#fff8e6"), 0.85))
    ring = slot - G.rrect_mask(W, H, 685, 4.2, 82, 23, 9)
    G.over(img, G.colorize(np.clip(ring, 0, 1), G.hexrgb("#b07a36"), 0.9))
    # small dial icon beside the slot
    def dial(ctx):
        ctx.arc(780, 15.5, 7, 0, 2 * math.pi)
        ctx.set_source_rgb(1, 1, 1)
        ctx.set_line_width(1.8)
        ctx.stroke()
        ctx.move_to(780, 15.5)
        ctx.line_to(780, 11)
        ctx.move_to(780, 15.5)
        ctx.line_to(783, 17)
        ctx.stroke()
    G.over(img, G.colorize(G.cairo_mask(W, H, dial, 4), G.hexrgb("#8a5424")))
    return img


def more_games_screen():
    rng = np.random.default_rng(404)
    img = dusk(W, H, 13, horizon=0.95)
    frames = [(0, 266), (273, 530), (536, 800)]
    for (x0, x1), page in zip(frames, pages.PAGES):
        card = pages.card_image(page, x1 - x0, 537)
        G.over(img, card, x0, 0)
    # bottom strip
    G.over(img, G.colorize(G.rrect_mask(W, H, -20, 540, 840, 80, 18), T.PLUM_DEEP, 0.55))
    G.label(img, "Orvela Puzzle Game: help and licences", 13, 548, 570, T.CREAM, anchor="mm",
            shadow=(0, 1, 1, 0.7))
    del rng
    return img


def build(manifest):
    for fn, rel in ((menu_screen, "gfx/menu-screen.jpg"), (chooser_screen, "gfx/menu-screen2c.jpg"),
                    (game_table, "gfx/game.jpg"), (more_games_screen, "gfx/moreGames.jpg")):
        img = fn()
        G.save_jpeg(img, rel, quality=90)
        manifest.append((rel, W, H, 1))


if __name__ == "__main__":
    import sys
    m = []
    want = sys.argv[1:]
    for fn, rel in ((menu_screen, "gfx/menu-screen.jpg"), (chooser_screen, "gfx/menu-screen2c.jpg"),
                    (game_table, "gfx/game.jpg"), (more_games_screen, "gfx/moreGames.jpg")):
        if want and fn.__name__ not in want:
            continue
        G.save_jpeg(fn(), rel, quality=90)
        print(rel)
