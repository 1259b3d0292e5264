#!/usr/bin/env python3
"""Reads a movie with Debian's yaswfp, an SWF parser independent of ours, and prints one line
per tag: its name, "(raw)" when the parser could not take it apart, then the ids, depths and fills it names; a sprite's tags follow it indented.
Exit status 3 when yaswfp is not installed, 1 when it cannot read the movie.

Usage: read_with_yaswfp.py <movie.swf>
"""
import sys

try:
    import yaswfp.swfparser as swfparser
except ImportError:
    # Debian installs it for the system's interpreter.
    sys.path.append("/usr/lib/python3/dist-packages")
    try:
        import yaswfp.swfparser as swfparser
    except ImportError:
        sys.exit(3)

FIELDS = ("CharacterId", "CharacterID", "ShapeId", "SpriteID", "Depth", "FrameCount", "SoundId")


def describe(tag, indent, out):
    parts = [tag.name]
    # Tags the parser has no reader for, or whose reader gave up, keep their raw bytes.
    if type(tag).__name__ in ("UnknownObject", "FailingObject"):
        parts.append("(raw)")
    for field in FIELDS:
        if hasattr(tag, field):
            parts.append("%s=%s" % (field, getattr(tag, field)))
    shapes = getattr(tag, "Shapes", None)
    if shapes is not None:
        for fill in getattr(shapes.FillStyles, "FillStyles", []) or []:
            parts.append("fill=%d:%s" % (fill.FillStyleType, getattr(fill, "BitmapId", "-")))
        parts.append("records=%d" % len(getattr(shapes, "ShapeRecords", []) or []))
    out.append(" " * indent + " ".join(parts))
    for inner in getattr(tag, "ControlTags", []) or []:
        describe(inner, indent + 2, out)


def main():
    swfparser.SWFParser.unknown_alert = False
    try:
        movie = swfparser.parsefile(sys.argv[1])
    except Exception as error:  # the parser raises whatever its reading meets
        print("unreadable: %r" % (error,))
        return 1
    out = ["version=%d frames=%d" % (movie.header.Version, movie.header.FrameCount)]
    for tag in movie.tags:
        describe(tag, 0, out)
    print("\n".join(out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
