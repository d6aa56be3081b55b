#!/usr/bin/python3
"""Renders Clipvane's artwork from the SVG sources in src/.

Every picture the program and its skins use is drawn as SVG and rendered here
into the exact files the resource script and the skin folders name: 24-bit
bottom-up BMP files and icon files with 32-bit alpha images. The rendered files
are committed, so building Clipvane never needs this script.

One SVG may give several pictures: the class on its root element picks the
variant ("idle" or "hover" for a button icon, "sel0" to "sel5" for the device
tabs, "slate" or "ember" for the two skins, "small" or "large" for the program
icon). The script swaps that class, renders with rsvg-convert at the target
size and converts the result.

Usage: render.py [--check-only] PREVIEW_FOLDER
"""

import io
import os
import struct
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCES = os.path.join(HERE, "src")
RESOURCES = os.path.dirname(HERE)
SKIN_FOLDER = os.path.join(RESOURCES, "skins", "ember")

KEY_GREEN = (0, 255, 0)

# Button icons: (hover id, idle id, source, size in pixels, tooltip-like note).
# Each size leaves the button one pixel so the pressed offset never clips it.
BUTTON_ICONS = [
    (133, 134, "folder", 28, "choose the output directory (30 x 30 button)"),
    (135, 136, "remove-video", 44, "remove the selected video (45 x 45)"),
    (137, 138, "add-video", 44, "add a video (45 x 45)"),
    (139, 140, "remove-all", 44, "remove all videos (45 x 45)"),
    (141, 142, "help", 38, "help contents (40 x 40)"),
    (143, 144, "settings", 44, "spare: settings (45 x 45)"),
    (145, 146, "stop-converting", 78, "stop converting (80 x 80)"),
    (147, 148, "start-converting", 78, "start converting (80 x 80)"),
    (149, 150, "close", 16, "close the window (18 x 18)"),
    (151, 152, "minimise", 16, "minimise the window (18 x 18)"),
    (153, 154, "maximise", 16, "spare: maximise (18 x 18)"),
    (155, 156, "pause", 24, "spare: pause the preview (25 x 25)"),
    (188, 189, "preview-play", 24, "preview the selected video (25 x 25)"),
    (190, 191, "preview-stop", 24, "stop the preview (25 x 25)"),
]

# Check box: the first icon shows while checked, the second while unchecked.
CHECK_ICONS = [(157, "checked"), (158, "unchecked")]
CHECK_SIZE = 14

MESSAGE_ICONS = [
    (129, "message-warning"),
    (130, "message-question"),
    (131, "message-error"),
    (132, "message-information"),
]

PROGRAM_ICON_SIZES = [16, 32, 48, 256]

# Plain bitmaps of the program: (id, source, width, height, variant class).
PROGRAM_BITMAPS = [
    (173, "splash", 348, 188, None),
    (190, "fade-picture", 348, 188, None),
    (198, "slider-track", 6, 11, None),
    (199, "slider-left-thumb", 13, 17, None),
    (200, "slider-right-thumb", 13, 17, None),
    (201, "slider-range", 3, 7, None),
]

FRAME = (185, "frame", 865, 602)
TAB_IDS = range(202, 208)
TAB_SIZE = (447, 17)
# The card colour of the frame under the tab bar: tab edges are blended into
# it so the hard green cut-out leaves no jagged fringe.
TAB_BACKDROP = (238, 241, 246)

# Skin elements: (file stem, built-in id, width, height, keys that use it).
SKIN_ELEMENTS = [
    ("field", 177, 1, 18, ["combo_back", "edit_back"]),
    ("selection", 178, 54, 12, ["combo_fore", "edit_fore"]),
    ("combo_arrow", 179, 16, 16, ["combo_arrow"]),
    ("tile", 180, 113, 13, ["combo_window", "listbox_back"]),
    ("background", 176, 372, 279, ["listbox_fore", "background"]),
    ("header_start", 160, 2, 16, ["columnheader_start"]),
    ("header_span", 159, 1, 16, ["columnheader_span"]),
    ("header_end", 161, 2, 16, ["columnheader_end"]),
    ("vscroll_up", 167, 16, 16, ["columnvert_uparrow"]),
    ("vscroll_span", 168, 16, 1, ["columnvert_span"]),
    ("vscroll_down", 170, 16, 16, ["columnvert_downarrow"]),
    ("vscroll_bottom", 172, 16, 16, ["columnvert_bottom"]),
    ("vscroll_thumb", 169, 16, 67, ["columnvert_thumb"]),
    ("hscroll_left", 165, 16, 16, ["columnhorz_leftarrow"]),
    ("hscroll_span", 164, 1, 16, ["columnhorz_span"]),
    ("hscroll_right", 163, 16, 16, ["columnhorz_rightarrow"]),
    ("hscroll_thumb", 162, 67, 16, ["columnhorz_thumb"]),
    ("title", 175, 372, 25, ["title"]),
]

