"""The game's font: Comfortaa Bold from Debian's fonts-comfortaa package,
copied to gfx/bluehigh.ttf with its copyright notice and the SIL Open Font
License beside it (gfx/bluehigh-LICENSE.txt)."""
import gzip
import shutil

import gfxlib as G

OFL_GZ = "/usr/share/doc/fonts-comfortaa/OFL.txt.gz"
OFL_TXT = "/usr/share/doc/fonts-comfortaa/OFL.txt"

HEADER = """gfx/bluehigh.ttf is Comfortaa Bold, unmodified, as packaged by Debian
(fonts-comfortaa, /usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf).
The game loads it under the file name bluehigh.ttf; the font itself keeps
its own name, Comfortaa.

Copyright 2008-2017 Johan Aakerlund <aajohan@gmail.com>
Copyright 2011 The Comfortaa Project Authors (aajohan@gmail.com),
with Reserved Font Name "Comfortaa".

This Font Software is licensed under the SIL Open Font License, Version 1.1.
The licence follows.

"""


def build(manifest):
    shutil.copyfile(G.FONT_SOURCE, G.out_path("gfx/bluehigh.ttf"))
    try:
        with gzip.open(OFL_GZ, "rt", encoding="utf-8") as f:
            ofl = f.read()
    except FileNotFoundError:
        with open(OFL_TXT, encoding="utf-8") as f:
            ofl = f.read()
    with open(G.out_path("gfx/bluehigh-LICENSE.txt"), "w", encoding="utf-8", newline="\n") as f:
        f.write(HEADER + ofl)


if __name__ == "__main__":
    build([])
