#!/usr/bin/python3
"""Draws the game's pictures into assets/pictures, and the desktop icons into
assets/icons.

Every picture the windows show at its own size is drawn twice: at its size and,
for high-density screens, at twice its size from the same drawing ("name@2x",
which the game picks on such a screen). A make_* function takes the scale and
draws in units of u = SS * scale supersampled pixels per picture pixel.

Run from anywhere: /usr/bin/python3 assets/make_pictures.py
Needs Debian's python3-pil and the fonts in fonts-liberation2.
The outputs are committed, so building the game never runs this.
"""
import math
import os
import xml.etree.ElementTree as ET

from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "pictures")
ICONS = os.path.join(HERE, "icons")
FONTS = "/usr/share/fonts/truetype/liberation2"

SS = 8                      # supersampling factor for smooth edges
WINDOW_GREY = (0xE0, 0xE0, 0xE0)   # the main window's background
PALE_YELLOW = (0xFF, 0xFF, 0x80)   # the key legend's ground

RED = (0xD8, 0x10, 0x10)
CYAN = (0x20, 0xE0, 0xF0)
OLIVE = (0x80, 0x80, 0x00)
YELLOW = (0xFF, 0xF0, 0x20)
DARK_GREEN = (0x00, 0x64, 0x28)
BLUE = (0x10, 0x30, 0xD0)
GREEN = (0x20, 0xB8, 0x40)
NAVY = (0x10, 0x18, 0x60)


def font(name, size):
    return ImageFont.truetype(os.path.join(FONTS, name), size)


def canvas(w, h, scale=1, supersample=SS):
    """A transparent canvas for a w x h picture drawn at the given scale."""
    n = scale * supersample
    img = Image.new("RGBA", (w * n, h * n), (0, 0, 0, 0))
    return img, ImageDraw.Draw(img)


def out(name, scale=1):
    """Where a picture goes: "logo.gif", or "logo@2x.gif" at scale 2."""
    if scale != 1:
        stem, ext = os.path.splitext(name)
        name = "%s@%dx%s" % (stem, scale, ext)
    return os.path.join(OUT, name)


def reduce(img, w, h):
    return img.resize((w, h), Image.LANCZOS)


def flatten(img, matte, key):
    """Composites img over matte where it is mostly opaque; elsewhere puts the
    key colour that the GIF will mark transparent."""
    out = Image.new("RGB", img.size, key)
    solid = Image.new("RGB", img.size, matte)
    solid.paste(img, (0, 0), img)
    mask = img.getchannel("A").point(lambda a: 255 if a >= 128 else 0)
    out.paste(solid, (0, 0), mask)
    return out


def save_gif(rgb, key, path, colours=63):
    """Saves with one transparent colour: the key colour."""
    pal = rgb.quantize(colors=colours, method=Image.MEDIANCUT, dither=Image.NONE)
    # Make sure the key colour has its own palette slot and find it.
    palette = pal.getpalette()[: 3 * colours]
    px = rgb.load()
    mask = Image.new("L", rgb.size, 0)
    mpx = mask.load()
    for y in range(rgb.size[1]):
        for x in range(rgb.size[0]):
            if px[x, y] == key:
                mpx[x, y] = 255
    idx = len(palette) // 3
    palette += list(key)
    pal.putpalette(palette)
    pal.paste(idx, (0, 0), mask)
    pal.save(path, transparency=idx, optimize=False)


def ring(d, cx, cy, r, fill):
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=fill)


def shade(img, cx, cy, r):
    """A soft light from the upper left, so the badges look round."""
    w, h = img.size
    light = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    ld = ImageDraw.Draw(light)
    hx, hy = cx - r * 0.35, cy - r * 0.4
    for i in range(24, 0, -1):
        rr = r * 0.9 * i / 24
        ld.ellipse((hx - rr, hy - rr, hx + rr, hy + rr), fill=(255, 255, 255, int(5 + 2 * (24 - i) / 3)))
    clip = Image.new("L", (w, h), 0)
    ImageDraw.Draw(clip).ellipse((cx - r, cy - r, cx + r, cy + r), fill=255)
    light.putalpha(Image.composite(light.getchannel("A"), Image.new("L", (w, h), 0), clip))
    return Image.alpha_composite(img, light)


