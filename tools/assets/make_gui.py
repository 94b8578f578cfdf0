"""Interface images: menu buttons and their slide-in highlights, dialog
buttons, the settings controls, windows, the play-bar buttons, cursor,
sparks, waiting clock, icon and the more-games overlays."""
import math

import numpy as np

import gfxlib as G
import theme as T

MENU = [("p_play", "Play"), ("p_options", "Options"), ("p_credits", "Credits"),
        ("p_more", "More games"), ("p_quit", "Quit")]

# bar buttons: file, label, widest allowed width (they zoom by 1.14 about
# their centre and must not touch their neighbours at x 10, 130, 230, 330,
# 440, 575; the last must end before x 690)
BAR = [("b_main_menu", "Main menu", 100), ("b_get_hint", "Get hint", 84),
       ("b_sort_up", "Sort up", 82), ("b_clean_up", "Clean up", 88),
       ("b_ghost_image", "Ghost image", 112), ("b_options", "Options", 96)]
BAR_X = [10, 130, 230, 330, 440, 575]

T.SCHEMES["bar"] = (G.hexrgb("#8a4a33"), G.hexrgb("#4b2214"), T.GOLD, T.CREAM, T.BROWN_DARK)


def two_frame(w, h, text, size, scheme):
    return T.strip([T.button(w, h, text, size, scheme, False),
                    T.button(w, h, text, size, scheme, True)])


def highlight(w, h, text, size):
    """The luminous copy of a menu button that slides in before the real
    button appears: a white-gold glowing pill with the label."""
    layer = G.blank(w, h)
    m = G.rrect_mask(w, h, 1, 1, w - 2, h - 4, (h - 4) / 2)
    G.over(layer, G.colorize(np.clip(G.blur_transparent(m, 2.0) * 1.3, 0, 1), T.GOLD_LIGHT, 0.9))
    G.over(layer, T.pill(w, h, "gold", True, shadow=False))
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    shine = np.exp(-((xx - w * 0.7) / (w * 0.18)) ** 2) * m
    G.over(layer, G.colorize(shine, (1, 1, 1), 0.55))
    G.label(layer, text, size, w / 2, (h - 2) / 2, T.BROWN_DARK, anchor="mm",
            glow=((1, 1, 0.9), 1.5, 1.2))
    return layer


def round_button(size, symbol, hover):
    """Round gold button with a + or - symbol."""
    layer = G.blank(size, size)
    top, bot = (T.GOLD_LIGHT, G.hexrgb("#d98b2b"))
    if hover:
        top, bot = (1, 0.97, 0.85), G.hexrgb("#f0a840")
        cm = G.cairo_mask(size, size, lambda c: (c.arc(size / 2, size / 2 - 0.5, size / 2 - 1.5, 0, 2 * math.pi),
                                                 c.set_source_rgb(1, 1, 1), c.fill()), 4)
        G.over(layer, G.colorize(np.clip(G.blur_transparent(cm, 1.5) * 1.2, 0, 1), T.GOLD_LIGHT, 0.8))
    r = size / 2 - 2

    def body(ctx, rr, dy=0):
        ctx.arc(size / 2, size / 2 - 0.5 + dy, rr, 0, 2 * math.pi)
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
    sh = G.cairo_mask(size, size, lambda c: body(c, r, 1.5), 4)
    G.over(layer, G.colorize(G.blur_transparent(sh, 0.8), (0.1, 0.03, 0.03), 0.5))
    G.over(layer, G.colorize(G.cairo_mask(size, size, lambda c: body(c, r), 4), G.hexrgb("#fff1c4")))
    grad = G.vgradient(size, size, [(0, top), (1, bot)])
    G.over(layer, G.colorize(G.cairo_mask(size, size, lambda c: body(c, r - 1.2), 4), grad))
    gl = G.cairo_mask(size, size, lambda c: (c.save(), c.translate(size / 2, size * 0.33), c.scale(1, 0.55),
                                             c.arc(0, 0, r * 0.72, 0, 2 * math.pi), c.restore(),
                                             c.set_source_rgb(1, 1, 1), c.fill()), 4)
    G.over(layer, G.colorize(gl, (1, 1, 1), 0.45))

    def sym(ctx):
        ctx.set_source_rgb(1, 1, 1)
        L, t = size * 0.26, size * 0.085
        cx, cy = size / 2, size / 2 - 0.5
        G.rounded_rect(ctx, cx - L, cy - t, 2 * L, 2 * t, t)
        ctx.fill()
        if symbol == "+":
            G.rounded_rect(ctx, cx - t, cy - L, 2 * t, 2 * L, t)
            ctx.fill()
    sm = G.cairo_mask(size, size, sym, 4)
    G.over(layer, G.colorize(np.roll(sm, 1, 0), (1, 1, 1), 0.5))
    G.over(layer, G.colorize(sm, T.BROWN))
    return layer


