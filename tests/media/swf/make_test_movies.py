#!/usr/bin/env python3
"""Writes the movies the Flash tests read back, into the folder given as the only argument.

Written from the movie format alone, independently of the program's writer: every field is
put in the canonical form the program writes (smallest field widths, identity parts left out,
short tag headers below 63 bytes except for the tags kept raw), so that reading a movie and
writing it again must give the same bytes. Also writes a seed corpus for the movie fuzzer.
"""
import math
import os
import struct
import sys


def signed_width(v):
    if v == -(1 << 31):
        return 32
    m = abs(v)
    if m & 0x40000000:
        return 32
    return max(2, m.bit_length() + 1)


def field_width(values, limit):
    # The most negative value of a width fits it, though its magnitude asks for one bit more.
    w = max([2] + [signed_width(v) for v in values])
    if w > limit and all(-(1 << (limit - 1)) <= v < (1 << (limit - 1)) for v in values):
        return limit
    return w


def unsigned_width(v):
    return max(1, v.bit_length())


class Bits:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def bits(self, count, value):
        for i in range(count - 1, -1, -1):
            self.acc = (self.acc << 1) | ((value >> i) & 1)
            self.n += 1
            if self.n == 8:
                self.out.append(self.acc)
                self.acc = 0
                self.n = 0
        return self

    def align(self):
        if self.n:
            self.bits(8 - self.n, 0)
        return self

    def raw(self, data):
        self.align()
        self.out += data
        return self

    def u8(self, v):
        return self.raw(struct.pack('<B', v))

    def u16(self, v):
        return self.raw(struct.pack('<H', v & 0xFFFF))

    def u32(self, v):
        return self.raw(struct.pack('<I', v & 0xFFFFFFFF))

    def text(self, s):
        return self.raw(s.encode('latin-1') + b'\0')

    def data(self):
        self.align()
        return bytes(self.out)


def rect(b, xmin, xmax, ymin, ymax):
    n = max(signed_width(v) for v in (xmin, xmax, ymin, ymax))
    b.bits(5, n)
    for v in (xmin, xmax, ymin, ymax):
        b.bits(n, v)


def matrix(b, sx=0x10000, sy=0x10000, r0=0, r1=0, tx=0, ty=0):
    has_scale = not (sx == 0x10000 and sy == 0x10000)
    b.bits(1, has_scale)
    if has_scale:
        n = max(signed_width(sx), signed_width(sy))
        b.bits(5, n).bits(n, sx).bits(n, sy)
    has_rot = r0 != 0 or r1 != 0
    b.bits(1, has_rot)
    if has_rot:
        n = max(signed_width(r0), signed_width(r1))
        b.bits(5, n).bits(n, r0).bits(n, r1)
    if tx == 0 and ty == 0:
        b.bits(5, 0)
    else:
        n = max(signed_width(tx), signed_width(ty))
        b.bits(5, n).bits(n, tx).bits(n, ty)


def cxform(b, mul=(256, 256, 256, 256), add=(0, 0, 0, 0), alpha=False):
    k = 4 if alpha else 3
    has_mul = any(m != 256 for m in mul[:k])
    has_add = any(a != 0 for a in add[:k])
    n = 0
    if has_mul:
        n = max([n] + [signed_width(m) for m in mul])
    if has_add:
        n = max([n] + [signed_width(a) for a in add])
    b.bits(1, has_add).bits(1, has_mul).bits(4, n)
    if has_mul:
        for m in mul[:k]:
            b.bits(n, m)
    if has_add:
        for a in add[:k]:
            b.bits(n, a)


def rgb(b, c, alpha):
    b.raw(bytes(c[:4] if alpha else c[:3]))


def tag(code, body, long_form=False):
    if long_form or len(body) >= 63:
        return struct.pack('<HI', (code << 6) | 63, len(body)) + body
    return struct.pack('<H', (code << 6) | len(body)) + body


def movie(tags, version=6, frames=1, rate=0x0C00, frame_rect=(0, 11000, 0, 8000)):
    b = Bits()
    rect(b, *frame_rect)
    b.align()
    b.u16(rate).u16(frames)
    body = b.data() + b''.join(tags) + tag(0, b'')
    return b'FWS' + bytes([version]) + struct.pack('<I', 8 + len(body)) + body


# Shapes ------------------------------------------------------------------------------------

def style_count(b, n):
    if n >= 255:
        b.u8(255).u16(n)
    else:
        b.u8(n)


