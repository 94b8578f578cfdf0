"""Small raster toolkit shared by the image generators.

Images are numpy float32 arrays of shape (h, w, 4) holding premultiplied
RGBA in 0..1.  Vector shapes are drawn with cairo (optionally supersampled
and box-filtered down), text with PIL's FreeType renderer using the game's
own font, so the labels in the pictures match the text the game draws.
Everything here is deterministic: no clocks, no unseeded randomness.
"""
import math
import os

import cairo
import numpy as np
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
FONT_SOURCE = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf"


def out_path(rel):
    p = os.path.join(ROOT, rel)
    os.makedirs(os.path.dirname(p), exist_ok=True)
    return p


# ---------------------------------------------------------------- layers

def blank(w, h):
    return np.zeros((h, w, 4), np.float32)


def solid(w, h, rgb, a=1.0):
    img = np.empty((h, w, 4), np.float32)
    img[..., :3] = np.asarray(rgb, np.float32) * a
    img[..., 3] = a
    return img


def over(dst, src, x=0, y=0, opacity=1.0):
    """Composite premultiplied src over dst in place at integer offset."""
    h, w = src.shape[:2]
    H, W = dst.shape[:2]
    x0, y0 = max(x, 0), max(y, 0)
    x1, y1 = min(x + w, W), min(y + h, H)
    if x0 >= x1 or y0 >= y1:
        return dst
    s = src[y0 - y:y1 - y, x0 - x:x1 - x]
    if opacity != 1.0:
        s = s * opacity
    d = dst[y0:y1, x0:x1]
    d *= (1.0 - s[..., 3:4])
    d += s
    return dst


def add_light(dst, src, x=0, y=0, opacity=1.0):
    """Additive compositing (colour only), clamped."""
    h, w = src.shape[:2]
    d = dst[y:y + h, x:x + w]
    d[..., :3] = np.minimum(d[..., :3] + src[..., :3] * opacity, 1.0)
    return dst


def colorize(mask, rgb, a=1.0):
    """A layer of colour rgb (tuple or (h,w,3) array) with coverage mask."""
    m = (mask * a)[..., None].astype(np.float32)
    rgb = np.asarray(rgb, np.float32)
    out = np.empty(mask.shape + (4,), np.float32)
    out[..., :3] = rgb * m
    out[..., 3:4] = m
    return out


