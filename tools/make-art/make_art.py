#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws every picture of the game from the Noto emoji artwork.

Usage: make_art.py ICONS_JSON REPO_DIR [--nur-woerter]

With --nur-woerter only the word pictures (db/ and the collections under sammlungen/) and
their contact sheets are drawn; the scene's pictures stay as they are.

ICONS_JSON is the icons.json of the npm package @iconify-json/noto (one SVG
body per emoji on a 128 x 128 view box).  Pictures are rendered with
rsvg-convert and finished with Pillow; the extras the emoji set lacks (fence,
grass, chest, the robber's mask and striped shirt, ...) are drawn here as SVG
in the same flat style.
"""
import io
import json
import os
import re
import subprocess
import sys
import shutil
import unicodedata

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from words import COLLECTIONS, WORDS  # noqa: E402

SKY = (128, 255, 255)
SKY_HEX = "#80ffff"

# The scene's pictures are drawn once at their own size and again at these factors, named
# the way Qt names variants for high-density screens (hut1@2x.gif beside hut1.gif). Four
# times would add 15 MB of uncompressed BMP (the grass alone 7.7 MB), most of it compiled
# into the program, for the few screens where the scene is drawn larger than twice.
VARIANTS = (2,)
# The factor the pictures are being drawn at: every size below is given at factor 1.
_scale = [1]

# --------------------------------------------------------------------------
# Emoji access and rendering

ICONS = {}
ALIASES = {}
_uid = [0]


def load_icons(path):
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    ICONS.update(data["icons"])
    ALIASES.update(data.get("aliases", {}))


def emoji(name, x=0, y=0, size=128, flip=False, rotate=0, extra=""):
    """SVG group that draws one emoji into the square (x, y, size).

    Gradient ids are made unique, so one picture may hold several emoji.
    """
    while name not in ICONS:
        name = ALIASES[name]["parent"]
    body = ICONS[name]["body"]
    _uid[0] += 1
    tag = "e%d_" % _uid[0]
    body = re.sub(r'id="([^"]+)"', lambda m: 'id="%s%s"' % (tag, m.group(1)), body)
    body = re.sub(r'url\(#([^)]+)\)', lambda m: "url(#%s%s)" % (tag, m.group(1)), body)
    body = re.sub(r'href="#([^"]+)"', lambda m: 'href="#%s%s"' % (tag, m.group(1)), body)
    s = size / 128.0
    t = "translate(%g %g)" % (x, y)
    if rotate:
        t += " rotate(%g %g %g)" % (rotate, size / 2, size / 2)
    t += " scale(%g)" % s
    if flip:
        t += " translate(128 0) scale(-1 1)"
    return '<g transform="%s" %s>%s</g>' % (t, extra, body)


def svg_doc(inner, vb, w, h):
    return ('<svg xmlns="http://www.w3.org/2000/svg" '
            'xmlns:xlink="http://www.w3.org/1999/xlink" '
            'viewBox="%g %g %g %g" width="%d" height="%d">%s</svg>'
            % (vb[0], vb[1], vb[2], vb[3], w, h, inner))


def render(inner, w, h, vb=None):
    """Renders SVG markup (in view box coordinates) to an RGBA image of w x h pixels times
    the current factor."""
    vb = vb or (0, 0, w, h)
    doc = svg_doc(inner, vb, w * _scale[0], h * _scale[0])
    png = subprocess.run(["rsvg-convert", "-f", "png"], input=doc.encode("utf-8"),
                         stdout=subprocess.PIPE, check=True).stdout
    return Image.open(io.BytesIO(png)).convert("RGBA")


# --------------------------------------------------------------------------
# Writers

def on_sky(img):
    bg = Image.new("RGBA", img.size, SKY + (255,))
    bg.alpha_composite(img)
    return bg.convert("RGB")


def save_bmp(img, path):
    """24-bit BMP, anything transparent shows the sky colour."""
    on_sky(img).save(path, format="BMP")


def save_gif(img, path):
    """GIF with one transparent colour.

    Edge pixels are blended with the sky colour before quantising and the
    alpha is cut at one half, so no dark or white fringe shows on the screen.
    """
    rgb = on_sky(img)
    opaque = img.getchannel("A").point(lambda a: 255 if a >= 128 else 0)
    pal = rgb.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    idx = pal.load()
    mask = opaque.load()
    for yy in range(img.height):
        for xx in range(img.width):
            if not mask[xx, yy]:
                idx[xx, yy] = 255
    palette = pal.getpalette()[:255 * 3]
    palette += [0] * (255 * 3 - len(palette))
    palette += list(SKY)
    pal.putpalette(palette)
    pal.save(path, format="GIF", transparency=255, optimize=False)


def save_png(img, path):
    img.save(path, format="PNG", optimize=True)


# --------------------------------------------------------------------------
# The robber: the Noto walking person in a striped shirt, dark trousers, a
# beanie and an eye mask, with a loot bag on his back.  Coordinates are those
# of the emoji's 128 x 128 box; he faces right.

STRIPES = ('<pattern id="stripes" patternUnits="userSpaceOnUse" width="8" height="7.5">'
           '<rect width="8" height="7.5" fill="#fafafa"/>'
           '<rect width="8" height="3.75" fill="#263238"/></pattern>')

RECOLOUR = {
    "#616161": "#37474f", "#7c7c7c": "#455a64",   # trousers
    "#4568ad": "#4e342e", "#325599": "#3e2723",   # shoes
    "#543930": "#3e2723",                          # hair under the beanie
}


def robber_body(legs=True):
    name = "person-walking-facing-right"
    body = ICONS[name]["body"]
    # the shirt: its gradient and the sleeve become stripes
    grad = re.search(r'<linearGradient id="([^"]+)"[^>]*>(?:(?!</linearGradient>).)*#f78c1f',
                     body, re.S).group(1)
    body = body.replace('fill="url(#%s)"' % grad, 'fill="url(#stripes)"')
    body = body.replace('fill="#ed6d23"', 'fill="url(#stripes)"')
    for old, new in RECOLOUR.items():
        body = body.replace('fill="%s"' % old, 'fill="%s"' % new)
    if not legs:
        # drop the striding legs and shoes, standing legs are drawn instead
        for colour in ("#37474f", "#455a64", "#4e342e", "#3e2723"):
            body = re.sub(r'<path fill="%s" d="[^"]*"/>' % colour,
                          lambda m: m.group(0) if colour == "#3e2723" and "M57.34" in m.group(0) else "",
                          body)
    return body


def robber(walking=True, bag=True, bag_full=False):
    """SVG of the robber in the emoji's 128 box (he spans about x 28..92)."""
    parts = ["<defs>%s</defs>" % STRIPES]
    if bag:
        # the loot bag hangs on his back, drawn behind him
        parts.append(emoji("money-bag", 26 if not bag_full else 22, 28 if not bag_full else 24,
                           36 if not bag_full else 42, rotate=-18))
    if not walking:
        parts.append(
            '<rect x="60.5" y="66" width="9" height="51" rx="3" fill="#37474f"/>'
            '<rect x="69" y="66" width="10" height="51" rx="3" fill="#455a64"/>'
            '<path d="M60 114h9.5v8.5h-12.5c0-5 1-8.5 3-8.5z" fill="#3e2723"/>'
            '<path d="M69 114h10c5 0 8 3 8.5 8.5h-18.5z" fill="#4e342e"/>')
    parts.append(robber_body(legs=walking))
    # beanie
    parts.append('<path d="M56 17c-1-9 7-15 16-15s15 5 14.5 14.5z" fill="#263238"/>'
                 '<rect x="55" y="13.5" width="32.5" height="5.5" rx="2.5" fill="#37474f"/>'
                 '<circle cx="69" cy="3.5" r="3" fill="#37474f"/>')
    # eye mask with its knot at the back of the head
    parts.append('<path d="M60 20.5c8-2 17-2.5 25.5-1.5l.3 7.5c-8.5-1-17-.5-25.8 1.5z" fill="#212121"/>'
                 '<path d="M60.5 21l-5.5-3l1 5.5zM60.5 25l-5 4.5l5.5-.5z" fill="#212121"/>'
                 '<ellipse cx="78.4" cy="23.2" rx="3.1" ry="2.5" fill="#fff"/>'
                 '<ellipse cx="79" cy="23.4" rx="1.5" ry="1.8" fill="#212121"/>')
    return "".join(parts)


ROBBER_VB = (3.0, 0.0, 124 * 77 / 84.0, 124.0)


def robber_picture(walking):
    return render(robber(walking=walking), 77, 84, ROBBER_VB)


# --------------------------------------------------------------------------
# The treasure chest, drawn in a 64 x 84 box (twice its size on screen).

def chest(state="closed"):
    wood, dark, lid, gold, gold2 = "#a0642c", "#6d3f1a", "#b8793a", "#ffca28", "#f9a825"
    body = ('<rect x="4" y="46" width="56" height="36" rx="4" fill="%s"/>'
            '<rect x="4" y="60" width="56" height="2.5" fill="%s"/>'
            '<rect x="4" y="72" width="56" height="2.5" fill="%s"/>'
            '<rect x="12" y="46" width="6" height="36" fill="%s"/>'
            '<rect x="46" y="46" width="6" height="36" fill="%s"/>'
            % (wood, dark, dark, gold, gold))
    if state == "closed":
        top = ('<path d="M4 48V34c0-8 12-13 28-13s28 5 28 13v14z" fill="%s"/>'
               '<path d="M12 48V25.5l6-1.6V48zM46 48V23.9l6 1.6V48z" fill="%s"/>'
               '<rect x="3" y="43" width="58" height="6" rx="2" fill="%s"/>'
               '<rect x="26" y="40" width="12" height="15" rx="2" fill="%s"/>'
               '<path d="M32 44.5a2 2 0 0 1 1 3.7l.8 3.3h-3.6l.8-3.3a2 2 0 0 1 1-3.7z" fill="#4e342e"/>'
               % (lid, gold, gold2, gold))
        return body + top
    # open: the lid stands up behind the chest, the inside is dark
    lid_up = ('<path d="M7 44l3-30c0-4 10-7 22-7s22 3 22 7l3 30z" fill="%s"/>'
              '<path d="M10 42l2.5-27c0-2.5 9-5 19.5-5s19.5 2.5 19.5 5l2.5 27z" fill="%s"/>'
              '<path d="M13 43l2-30 5-1-1.5 31zM45.5 43l-1.5-31 5 1 2 30z" fill="%s"/>'
              % (lid, dark, gold))
    inside = '<rect x="5" y="42" width="54" height="8" rx="3" fill="#3e2723"/>'
    treasure = ""
    if state == "full":
        coins = "".join('<circle cx="%g" cy="%g" r="5" fill="%s" stroke="#f57f17" stroke-width="1"/>'
                        % (x, y, gold) for x, y in ((14, 44), (22, 41), (31, 43), (40, 40),
                                                   (49, 44), (27, 38), (36, 36), (18, 37)))
        treasure = coins + ('<path d="M44 30l5 5-5 6-5-6z" fill="#e53935"/>'
                            '<path d="M22 30l4.5 4-4.5 5-4.5-5z" fill="#42a5f5"/>')
    rim = '<rect x="3" y="44" width="58" height="5" rx="2" fill="%s"/>' % gold2
    return lid_up + inside + treasure + rim + body


def chest_picture(state="closed"):
    return render(chest(state), 32, 42, (0, 0, 64, 84))


# --------------------------------------------------------------------------
# Scenery

def fence():
    wood, shade, rail = "#d7a060", "#b07a3c", "#9c6a34"
    parts = ['<rect x="0" y="40" width="200" height="10" rx="2" fill="%s"/>' % rail,
             '<rect x="0" y="70" width="200" height="10" rx="2" fill="%s"/>' % rail]
    for i in range(7):
        x = 3 + i * 30
        parts.append('<path d="M%g 97V26l8-10 8 10v71z" fill="%s"/>' % (x, wood))
        parts.append('<path d="M%g 97V26l-4-5v76z" fill="%s"/>' % (x + 16, shade))
        parts.append('<circle cx="%g" cy="45" r="1.6" fill="#5d4037"/>'
                     '<circle cx="%g" cy="75" r="1.6" fill="#5d4037"/>' % (x + 8, x + 8))
    return render("".join(parts), 200, 100)


def grass():
    """The ground: light meadow with darker tufts, a dark band as horizon."""
    import random
    rnd = random.Random(7)
    k = _scale[0]
    light, dark = (124, 196, 66), (67, 140, 42)
    img = Image.new("RGB", (800 * k, 200 * k), light)
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, 800 * k - 1, 3 * k - 1), fill=dark)
    for yy in range(14, 200, 16):
        for xx in range(-10, 810, 22):
            x = xx + rnd.randint(-6, 6) + (11 if (yy // 16) % 2 else 0)
            y = yy + rnd.randint(-3, 3)
            h = rnd.randint(5, 8)
            for line in ((x, y, x - 3, y - h), (x + 1, y, x + 1, y - h - 2), (x + 2, y, x + 5, y - h)):
                d.line(tuple(v * k for v in line), fill=dark, width=2 * k)
    return img


def tick_cross(kind):
    if kind == "tick":
        svg = ('<circle cx="10" cy="10" r="9.5" fill="#1b5e20"/>'
               '<path d="M5 10.5l3.5 3.5 6.5-7.5" fill="none" stroke="#8bf06a" '
               'stroke-width="2.6" stroke-linecap="round" stroke-linejoin="round"/>')
    else:
        svg = ('<circle cx="10" cy="10" r="9.5" fill="#e53935"/>'
               '<path d="M6 6l8 8M14 6l-8 8" stroke="#000" stroke-width="2.6" '
               'stroke-linecap="round"/>')
    return render(svg, 20, 20)


# --------------------------------------------------------------------------
# End sequences

def sparkle(x, y, s, colour="#ffd54f"):
    return ('<path transform="translate(%g %g) scale(%g)" d="M0-10C1-3 3-1 10 0C3 1 1 3 0 10'
            'C-1 3-3 1-10 0C-3-1-1-3 0-10z" fill="%s"/>' % (x, y, s / 10.0, colour))


def hat_frame(n):
    """Victory: the robber is gone, a magic hat wobbles and a rabbit jumps out.

    Drawn in a 120 x 100 box, the picture is 100 x 84 (feet line = bottom)."""
    hat_x, hat_y, hat_s = 22, 40, 64   # the hat's emoji square
    p = []
    tilt = {1: -7, 2: 7}.get(n, 0)
    if n == 4:   # ears peek out
        p.append(emoji("rabbit-face", 34, 16, 52))
    if n == 5:   # head out
        p.append(emoji("rabbit-face", 30, 2, 58))
    p.append(emoji("top-hat", hat_x, hat_y, hat_s, rotate=tilt))
    if n in (1, 2):
        side = 12 if n == 1 else 104
        p.append(sparkle(side, 38, 9) + sparkle(60, 28, 6, "#fff59d"))
    if n == 3:
        p.append(emoji("magic-wand", 60, 2, 50, flip=False))
        p.append(sparkle(34, 30, 8) + sparkle(20, 50, 5, "#fff59d"))
    if n == 5:
        p.append(sparkle(16, 22, 8) + sparkle(104, 18, 8, "#fff59d"))
    if n == 6:
        p.append(emoji("rabbit", 28, 0, 56))
        p.append(sparkle(12, 40, 9) + sparkle(108, 30, 9, "#fff59d") + sparkle(96, 6, 6))
    if n == 7:
        p = [emoji("top-hat", 4, 46, 56)]
        p.append(emoji("rabbit", 58, 34, 64))
        p.append(emoji("red-heart", 62, 4, 26) + sparkle(106, 14, 8) + sparkle(14, 30, 7, "#fff59d"))
    return render("".join(p), 100, 84, (0, 0, 120, 100.8))


# The robber ends the defeat next to the chest: the chest stands 58 px right
# and 54 px below his top-left corner, so the pictures draw it there too and
# are 140 x 100 px (the right edge stays inside the window).
CHEST_AT = (58, 54)


def defeat_frame(n):
    # 128-unit robber box to pixels: 84 px high from the box's 124 units
    s = 84 / 124.0
    def robber_at(x, svg):
        return '<g transform="translate(%g 0) scale(%g) translate(%g %g)">%s</g>' % (
            x, s, -ROBBER_VB[0], -ROBBER_VB[1], svg)
    state = {1: "closed", 2: "full", 3: "full"}.get(n, "empty")
    box = '<g transform="translate(%d %d) scale(0.5)">%s</g>' % (CHEST_AT[0], CHEST_AT[1], chest(state))
    p = []
    if n == 1:
        p.append(robber_at(0, robber(walking=False)) + box + sparkle(84, 44, 6))
    elif n == 2:
        p.append(robber_at(0, robber(walking=False)) + box + sparkle(64, 46, 6) + sparkle(88, 42, 7, "#fff59d"))
    elif n == 3:
        p.append(box + robber_at(6, robber(walking=False, bag_full=True)))
        p.append(emoji("coin", 44, 30, 16) + sparkle(70, 40, 6))
    elif n == 4:
        p.append(box + robber_at(30, robber(walking=True, bag_full=True)) + sparkle(36, 24, 6))
    else:
        p.append(box + robber_at(62, robber(walking=True, bag_full=True)))
        p.append(emoji("dashing-away", 40, 50, 28, flip=True))
    return render("".join(p), 140, 100)


# --------------------------------------------------------------------------
# The assistant: the Noto owl.  Frame 1 is the calm pose of both reactions.

def owl(n, happy):
    dx, dy, rot = 0, 0, 0
    extra = ""
    if n > 1 and happy:
        dy = {2: -6, 3: -10, 4: -6, 5: -2}[n]
        rot = {2: 0, 3: 0, 4: -8, 5: 8}[n]
        # eyes squeezed into happy arcs
        extra = ('<circle cx="48" cy="40.5" r="11.5" fill="#d0805f"/><circle cx="79" cy="40.5" r="11.5" fill="#d0805f"/>'
                 '<path d="M40 44q8-11 16 0M71 44q8-11 16 0" fill="none" stroke="#303232" '
                 'stroke-width="4" stroke-linecap="round"/>')
    if n > 1 and not happy:
        rot = {2: -10, 3: 10, 4: -10, 5: 0}[n]
        dy = 3 if n == 5 else 0
        extra = ('<path d="M37 31l18-6M73 25l18 6" stroke="#3e2723" stroke-width="4" stroke-linecap="round"/>'
                 '<path d="M84 50c-3 5-4 8-1.5 10s5-1 4-3.5z" fill="#4fc3f7"/>')
    inner = '<g transform="translate(%g %g) rotate(%g 64 70)">%s%s</g>' % (
        dx, dy, rot, emoji("owl"), extra)
    if n > 1 and happy:
        inner += sparkle(14, 20 + 4 * (n % 2), 9) + sparkle(114, 30 - 4 * (n % 2), 8, "#fff59d")
        if n in (3, 5):
            inner += sparkle(110, 100, 6) + sparkle(18, 96, 6, "#fff59d")
    return render(inner, 100, 100, (-6, -6, 140, 140))


# --------------------------------------------------------------------------
# The college logo of the splash screen (vector, 236 x 55)

LOGO = """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="236" height="55" viewBox="0 0 236 55">
  <title>Pädagogische Hochschule Lindental</title>
  <g transform="translate(27.5 27.5)">
    <circle r="25" fill="#2e7d32"/>
    <path d="M0 15C-12 6-15-4-9-10c4-4 8-2 9 1c1-3 5-5 9-1c6 6 3 16-9 25z" fill="#c5e1a5"/>
    <path d="M0 15V-4M0 4l-5-5M0 9l5-5" stroke="#2e7d32" stroke-width="1.6" fill="none"
          stroke-linecap="round"/>
    <path d="M0 15v7" stroke="#c5e1a5" stroke-width="2" stroke-linecap="round"/>
  </g>
  <text x="60" y="22" font-family="Liberation Sans, Arial, sans-serif" font-size="13"
        fill="#37474f">Pädagogische Hochschule</text>
  <text x="59" y="46" font-family="Liberation Sans, Arial, sans-serif" font-size="23"
        font-weight="bold" fill="#2e7d32">Lindental</text>
</svg>
"""


# --------------------------------------------------------------------------
# Review sheets

FONT = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"


def contact_sheet(assets, out, words_folder="db", scene=True):
    """The game's pictures (with scene) and the word pictures of one folder under assets."""
    font = ImageFont.truetype(FONT, 12)
    tiles = []
    for sub in ("bilder", "layout") if scene else ():
        for name in sorted(os.listdir(os.path.join(assets, sub))):
            if name.lower().endswith((".gif", ".bmp", ".png")) and "@" not in name:
                tiles.append((name, Image.open(os.path.join(assets, sub, name)).convert("RGBA")))
    words = []
    folder = os.path.join(assets, words_folder)
    for name in sorted(os.listdir(folder)):
        words.append((os.path.splitext(name)[0], Image.open(os.path.join(folder, name)).convert("RGBA")))
    cell = 210
    cols = 8
    rows_a = (len(tiles) + cols - 1) // cols
    wcell, wcols = 110, 14
    rows_b = (len(words) + wcols - 1) // wcols
    sheet = Image.new("RGB", (max(cols * cell, wcols * wcell + 10),
                              rows_a * (cell + 18) + rows_b * (wcell + 18) + 10), SKY)
    d = ImageDraw.Draw(sheet)
    for i, (name, im) in enumerate(tiles):
        x, y = (i % cols) * cell, (i // cols) * (cell + 18)
        if im.width > 200:
            im = im.resize((200, im.height * 200 // im.width))
        elif max(im.size) <= 100:   # small ones twice as large, to see the edges
            im = im.resize((im.width * 2, im.height * 2), Image.NEAREST)
        sheet.paste(im, (x + 5, y + 5), im)
        d.text((x + 5, y + cell), name, fill=(0, 0, 0), font=font)
    top = rows_a * (cell + 18) + 10
    for i, (word, im) in enumerate(words):
        x, y = (i % wcols) * wcell + 5, top + (i // wcols) * (wcell + 18)
        im = im.resize((100, 100), Image.LANCZOS)
        sheet.paste(im, (x, y), im)
        d.text((x + 2, y + 101), word, fill=(0, 0, 0), font=font)
    sheet.save(out)


def scene(assets, out):
    lay = lambda n: Image.open(os.path.join(assets, "layout", n)).convert("RGBA")
    img = Image.new("RGBA", (790, 573), SKY + (255,))
    img.alpha_composite(lay("grass.bmp").crop((8, 0, 798, 197)), (0, 376))
    img.paste(lay("sun.bmp").resize((113, 113), Image.LANCZOS), (608, 0))
    bild = lambda n: Image.open(os.path.join(assets, "bilder", n)).convert("RGBA")
    img.alpha_composite(lay("chest.gif"), (704, 350))
    img.alpha_composite(lay("robber.gif"), (0, 296))
    # the robber once more walking behind the fence, and a victory and a
    # defeat picture where they would be shown (the defeat one at the
    # robber's last place, 646 px)
    img.alpha_composite(bild("räuberrechtsgeht.gif"), (330, 296))
    img.alpha_composite(bild("hut6.gif"), (160, 296))
    img.alpha_composite(bild("bei_sieg_3.gif"), (646, 296))
    img.alpha_composite(lay("mushroom.gif"), (56, 312))
    img.alpha_composite(lay("fence.gif"), (280, 288))
    img.alpha_composite(lay("tree.gif"), (416, 232))
    for i in range(15):
        img.alpha_composite(lay("tick.bmp"), (208 + 16 * i, 8))
        img.alpha_composite(lay("cross.bmp"), (208 + 16 * i, 32))
    img.convert("RGB").save(out)


# --------------------------------------------------------------------------

def named(name, suffix):
    """hut1.gif with suffix @2x is hut1@2x.gif."""
    stem, ext = os.path.splitext(name)
    return stem + suffix + ext


def scene_pictures(bilder, layout, suffix):
    """Draws the pictures of the scene and its end sequences at the current factor."""
    standing, walking = robber_picture(False), robber_picture(True)
    save_gif(standing, os.path.join(bilder, named("räuberrechts.gif", suffix)))
    save_gif(walking, os.path.join(bilder, named("räuberrechtsgeht.gif", suffix)))
    save_gif(chest_picture(), os.path.join(bilder, named("Schatztruheeeee.gif", suffix)))
    for n in range(1, 8):
        save_gif(hat_frame(n), os.path.join(bilder, named("hut%d.gif" % n, suffix)))
    for n in range(1, 6):
        save_gif(defeat_frame(n), os.path.join(bilder, named("bei_sieg_%d.gif" % n, suffix)))
    for n in range(1, 6):
        save_bmp(owl(n, True), os.path.join(bilder, named("assistent_richtig_%d.bmp" % n, suffix)))
        save_bmp(owl(n, False), os.path.join(bilder, named("assistent_fehler_%d.bmp" % n, suffix)))

    save_gif(standing, os.path.join(layout, named("robber.gif", suffix)))
    save_gif(chest_picture(), os.path.join(layout, named("chest.gif", suffix)))
    save_gif(render(emoji("mushroom", 28, 4, 92) + emoji("mushroom", 112, 44, 52, flip=True), 200, 100),
             os.path.join(layout, named("mushroom.gif", suffix)))
    save_gif(render(emoji("deciduous-tree"), 200, 200, (0, 0, 128, 128)),
             os.path.join(layout, named("tree.gif", suffix)))
    save_gif(fence(), os.path.join(layout, named("fence.gif", suffix)))
    save_bmp(render(emoji("sun"), 200, 200, (0, 0, 128, 128)), os.path.join(layout, named("sun.bmp", suffix)))
    grass().save(os.path.join(layout, named("grass.bmp", suffix)), format="BMP")
    save_bmp(tick_cross("tick"), os.path.join(layout, named("tick.bmp", suffix)))
    save_bmp(tick_cross("cross"), os.path.join(layout, named("cross.bmp", suffix)))


def word_pictures(db, sammlungen):
    """Draws every word into db/ and copies it into each collection it belongs to; files of
    words no longer drawn are taken away."""
    wanted = set()
    for word, name in WORDS:
        fname = unicodedata.normalize("NFC", word) + ".png"
        wanted.add(fname)
        save_png(render(emoji(name), 200, 200, (0, 0, 128, 128)), os.path.join(db, fname))
    for old in os.listdir(db):
        if old not in wanted:
            os.remove(os.path.join(db, old))
    if os.path.isdir(sammlungen):
        shutil.rmtree(sammlungen)
    for title, members in COLLECTIONS.items():
        folder = os.path.join(sammlungen, unicodedata.normalize("NFC", title))
        os.makedirs(folder)
        for word in members:
            fname = unicodedata.normalize("NFC", word) + ".png"
            shutil.copyfile(os.path.join(db, fname), os.path.join(folder, fname))


def main():
    args = [a for a in sys.argv[1:] if a != "--nur-woerter"]
    if len(args) != 2 or len(sys.argv) > 4:
        sys.exit(__doc__)
    words_only = len(args) != len(sys.argv) - 1
    load_icons(args[0])
    repo = args[1]
    assets = os.path.join(repo, "assets")
    bilder = os.path.join(assets, "bilder")
    layout = os.path.join(assets, "layout")
    db = os.path.join(assets, "db")
    sammlungen = os.path.join(assets, "sammlungen")
    docs = os.path.join(repo, "docs", "art")
    for d in (bilder, layout, db, docs):
        os.makedirs(d, exist_ok=True)

    if not words_only:
        for factor in (1,) + VARIANTS:
            _scale[0] = factor
            scene_pictures(bilder, layout, "" if factor == 1 else "@%dx" % factor)
        _scale[0] = 1
        head = robber(walking=False, bag=False)
        for size in (16, 32, 48, 64, 128, 256):
            save_png(render(head, size, size, (51, 0, 38, 38)), os.path.join(layout, "icon%d.png" % size))
        with open(os.path.join(layout, "logo.svg"), "w", encoding="utf-8") as f:
            f.write(LOGO)

    word_pictures(db, sammlungen)

    contact_sheet(assets, os.path.join(docs, "contact-sheet.png"))
    if not words_only:
        scene(assets, os.path.join(docs, "scene.png"))
    print("wrote %d word pictures in %d collections%s under %s"
          % (len(WORDS), len(COLLECTIONS), "" if words_only else " and the game's own pictures", assets))

if __name__ == "__main__":
    main()