def fill_styles(b, fills, alpha):
    style_count(b, len(fills))
    for f in fills:
        b.u8(f[0])
        if f[0] == 0:
            rgb(b, f[1], alpha)
        elif f[0] in (16, 18):
            matrix(b, **f[1])
            b.align()
            b.u8(len(f[2]))
            for ratio, colour in f[2]:
                b.u8(ratio)
                rgb(b, colour, alpha)
        else:
            b.u16(f[1])
            matrix(b, **f[2])
            b.align()


def line_styles(b, lines, alpha):
    style_count(b, len(lines))
    for width, colour in lines:
        b.u16(width)
        rgb(b, colour, alpha)


def style_bits(n):
    return unsigned_width(n) if n else 0


def shape_records(b, records, fill_bits, line_bits, alpha):
    for r in records:
        kind = r[0]
        if kind == 'line':
            dx, dy = r[1], r[2]
            w = field_width((dx, dy), 17)
            b.bits(1, 1).bits(1, 1).bits(4, w - 2)
            if dx == 0:
                b.bits(1, 0).bits(1, 1).bits(w, dy)
            elif dy == 0:
                b.bits(1, 0).bits(1, 0).bits(w, dx)
            else:
                b.bits(1, 1).bits(w, dx).bits(w, dy)
        elif kind == 'curve':
            w = field_width(r[1:5], 17)
            b.bits(1, 1).bits(1, 0).bits(4, w - 2)
            for v in r[1:5]:
                b.bits(w, v)
        else:
            opts = r[1]
            flags = 0
            if 'move' in opts:
                flags |= 1
            if 'fill0' in opts:
                flags |= 2
            if 'fill1' in opts:
                flags |= 4
            if 'line' in opts:
                flags |= 8
            if 'new' in opts:
                flags |= 16
            b.bits(1, 0).bits(5, flags)
            if 'move' in opts:
                dx, dy = opts['move']
                w = field_width((dx, dy), 31)
                b.bits(5, w).bits(w, dx).bits(w, dy)
            if 'fill0' in opts:
                b.bits(fill_bits, opts['fill0'])
            if 'fill1' in opts:
                b.bits(fill_bits, opts['fill1'])
            if 'line' in opts:
                b.bits(line_bits, opts['line'])
            if 'new' in opts:
                fills, lines = opts['new']
                b.align()
                fill_styles(b, fills, alpha)
                line_styles(b, lines, alpha)
                fill_bits, line_bits = style_bits(len(fills)), style_bits(len(lines))
                b.bits(4, fill_bits).bits(4, line_bits)
    b.bits(6, 0)


def define_shape(code, cid, bounds, fills, lines, records):
    alpha = code == 32
    b = Bits().u16(cid)
    rect(b, *bounds)
    b.align()
    fill_styles(b, fills, alpha)
    line_styles(b, lines, alpha)
    fb, lb = style_bits(len(fills)), style_bits(len(lines))
    b.bits(4, fb).bits(4, lb)
    shape_records(b, records, fb, lb, alpha)
    return tag(code, b.data())


SQUARE = [
    ('style', {'move': (-200, -200), 'fill0': 1, 'line': 1}),
    ('line', 400, 0), ('line', 0, 400), ('line', -400, 0), ('line', 0, -400),
    ('curve', 100, -50, 70, 30),
    ('line', 3, -5),
]

# Deltas at the most negative value of the widest fields.
WIDEST = [
    ('style', {'move': (-(1 << 30), 5)}),
    ('line', -(1 << 16), 0), ('line', 0, -(1 << 16)), ('line', -(1 << 16), 7),
    ('curve', -(1 << 16), 1, 2, -(1 << 16)),
]


# Fonts and text ----------------------------------------------------------------------------

def glyph(records):
    b = Bits().bits(4, 1).bits(4, 0)
    shape_records(b, records, 1, 0, False)
    return b.data()


GLYPHS = [
    glyph([('style', {'move': (10, 20), 'fill1': 1}), ('line', 500, 0), ('line', 0, -700), ('curve', -250, 100, -250, 600)]),
    glyph([('style', {'move': (0, 0), 'fill1': 1}), ('line', 300, 300), ('line', -300, 0)]),
    glyph([]),
]


def define_font(cid):
    table = b''
    at = 2 * len(GLYPHS)
    for g in GLYPHS:
        table += struct.pack('<H', at)
        at += len(g)
    return tag(10, struct.pack('<H', cid) + table + b''.join(GLYPHS))


