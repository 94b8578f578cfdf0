"""The game's three help pages ("How to play", "Tips and tricks", "About and
licences"): one text source that is written out as self-contained HTML in
docs/ and drawn as the preview cards of the more-games screen."""
import html
import math
import os

import numpy as np

import gfxlib as G
import theme as T

ZLIB_TEXT = (
    "This software is provided 'as-is', without any express or implied warranty. In no event "
    "will the authors be held liable for any damages arising from the use of this software. "
    "Permission is granted to anyone to use this software for any purpose, including commercial "
    "applications, and to alter it and redistribute it freely, subject to the following "
    "restrictions: 1. The origin of this software must not be misrepresented; you must not claim "
    "that you wrote the original software. If you use this software in a product, an "
    "acknowledgment in the product documentation would be appreciated but is not required. "
    "2. Altered source versions must be plainly marked as such, and must not be misrepresented as "
    "being the original software. 3. This notice may not be removed or altered from any source "
    "distribution.")

# Each page: file, title, accent colour, card icon, sections of
# (heading, [paragraphs]), and the short lines drawn on the preview card.
PAGES = [
    {
        "file": "how-to-play.html", "title": "How to play", "accent": "#e8663f", "icon": "piece",
        "intro": "Put the picture back together, piece by piece, at your own pace.",
        "sections": [
            ("Pick a picture", [
                "Click Play in the main menu and choose one of the four pictures. Each picture has "
                "its own number of pieces: 12, 30, 48 or 80. Point at a picture to see its size and "
                "piece count, and click it to start. Cancel takes you back to the menu."]),
            ("Carry the pieces", [
                "The pieces lie scattered over the table. Click a piece to pick it up: it hangs on "
                "the pointer and follows it until you click again to put it down.",
                "Or hold the mouse button down longer than half a second: the piece is then "
                "dragged, and it is put down where you let go of the button."]),
            ("Pieces snap together", [
                "Put a piece down close beside a piece it belongs next to, and the two snap "
                "together with a chime and a shower of sparks. From then on they move as one "
                "group; pick up any piece of a group to carry the whole group. Groups that meet "
                "join into bigger groups."]),
            ("Finish the picture", [
                "When every piece has joined one group the puzzle is solved: the whole picture "
                "fades in and a window shows it. Click the picture to see it at full size, and "
                "click it again to shrink it back. OK returns to the main menu."]),
            ("Keys", [
                "H gives a hint, Space cleans up the table, S saves the game in progress and "
                "Escape leaves the game at once."]),
        ],
        "card": [
            ("Pick a picture", "Play, then click one of four pictures: 12, 30, 48 or 80 pieces."),
            ("Carry pieces", "Click a piece to pick it up, click again to put it down. Hold the "
                             "button over half a second to drag it instead."),
            ("Snap together", "Drop a piece beside its neighbour and they join into a group "
                              "that moves as one."),
            ("Finish", "When all pieces are one group, the whole picture appears."),
            ("Keys", "H hint, Space clean up, S save, Escape leave."),
        ],
    },
    {
        "file": "tips-and-tricks.html", "title": "Tips and tricks", "accent": "#4f9a3a", "icon": "bulb",
        "intro": "The play bar along the top of the table holds a few helpers.",
        "sections": [
            ("Get hint", [
                "Stuck? Click Get hint on the bar, or press H. Two pieces that belong together, "
                "but are not joined yet, blink red until you next pick up a piece."]),
            ("Ghost image", [
                "Ghost image shows the finished picture faintly under the pieces, right where the "
                "solved puzzle will lie. Click it again to hide the ghost."]),
            ("Clean up", [
                "Clean up (or the Space key) lays all loose pieces out in rows around the edges "
                "of the screen, so the middle of the table is free for building. Joined groups "
                "stay where they are."]),
            ("Rubber-band selection", [
                "Press the mouse button on an empty part of the table and drag: a shaded box "
                "appears. Let go, and the loose pieces inside the box are lifted together. Move "
                "them and click to put them all down at once."]),
            ("Sort up", [
                "Sort up asks first; if you confirm, every piece flies to its place and the "
                "puzzle is finished for you."]),
            ("Save and settings", [
                "Press S during a game to save it to your profile. Options (in the menu and on "
                "the bar) sets the music and sound volume and switches between a window and full "
                "screen."]),
            ("A good way to start", [
                "Find the corner and edge pieces first, build the frame, then fill in the large "
                "areas of one colour."]),
        ],
        "card": [
            ("Get hint", "Bar button or H: two pieces that fit blink red."),
            ("Ghost image", "Shows the finished picture faintly under the pieces."),
            ("Clean up", "Bar button or Space: loose pieces go to the screen edges."),
            ("Rubber band", "Drag on the empty table to lift many pieces at once."),
            ("Sort up", "After you confirm, every piece flies home."),
            ("Save", "Press S to save the game in progress."),
        ],
    },
    {
        "file": "about-and-licences.html", "title": "About and licences", "accent": "#7d3a5c", "icon": "heart",
        "intro": "Orvela Puzzle Game, made by the Orvela Puzzle Game team. Its pictures, interface "
                 "art, music and sounds are original, made by the game's own generators.",
        "sections": [
            ("SDL2", [
                "Window, drawing, input and sound output. Copyright 1997-2023 Sam Lantinga and "
                "contributors. zlib licence:", ZLIB_TEXT]),
            ("libpng", [
                "PNG image decoding. Copyright 1995-2022 The PNG Reference Library Authors. "
                "Distributed under the libpng licence (a permissive licence in the style of the "
                "zlib licence), with zlib under the zlib licence."]),
            ("libjpeg-turbo", [
                "JPEG image decoding. Copyright 1991-2020 Thomas G. Lane, Guido Vollbeding, "
                "D. R. Commander and others. This software is based in part on the work of the "
                "Independent JPEG Group. Distributed under the IJG licence and BSD-style "
                "licences."]),
            ("libogg and libvorbis", [
                "Ogg Vorbis music and sound decoding. Copyright 1994-2020 the Xiph.Org "
                "Foundation. Distributed under the BSD-style 3-clause licence."]),
            ("FreeType", [
                "Font rendering. Portions of this software are copyright 1996-2022 The FreeType "
                "Project (www.freetype.org). All rights reserved. Distributed under the FreeType "
                "licence (FTL)."]),
            ("GoogleTest and Google Benchmark", [
                "Used only to test the game, not shipped with it. Copyright 2008 and 2015-2017 "
                "Google Inc. BSD 3-clause licence (GoogleTest) and Apache License 2.0 (Google "
                "Benchmark)."]),
            ("Font: Comfortaa", [
                "The game's font (gfx/bluehigh.ttf) is Comfortaa Bold by Johan Aakerlund, "
                "copyright 2008-2017 Johan Aakerlund and the Comfortaa Project Authors, with "
                "Reserved Font Name \"Comfortaa\". Licensed under the SIL Open Font License, "
                "Version 1.1; the full licence is shipped beside the font as "
                "gfx/bluehigh-LICENSE.txt."]),
        ],
        "card": [
            ("Orvela Puzzle Game", "Made by the Orvela Puzzle Game team. Original art, music and sounds."),
            ("SDL2", "zlib licence"),
            ("libpng", "libpng licence"),
            ("libjpeg-turbo", "IJG and BSD-style licences"),
            ("libogg, libvorbis", "BSD-style licence"),
            ("FreeType", "FreeType licence"),
            ("GoogleTest, Benchmark", "BSD / Apache 2.0, testing only"),
            ("Font Comfortaa", "SIL Open Font License 1.1"),
        ],
    },
]

