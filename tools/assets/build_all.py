#!/usr/bin/python3
"""Rebuild every asset of the game: font, interface images, backgrounds,
puzzle pictures, credits fragments and layout, help pages, music and sound
effects; then write tools/assets/manifest.json and the contact sheet
docs/assets-preview.png and run the checks (sizes, no exact-black pixels
in JPEGs, detail in the puzzle pictures, no clipping, total size).

Usage:  /usr/bin/python3 tools/assets/build_all.py [--skip-audio]
"""
import json
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path.insert(0, HERE)

import numpy as np  # noqa: E402
from PIL import Image  # noqa: E402

import gfxlib as G  # noqa: E402
import make_audio  # noqa: E402
import make_backgrounds  # noqa: E402
import make_credits  # noqa: E402
import make_font  # noqa: E402
import make_frame  # noqa: E402
import make_gui  # noqa: E402
import make_icons  # noqa: E402
import pages  # noqa: E402
import pic_fractal  # noqa: E402
import pic_harbour  # noqa: E402
import pic_landscape  # noqa: E402
import pic_reef  # noqa: E402

ROOT = G.ROOT
PICTURES = [("gfx/puzzle/obr1.jpg", pic_landscape, (4, 3)), ("gfx/puzzle/obr2.jpg", pic_harbour, (10, 8)),
            ("gfx/puzzle/obr3.jpg", pic_reef, (6, 5)), ("gfx/puzzle/obr4.jpg", pic_fractal, (8, 6))]
LIMIT_BYTES = 12 * 1024 * 1024


def cell_check(rel, cols, rows):
    """Every cell of the piece grid must show detail (no flat areas) and
    differ from its neighbours; returns the weakest values found."""
    a = np.asarray(Image.open(os.path.join(ROOT, rel)).convert("RGB"), np.float32)
    h, w = a.shape[:2]
    cw, ch = w // cols, h // rows
    cells = [[a[r * ch:(r + 1) * ch, c * cw:(c + 1) * cw] for c in range(cols)] for r in range(rows)]
    min_std, min_diff = 1e9, 1e9
    for r in range(rows):
        for c in range(cols):
            cell = cells[r][c]
            min_std = min(min_std, float(cell.std(axis=(0, 1)).mean()))
            for dr, dc in ((0, 1), (1, 0)):
                if r + dr < rows and c + dc < cols:
                    d = float(np.abs(cell - cells[r + dr][c + dc]).mean())
                    min_diff = min(min_diff, d)
    return min_std, min_diff


def contact_sheet(entries):
    """All image assets on one page, each scaled into a labelled tile."""
    imgs = [e for e in entries if e[0].endswith((".png", ".jpg"))]
    tile_w, tile_h, lab = 150, 120, 16
    cols = 8
    rows = (len(imgs) + cols - 1) // cols
    W, H = cols * tile_w, rows * (tile_h + lab) + 40
    sheet = Image.new("RGBA", (W, H), (46, 20, 36, 255))
    from PIL import ImageDraw
    d = ImageDraw.Draw(sheet)
    d.text((10, 10), "Orvela Puzzle Game - image assets (%d files)" % len(imgs), fill=(255, 230, 163),
           font=G.font(16))
    checker = Image.new("RGBA", (tile_w - 8, tile_h - 8), (120, 80, 60, 255))
    cd = ImageDraw.Draw(checker)
    for y in range(0, tile_h, 8):
        for x in range(0, tile_w, 8):
            if (x // 8 + y // 8) % 2:
                cd.rectangle([x, y, x + 7, y + 7], fill=(150, 110, 80, 255))
    for k, (rel, w, h, frames) in enumerate(imgs):
        x0 = (k % cols) * tile_w
        y0 = 40 + (k // cols) * (tile_h + lab)
        sheet.alpha_composite(checker, (x0 + 4, y0 + 4))
        im = Image.open(os.path.join(ROOT, rel)).convert("RGBA")
        sc = min((tile_w - 12) / im.width, (tile_h - 12) / im.height, 2.0)
        im = im.resize((max(1, int(im.width * sc)), max(1, int(im.height * sc))), Image.LANCZOS)
        sheet.alpha_composite(im, (x0 + (tile_w - im.width) // 2, y0 + (tile_h - im.height) // 2))
        name = rel.replace("gfx/", "")
        d.text((x0 + 4, y0 + tile_h), name[-24:], fill=(255, 245, 222), font=G.font(10))
    sheet.convert("RGB").save(os.path.join(ROOT, "docs/assets-preview.png"), optimize=True)


def main():
    skip_audio = "--skip-audio" in sys.argv
    manifest = []
    report = []
    make_font.build(manifest)
    make_gui.build(manifest)
    make_icons.build()
    make_frame.build(manifest)
    make_backgrounds.build(manifest)
    for rel, mod, (cols, rows) in PICTURES:
        G.save_jpeg(mod.render(), rel, quality=92)
        manifest.append((rel, 640, 480, 1))
    make_credits.build(manifest)
    pages.write_html(ROOT)
    if not skip_audio:
        make_audio.build(report)

    # manifest of every shipped data file
    files = []
    for rel, w, h, frames in manifest:
        files.append({"path": rel, "width": w, "height": h, "frames": frames,
                      "frame_width": w // frames, "frame_height": h})
    for rel in ("gfx/bluehigh.ttf", "gfx/bluehigh-LICENSE.txt", "dane/credits.tsc", "sfx/puzzle.ogg",
                "sfx/tamli-klik-over1.ogg", "sfx/info.ogg", "sfx/tamli-info-good.ogg", "sfx/tamli-info-bad.ogg"):
        files.append({"path": rel})
    with open(os.path.join(HERE, "manifest.json"), "w", newline="\n") as f:
        json.dump({"files": files}, f, indent=1, sort_keys=True)
        f.write("\n")
    os.makedirs(os.path.join(ROOT, "docs"), exist_ok=True)
    contact_sheet(manifest)

    # checks
    problems = []
    for e in files:
        p = os.path.join(ROOT, e["path"])
        if not os.path.exists(p):
            problems.append("missing " + e["path"])
            continue
        if "width" in e:
            im = Image.open(p)
            if im.size != (e["width"], e["height"]):
                problems.append("%s is %dx%d" % (e["path"], im.size[0], im.size[1]))
            if e["path"].endswith(".jpg"):
                black = int(np.all(np.asarray(im.convert("RGB")) == 0, axis=-1).sum())
                if black:
                    problems.append("%s has %d exact-black pixels" % (e["path"], black))
    for rel, _, (cols, rows) in PICTURES:
        s, d = cell_check(rel, cols, rows)
        report.append("%s: %dx%d cells, weakest cell detail %.1f, weakest neighbour difference %.1f"
                      % (rel, cols, rows, s, d))
        if s < 8 or d < 8:
            problems.append("%s has a cell that is too plain or too like its neighbour" % rel)
    total = 0
    for top in ("gfx", "sfx", "dane"):
        for dp, _, fns in os.walk(os.path.join(ROOT, top)):
            total += sum(os.path.getsize(os.path.join(dp, fn)) for fn in fns)
    report.append("data size: %.2f MB (gfx, sfx, dane)" % (total / 1024 / 1024))
    if total > LIMIT_BYTES:
        problems.append("data is over 12 MB")
    print("\n".join(report))
    if problems:
        print("PROBLEMS:\n  " + "\n  ".join(problems))
        sys.exit(1)
    print("all assets built; %d image files, manifest at tools/assets/manifest.json" % len(manifest))


if __name__ == "__main__":
    main()