# The keys in the order the skin loader reads them.
SKIN_KEY_ORDER = [
    "combo_back", "combo_fore", "combo_arrow", "combo_window", "edit_back", "edit_fore",
    "listbox_back", "listbox_fore", "columnheader_start", "columnheader_span",
    "columnheader_end", "columnvert_uparrow", "columnvert_span", "columnvert_downarrow",
    "columnvert_bottom", "columnvert_thumb", "columnhorz_leftarrow", "columnhorz_span",
    "columnhorz_rightarrow", "columnhorz_thumb", "title", "background",
]


# ---------------------------------------------------------------- rendering

def render_svg(source, width, height, variant=None):
    """Renders src/SOURCE.svg at WIDTH x HEIGHT, with the root class set to VARIANT."""
    path = os.path.join(SOURCES, source + ".svg")
    with open(path, encoding="utf-8") as handle:
        text = handle.read()
    if variant is not None:
        marker = 'class="default"'
        if marker not in text:
            sys.exit(f"render: {path} has no root class \"default\" to swap")
        text = text.replace(marker, f'class="{variant}"', 1)
    with tempfile.TemporaryDirectory() as scratch:
        svg = os.path.join(scratch, "in.svg")
        png = os.path.join(scratch, "out.png")
        with open(svg, "w", encoding="utf-8") as handle:
            handle.write(text)
        subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height), "-o", png, svg], check=True)
        image = Image.open(png).convert("RGBA")
        image.load()
    if image.size != (width, height):
        sys.exit(f"render: {source} rendered at {image.size}, wanted {width} x {height}")
    return image


def flatten(image, backdrop=(255, 255, 255)):
    """An opaque RGB copy of IMAGE over BACKDROP."""
    base = Image.new("RGBA", image.size, backdrop + (255,))
    return Image.alpha_composite(base, image).convert("RGB")