def toggle(w, h, on):
    """Window-mode switch: a lit green track with the knob right ("ON") or
    a dark track with the knob left ("OFF")."""
    layer = G.blank(w, h)
    r = (h - 3) / 2
    sh = G.rrect_mask(w, h, 1, 2, w - 2, h - 3, r)
    G.over(layer, G.colorize(G.blur_transparent(sh, 0.9), (0.05, 0.02, 0.02), 0.5))
    G.over(layer, G.colorize(G.rrect_mask(w, h, 1, 0.5, w - 2, h - 3, r), T.GOLD))
    if on:
        grad = G.vgradient(h, w, [(0, G.hexrgb("#4f8f2c")), (1, G.hexrgb("#8fd15a"))])
    else:
        grad = G.vgradient(h, w, [(0, T.PLUM_DEEP), (1, T.BERRY)])
    G.over(layer, G.colorize(G.rrect_mask(w, h, 2.4, 1.9, w - 4.8, h - 5.8, r - 1.4), grad))
    kx = w - 3 - (h - 7) if on else 3
    kd = h - 7

    def knob(ctx, dy=0.0):
        ctx.arc(kx + kd / 2, 2.5 + kd / 2 + dy, kd / 2, 0, 2 * math.pi)
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
    G.over(layer, G.colorize(G.blur_transparent(G.cairo_mask(w, h, lambda c: knob(c, 1.2), 4), 0.8),
                             (0, 0, 0), 0.45))
    kg = G.vgradient(h, w, [(0, (1, 1, 1)), (1, G.hexrgb("#f0d9a8"))])
    G.over(layer, G.colorize(G.cairo_mask(w, h, knob, 4), kg))
    txt = "ON" if on else "OFF"
    tx = (3 + (w - 3 - kd - 3) / 2) if on else (3 + kd + (w - 6 - kd) / 2)
    G.label(layer, txt, 11, tx, (h - 3) / 2 + 0.5, T.CREAM, anchor="mm", shadow=(0, 1, 0, 0.5))
    return layer


def point(size, lit):
    """Volume level point: a glowing honey gem when lit, a dark socket when not."""
    layer = G.blank(size, size)
    c = size / 2
    r = size / 2 - 1.5

    def disc(ctx, rr, cx=c, cy=c):
        ctx.arc(cx, cy, rr, 0, 2 * math.pi)
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
    if lit:
        gm = G.cairo_mask(size, size, lambda x: disc(x, r), 4)
        G.over(layer, G.colorize(np.clip(G.blur_transparent(gm, 1.2) * 1.2, 0, 1), T.GOLD, 0.7))
        G.over(layer, G.colorize(G.cairo_mask(size, size, lambda x: disc(x, r - 0.3), 4), G.hexrgb("#fff1c4")))
        yy, xx = np.mgrid[0:size, 0:size].astype(np.float32) + 0.5
        d = np.sqrt((xx - c * 0.85) ** 2 + (yy - c * 0.8) ** 2) / r
        col = G.ramp(d, [(0, (1, 1, 0.88)), (0.45, G.hexrgb("#ffd25e")), (1, G.hexrgb("#e0801e"))])
        G.over(layer, G.colorize(G.cairo_mask(size, size, lambda x: disc(x, r - 1.3), 4), col))
        G.over(layer, G.colorize(G.cairo_mask(size, size, lambda x: disc(x, r * 0.3, c * 0.78, c * 0.72), 4),
                                 (1, 1, 1), 0.85))
    else:
        G.over(layer, G.colorize(G.cairo_mask(size, size, lambda x: disc(x, r), 4), G.hexrgb("#a8711f"), 0.9))
        col = G.vgradient(size, size, [(0, T.PLUM_DEEP), (1, T.BERRY)])
        G.over(layer, G.colorize(G.cairo_mask(size, size, lambda x: disc(x, r - 1.3), 4), col))
        G.over(layer, G.colorize(G.cairo_mask(size, size, lambda x: disc(x, r * 0.28, c, c * 1.25), 4),
                                 (1, 1, 1), 0.12))
    return layer