def token(kind, scale=1, size=28):
    img, d = canvas(size, size, scale)
    u = SS * scale  # one pixel of the picture
    c = size * u / 2
    r = (size / 2 - 1.0) * u
    ring(d, c, c, r, (0x30, 0x30, 0x30))  # a thin dark edge reads well on any ground
    r -= 0.7 * u
    if kind == "negative":
        ring(d, c, c, r, RED)
        ring(d, c, c, r - 3.0 * u, CYAN)
        ring(d, c, c, r - 5.2 * u, OLIVE)
        ring(d, c, c, 3.2 * u, RED)
        ring(d, c, c, 2.0 * u, OLIVE)
        d.rounded_rectangle((c - 7.0 * u, c - 1.0 * u, c + 7.0 * u, c + 1.0 * u), radius=0.6 * u, fill=YELLOW)
    elif kind == "neutral":
        colours = [CYAN, DARK_GREEN, CYAN, DARK_GREEN, CYAN, DARK_GREEN]
        step = r / 6.0
        for i, col in enumerate(colours):
            ring(d, c, c, r - i * step, col)
    elif kind == "positive":
        ring(d, c, c, r, BLUE)
        ring(d, c, c, r - 3.0 * u, GREEN)
        ring(d, c, c, r - 5.4 * u, BLUE)
        d.rounded_rectangle((c - 1.5 * u, c - 6.2 * u, c + 1.5 * u, c + 1.8 * u), radius=1.2 * u, fill=YELLOW)
        ring(d, c, c + 4.4 * u, 1.6 * u, YELLOW)
    img = shade(img, c, c, r)
    return reduce(img, size * scale, size * scale)


def make_tokens(scale=1):
    for kind in ("negative", "neutral", "positive"):
        rgb = flatten(token(kind, scale), WINDOW_GREY, (0xFF, 0x00, 0xFF))
        save_gif(rgb, (0xFF, 0x00, 0xFF), out(kind + ".gif", scale))


# The pictures with words in them are drawn again for every translation, with
# the words its .ts file gives them, into pictures/<code>/.
TRANSLATIONS = os.path.join(HERE, "..", "translations")
LANGUAGES = ("de", "fr", "es", "it", "pt_BR", "nl", "pl", "ru")
ENGLISH = {"START": "START", "10 Points": "10 Points", "Bonus": "Bonus", "Penalty": "Penalty"}


def words_in(code):
    """The picture words as the translation into `code` has them."""
    words = dict(ENGLISH)
    tree = ET.parse(os.path.join(TRANSLATIONS, "dovrel_%s.ts" % code))
    for context in tree.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            if (name, source) in (("Key", "START"), ("Key", "Bonus"), ("Key", "Penalty"), ("Game", "10 Points")):
                words[source] = message.findtext("translation")
    return words


def fitted(d, text, name, size, room):
    """The font at `size`, or smaller until the text fits `room`."""
    f = font(name, size)
    while d.textlength(text, font=f) > room and size > 1:
        size -= 1
        f = font(name, size)
    return f


def make_start(words=ENGLISH, folder=""):
    # One size serves every density: the arrow is shown shrunk to a tenth of
    # its size, so even a doubled screen takes its pixels from a bigger picture.
    w, h = 634, 367
    s = 2
    img, d = canvas(w, h, 1, s)
    # The arrow: rises from the lower left and points right, towards token 0.
    pts = [(20, 350), (95, 350), (300, 215), (300, 262), (612, 172), (300, 82), (300, 130), (20, 300)]
    pts = [(x * s, y * s) for x, y in pts]
    d.polygon(pts, fill=(0x30, 0xF0, 0x30))
    d.line(pts + [pts[0]], fill=(0x90, 0x00, 0x00), width=9 * s, joint="curve")
    # A lighter streak along the arrow's top edge gives it some body.
    d.line([(60 * s, 318 * s), (305 * s, 150 * s)], fill=(0xA0, 0xFF, 0xA0), width=7 * s)
    text = words["START"]
    f = fitted(d, text, "LiberationSans-Bold.ttf", 150 * s, (w - 20) * s)
    box = d.textbbox((0, 0), text, font=f)
    tx = (w * s - (box[2] - box[0])) / 2 - box[0]
    d.text((tx + 5 * s, 6 * s - box[1] + 5 * s), text, font=f, fill=(0x00, 0x00, 0x50))  # drop shadow
    d.text((tx, 6 * s - box[1]), text, font=f, fill=(0x10, 0x30, 0xE0),
           stroke_width=2 * s, stroke_fill=(0x00, 0x10, 0x80))
    img = reduce(img, w, h)
    yellow = (0xFF, 0xFF, 0x00)
    save_gif(flatten(img, WINDOW_GREY, yellow), yellow, out(os.path.join(folder, "start.gif")), colours=95)


