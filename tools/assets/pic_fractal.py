"""Puzzle picture: a deep view into the spiral valley of the Mandelbrot set,
coloured with a smooth iteration count through a warm jewel palette, lit by
its distance estimate so the filaments look embossed, and with the inside of
the set filled by an orbit-trap pattern instead of flat colour."""
import math

import numpy as np

import gfxlib as G

CENTER = complex(-0.745428, 0.113009)
SPAN = 0.000024          # width of the view in the complex plane
MAX_IT = 2500


def render(w=640, h=480, ss=2, center=None, span=None):
    global CENTER, SPAN
    if center is not None:
        CENTER, SPAN = center, span
    W, H = w * ss, h * ss
    xs = CENTER.real + (np.arange(W) - W / 2 + 0.5) / W * SPAN
    ys = CENTER.imag - (np.arange(H) - H / 2 + 0.5) / W * SPAN
    c = (xs[None, :] + 1j * ys[:, None]).ravel()
    z = np.zeros_like(c)
    dz = np.zeros_like(c)
    it = np.full(c.shape, MAX_IT, np.float64)
    zf = np.zeros_like(c)
    dzf = np.zeros_like(c)
    trap = np.full(c.shape, 1e9)
    stripe = np.zeros(c.shape)       # running sum of the stripe-average term
    stripe_last = np.zeros(c.shape)
    idx = np.arange(c.size)
    cc = c.copy()
    for n in range(MAX_IT):
        dz = 2 * z * dz + 1
        z = z * z + cc
        # orbit trap: distance to a small circle and to the real axis
        t = np.minimum(np.abs(np.abs(z) - 0.25), np.abs(z.imag) * 2)
        trap[idx] = np.minimum(trap[idx], t)
        st = 0.5 + 0.5 * np.sin(9.0 * np.angle(z))
        stripe[idx] += st
        stripe_last[idx] = st
        esc = (z.real * z.real + z.imag * z.imag) > 1e6
        if esc.any():
            e = idx[esc]
            it[e] = n
            zf[e] = z[esc]
            dzf[e] = dz[esc]
            keep = ~esc
            idx, z, dz, cc = idx[keep], z[keep], dz[keep], cc[keep]
            if idx.size == 0:
                break
    inside = np.zeros(c.shape, bool)
    inside[idx] = True
    out = ~inside
    az = np.abs(zf[out])
    nu = it[out] + 1 - np.log(np.log(az)) / math.log(2)
    dist = az * np.log(az) / np.maximum(np.abs(dzf[out]), 1e-30)
    # pixel size in the plane, to normalise the distance estimate
    px = SPAN / W
    de = np.clip(dist / px, 0, 1e6)

    v = np.zeros(c.shape)
    v[out] = nu
    # stripe-average colouring, interpolated by the fractional escape count
    frac = np.zeros(c.shape)
    frac[out] = nu - np.floor(nu)
    n_it = np.maximum(it, 1)
    avg1 = stripe / n_it
    avg0 = (stripe - stripe_last) / np.maximum(n_it - 1, 1)
    stripes = avg0 * (1 - frac) + avg1 * frac
    # cyclic palette over log iteration count
    s = np.log(np.maximum(v, 1)) * 4.2 + stripes * 0.45
    stops = [(0.00, G.hexrgb("#1b0f3a")), (0.14, G.hexrgb("#3a1f7a")), (0.28, G.hexrgb("#1f78a8")),
             (0.42, G.hexrgb("#3fd0c0")), (0.55, G.hexrgb("#fff1b0")), (0.68, G.hexrgb("#ffb43c")),
             (0.80, G.hexrgb("#e8503a")), (0.91, G.hexrgb("#9a2a6a")), (1.00, G.hexrgb("#1b0f3a"))]
    phase = (s % 1.0)
    rgb = G.ramp(phase, stops).reshape(-1, 3)
    # embossed light from the distance estimate's gradient
    dimg = np.zeros(c.shape)
    dimg[out] = np.log1p(de)
    dimg = dimg.reshape(H, W)
    gy, gx = np.gradient(dimg)
    light = np.clip(0.5 + 0.35 * (-gx * 0.7 - gy * 0.7), 0, 1).ravel()
    edge = np.clip(dimg.ravel() / 2.2, 0, 1)
    shade = (0.6 + 0.55 * light) * (0.55 + 0.45 * edge) * (0.3 + 1.1 * stripes)
    rgb = rgb * shade[:, None]
    # close to the set the escape count changes from pixel to pixel, so
    # there the colour follows the (smooth) distance estimate instead: a
    # lace of gold threads with dark plum cores
    n = np.clip(1 - np.log1p(de) / np.log1p(10.0), 0, 1)
    lace = G.ramp(n, [(0, G.hexrgb("#ffcf70")), (0.55, G.hexrgb("#fff4c8")), (0.8, G.hexrgb("#d0704a")),
                      (1, G.hexrgb("#3a1240"))])
    wgt = np.clip((n - 0.25) / 0.35, 0, 1)[:, None]
    # away from the set, thin contour lines of the smoothed escape count
    # trace the shape of the set like a topographic map
    q = s[out] * 2.5
    dq = np.abs(q - np.round(q))
    contour = np.exp(-(dq / 0.06) ** 2) * (1 - wgt[:, 0])
    rgb[out] = rgb[out] * (1 - 0.45 * contour[:, None]) + 0.45 * contour[:, None] * np.array(G.hexrgb("#fff0c8"))
    rgb[out] = rgb[out] * (1 - wgt) + lace * wgt
    # inside: orbit-trap pattern in deep violet and gold
    tr = trap[inside]
    q = np.clip(-np.log(tr + 1e-9) / 7.0, 0, 1)
    inner = G.ramp(q, [(0, G.hexrgb("#2a1040")), (0.5, G.hexrgb("#6a2a7a")), (0.8, G.hexrgb("#c87a3a")),
                       (1, G.hexrgb("#ffc060"))])
    rgb[inside] = inner
    img = G.from_rgb(np.clip(rgb.reshape(H, W, 3), 0, 1).astype(np.float32))
    img = G.downsample(img, ss)
    # gentle vignette and a touch of glow
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    vig = 0.8 + 0.2 * np.exp(-(((xx - w / 2) / (w * 0.7)) ** 2 + ((yy - h / 2) / (h * 0.7)) ** 2))
    glow = G.blur(img[..., :3], 6)
    img[..., :3] = np.clip((img[..., :3] + glow * 0.25) * vig[..., None], 0, 1)
    return img


if __name__ == "__main__":
    G.save_jpeg(render(), "gfx/puzzle/obr4.jpg", quality=92)