def settings_window():
    w = T.panel(420, 320, radius=24, band=44, seed=11)
    # faint puzzle pieces in the corners of the band for decoration
    for x, y, tabs in ((18, 8, (0, 1, -1, 0)), (370, 8, (0, 0, 1, -1))):
        p = T.jigsaw_piece(34, tabs, (T.GOLD_LIGHT, T.GOLD), shadow=False)
        G.over(w, p, x, y, opacity=0.5)
    return w


def message_window():
    w = T.panel(400, 190, radius=22, band=34, seed=12)
    G.label(w, "Please confirm", 14, 200, 22, T.GOLD_LIGHT, anchor="mm", shadow=(0, 1, 0.6, 0.7))
    # a round "?" badge left of the text area
    badge = G.blank(400, 190)
    cx, cy, r = 27, 72, 15

    def disc(ctx, rr, dy=0):
        ctx.arc(cx, cy + dy, rr, 0, 2 * math.pi)
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
    G.over(badge, G.colorize(G.blur_transparent(G.cairo_mask(400, 190, lambda c: disc(c, r, 2), 4), 1.5),
                             (0, 0, 0), 0.5))
    G.over(badge, G.colorize(G.cairo_mask(400, 190, lambda c: disc(c, r), 4), T.GOLD_LIGHT))
    grad = G.vgradient(190, 400, [(0.25, T.CORAL_LIGHT), (0.5, T.CORAL_DARK)])
    G.over(badge, G.colorize(G.cairo_mask(400, 190, lambda c: disc(c, r - 1.6), 4), grad))
    G.label(badge, "?", 20, cx, cy + 1, T.CREAM, anchor="mm", ss=4, shadow=(0, 1, 0.5, 0.6))
    G.over(w, badge)
    return w


def bar_button(text, maxw):
    tw, _ = G.text_size(text, 13)
    w = min(maxw, tw + 20)
    h = 22
    layer = T.pill(w, h, "bar", False, radius=10, inset=0.5, shadow=True)
    G.label(layer, text, 13, w / 2, (h - 2) / 2, T.CREAM, anchor="mm", shadow=(0, 1, 0, 0.6))
    return layer


def progress_tab(w=84, h=25):
    """The tab that hangs under the bar's clock slot (x 684, from the bar's foot at y 30):
    the slot's cream face and brown rim, rounded below; the game writes the joins made on it
    in black and draws their share as a gold line along its foot."""
    layer = G.blank(w, h)
    # drawn 12 pixels taller and cut, so that only the lower corners are round
    body = G.rrect_mask(w, h + 12, 0.5, 0, w - 1, h + 12 - 2.5, 9)[12:]
    G.over(layer, G.colorize(G.blur_transparent(body, 1.0), (0.12, 0.04, 0.04), 0.45), 0, 2)
    G.over(layer, G.colorize(body, G.hexrgb("#b07a36")))
    face = G.rrect_mask(w, h + 12, 1.7, 0, w - 3.4, h + 12 - 3.7, 8)[12:]
    grad = G.vgradient(h, w, [(0, G.hexrgb("#f4d597")), (0.35, G.hexrgb("#fff8e6")), (1, G.hexrgb("#fff0cc"))])
    G.over(layer, G.colorize(face, grad))
    # the groove the gold line runs in
    groove = G.rrect_mask(w, h, 8, h - 7, w - 16, 3, 1.5)
    G.over(layer, G.colorize(groove, G.hexrgb("#e7cf9f")))
    return layer


def paused_label():
    """The pause's notice over the dimmed table, a bar button grown large."""
    text = "Paused \u2014 click to go on"
    tw, _ = G.text_size(text, 20)
    w, h = tw + 64, 52
    layer = T.pill(w, h, "bar", False, radius=18, inset=1.0, shadow=True)
    G.label(layer, text, 20, w / 2, (h - 2) / 2, T.CREAM, anchor="mm", shadow=(0, 1, 0, 0.6))
    return layer


def new_best_badge():
    """The gold badge of a new best time in the information window."""
    text = "New best time!"
    tw, _ = G.text_size(text, 14)
    w, h = tw + 30, 28
    return T.button(w, h, text, 14, "gold")