def make_logo(scale=1):
    w, h = 153, 41
    img, d = canvas(w, h, scale)
    u = SS * scale
    f = font("LiberationSerif-BoldItalic.ttf", 36 * u)
    text = "Dovrel"
    box = d.textbbox((0, 0), text, font=f)
    x = (w * u - (box[2] - box[0])) / 2 - box[0] - 2 * u
    y = (h * u - (box[3] - box[1])) / 2 - box[1] - 1 * u
    d.text((x + 3.5 * u, y + 2.5 * u), text, font=f, fill=(0xF0, 0x00, 0xE0))
    d.text((x, y), text, font=f, fill=(0x10, 0x20, 0xD0))
    img = reduce(img, w * scale, h * scale)
    key = (0xFF, 0xFF, 0x00)
    save_gif(flatten(img, WINDOW_GREY, key), key, out("logo.gif", scale))


def key_shape(size, scale=1):
    """A grey door key lying flat, bow on the left."""
    w, h = size
    img, d = canvas(w, h, scale)
    u = SS * scale
    cy = h * u / 2
    grey, dark = (0x90, 0x90, 0x98), (0x50, 0x50, 0x58)
    ring(d, 6.5 * u, cy, 6.0 * u, dark)
    ring(d, 6.5 * u, cy, 5.0 * u, grey)
    ring(d, 6.5 * u, cy, 2.2 * u, PALE_YELLOW + (255,))
    d.rectangle((12 * u, cy - 1.6 * u, w * u - 1.5 * u, cy + 1.6 * u), fill=grey, outline=dark, width=u // 2)
    for tx in (w * u - 6 * u, w * u - 3 * u):
        d.rectangle((tx, cy + 1.2 * u, tx + 2 * u, cy + 5 * u), fill=grey, outline=dark, width=u // 2)
    return reduce(img, w * scale, h * scale)


def make_key(scale=1, words=ENGLISH, folder=""):
    w, h = 162, 46
    s = scale
    img = Image.new("RGB", (w * s, h * s), PALE_YELLOW)
    k = key_shape((26, 16), s)
    img.paste(k, (3 * s, 10 * s), k)
    d = ImageDraw.Draw(img)
    for top in (15, 21):  # the colon, two dots of 2 x 2 pixels
        d.rectangle((31 * s, top * s, 33 * s - 1, (top + 2) * s - 1), fill=(0x50, 0x50, 0x58))
    for i, (kind, caption) in enumerate((("neutral", "10 Points"), ("positive", "Bonus"), ("negative", "Penalty"))):
        centre = (60 + i * 42) * s
        t = token(kind, s)
        img.paste(t, (centre - 14 * s, 2 * s), t)
        caption = words[caption]
        # A longer word is drawn smaller, within its column and the picture.
        room = min(44, 2 * (w - (60 + i * 42))) * s
        f = fitted(d, caption, "LiberationSans-Bold.ttf", 9 * s, room)
        tw = d.textlength(caption, font=f)
        d.text((centre - tw / 2, 32 * s + (9 * s - f.size)), caption, font=f, fill=(0x00, 0x00, 0xE0))
    img.save(out(os.path.join(folder, "key.bmp"), s))


def icon(n):
    """The game's icon at n x n pixels: the drawing is made for 32 x 32 and
    drawn afresh at every size, never enlarged from a smaller one."""
    img, d = canvas(n, n)
    u = SS * n / 32
    c = n * SS / 2
    ring(d, c, c, 15.5 * u, (0xFF, 0xE0, 0x00))
    ring(d, c, c, 13.0 * u, NAVY)
    f = font("LiberationSans-Bold.ttf", round(24 * u))
    box = d.textbbox((0, 0), "2", font=f)
    x = c - (box[0] + box[2]) / 2
    y = c - (box[1] + box[3]) / 2
    d.text((x + 1.5 * u, y + 1.5 * u), "2", font=f, fill=(0xD0, 0x00, 0x00))
    d.text((x, y), "2", font=f, fill=(0xFF, 0xFF, 0x00))
    return reduce(img, n, n)


def make_icon(scale=1):
    """The window icon: sixteen colours, one of them kept for the transparent corners."""
    n = 32 * scale
    img = icon(n)
    alpha = img.getchannel("A").point(lambda a: 255 if a >= 128 else 0)
    rgb = Image.new("RGB", (n, n), NAVY)
    rgb.paste(img, (0, 0), img)
    pal = rgb.quantize(colors=16, method=Image.MEDIANCUT, dither=Image.NONE).convert("RGBA")
    pal.putalpha(alpha)
    pal.save(out("dovrel.ico", scale), sizes=[(n, n)], bitmap_format="bmp")


# The sizes a desktop's icon theme looks for.
DESKTOP_ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def make_desktop_icons():
    """The icon for the desktop's menus, in full colour at every usual size."""
    os.makedirs(ICONS, exist_ok=True)
    for n in DESKTOP_ICON_SIZES:
        icon(n).save(os.path.join(ICONS, "dovrel-%d.png" % n), optimize=True)


ABOUT_CYAN = (0x80, 0xFF, 0xFF)    # the About box's background


def make_emblem(scale=1):
    """The About box's emblem: a blue swirl at the left whose trail is a long
    red and white striped wedge pointing right. Yellow is the transparent key."""
    w, h = 100, 40
    img, d = canvas(w, h, scale)
    u = SS * scale
    cx, cy = 18.5 * u, 20.0 * u
    dark_red = (0x90, 0x08, 0x10)
    navy = (0x08, 0x10, 0x70)
    blue = (0x18, 0x40, 0xD8)
    pale = (0xC8, 0xE8, 0xFF)

    # The wedge first, so the swirl's outer arm covers its base. Its stripes
    # run along it and meet at the tip.
    base_x, tip = cx + 9.0 * u, (98.0 * u, 20.5 * u)
    top, bottom = (base_x, 7.0 * u), (base_x, 33.0 * u)
    stripes = 7
    for i in range(stripes):
        a = top[1] + (bottom[1] - top[1]) * i / stripes
        b = top[1] + (bottom[1] - top[1]) * (i + 1) / stripes
        d.polygon([(base_x, a), tip, (base_x, b)], fill=RED if i % 2 == 0 else (0xFF, 0xFF, 0xFF))
    d.line([top, tip, bottom], fill=dark_red, width=int(1.1 * u), joint="curve")

    # The swirl: a brush stroke that winds out from the centre and thickens,
    # ending at the base of the wedge, so the trail seems to stream out of it.
    turns = 2.25
    start_angle = math.pi * 0.5

    def arm(t):
        a = start_angle - t * turns * 2 * math.pi
        r = 1.2 * u + 14.8 * u * t
        return cx + r * math.cos(a), cy + r * math.sin(a), (1.0 + 2.0 * t) * u

    steps = 900
    points = [arm(i / steps) for i in range(steps + 1)]
    for x, y, r in points:
        ring(d, x, y, r + 0.8 * u, navy)
    for x, y, r in points:
        ring(d, x, y, r, blue)
    # A pale highlight along the outer arm where the light falls, upper left.
    for i, (x, y, r) in enumerate(points):
        t = i / steps
        a = math.atan2(y - cy, x - cx)
        if t > 0.55 and -2.7 < a < -1.6:
            ring(d, x - 0.6 * u, y - 0.6 * u, r * 0.45, pale)
    ring(d, cx, cy, 1.6 * u, pale)

    img = reduce(img, w * scale, h * scale)
    yellow = (0xFF, 0xFF, 0x00)
    save_gif(flatten(img, ABOUT_CYAN, yellow), yellow, out("emblem.gif", scale))


def about_icon(n):
    """A white speech bubble with a grey shadow, holding a blue lower-case i."""
    img, d = canvas(n, n)
    u = SS * n / 32  # the drawing is laid out on 32 pixels and scaled
    outline = (0x30, 0x30, 0x30)
    shadow = (0x78, 0x78, 0x78)
    white = (0xFF, 0xFF, 0xFF)
    blue = (0x10, 0x30, 0xE0)

    def bubble(dx, dy, fill, edge=None):
        body = (1.5 * u + dx, 1.5 * u + dy, 27.5 * u + dx, 23.0 * u + dy)
        tail = [(7.0 * u + dx, 19.0 * u + dy), (5.0 * u + dx, 29.5 * u + dy), (15.0 * u + dx, 20.5 * u + dy)]
        if edge:
            grow = 1.2 * u
            d.ellipse((body[0] - grow, body[1] - grow, body[2] + grow, body[3] + grow), fill=edge)
            d.polygon([(tail[0][0] - grow, tail[0][1]), (tail[1][0] - grow * 0.6, tail[1][1] + grow),
                       (tail[2][0] + grow, tail[2][1])], fill=edge)
        d.ellipse(body, fill=fill)
        d.polygon(tail, fill=fill)

    bubble(3.0 * u, 2.5 * u, shadow)
    bubble(0, 0, white, outline)
    bubble(0, 0, white)
    # The letter: a round dot over a stem with a foot, drawn rather than typeset
    # so it stays crisp at 16 pixels.
    ring(d, 14.5 * u, 6.6 * u, 2.1 * u, blue)
    d.rectangle((13.0 * u, 10.0 * u, 16.2 * u, 19.5 * u), fill=blue)
    d.rectangle((11.2 * u, 10.0 * u, 16.2 * u, 11.6 * u), fill=blue)
    d.rectangle((11.2 * u, 18.0 * u, 18.0 * u, 19.5 * u), fill=blue)
    img = reduce(img, n, n)
    # Sixteen colours, one of them kept for the transparent corners. A fixed
    # set of greys and blues, so the letter keeps its own blue.
    alpha = img.getchannel("A").point(lambda a: 255 if a >= 128 else 0)
    rgb = Image.new("RGB", (n, n), white)
    rgb.paste(img, (0, 0), img)
    greys = [0xFF, 0xE8, 0xD0, 0xB0, 0x98, 0x78, 0x58, 0x30]
    blues = [blue, (0x50, 0x6C, 0xE8), (0x90, 0xA4, 0xF0), (0xC8, 0xD4, 0xF8), (0x40, 0x48, 0x90),
             (0x80, 0x88, 0xB8), (0x20, 0x28, 0x60)]
    colours = [(g, g, g) for g in greys] + blues
    palette = Image.new("P", (1, 1))
    palette.putpalette([c for rgb_ in colours for c in rgb_] + [0, 0, 0] * (256 - len(colours)))
    pal = rgb.quantize(palette=palette, dither=Image.NONE).convert("RGBA")
    pal.putalpha(alpha)
    return pal


def make_about_icon(scale=1):
    big, small = about_icon(32 * scale), about_icon(16 * scale)
    big.save(out("about.ico", scale), sizes=[big.size, small.size], append_images=[small],
             bitmap_format="bmp")


def main():
    os.makedirs(OUT, exist_ok=True)
    for scale in (1, 2):
        make_tokens(scale)
        make_logo(scale)
        make_key(scale)
        make_icon(scale)
        make_emblem(scale)
        make_about_icon(scale)
    make_start()
    make_desktop_icons()
    for code in LANGUAGES:
        os.makedirs(os.path.join(OUT, code), exist_ok=True)
        words = words_in(code)
        for scale in (1, 2):
            make_key(scale, words, code)
        make_start(words, code)


if __name__ == "__main__":
    main()