def downsample(img, k):
    if k == 1:
        return img
    h, w = img.shape[:2]
    return img.reshape(h // k, k, w // k, k, -1).mean(axis=(1, 3)).astype(np.float32)


def box_blur_axis(a, r, axis):
    if r <= 0:
        return a
    pad = [(0, 0)] * a.ndim
    pad[axis] = (r + 1, r)
    p = np.pad(a, pad, mode="edge")
    c = np.cumsum(p, axis=axis, dtype=np.float64)
    n = a.shape[axis]
    hi = np.take(c, np.arange(2 * r + 1, 2 * r + 1 + n), axis=axis)
    lo = np.take(c, np.arange(0, n), axis=axis)
    return ((hi - lo) / (2 * r + 1)).astype(np.float32)


def blur(a, sigma):
    """Approximate gaussian blur (three box passes) of an array (h, w[, c])."""
    if sigma <= 0:
        return a.copy()
    r = max(1, int(round(math.sqrt(12 * sigma * sigma / 3 + 1) / 2)))
    out = a.astype(np.float32)
    for _ in range(3):
        out = box_blur_axis(out, r, 0)
        out = box_blur_axis(out, r, 1)
    return out


def blur_transparent(a, sigma):
    """Blur with transparent (zero) padding instead of edge padding."""
    pad = int(sigma * 3) + 2
    p = np.pad(a, ((pad, pad), (pad, pad)) + ((0, 0),) * (a.ndim - 2))
    return blur(p, sigma)[pad:-pad, pad:-pad]


def shadow_of(layer, sigma, rgb=(0, 0, 0), strength=0.5, dx=0, dy=0):
    """A soft shadow (or glow) layer from a layer's alpha."""
    a = layer[..., 3]
    a = np.roll(np.roll(a, dy, axis=0), dx, axis=1)
    a = blur_transparent(a, sigma) if sigma > 0 else a
    return colorize(np.clip(a * strength, 0, 1), rgb)


# ---------------------------------------------------------------- cairo

def cairo_layer(w, h, draw, ss=2):
    """Run draw(ctx) on a w*ss x h*ss cairo surface (user units = final
    pixels) and return the box-filtered premultiplied layer."""
    surf = cairo.ImageSurface(cairo.FORMAT_ARGB32, w * ss, h * ss)
    ctx = cairo.Context(surf)
    ctx.scale(ss, ss)
    draw(ctx)
    surf.flush()
    buf = np.frombuffer(surf.get_data(), np.uint8).reshape(h * ss, surf.get_stride() // 4, 4)[:, :w * ss]
    arr = np.empty((h * ss, w * ss, 4), np.float32)
    arr[..., 0] = buf[..., 2]
    arr[..., 1] = buf[..., 1]
    arr[..., 2] = buf[..., 0]
    arr[..., 3] = buf[..., 3]
    arr /= 255.0
    return downsample(arr, ss)


def cairo_mask(w, h, draw, ss=2):
    """Coverage mask (h, w) of whatever draw(ctx) fills."""
    return cairo_layer(w, h, draw, ss)[..., 3]


def rounded_rect(ctx, x, y, w, h, r):
    r = min(r, w / 2, h / 2)
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 1.5 * math.pi)
    ctx.close_path()


def rrect_mask(w, h, x, y, rw, rh, r, ss=4):
    def d(ctx):
        rounded_rect(ctx, x, y, rw, rh, r)
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
    return cairo_mask(w, h, d, ss)


def vgradient(h, w, stops):
    """(h, w, 3) vertical gradient through [(t, rgb), ...] with t in 0..1."""
    t = np.linspace(0, 1, h, dtype=np.float32)
    ts = [s[0] for s in stops]
    cols = np.array([s[1] for s in stops], np.float32)
    rgb = np.stack([np.interp(t, ts, cols[:, i]) for i in range(3)], -1)
    return np.broadcast_to(rgb[:, None, :], (h, w, 3)).astype(np.float32)


def ramp(values, stops):
    """Map an array of values in 0..1 through colour stops -> (..., 3)."""
    ts = [s[0] for s in stops]
    cols = np.array([s[1] for s in stops], np.float32)
    v = np.clip(values, 0, 1)
    return np.stack([np.interp(v, ts, cols[:, i]) for i in range(3)], -1).astype(np.float32)


def hexrgb(s):
    s = s.lstrip("#")
    return tuple(int(s[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


# ---------------------------------------------------------------- text

_font_cache = {}


def font(size):
    key = int(size)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(FONT_SOURCE, key)
    return _font_cache[key]


def text_size(text, size):
    f = font(size)
    l, t, r, b = f.getbbox(text)
    return r - l, b - t


def text_mask(w, h, text, size, x, y, anchor="la", stroke=0, ss=1):
    """Coverage mask of a text line.  ss > 1 renders at that multiple and
    box-filters down (smooth large titles); ss = 1 keeps FreeType's own
    hinted rendering (crisp small labels).  anchor as PIL's (e.g. "mm")."""
    im = Image.new("L", (w * ss, h * ss), 0)
    d = ImageDraw.Draw(im)
    d.text((x * ss, y * ss), text, fill=255, font=font(size * ss), anchor=anchor,
           stroke_width=int(round(stroke * ss)), stroke_fill=255)
    m = np.asarray(im, np.float32) / 255.0
    if ss > 1:
        m = m.reshape(h, ss, w, ss).mean(axis=(1, 3))
    return m.astype(np.float32)


def label(dst, text, size, x, y, rgb, anchor="mm", ss=1, shadow=None,
          outline=None, outline_w=0, gradient=None, glow=None):
    """Draw a text label onto dst.  shadow=(dx, dy, sigma, strength),
    outline=rgb with outline_w pixels, gradient=(top_rgb, bottom_rgb, y0, y1),
    glow=(rgb, sigma, strength)."""
    H, W = dst.shape[:2]
    fill = text_mask(W, H, text, size, x, y, anchor, 0, ss)
    body = fill
    if outline is not None and outline_w > 0:
        body = text_mask(W, H, text, size, x, y, anchor, outline_w, ss)
    if glow is not None:
        g = blur_transparent(body, glow[1])
        over(dst, colorize(np.clip(g * glow[2], 0, 1), glow[0]))
    if shadow is not None:
        dx, dy, sg, st = shadow
        s = np.roll(np.roll(body, dy, 0), dx, 1)
        if sg > 0:
            s = blur_transparent(s, sg)
        over(dst, colorize(np.clip(s * st, 0, 1), (0, 0, 0)))
    if outline is not None and outline_w > 0:
        over(dst, colorize(body, outline))
    if gradient is not None:
        top, bot, y0, y1 = gradient
        t = np.clip((np.arange(H, dtype=np.float32) - y0) / max(1, (y1 - y0)), 0, 1)
        col = (np.asarray(top, np.float32)[None, :] * (1 - t)[:, None] +
               np.asarray(bot, np.float32)[None, :] * t[:, None])
        col = np.broadcast_to(col[:, None, :], (H, W, 3))
        over(dst, colorize(fill, col))
    else:
        over(dst, colorize(fill, rgb))
    return dst


def wrap_lines(text, size, width):
    words = text.split()
    lines, cur = [], ""
    for wd in words:
        t = (cur + " " + wd).strip()
        if text_size(t, size)[0] <= width or not cur:
            cur = t
        else:
            lines.append(cur)
            cur = wd
    if cur:
        lines.append(cur)
    return lines


# ---------------------------------------------------------------- noise

def value_noise(w, h, cell, rng):
    """Smooth noise in about -1..1 with features about `cell` pixels apart."""
    gw = max(2, int(math.ceil(w / cell)) + 3)
    gh = max(2, int(math.ceil(h / cell)) + 3)
    g = rng.standard_normal((gh, gw)).astype(np.float32)
    im = Image.fromarray(g, "F").resize((int(gw * cell), int(gh * cell)), Image.BICUBIC)
    a = np.asarray(im, np.float32)
    ox, oy = int(cell), int(cell)
    return a[oy:oy + h, ox:ox + w] * 0.8


def fbm(w, h, cell, rng, octaves=5, gain=0.5):
    out = np.zeros((h, w), np.float32)
    amp, tot = 1.0, 0.0
    c = float(cell)
    for _ in range(octaves):
        if c < 1.0:
            break
        out += amp * value_noise(w, h, c, rng)
        tot += amp
        amp *= gain
        c /= 2.0
    return out / tot


# ---------------------------------------------------------------- output

def to_rgba8(img):
    a = img[..., 3:4]
    rgb = np.where(a > 1e-6, img[..., :3] / np.maximum(a, 1e-6), 0)
    out = np.concatenate([rgb, a], -1)
    return np.clip(np.round(out * 255.0), 0, 255).astype(np.uint8)


def to_rgb8(img, lift=0):
    """Flatten onto black and quantise; `lift` raises every channel to at
    least that value (the engine keys exact black out of JPEGs)."""
    rgb = np.clip(np.round(img[..., :3] * 255.0), 0, 255)
    if lift:
        rgb = lift + rgb * (255.0 - lift) / 255.0
        rgb = np.round(rgb)
    return rgb.astype(np.uint8)


def save_png(img, rel):
    p = out_path(rel)
    Image.fromarray(to_rgba8(img), "RGBA").save(p, optimize=True)
    return p


def save_jpeg(img, rel, quality=90):
    """Save an opaque picture as JPEG with the darkest values lifted so that
    no pixel decodes to exact black; verified by decoding it again."""
    p = out_path(rel)
    rgb = to_rgb8(img, lift=8)
    Image.fromarray(rgb, "RGB").save(p, quality=quality, subsampling=0, optimize=True)
    chk = np.asarray(Image.open(p).convert("RGB"))
    black = np.all(chk == 0, axis=-1).sum()
    if black:
        raise RuntimeError("%s decodes with %d exact-black pixels" % (rel, black))
    return p


def open_rgb(rel):
    return np.asarray(Image.open(os.path.join(ROOT, rel)).convert("RGB"), np.float32) / 255.0


def from_rgb(arr):
    h, w = arr.shape[:2]
    out = np.ones((h, w, 4), np.float32)
    out[..., :3] = arr
    return out


def resize(img, w, h):
    """Resize a premultiplied layer with a good filter (per channel)."""
    chans = [np.asarray(Image.fromarray(img[..., c], "F").resize((w, h), Image.LANCZOS), np.float32)
             for c in range(4)]
    return np.clip(np.stack(chans, -1), 0, 1)


def aniso_noise(w, h, cx, cy, rng):
    """Smooth noise with features about cx pixels long and cy pixels tall."""
    gw = max(2, int(math.ceil(w / cx)) + 3)
    gh = max(2, int(math.ceil(h / cy)) + 3)
    g = rng.standard_normal((gh, gw)).astype(np.float32)
    im = Image.fromarray(g, "F").resize((int(gw * cx), int(gh * cy)), Image.BICUBIC)
    a = np.asarray(im, np.float32)
    return a[int(cy):int(cy) + h, int(cx):int(cx) + w] * 0.8


def aniso_fbm(w, h, cx, cy, rng, octaves=5, gain=0.55):
    out = np.zeros((h, w), np.float32)
    amp, tot = 1.0, 0.0
    for _ in range(octaves):
        if cx < 1 or cy < 1:
            break
        out += amp * aniso_noise(w, h, cx, cy, rng)
        tot += amp
        amp *= gain
        cx /= 2.0
        cy /= 2.0
    return out / tot