def best_plate():
    """The plate a set's best time is written on in the chooser's thumbnail corner."""
    return T.pill(104, 24, "bar", False, radius=10, inset=0.5, shadow=True)


def cursor():
    """Arrow pointer with its tip at (1, 1)."""
    s = 32
    pts = [(1, 1), (1, 23.5), (6.6, 18.4), (10.6, 27.6), (14.6, 25.9), (10.7, 17.0), (18.2, 16.6)]

    def path(ctx, dx=0.0, dy=0.0):
        ctx.move_to(pts[0][0] + dx, pts[0][1] + dy)
        for x, y in pts[1:]:
            ctx.line_to(x + dx, y + dy)
        ctx.close_path()
    layer = G.blank(s, s)
    sh = G.cairo_mask(s, s, lambda c: (path(c, 1.5, 2), c.set_source_rgb(1, 1, 1), c.fill()), 4)
    G.over(layer, G.colorize(G.blur_transparent(sh, 1.2), (0, 0, 0), 0.45))

    def outline(ctx):
        path(ctx)
        ctx.set_line_join(1)
        ctx.set_line_width(2.0)
        ctx.set_source_rgb(1, 1, 1)
        ctx.stroke_preserve()
        ctx.fill()
    G.over(layer, G.colorize(G.cairo_mask(s, s, outline, 4), T.BROWN_DARK))

    def inner(ctx):
        ctx.save()
        path(ctx)
        ctx.set_line_width(1.2)
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
        ctx.restore()
    im = G.cairo_mask(s, s, inner, 4)
    # shrink the fill a little inside the outline
    er = np.minimum(im, np.minimum(np.roll(im, 1, 0), np.roll(im, 1, 1)))
    er = np.minimum(er, np.minimum(np.roll(im, -1, 0), np.roll(im, -1, 1)))
    grad = G.vgradient(s, s, [(0, T.GOLD_LIGHT), (0.45, (1.0, 0.82, 0.45)), (0.9, T.CORAL)])
    G.over(layer, G.colorize(er, grad))
    hl = G.cairo_mask(s, s, lambda c: (c.move_to(3.2, 5), c.line_to(3.2, 15), c.line_to(8.5, 10.5),
                                       c.close_path(), c.set_source_rgb(1, 1, 1), c.fill()), 4)
    G.over(layer, G.colorize(hl * er, (1, 1, 1), 0.55))
    return layer


def particle(kind, s=20):
    yy, xx = np.mgrid[0:s, 0:s].astype(np.float32) + 0.5
    dx, dy = xx - s / 2, yy - s / 2
    r = np.sqrt(dx * dx + dy * dy) / (s / 2)
    if kind == 1:     # soft round glow
        a = np.exp(-(r / 0.42) ** 2) * 0.95 + np.exp(-(r / 0.16) ** 2) * 0.3
    elif kind == 2:   # four-point twinkle
        rays = np.exp(-(np.abs(dx) / (s * 0.045)) ** 2) * np.exp(-(r / 0.95) ** 2) + \
            np.exp(-(np.abs(dy) / (s * 0.045)) ** 2) * np.exp(-(r / 0.95) ** 2)
        a = np.clip(rays * 0.9 + np.exp(-(r / 0.22) ** 2), 0, 1)
    else:             # glowing ring with a bright core
        a = np.exp(-((r - 0.55) / 0.16) ** 2) * 0.7 + np.exp(-(r / 0.2) ** 2) * 0.9
    a = np.clip(a * (r < 1.0) * np.clip((1.0 - r) * 6, 0, 1), 0, 1).astype(np.float32)
    return G.colorize(a, (1, 1, 1))