CSS = """
body { margin: 0; background: linear-gradient(#3f1c31, #8e3a56 60%, #f4b069); min-height: 100vh;
       font-family: Comfortaa, "Trebuchet MS", Verdana, sans-serif; color: #3a1c10; }
nav { text-align: center; padding: 18px 10px 4px; }
nav a { display: inline-block; margin: 4px 6px; padding: 8px 18px; border-radius: 20px;
        background: linear-gradient(#ffa874, #b9432a); color: #fff5de; text-decoration: none;
        font-weight: bold; border: 2px solid #f5c45e; box-shadow: 0 2px 4px rgba(0,0,0,.35); }
nav a.here { background: linear-gradient(#ffe6a3, #d9952f); color: #3a1c10; }
main { max-width: 760px; margin: 16px auto 40px; background: #fff5de; border: 4px solid #f5c45e;
       border-radius: 22px; box-shadow: 0 8px 24px rgba(0,0,0,.4); overflow: hidden; }
header { padding: 22px 30px 18px; color: #fff5de; }
header h1 { margin: 0; font-size: 2em; text-shadow: 0 2px 3px rgba(0,0,0,.4); }
header p { margin: 8px 0 0; }
section { padding: 4px 30px 6px; }
h2 { margin: 18px 0 6px; font-size: 1.2em; color: #b9432a; }
p { line-height: 1.55; margin: 6px 0; }
p.licence { font-size: .85em; background: #f6e6c4; padding: 10px 14px; border-radius: 10px; }
footer { padding: 14px 30px 22px; font-size: .85em; color: #7d3a5c; }
"""