def define_font2(cid, wide_offsets, wide_codes, layout):
    flags = (0x80 if layout else 0) | (0x08 if wide_offsets else 0) | (0x04 if wide_codes else 0) | 0x01
    name = b'Kidsans'
    entry = 4 if wide_offsets else 2
    fmt = '<I' if wide_offsets else '<H'
    table = b''
    at = entry * (len(GLYPHS) + 1)
    for g in GLYPHS:
        table += struct.pack(fmt, at)
        at += len(g)
    table += struct.pack(fmt, at)
    codes = [65, 66, 300] if wide_codes else [65, 66, 67]
    code_fmt = '<H' if wide_codes else '<B'
    body = struct.pack('<HBBB', cid, flags, 0, len(name)) + name + struct.pack('<H', len(GLYPHS))
    body += table + b''.join(GLYPHS) + b''.join(struct.pack(code_fmt, c) for c in codes)
    if layout:
        b = Bits().u16(900).u16(200).u16(-30 & 0xFFFF)
        for adv in (600, 520, -4):
            b.u16(adv & 0xFFFF)
        for bounds in ((0, 500, -700, 0), (0, 300, 0, 300), (0, 0, 0, 0)):
            rect(b, *bounds)
            b.align()
        b.u16(2)
        for first, second, adj in ((65, 66, -40), (66, 300 if wide_codes else 67, 15)):
            b.raw(struct.pack(code_fmt, first) + struct.pack(code_fmt, second) + struct.pack('<h', adj))
        body += b.data()
    return tag(48, body)


def define_text(code, cid, font):
    alpha = code == 33
    glyph_bits, advance_bits = 2, 11
    b = Bits().u16(cid)
    rect(b, -20, 4000, -900, 200)
    b.align()
    matrix(b, tx=120, ty=1400)
    b.align()
    b.u8(glyph_bits).u8(advance_bits)
    # style: font, colour, x and y offset
    b.u8(0x80 | 0x08 | 0x04 | 0x02 | 0x01).u16(font)
    rgb(b, (10, 20, 30, 128), alpha)
    b.u16(15).u16(-300 & 0xFFFF).u16(480)
    b.u8(3)
    for index, advance in ((0, 600), (1, -520), (2, 1000)):
        b.bits(glyph_bits, index).bits(advance_bits, advance)
    b.align()
    b.u8(0x80 | 0x02).u16(700)
    b.u8(1).bits(glyph_bits, 1).bits(advance_bits, 0)
    b.align()
    b.u8(0)
    return tag(code, b.data())


# Actions, sounds, buttons ------------------------------------------------------------------

def actions():
    out = b''
    out += b'\x81' + struct.pack('<HH', 2, 7)                       # GotoFrame
    url, target = b'http://ab', b'_self'
    out += b'\x83' + struct.pack('<H', len(url) + len(target) + 2) + url + b'\0' + target + b'\0'
    out += b'\x04\x05\x06\x07\x08\x09'
    out += b'\x8A' + struct.pack('<HHB', 3, 4, 2)                   # WaitForFrame
    out += b'\x8B' + struct.pack('<H', 5) + b'/bob\0'              # SetTarget
    out += b'\x8C' + struct.pack('<H', 6) + b'intro\0'             # GoToLabel
    out += b'\x96' + struct.pack('<H', 5) + b'\x00abc\x00'         # an action of a later set
    out += b'\x17\x0A'                                            # payload-less later actions
    return out + b'\x00'


def sound_info(b, inp=None, outp=None, loops=None, envelope=None, flags=0):
    if inp is not None:
        flags |= 0x01
    if outp is not None:
        flags |= 0x02
    if loops is not None:
        flags |= 0x04
    if envelope is not None:
        flags |= 0x08
    b.u8(flags)
    if inp is not None:
        b.u32(inp)
    if outp is not None:
        b.u32(outp)
    if loops is not None:
        b.u16(loops)
    if envelope is not None:
        b.u8(len(envelope))
        for pos, left, right in envelope:
            b.u32(pos).u16(left).u16(right)