def clock_frame(i, s=64):
    """Waiting clock: a honey-gold dial whose hand makes one turn over the
    ten frames, with a glowing trail behind the hand."""
    ss = 4
    ang = i * 2 * math.pi / 10

    layer = G.blank(s, s)
    c = s / 2
    R = s / 2 - 4
    yy, xx = np.mgrid[0:s, 0:s].astype(np.float32) + 0.5

    def disc(ctx, rr, dy=0):
        ctx.arc(c, c + dy, rr, 0, 2 * math.pi)
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
    G.over(layer, G.colorize(G.blur_transparent(G.cairo_mask(s, s, lambda x: disc(x, R, 2), ss), 2), (0, 0, 0), 0.5))
    rim = G.vgradient(s, s, [(0, T.GOLD_LIGHT), (0.5, T.GOLD), (1, T.GOLD_DARK)])
    G.over(layer, G.colorize(G.cairo_mask(s, s, lambda x: disc(x, R), ss), rim))
    face = G.vgradient(s, s, [(0, T.CREAM), (1, G.hexrgb("#f3d9a6"))])
    fm = G.cairo_mask(s, s, lambda x: disc(x, R - 3), ss)
    G.over(layer, G.colorize(fm, face))
    # trail: a sector behind the hand fading out
    theta = np.arctan2(xx - c, -(yy - c)) % (2 * math.pi)
    behind = (ang - theta) % (2 * math.pi)
    trail = np.clip(1 - behind / (math.pi * 0.9), 0, 1) ** 1.5
    rr = np.sqrt((xx - c) ** 2 + (yy - c) ** 2)
    trail = trail * np.clip((R - 5 - rr) / 2, 0, 1)
    G.over(layer, G.colorize(trail * fm, T.CORAL, 0.45))

    def ticks(ctx):
        ctx.set_source_rgb(1, 1, 1)
        for k in range(10):
            a = k * 2 * math.pi / 10
            x0, y0 = c + math.sin(a) * (R - 7), c - math.cos(a) * (R - 7)
            ctx.arc(x0, y0, 1.6 if k % 5 == 0 else 1.1, 0, 2 * math.pi)
            ctx.fill()
    G.over(layer, G.colorize(G.cairo_mask(s, s, ticks, ss), T.BROWN, 0.8))

    def hand(ctx, dy=0):
        ctx.set_source_rgb(1, 1, 1)
        ctx.set_line_cap(1)
        ctx.set_line_width(3.2)
        ctx.move_to(c, c + dy)
        ctx.line_to(c + math.sin(ang) * (R - 8), c - math.cos(ang) * (R - 8) + dy)
        ctx.stroke()
    G.over(layer, G.colorize(G.blur_transparent(G.cairo_mask(s, s, lambda x: hand(x, 1.2), ss), 0.8), (0, 0, 0), 0.35))
    G.over(layer, G.colorize(G.cairo_mask(s, s, hand, ss), T.CORAL_DARK))
    G.over(layer, G.colorize(G.cairo_mask(s, s, lambda x: disc(x, 3.6), ss), T.BROWN))
    G.over(layer, G.colorize(G.cairo_mask(s, s, lambda x: disc(x, 1.5), ss), T.GOLD_LIGHT))
    # glass sheen
    sheen = np.exp(-(((xx - c * 0.8) / (R * 0.7)) ** 2 + ((yy - c * 0.55) / (R * 0.35)) ** 2))
    G.over(layer, G.colorize(sheen * fm, (1, 1, 1), 0.35))
    return layer


def icon(s=256):
    layer = G.blank(s, s)
    m = G.rrect_mask(s, s, 8, 6, s - 16, s - 18, 52)
    G.over(layer, G.colorize(G.blur_transparent(np.roll(m, 6, 0), 5), (0.1, 0.03, 0.05), 0.55))
    G.over(layer, G.colorize(m, G.vgradient(s, s, [(0, T.GOLD_LIGHT), (1, T.GOLD_DARK)])))
    inner = G.rrect_mask(s, s, 14, 12, s - 28, s - 30, 46)
    yy, xx = np.mgrid[0:s, 0:s].astype(np.float32)
    rad = np.sqrt((xx - s * 0.45) ** 2 + (yy - s * 0.3) ** 2) / s
    body = G.ramp(rad, [(0, G.hexrgb("#a84a6e")), (0.5, T.PLUM), (0.9, T.PLUM_DEEP)])
    G.over(layer, G.colorize(inner, body))
    # a few small sparkles
    rng = np.random.default_rng(5)
    for _ in range(14):
        x, y = rng.uniform(30, s - 30), rng.uniform(30, s - 40)
        p = particle(rng.integers(1, 4), 20)
        G.over(layer, p, int(x) - 10, int(y) - 10, opacity=0.25)
    big = T.jigsaw_piece(200, (1, -1, 1, 1), (T.CORAL_LIGHT, T.CORAL_DARK))
    G.over(layer, big, 22, 20)
    G.label(layer, "O", 84, 122, 118, T.CREAM, anchor="mm", ss=2, shadow=(0, 4, 3, 0.5),
            outline=T.BROWN_DARK, outline_w=0)
    gl = G.rrect_mask(s, s, 22, 18, s - 44, 80, 40)
    fade = np.clip(1 - (yy - 18) / 90, 0, 1)
    G.over(layer, G.colorize(gl * fade * inner, (1, 1, 1), 0.18))
    return layer