def write_html(root):
    paths = []
    for page in PAGES:
        nav = " ".join('<a href="%s"%s>%s</a>' % (p["file"], ' class="here"' if p is page else "",
                                                   html.escape(p["title"])) for p in PAGES)
        body = []
        for head, paras in page["sections"]:
            body.append("<section><h2>%s</h2>" % html.escape(head))
            for para in paras:
                cls = ' class="licence"' if para is ZLIB_TEXT else ""
                body.append("<p%s>%s</p>" % (cls, html.escape(para)))
            body.append("</section>")
        doc = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>%(title)s - Orvela Puzzle Game</title>
<style>%(css)s</style>
</head>
<body>
<nav>%(nav)s</nav>
<main>
<header style="background: linear-gradient(%(accent)s, #3f1c31);">
<h1>%(title)s</h1>
<p>%(intro)s</p>
</header>
%(body)s
<footer>Orvela Puzzle Game &middot; made by the Orvela Puzzle Game team</footer>
</main>
</body>
</html>
""" % {"title": html.escape(page["title"]), "css": CSS, "nav": nav, "accent": page["accent"],
       "intro": html.escape(page["intro"]), "body": "\n".join(body)}
        p = os.path.join(root, "docs", page["file"])
        os.makedirs(os.path.dirname(p), exist_ok=True)
        with open(p, "w", encoding="utf-8") as f:
            f.write(doc)
        paths.append(p)
    return paths


def _icon(kind, s, accent):
    """Small round emblem for a card: a jigsaw piece, a light bulb or a heart."""
    layer = G.blank(s, s)

    def disc(ctx, r, dy=0):
        ctx.arc(s / 2, s / 2 + dy, r, 0, 2 * math.pi)
        ctx.set_source_rgb(1, 1, 1)
        ctx.fill()
    G.over(layer, G.colorize(G.blur_transparent(G.cairo_mask(s, s, lambda c: disc(c, s / 2 - 3, 2), 4), 2),
                             (0, 0, 0), 0.45))
    G.over(layer, G.colorize(G.cairo_mask(s, s, lambda c: disc(c, s / 2 - 3), 4), T.GOLD_LIGHT))
    G.over(layer, G.colorize(G.cairo_mask(s, s, lambda c: disc(c, s / 2 - 6), 4), T.CREAM))
    if kind == "piece":
        p = T.jigsaw_piece(s - 14, (1, 1, -1, -1), (T.CORAL_LIGHT, T.CORAL_DARK), angle=0.25)
        G.over(layer, p, 7, 7)
    elif kind == "bulb":
        def bulb(ctx):
            cx, cy = s / 2, s * 0.43
            ctx.arc(cx, cy, s * 0.2, math.pi * 0.75, math.pi * 2.25)
            ctx.line_to(cx + s * 0.08, s * 0.68)
            ctx.line_to(cx - s * 0.08, s * 0.68)
            ctx.close_path()
            ctx.set_source_rgb(1, 1, 1)
            ctx.fill()
        G.over(layer, G.colorize(G.blur_transparent(G.cairo_mask(s, s, bulb, 4), 3), (1, 0.9, 0.4), 0.9))
        G.over(layer, G.colorize(G.cairo_mask(s, s, bulb, 4),
                                 G.vgradient(s, s, [(0.2, (1, 0.97, 0.7)), (0.7, (0.98, 0.78, 0.25))])))
        base = G.rrect_mask(s, s, s / 2 - s * 0.09, s * 0.69, s * 0.18, s * 0.11, 2)
        G.over(layer, G.colorize(base, (0.45, 0.35, 0.3)))
    else:
        def heart(ctx):
            cx, cy, k = s / 2, s * 0.42, s * 0.2
            ctx.move_to(cx, cy + k * 1.6)
            ctx.curve_to(cx - k * 2.2, cy + k * 0.2, cx - k * 1.2, cy - k * 1.4, cx, cy - k * 0.4)
            ctx.curve_to(cx + k * 1.2, cy - k * 1.4, cx + k * 2.2, cy + k * 0.2, cx, cy + k * 1.6)
            ctx.close_path()
            ctx.set_source_rgb(1, 1, 1)
            ctx.fill()
        G.over(layer, G.colorize(G.cairo_mask(s, s, heart, 4),
                                 G.vgradient(s, s, [(0.2, (1, 0.55, 0.6)), (0.8, (0.75, 0.15, 0.3))])))
    return layer


def card_image(page, w, h):
    """A page preview card filling a frame of the more-games screen."""
    layer = G.blank(w, h)
    m = 9
    cw, ch = w - 2 * m, h - 2 * m
    sh = G.rrect_mask(w, h, m, m + 4, cw, ch, 18)
    G.over(layer, G.colorize(G.blur_transparent(sh, 5), (0, 0, 0), 0.5))
    G.over(layer, G.colorize(G.rrect_mask(w, h, m, m, cw, ch, 18),
                             G.vgradient(h, w, [(0, T.GOLD_LIGHT), (1, T.GOLD_DARK)])))
    paper = G.rrect_mask(w, h, m + 3, m + 3, cw - 6, ch - 6, 15)
    G.over(layer, G.colorize(paper, G.vgradient(h, w, [(0, T.CREAM), (1, G.hexrgb("#f6e2b8"))])))
    acc = G.hexrgb(page["accent"])
    head_h = 104
    yy = np.arange(h, dtype=np.float32)[:, None] * np.ones((1, w), np.float32)
    band = paper * (yy < m + 3 + head_h)
    G.over(layer, G.colorize(band, G.vgradient(h, w, [(0, T.brighten(acc, 0.15)),
                                                      ((m + head_h) / h, tuple(c * 0.7 for c in acc)),
                                                      (1, acc)])))
    icon = _icon(page["icon"], 54, acc)
    G.over(layer, icon, (w - 54) // 2, m + 8)
    G.label(layer, page["title"], 18, w / 2, m + 84, T.CREAM, anchor="mm", ss=2,
            shadow=(0, 2, 1.2, 0.6))
    y = m + head_h + 16
    tx = m + 16
    tw = cw - 32
    for head, text in page["card"]:
        G.label(layer, head, 13, tx, y, tuple(c * 0.85 for c in acc), anchor="la")
        y += 18
        for line in G.wrap_lines(text, 12, tw):
            G.label(layer, line, 12, tx, y, T.BROWN_DARK, anchor="la")
            y += 16
        y += 8
    if y > h - m - 30:
        raise RuntimeError("card text of %s does not fit (%d)" % (page["title"], y))
    G.label(layer, "Click to read the page", 11, w / 2, h - m - 20, tuple(c * 0.8 for c in acc),
            anchor="mm")
    return layer