def define_sound(cid, fmt, rate, wide, stereo, samples):
    b = Bits().u16(cid).bits(4, fmt).bits(2, rate).bits(1, wide).bits(1, stereo)
    b.u32(len(samples) // ((2 if wide else 1) * (2 if stereo else 1)))
    return tag(14, b.data() + samples)


def button_record(b, flags, cid, layer, mat, cx=None):
    b.u8(flags).u16(cid).u16(layer)
    matrix(b, **mat)
    b.align()
    if cx is not None:
        cxform(b, *cx, alpha=True)
        b.align()


def define_button(cid, shape):
    b = Bits().u16(cid)
    button_record(b, 0x01 | 0x02, shape, 1, {'tx': 100})
    button_record(b, 0x0C, shape, 2, {'sx': 0x8000, 'sy': 0x8000})
    b.u8(0)
    return tag(7, b.data() + actions())


def define_button2(cid, shape, with_actions):
    b = Bits().u16(cid).u8(1)
    records = Bits()
    button_record(records, 0x0F, shape, 1, {'r0': 0x4000, 'r1': -0x4000}, ((128, 256, 256, 200), (10, -10, 0, 0)))
    button_record(records, 0x01, shape, 2, {}, ((256, 256, 256, 256), (0, 0, 0, 0)))
    records.u8(0)
    recs = records.data()
    if not with_actions:
        return tag(34, b.data() + struct.pack('<H', 0) + recs)
    first = b'\x06\x00'
    second = b'\x07\x00'
    entry1 = struct.pack('<HH', 4 + len(first), 0x0008) + first
    entry2 = struct.pack('<HH', 0, 0x0004) + second
    return tag(34, b.data() + struct.pack('<H', 2 + len(recs)) + recs + entry1 + entry2)


def button_cxform(cid):
    b = Bits().u16(cid)
    cxform(b, (200, 256, 256, 256), (0, 0, 0, 0))
    b.align()
    cxform(b, (256, 256, 256, 256), (0, 0, 40, 0))
    b.align()
    return tag(23, b.data())


def button_sound(cid, sound):
    b = Bits().u16(cid)
    b.u16(0)
    b.u16(sound)
    sound_info(b, loops=3)
    b.u16(0)
    b.u16(sound)
    sound_info(b, flags=0x20)
    return tag(17, b.data())


# Placement ---------------------------------------------------------------------------------

def place_object(cid, depth, mat, cx=None):
    b = Bits().u16(cid).u16(depth)
    matrix(b, **mat)
    b.align()
    if cx is not None:
        cxform(b, *cx, alpha=False)
        b.align()
    return tag(4, b.data())


def place_object2(depth, cid=None, mat=None, cx=None, ratio=None, name=None, clip=None, move=False):
    flags = (0x01 if move else 0) | (0x02 if cid is not None else 0) | (0x04 if mat is not None else 0)
    flags |= (0x08 if cx is not None else 0) | (0x10 if ratio is not None else 0)
    flags |= (0x20 if name is not None else 0) | (0x40 if clip is not None else 0)
    b = Bits().u8(flags).u16(depth)
    if cid is not None:
        b.u16(cid)
    if mat is not None:
        matrix(b, **mat)
        b.align()
    if cx is not None:
        cxform(b, *cx, alpha=True)
        b.align()
    if ratio is not None:
        b.u16(ratio)
    if name is not None:
        b.text(name)
    if clip is not None:
        b.u16(clip)
    return tag(26, b.data())


def colour_table():
    entries = []
    entries.append(((255, 0, 0, 255), bytes([0, 0, 0, 255, 255])))
    gradient = bytes([240]) + struct.pack('<H', 2) + bytes([0, 1, 2, 3, 255, 4, 5, 6])
    entries.append(((0, 0, 255, 255), gradient))
    image = bytes([242]) + struct.pack('<HH', 2, 3) + bytes(range(18))
    entries.append(((0, 255, 0, 255), image))
    other_gradient = bytes([241]) + struct.pack('<H', 1) + bytes([9, 8, 7, 6])
    entries.append(((1, 1, 1, 1), other_gradient))
    other_image = bytes([243]) + struct.pack('<HH', 1, 1) + bytes([5, 4, 3])
    entries.append(((2, 2, 2, 2), other_image))
    entries.sort(key=lambda e: struct.unpack('<I', bytes(e[0]))[0])
    body = struct.pack('<H', len(entries))
    for key, paint in entries:
        body += bytes(key) + paint
    return tag(513, body)


SIGNATURE = b'<Velquist Software>\0'


def every_tag_movie():
    solid = [(0, (255, 0, 0, 255))]
    many_fills = [(0, (i % 256, (i * 7) % 256, (i * 13) % 256, 255)) for i in range(300)]
    gradient_fills = [
        (16, {'sx': 0x20000, 'sy': 0x20000, 'tx': -100, 'ty': 50}, [(0, (0, 0, 0, 0)), (255, (255, 255, 255, 128))]),
        (18, {}, [(128, (1, 2, 3, 4))]),
        (65, 1, {'sx': 20 << 16, 'sy': 20 << 16}),
    ]
    new_styles = SQUARE + [
        ('style', {'new': ([(0, (9, 9, 9, 255)), (0, (8, 8, 8, 255)), (0, (7, 7, 7, 255))], [(40, (1, 1, 1, 255))]),
                   'fill0': 3, 'line': 1}),
        ('line', 17, 0),
        ('style', {'new': ([], []), 'move': (0, 0)}),
        ('line', 0, 0),
    ]
    jpeg2 = b'\x00\xFF\xD8\x11\xFF\xD9\x22\xFF\xD8\x33\x44\xFF\xD9'
    sprite_tags = (place_object2(1, cid=3, mat={'tx': 10, 'ty': 10}) + tag(1, b'') +
                   tag(43, b'inner\0') + place_object2(1, mat={'tx': 20}, move=True) + tag(1, b'') + tag(0, b''))
    tags = [
        tag(512, SIGNATURE),
        colour_table(),
        tag(9, bytes([0, 128, 255])),
        tag(8, b'\xFF\xD8\xFF\xDB' + bytes(30) + b'\xFF\xD9', long_form=True),
        tag(6, struct.pack('<H', 1) + b'\xFF\xD8jpegdata\xFF\xD9', long_form=True),
        tag(21, struct.pack('<H', 2) + jpeg2, long_form=True),
        define_shape(2, 3, (-200, 200, -200, 200), solid, [(20, (0, 0, 0, 255))], SQUARE),
        define_shape(22, 4, (0, 1000, 0, 1000), many_fills, [], new_styles),
        define_shape(32, 5, (0, 100, 0, 100), gradient_fills, [(1, (3, 3, 3, 3)), (65535, (4, 4, 4, 0))], SQUARE),
        define_shape(2, 18, (0, 0, 0, 0), [], [], WIDEST),
        define_font(6),
        define_font2(7, wide_offsets=False, wide_codes=True, layout=True),
        define_font2(17, wide_offsets=True, wide_codes=False, layout=False),
        define_text(11, 8, 6),
        define_text(33, 9, 7),
        define_sound(10, 0, 3, 1, 1, bytes(range(64))),
        define_sound(11, 1, 1, 1, 0, bytes(range(40))),
        define_button(12, 3),
        define_button2(13, 4, True),
        define_button2(14, 5, False),
        button_cxform(12),
        button_sound(12, 10),
        tag(39, struct.pack('<HH', 15, 2) + sprite_tags),
        place_object(3, 1, {'tx': 100, 'ty': -100}, ((256, 128, 64, 256), (0, 5, -5, 0))),
        place_object(4, 2, {'sx': 0x18000, 'sy': -0x10000, 'r0': 5, 'r1': 0}),
        place_object2(3, cid=15, mat={'tx': 1, 'ty': 2}, cx=((256, 256, 256, 64), (0, 0, 0, 10)),
                      ratio=12, name='hero', clip=9),
        place_object2(3, move=True),
        tag(12, actions()),
        tag(12, b'\x00'),
        tag(15, Bits().u16(10).data() + (lambda b: (sound_info(b, inp=44, outp=4400, loops=2,
                                                               envelope=[(0, 32768, 0), (100, 0, 32768)]), b.data())[1])(Bits())),
        tag(43, b'intro\0'),
        tag(1, b''),
        tag(5, struct.pack('<HH', 3, 1)),
        tag(28, struct.pack('<H', 2)),
        tag(24, b'protected', long_form=True),
        tag(60, bytes(range(100)), long_form=True),
        tag(1, b''),
    ]
    return movie(tags, frames=2)


def play_movie():
    """Frames whose actions move timelines back and forth, sprites by name, sounds with sync flags."""
    def do(*records):
        return tag(12, b''.join(records) + b'\0', long_form=True)
    goto = lambda f: b'\x81' + struct.pack('<HH', 2, f)
    target = lambda path: b'\x8B' + struct.pack('<H', len(path) + 1) + path + b'\0'
    label = lambda name: b'\x8C' + struct.pack('<H', len(name) + 1) + name + b'\0'
    start = lambda cid, flags: tag(15, struct.pack('<HB', cid, flags))
    inner = (place_object2(1, cid=3, name='leaf') + do(target(b'..'), goto(0)) + tag(1, b'') +
             do(b'\x07') + tag(1, b'') + tag(0, b''))
    adpcm = Bits().u16(21).bits(4, 1).bits(2, 2).bits(1, 1).bits(1, 1).u32(5000).data() + bytes(range(256)) * 8
    tags = [
        define_shape(2, 3, (0, 100, 0, 100), [(0, (1, 2, 3, 255))], [], SQUARE),
        define_sound(20, 0, 1, 0, 0, bytes(range(200))),
        tag(14, adpcm, long_form=True),
        define_button2(13, 3, False),
        tag(39, struct.pack('<HH', 15, 2) + inner),
        place_object2(1, cid=15, name='s'),
        place_object2(2, cid=13),
        place_object2(3, cid=13),
        start(20, 0), start(21, 0),
        do(target(b's'), goto(1), b'\x06', target(b''), label(b'two')),
        tag(1, b''),
        tag(43, b'two\0'),
        start(20, 0x10), start(21, 0x20),
        do(goto(0), b'\x09'),
        tag(28, struct.pack('<H', 2)),
        tag(1, b''),
        do(b'\x05', goto(1), b'\x04'),
        tag(1, b''),
    ]
    return movie(tags, frames=3)


def archive_wave(rate, frames, bits, channels, encoding, samples, loop=0, extra=b''):
    """An archive wave image, the input of composing a sound: big-endian chunks up to "Data"."""
    data = struct.pack('>HIBBHHII', rate, frames, bits, channels, encoding, loop, 0, 0) + samples
    body = b'WAVE' + extra + b'Data' + struct.pack('>I', len(data)) + data
    return b'KVRW' + struct.pack('>I', len(body)) + body


def raw_colour_table_movie():
    # Without the signature tag, a 513 tag is kept raw, so it keeps the long header.
    return movie([tag(512, b'someone else\0'), tag(513, b'\x00\x00', long_form=True), tag(1, b'')])


def tiny_movie():
    return movie([tag(9, bytes([255, 255, 255])), tag(1, b'')], version=2, rate=0x0C00)


def star_movie(points=1601, radius=20000):
    """One fill whose outline is a star crossing itself over a million times."""
    step = (points - 1) // 2
    corners = [(round(radius * math.cos(2 * math.pi * (i * step % points) / points)),
                round(radius * math.sin(2 * math.pi * (i * step % points) / points))) for i in range(points)]
    records = [('style', {'move': corners[0], 'fill1': 1})]
    for (x0, y0), (x1, y1) in zip(corners, corners[1:] + corners[:1]):
        records.append(('line', x1 - x0, y1 - y0))
    shape = define_shape(32, 1, (-radius, radius, -radius, radius), [(0, (255, 0, 0, 255))], [], records)
    return movie([shape, place_object2(1, cid=1, mat={'tx': 5000, 'ty': 4000}), tag(1, b'')])


def main():
    folder = sys.argv[1]
    corpus = os.path.join(folder, 'corpus')
    os.makedirs(corpus, exist_ok=True)
    movies = {
        'every_tag.swf': every_tag_movie(),
        'raw_colour_table.swf': raw_colour_table_movie(),
        'tiny.swf': tiny_movie(),
        'play.swf': play_movie(),
        'star.swf': star_movie(),
    }
    for name, data in movies.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)
        with open(os.path.join(corpus, name), 'wb') as f:
            f.write(data)
    waves = {
        'wave_pcm16_16k_loop.wav': archive_wave(16000, 64, 16, 2, 0, bytes(range(256)), loop=0xFFFF),
        'wave_adpcm.wav': archive_wave(11025, 200, 4, 1, 1, bytes(range(100)),
                                       extra=b'ADPC' + struct.pack('>IHHIhH', 12, 1, 1, 0, 1000, 20)),
    }
    for name, data in waves.items():
        with open(os.path.join(corpus, name), 'wb') as f:
            f.write(data)
    whole = movies['every_tag.swf']
    for cut in (9, 40, len(whole) // 3, len(whole) // 2, len(whole) - 3):
        with open(os.path.join(corpus, 'cut_%d.swf' % cut), 'wb') as f:
            f.write(whole[:cut])


if __name__ == '__main__':
    main()