def more_info():
    w, h = 150, 40
    layer = G.blank(w, h)
    G.over(layer, T.pill(w, h, "gold", False, radius=16, shadow=False))
    G.label(layer, "Click to open", 15, w / 2, (h - 2) / 2 - 1, T.BROWN_DARK, anchor="mm")
    return layer


def frame_highlight(w, h):
    """A glowing gold border, transparent inside."""
    def ring(ctx, inset, lw):
        G.rounded_rect(ctx, inset, inset, w - 2 * inset, h - 2 * inset, 16)
        ctx.set_line_width(lw)
        ctx.set_source_rgb(1, 1, 1)
        ctx.stroke()
    glow = G.cairo_mask(w, h, lambda c: ring(c, 7, 6), 2)
    layer = G.colorize(np.clip(G.blur_transparent(glow, 5) * 1.6, 0, 1), T.GOLD, 0.9)
    G.over(layer, G.colorize(G.cairo_mask(w, h, lambda c: ring(c, 7, 3.5), 2), T.GOLD_LIGHT))
    G.over(layer, G.colorize(G.cairo_mask(w, h, lambda c: ring(c, 7, 1.2), 2), (1, 1, 1), 0.9))
    return layer


def build(manifest):
    def put(img, rel, frames=1):
        G.save_png(img, rel)
        manifest.append((rel, img.shape[1], img.shape[0], frames))

    for name, text in MENU:
        put(two_frame(150, 36, text, 17, "coral"), "gfx/gui/%s.png" % name, 2)
        put(highlight(150, 36, text, 17), "gfx/gui/%s02.png" % name)
    put(two_frame(70, 32, "Cancel", 14, "coral"), "gfx/gui/p_cancel.png", 2)
    put(two_frame(70, 32, "OK", 15, "leaf"), "gfx/gui/ustawienia/ok.png", 2)
    # the continue question's answers, where OK and Cancel stand in the message window
    put(two_frame(104, 32, "Continue", 14, "leaf"), "gfx/gui/p_continue.png", 2)
    put(two_frame(104, 32, "New puzzle", 14, "coral"), "gfx/gui/p_new_puzzle.png", 2)
    put(T.strip([round_button(28, "+", False), round_button(28, "+", True)]), "gfx/gui/ustawienia/plus.png", 2)
    put(T.strip([round_button(28, "-", False), round_button(28, "-", True)]), "gfx/gui/ustawienia/minus.png", 2)
    put(toggle(60, 26, True), "gfx/gui/ustawienia/on.png")
    put(toggle(60, 26, False), "gfx/gui/ustawienia/off.png")
    put(point(18, True), "gfx/gui/ustawienia/pointOn.png")
    put(point(18, False), "gfx/gui/ustawienia/pointoff.png")
    put(settings_window(), "gfx/gui/ustawienia/window.png")
    put(message_window(), "gfx/gui/messageWindow.png")
    for (name, text, maxw), x in zip(BAR, BAR_X):
        put(bar_button(text, maxw), "gfx/%s.png" % name)
    put(progress_tab(), "gfx/gui/progress_tab.png")
    put(paused_label(), "gfx/gui/paused.png")
    put(new_best_badge(), "gfx/gui/new_best.png")
    put(best_plate(), "gfx/gui/best_plate.png")
    put(cursor(), "gfx/kursor.png")
    for k in (1, 2, 3):
        put(particle(k), "gfx/particle/%d.png" % k)
    for i in range(10):
        put(clock_frame(i), "gfx/zegar/puzel3_%04d.png" % i)
    put(icon(), "gfx/icon.png")
    put(more_info(), "gfx/gui/more_info.png")
    put(two_frame(150, 36, "Home page", 17, "coral"), "gfx/gui/go_to.png", 2)
    put(T.button(80, 32, "Quit", 15, "coral"), "gfx/gui/quit.png")
    for k, w in ((1, 266), (2, 257), (3, 264)):
        put(frame_highlight(w, 537), "gfx/gui/mg_%02d.png" % k)


if __name__ == "__main__":
    m = []
    build(m)
    for row in m:
        print(*row)