def keyed(image, backdrop=None):
    """An RGB copy of IMAGE with pure green wherever it is (nearly) transparent.

    With a BACKDROP, edge pixels are blended into that colour (the picture
    lies on a known background); without one, a pixel is either wholly kept
    or keyed out, which suits an outline whose outside is unknown."""
    result = Image.new("RGB", image.size)
    source = image.load()
    target = result.load()
    width, height = image.size
    for y in range(height):
        for x in range(width):
            r, g, b, a = source[x, y]
            if backdrop is None:
                keep = a >= 128
                colour = (r, g, b)
            else:
                keep = a >= 40
                colour = tuple((c * a + k * (255 - a) + 127) // 255 for c, k in zip((r, g, b), backdrop))
            if not keep:
                target[x, y] = KEY_GREEN
            elif colour == KEY_GREEN:
                target[x, y] = (0, 254, 0)  # never key out a pixel of the picture itself
            else:
                target[x, y] = colour
    return result


# ------------------------------------------------------------------ writers

def bmp_bytes(image):
    """A 24-bit, uncompressed, bottom-up Windows bitmap of RGB IMAGE."""
    width, height = image.size
    stride = (width * 3 + 3) & ~3
    pixels = image.load()
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixels[x, y]
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + data


def icon_image_bytes(image):
    """One icon image: a 32-bit BGRA colour bitmap with its 1-bit AND mask."""
    width, height = image.size
    pixels = image.load()
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((width + 31) // 32) * 4
    for y in range(height - 1, -1, -1):
        mask_row = bytearray(mask_stride)
        for x in range(width):
            r, g, b, a = pixels[x, y]
            colour += bytes((b, g, r, a))
            if a < 128:  # where the system draws without alpha, the mask keeps the shape
                mask_row[x // 8] |= 0x80 >> (x % 8)
        mask += mask_row
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return info + bytes(colour) + bytes(mask)


def ico_bytes(images):
    """An icon file holding IMAGES (RGBA); 256-pixel images are stored as PNG."""
    entries = []
    blobs = []
    for image in images:
        if image.size[0] >= 256:
            buffer = io.BytesIO()
            image.save(buffer, "PNG", optimize=True)
            blobs.append(buffer.getvalue())
        else:
            blobs.append(icon_image_bytes(image))
    offset = 6 + 16 * len(images)
    for image, blob in zip(images, blobs):
        width, height = image.size
        entries.append(struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(blob), offset))
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as handle:
        handle.write(data)


# ------------------------------------------------------------------ checks

def check_bmp(path, width, height):
    """Problems of the bitmap at PATH: size, 24 bits, no compression, bottom-up."""
    with open(path, "rb") as handle:
        data = handle.read()
    if len(data) < 54 or data[:2] != b"BM":
        return [f"{path}: not a bitmap file"]
    size, _, _, offset = struct.unpack_from("<IHHI", data, 2)
    header, w, h, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    problems = []
    if size != len(data):
        problems.append(f"{path}: file size field {size}, file has {len(data)} bytes")
    if header != 40 or planes != 1 or bits != 24 or compression != 0:
        problems.append(f"{path}: header {header}, planes {planes}, {bits} bits, compression {compression}")
    if h <= 0:
        problems.append(f"{path}: not bottom-up")
    if (w, abs(h)) != (width, height):
        problems.append(f"{path}: {w} x {abs(h)}, wanted {width} x {height}")
    if offset + ((w * 3 + 3) & ~3) * abs(h) != len(data):
        problems.append(f"{path}: pixel data does not fill the file")
    return problems


def check_ico(path, sizes):
    """Problems of the icon at PATH: exactly SIZES, each a 32-bit image."""
    with open(path, "rb") as handle:
        data = handle.read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1:
        return [f"{path}: not an icon file"]
    problems = []
    found = []
    for index in range(count):
        w, h, _, _, _, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * index)
        w, h = w or 256, h or 256
        blob = data[offset:offset + length]
        if len(blob) != length:
            problems.append(f"{path}: image {index} runs past the end")
            continue
        if blob[:8] == b"\x89PNG\r\n\x1a\n":
            image = Image.open(io.BytesIO(blob))
            if image.mode != "RGBA" or image.size != (w, h):
                problems.append(f"{path}: PNG image {index} is {image.mode} {image.size}")
        else:
            header, bw, bh, _, bbits, compression = struct.unpack_from("<IiiHHI", blob, 0)
            if header != 40 or bbits != 32 or compression != 0 or (bw, bh) != (w, 2 * h):
                problems.append(f"{path}: image {index} is {bw} x {bh} at {bbits} bits")
        if bits != 32:
            problems.append(f"{path}: directory entry {index} says {bits} bits")
        found.append(w)
        if w != h:
            problems.append(f"{path}: image {index} is not square")
    if sorted(found) != sorted(sizes):
        problems.append(f"{path}: sizes {found}, wanted {sizes}")
    return problems


def check_keyed_outline(path):
    """The frame must be keyed out at its corners and kept in its middle."""
    image = Image.open(path).convert("RGB")
    width, height = image.size
    problems = []
    for corner in [(0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)]:
        if image.getpixel(corner) != KEY_GREEN:
            problems.append(f"{path}: corner {corner} is not pure green")
    if image.getpixel((width // 2, height // 2)) == KEY_GREEN:
        problems.append(f"{path}: the middle is keyed out")
    return problems


# ------------------------------------------------------------------ the set

def icon_path(name):
    return os.path.join(HERE, "icons", name + ".ico")


def bitmap_path(name):
    return os.path.join(HERE, "bitmaps", name + ".bmp")


def plan():
    """Every output: (kind, id or None, path, source, size(s), variant, note)."""
    items = [("icon", 128, icon_path("program"), "program", PROGRAM_ICON_SIZES, None, "program icon")]
    for icon_id, name in MESSAGE_ICONS:
        items.append(("icon", icon_id, icon_path(name), name, [32], None, name.replace("-", " ")))
    for hover_id, idle_id, name, size, note in BUTTON_ICONS:
        items.append(("icon", hover_id, icon_path(name + "-hover"), name, [size], "hover", note + ", hover"))
        items.append(("icon", idle_id, icon_path(name + "-idle"), name, [size], "idle", note + ", idle"))
    for icon_id, state in CHECK_ICONS:
        items.append(("icon", icon_id, icon_path("checkbox-" + state), "checkbox", [CHECK_SIZE], state,
                      "check box, " + state))
    for bitmap_id, name, width, height, variant in PROGRAM_BITMAPS:
        items.append(("bitmap", bitmap_id, bitmap_path(name), name, (width, height), variant, name))
    frame_id, frame_name, width, height = FRAME
    items.append(("frame", frame_id, bitmap_path(frame_name), frame_name, (width, height), None, "main window"))
    for index, tab_id in enumerate(TAB_IDS):
        items.append(("tab", tab_id, bitmap_path(f"tabs-{index}"), "tabs", TAB_SIZE, f"sel{index}",
                      f"device tabs, tab {index} chosen"))
    for stem, element_id, width, height, keys in SKIN_ELEMENTS:
        items.append(("bitmap", element_id, bitmap_path("skin-" + stem), "skin-" + stem, (width, height),
                      "slate", "built-in skin: " + ", ".join(keys)))
        items.append(("bitmap", None, os.path.join(SKIN_FOLDER, stem + ".bmp"), "skin-" + stem,
                      (width, height), "ember", "Ember skin: " + ", ".join(keys)))
    return items


def produce(item):
    """Renders one output and returns its preview image (RGBA)."""
    kind, _, path, source, size, variant, _ = item
    if kind == "icon":
        if source == "program":
            images = [render_svg(source, s, s, "small" if s <= 32 else "large") for s in size]
        else:
            images = [render_svg(source, s, s, variant) for s in size]
        write(path, ico_bytes(images))
        return images[-1] if len(images) == 1 else images
    width, height = size
    image = render_svg(source, width, height, variant)
    if kind == "frame":
        rgb = keyed(image)
    elif kind == "tab":
        rgb = keyed(image, TAB_BACKDROP)
    else:
        rgb = flatten(image)
    write(path, bmp_bytes(rgb))
    return rgb.convert("RGBA")


def read_skin_file(path):
    """Key/value pairs of a skin INI file, read as Clipvane reads it: lines are runs of
    bytes 0x20 to 0x7F, lower-cased, split at the first "="; the first of a key wins."""
    with open(path, "rb") as handle:
        data = handle.read()
    values = {}
    line = bytearray()
    for byte in data + b"\n":
        if 0x20 <= byte <= 0x7F:
            line.append(byte)
            continue
        text = line.decode("ascii").lower()
        line.clear()
        if "=" in text:
            key, value = text.split("=", 1)
            values.setdefault(key, value)
    return values


def check_skin_file():
    """The Ember skin file names every element, and each named file exists at its size."""
    path = os.path.join(SKIN_FOLDER, "ember.ini")
    if not os.path.isfile(path):
        return [f"{path}: missing"]
    values = read_skin_file(path)
    problems = []
    if values.get("directory") != "skins\\ember":
        problems.append(f"{path}: directory is {values.get('directory')!r}")
    sizes = {key: (stem, w, h) for stem, _, w, h, keys in SKIN_ELEMENTS for key in keys}
    for key in SKIN_KEY_ORDER:
        stem, width, height = sizes[key]
        if values.get(key) != stem + ".bmp":
            problems.append(f"{path}: {key} names {values.get(key)!r}, wanted {stem}.bmp")
    extra = set(values) - set(SKIN_KEY_ORDER) - {"directory"}
    if extra:
        problems.append(f"{path}: unknown keys {sorted(extra)}")
    return problems


def check(items):
    problems = check_skin_file()
    for kind, _, path, _, size, _, _ in items:
        if not os.path.isfile(path):
            problems.append(f"{path}: missing")
        elif kind == "icon":
            problems += check_ico(path, size)
        else:
            problems += check_bmp(path, *size)
            if kind == "frame":
                problems += check_keyed_outline(path)
    return problems


# ---------------------------------------------------------- resource script

def write_resource_script(items):
    lines = [
        "// Clipvane's icons and bitmaps. Written by scripts/render-artwork from the",
        "// SVG sources in artwork/src; edit those and render again.",
        "",
    ]
    for kind, resource_id, path, _, size, _, note in items:
        if resource_id is None:
            continue
        relative = os.path.relpath(path, RESOURCES).replace(os.sep, "/")
        statement = "ICON" if kind == "icon" else "BITMAP"
        if kind == "icon":
            dims = ", ".join(f"{s}" for s in size) + " px"
        else:
            dims = f"{size[0]} x {size[1]}"
        lines.append(f'{resource_id} {statement} "{relative}"  // {note}, {dims}')
    write(os.path.join(HERE, "artwork.rc"), ("\n".join(lines) + "\n").encode("ascii"))


# ----------------------------------------------------------------- previews

def on_checker(image, scale=1):
    """IMAGE (RGBA) over a light checkerboard, scaled by SCALE."""
    width, height = image.size
    board = Image.new("RGBA", image.size, (255, 255, 255, 255))
    draw = ImageDraw.Draw(board)
    for y in range(0, height, 4):
        for x in range(0, width, 4):
            if (x // 4 + y // 4) % 2:
                draw.rectangle([x, y, x + 3, y + 3], fill=(214, 214, 214, 255))
    result = Image.alpha_composite(board, image)
    if scale != 1:
        result = result.resize((width * scale, height * scale), Image.NEAREST)
    return result


def contact_sheet(entries, path):
    """One PNG with every picture and its label, small pictures enlarged."""
    font = ImageFont.load_default()
    tiles = []
    for label, image in entries:
        width, height = image.size
        scale = 1 if max(width, height) >= 100 else (4 if max(width, height) <= 20 else 2)
        if width * scale < 24 or height * scale < 24:  # strips such as 1 x 18: widen to be seen
            image = image.resize((max(width, 24 // scale), max(height, 24 // scale)), Image.NEAREST)
        tile = on_checker(image, scale)
        tiles.append((label, tile))
    sheet_width = 1800
    x = y = 10
    row_height = 0
    placed = []
    for label, tile in tiles:
        width, height = tile.size
        box_width = max(width, len(label) * 6 + 4) + 16
        if x + box_width > sheet_width:
            x = 10
            y += row_height + 10
            row_height = 0
        placed.append((x, y, label, tile))
        x += box_width
        row_height = max(row_height, height + 30)
    sheet = Image.new("RGB", (sheet_width, y + row_height + 10), (246, 246, 246))
    draw = ImageDraw.Draw(sheet)
    for x, y, label, tile in placed:
        sheet.paste(tile.convert("RGB"), (x, y))
        draw.text((x, y + tile.size[1] + 4), label, fill=(0, 0, 0), font=font)
    sheet.save(path)


# ------------------------------------------------------------------ mock-ups

def load_rgb(path):
    return Image.open(path).convert("RGB")


def blit_keyed(target, picture, position):
    """Pastes PICTURE leaving its pure green out, as the tab bar draws it."""
    pixels = picture.load()
    mask = Image.new("L", picture.size, 255)
    mask_pixels = mask.load()
    for y in range(picture.size[1]):
        for x in range(picture.size[0]):
            if pixels[x, y] == KEY_GREEN:
                mask_pixels[x, y] = 0
    target.paste(picture, position, mask)


def paste_icon(target, path, box):
    """Draws the icon at PATH centred in BOX (x, y, w, h), as the buttons place a lone image."""
    icon = Image.open(path)
    icon = icon.convert("RGBA")
    x, y, w, h = box
    target.alpha_composite(icon, (x + (w - icon.size[0]) // 2, y + (h - icon.size[1]) // 2))


def embossed(draw, position, text, font, colour=(0, 0, 0)):
    x, y = position
    draw.text((x, y), text, font=font, fill=(200, 200, 200))
    draw.text((x - 1, y - 1), text, font=font, fill=colour)


def shaded_bar(draw, box, colour):
    """The list's progress bar: rings lightening towards the middle row."""
    left, top, right, bottom = box
    draw.rounded_rectangle([left, top, right - 1, bottom - 1], 1, fill=colour)
    colour = tuple(min(c + 5, 255) for c in colour)
    left, top, right, bottom = left + 1, top + 1, right - 1, bottom - 1
    draw.rounded_rectangle([left, top, right - 1, bottom - 1], 1, fill=colour)
    left, top, right, bottom = left + 1, top + 1, right - 1, bottom - 1
    while bottom > top and right > left:
        colour = tuple(c + 10 if c <= 245 else c for c in colour)
        draw.rounded_rectangle([left, top, right - 1, bottom - 1], 1, fill=colour)
        top, bottom = top + 1, bottom - 1


def skin_pieces(theme):
    folder = os.path.join(HERE, "bitmaps") if theme == "slate" else SKIN_FOLDER
    prefix = "skin-" if theme == "slate" else ""
    return {stem: load_rgb(os.path.join(folder, prefix + stem + ".bmp")) for stem, *_ in SKIN_ELEMENTS}


def combo(target, pieces, box, text, font):
    x, y, w, h = box
    target.paste(pieces["field"].resize((w, 18)), (x, y))
    target.paste(pieces["combo_arrow"], (x + w - 17, y + 1))
    ImageDraw.Draw(target).text((x + 3, y + 2), text, font=font, fill=(0, 0, 0))


def tiled(target, picture, box, offset_y=0):
    """Tiles PICTURE over BOX (left, top, right, bottom) of TARGET."""
    left, top, right, bottom = box
    region = Image.new("RGB", (right - left, bottom - top))
    width, height = picture.size
    for y in range(-offset_y % height - height if offset_y else 0, bottom - top, height):
        for x in range(0, right - left, width):
            region.paste(picture, (x, y))
    target.paste(region, (left, top))


def edges(draw, box, top_left, bottom_right):
    left, top, right, bottom = box
    draw.line([(left, bottom), (left, top), (right, top)], fill=top_left)
    draw.line([(right, top), (right, bottom), (left, bottom)], fill=bottom_right)


def profile_list(window, pieces, box, entries, chosen, font):
    """The skinned list box of the profile list, as it paints itself."""
    x, y, w, h = box
    draw = ImageDraw.Draw(window)
    tiled(window, pieces["tile"], (x, y, x + w, y + h))
    draw.rounded_rectangle([x, y, x + w - 1, y + h - 1], 2, outline=(200, 200, 200))
    draw.line([(x + w - 1, y + 2), (x + w - 1, y + h - 1), (x + 2, y + h - 1)], fill=(49, 66, 97))
    tiled(window, pieces["background"], (x + 5, y + 3, x + w - 15, y + h - 3))
    edges(draw, (x + 5, y + 3, x + w - 16, y + h - 4), (49, 66, 97), (200, 200, 200))
    for index, entry in enumerate(entries):
        top = y + 3 + index * 15
        if top + 15 > y + h - 3:
            break
        if index == chosen:
            tiled(window, pieces["tile"], (x + 6, top + 4, x + w - 16, top + 17))
            edges(draw, (x + 6, top + 4, x + w - 17, top + 16), (200, 200, 200), (49, 66, 97))
            draw.text((x + 8, top + 5), entry, font=font, fill=(200, 200, 200))
        draw.text((x + 7, top + 4), entry, font=font, fill=(20, 20, 20))
    # The small scroll bar: track, sunken border, raised thumb with grip lines.
    bar = (x + w - 13, y + 3, x + w - 4, y + h - 4)
    tiled(window, pieces["tile"], (bar[0], bar[1], bar[2] + 1, bar[3] + 1))
    edges(draw, bar, (49, 66, 97), (200, 200, 200))
    thumb = (bar[0] + 1, bar[1] + 1, bar[2] - 1, bar[1] + 40)
    edges(draw, thumb, (200, 200, 200), (49, 66, 97))
    for line in range(6):
        draw.line([(thumb[0] + 2, thumb[1] + 16 + line), (thumb[2] - 2, thumb[1] + 16 + line)],
                  fill=(200, 200, 200) if line % 2 == 0 else (49, 66, 97))


def drop_list(window, pieces, box, entries, highlighted, font):
    """An open combo box list: tiled background, item column, the highlighted entry framed."""
    x, y, w, h = box
    draw = ImageDraw.Draw(window)
    tiled(window, pieces["tile"], (x, y, x + w, y + h))
    draw.rounded_rectangle([x, y, x + w - 1, y + h - 1], 2, outline=(200, 200, 200))
    draw.line([(x + w - 1, y + 2), (x + w - 1, y + h - 1), (x + 2, y + h - 1)], fill=(180, 180, 180))
    edges(draw, (x + 5, y + 3, x + w - 6, y + h - 4), (180, 180, 180), (200, 200, 200))
    for index, entry in enumerate(entries):
        top = y + 3 + index * 15
        if index == highlighted:
            edges(draw, (x + 6, top + 4, x + w - 7, top + 16), (180, 180, 180), (200, 200, 200))
            draw.text((x + 8, top + 5), entry, font=font, fill=(0, 0, 0))
        else:
            draw.text((x + 7, top + 4), entry, font=font, fill=(0, 0, 0))


def main_window_mockup(theme, hover=False, family=0):
    """The main window as the controls will draw it, to judge the artwork together."""
    fonts = "/usr/share/fonts/truetype/dejavu/"
    bold = ImageFont.truetype(fonts + "DejaVuSans-Bold.ttf", 10)
    plain = ImageFont.truetype(fonts + "DejaVuSans.ttf", 10)
    pieces = skin_pieces(theme)
    frame = load_rgb(bitmap_path("frame"))
    window = frame.convert("RGBA")
    draw = ImageDraw.Draw(window)
    window.paste(load_rgb(bitmap_path("fade-picture")), (26, 94))
    # Trim slider with a range from a fifth to seven tenths.
    track = load_rgb(bitmap_path("slider-track")).resize((346, 11))
    window.paste(track, (26, 288))
    x, g = 64, 224
    window.paste(load_rgb(bitmap_path("slider-range")).resize((g - x + 2, 7)), (26 + 13 + x - 1, 290))
    window.paste(load_rgb(bitmap_path("slider-left-thumb")), (26 + x, 285))
    window.paste(load_rgb(bitmap_path("slider-right-thumb")), (26 + g + 13, 285))
    blit_keyed(window, load_rgb(bitmap_path(f"tabs-{family}")), (393, 75))
    # Settings panel: group box, labels and combos.
    draw.rectangle([411, 103, 824, 286], outline=(230, 230, 230), width=2)
    caption_width = int(draw.textlength("Output Setting", font=bold))
    draw.rectangle([418, 97, 418 + caption_width + 6, 109], fill=(197, 207, 226))
    draw.text((421, 98), "Output Setting", font=bold, fill=(0, 0, 0))
    if family:
        draw.text((422, 116), "Video for the PSP: MPEG-4 or AVC in an MP4 file, named for the", font=plain, fill=(0, 0, 0))
        draw.text((422, 130), "PSP's VIDEO folder.", font=plain, fill=(0, 0, 0))
        draw.text((422, 174), "Select Profile:", font=bold, fill=(0, 0, 0))
        profile_list(window, pieces, (420, 190, 390, 80), ["PSP MPEG-4 320 x 240, 768 kbps", "PSP MPEG-4 368 x 208, 768 kbps",
                     "PSP AVC 320 x 240, 512 kbps", "PSP AVC 480 x 272, 768 kbps", "PSP AVC 480 x 272, 1500 kbps"], 1, plain)
    rows = [] if family else [(140, "Video Type", "AVC", "Video Size", "320 x 240"),
            (168, "Frame Rate", "Same As Input File", "Video Quality", "576   kbps"),
            (195, "Video Aspect", "4:3", None, None),
            (223, "Audio Quality", "64     kbps", "Channels", "Stereo"),
            (251, "Sample Rate", "Same As Input File", "Volume", "100%")]
    if not family:
        draw.text((422, 118), "Profile setting", font=bold, fill=(0, 0, 0))
        combo(window, pieces, (505, 115, 305, 19), "Customised", plain)
    for y, left_label, left_value, right_label, right_value in rows:
        draw.text((422, y + 3), left_label, font=bold, fill=(0, 0, 0))
        combo(window, pieces, (505, y, 110, 19), left_value, plain)
        if right_label:
            draw.text((622, y + 3), right_label, font=bold, fill=(0, 0, 0))
            combo(window, pieces, (700, y, 110, 19), right_value, plain)
    draw.text((422, 297), "Output Directory:", font=bold, fill=(0, 0, 0))
    window.paste(pieces["field"].resize((230, 15)), (525, 295))
    draw.text((528, 296), "C:\\Videos\\Converted\\", font=plain, fill=(0, 0, 0))
    paste_icon(window, icon_path("folder-hover" if hover else "folder-idle"), (764, 288, 30, 30))
    paste_icon(window, icon_path("checkbox-checked"), (420, 315, 20, 15))
    embossed(draw, (442, 317), "Automatically Shut Down the computer when converting finished", bold)
    # Task list with its header, one running item and the skinned bars.
    draw.rectangle([20, 350, 825, 507], fill=(255, 255, 255))
    draw.rectangle([20, 350, 825, 367], fill=(185, 194, 212))
    window.paste(pieces["header_span"].resize((804, 16)), (22, 350))
    window.paste(pieces["header_start"], (20, 350))
    columns = [("Name", 180), ("Duration", 80), ("Begin Time", 80), ("End Time", 80), ("Output", 170), ("Progress", 216)]
    left = 20
    for title, width in columns:
        window.paste(pieces["header_end"], (left + width - 2, 350))
        text_width = draw.textlength(title, font=bold)
        embossed(draw, (left + (width - text_width) / 2 + 1, 352), title, bold)
        left += width
    items = [("holiday.avi", "00:03:12", "00:00:10", "00:02:55", "holiday.mp4", 62),
             ("concert.mpg", "00:45:00", "00:00:00", "00:45:00", "concert.mp4", 0),
             ("interview.wmv", "00:12:31", "00:01:00", "00:12:31", "interview.mp4", -1)]
    for row, (name, duration, begin, end, output, progress) in enumerate(items):
        y = 368 + row * 17
        if row == 1:
            draw.rectangle([20, y, 825, y + 16], fill=(240, 240, 240))
        draw.rectangle([22, y + 2, 34, y + 14], outline=(80, 80, 80), fill=(255, 255, 255))
        draw.text((25, y + 1), "x", font=plain, fill=(0, 0, 0))
        texts = [name, duration, begin, end, output]
        left = 20
        for index, (text, (_, width)) in enumerate(zip(texts, columns)):
            draw.text((left + (18 if index == 0 else 4), y + 2), text, font=plain, fill=(0, 0, 0))
            left += width
        if progress >= 0:
            shaded_bar(draw, (left + 1, y + 3, left + 214, y + 14), (74, 97, 133))
            if progress:
                shaded_bar(draw, (left + 1, y + 3, left + 1 + 213 * progress // 100, y + 14), (83, 184, 255))
            draw.text((left + 6, y + 2), f"%{progress} ", font=plain, fill=(255, 255, 255))
    vertical = (826, 350, 16, 174)
    x, y, w, h = vertical
    draw.rectangle([x, y, x + w - 1, y + h - 1], fill=(74, 82, 107))
    window.paste(pieces["vscroll_span"].resize((16, h - 16 - 16)), (x, y + 16))
    window.paste(pieces["vscroll_up"], (x, y))
    window.paste(pieces["vscroll_down"], (x, y + h - 32))
    window.paste(pieces["vscroll_bottom"], (x, y + h - 16))
    window.paste(pieces["vscroll_thumb"].crop((0, 0, 15, 67)), (x + 1, y + 30))
    x, y, w, h = (20, 508, 807, 16)
    draw.rectangle([x, y, x + w - 1, y + h - 1], fill=(74, 82, 107))
    window.paste(pieces["hscroll_span"].resize((w - 32, 16)), (x + 16, y))
    window.paste(pieces["hscroll_left"], (x, y))
    window.paste(pieces["hscroll_right"], (x + w - 16, y))
    window.paste(pieces["hscroll_thumb"].crop((0, 0, 67, 15)), (x + 120, y + 1))
    # Buttons.
    state = "hover" if hover else "idle"
    for name, box in [("start-converting", (45, 520, 80, 80)), ("add-video", (165, 535, 45, 45)),
                      ("remove-video", (215, 535, 45, 45)), ("remove-all", (265, 535, 45, 45)),
                      ("help", (770, 550, 40, 40)), ("preview-play", (176, 300, 25, 25)),
                      ("preview-stop", (205, 300, 25, 25)), ("close", (825, 8, 18, 18)),
                      ("minimise", (805, 8, 18, 18))]:
        paste_icon(window, icon_path(f"{name}-{state}"), box)
    draw.text((787, 35), "V 1.0.0", font=bold, fill=(0, 0, 0))
    if not family:
        drop_list(window, pieces, (700, 159, 110, 99), ["176 x 120", "240 x 176", "320 x 176", "320 x 240",
                  "368 x 208", "384 x 160"], 3, plain)
    # Outside the outline the desktop shows.
    desktop = Image.new("RGBA", frame.size, (90, 110, 90, 255))
    keyed_out = Image.new("L", frame.size, 0)
    frame_pixels = frame.load()
    out_pixels = keyed_out.load()
    for y in range(frame.size[1]):
        for x in range(frame.size[0]):
            if frame_pixels[x, y] == KEY_GREEN:
                out_pixels[x, y] = 255
    window.paste(desktop, (0, 0), keyed_out)
    return window


def message_box_mockup(theme, icon, text_lines, caption):
    """A skinned message box: background, title strip, raised frame, icon, text, close button."""
    fonts = "/usr/share/fonts/truetype/dejavu/"
    bold = ImageFont.truetype(fonts + "DejaVuSans-Bold.ttf", 10)
    pieces = skin_pieces(theme)
    width, height = 260, 130
    box = Image.new("RGBA", (width, height))
    background = pieces["background"]
    y = 0
    while y < height:
        box.paste(background.resize((width, background.size[1])), (0, y))
        y += background.size[1]
    box.paste(pieces["title"].resize((width, 25)), (0, 0))
    draw = ImageDraw.Draw(box)
    draw.line([(0, 1), (width, 1)], fill=(224, 224, 224), width=3)
    draw.line([(1, 0), (1, height)], fill=(224, 224, 224), width=3)
    draw.line([(0, height - 2), (width, height - 2)], fill=(96, 96, 96), width=3)
    draw.line([(width - 2, 0), (width - 2, height)], fill=(96, 96, 96), width=3)
    draw.text((6, 8), caption, font=bold, fill=(0, 0, 0))
    paste_icon(box, icon_path("close-idle"), (width - 32, 5, 18, 18))
    paste_icon(box, icon_path(icon), (4, (height - 32) // 2, 32, 32))
    for index, line in enumerate(text_lines):
        draw.text((40, 50 + 14 * index), line, font=bold, fill=(0, 0, 0))
    embossed(draw, (width // 2 - 8, height - 36), "OK", bold)
    return box


def write_mockups(folder):
    for theme in ("slate", "ember"):
        main_window_mockup(theme).save(os.path.join(folder, f"mockup-main-{theme}.png"))
        sheet = Image.new("RGBA", (560, 290), (60, 70, 90, 255))
        sheet.paste(message_box_mockup(theme, "message-information", ["  Converting Finished  "], "Information"), (10, 10))
        sheet.paste(message_box_mockup(theme, "message-error", ["Please set the output", "directory firstly"], "Error"), (290, 10))
        sheet.paste(message_box_mockup(theme, "message-warning", ["Your computer cannot shutdown"], "Warning"), (10, 150))
        sheet.paste(message_box_mockup(theme, "message-question", ["Remove all videos?"], "Question"), (290, 150))
        sheet.save(os.path.join(folder, f"mockup-messages-{theme}.png"))
    main_window_mockup("slate", hover=True).save(os.path.join(folder, "mockup-main-hover.png"))
    for theme in ("slate", "ember"):
        main_window_mockup(theme, family=1).save(os.path.join(folder, f"mockup-main-psp-{theme}.png"))


def main(argv):
    check_only = "--check-only" in argv
    folders = [a for a in argv if not a.startswith("--")]
    preview = folders[0] if folders else None
    items = plan()
    entries = []
    if not check_only:
        for item in items:
            result = produce(item)
            kind, resource_id, path, _, _, _, _ = item
            label = f"{resource_id or 'ember'} {os.path.basename(path)}"
            if isinstance(result, list):
                entries += [(f"{label} {im.size[0]}", im) for im in result]
            else:
                entries.append((label, result))
        write_resource_script(items)
    problems = check(items)
    for problem in problems:
        print("check:", problem)
    if problems:
        return 1
    print(f"check: {len(items)} files have their sizes and bit depths")
    if preview and entries:
        os.makedirs(preview, exist_ok=True)
        for label, image in entries:
            name = label.replace(" ", "_").replace(".", "_") + ".png"
            image.save(os.path.join(preview, name))
        contact_sheet(entries, os.path.join(preview, "contact-sheet.png"))
        write_mockups(preview)
        print(f"render: previews and contact-sheet.png in {preview}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
