#!/usr/bin/env python3
"""Checks that includes point down the subsystem order and that library headers stay in platform/.

Usage: check_layering.py <repository root>

A source file may include headers of its own subsystem and of the subsystems below it, never of a
later one; inside engine/ the same holds for its layers. Tests and benchmarks are held to the
subsystem they test (tests/engine/... may include engine/ and platform/ headers and test helpers).
Headers of the system libraries the program is built on (SDL, FreeType, fontconfig, X11, GL,
OSMesa, espeak, libav, CUPS, FluidSynth, image and compression libraries) and POSIX headers are
included only inside platform/, where the seam to the machine lives; tests and benchmarks may use
them for their own harnesses. Every violation is printed as "<file>:<line>: <rule>"; the exit
status is 1 when there is any.
"""
import pathlib
import re
import sys

# Rank of each top-level folder; an include may go to an equal or lower rank.
SUBSYSTEMS = {
    "platform": 0,
    "engine": 1,
    "sound": 2,
    "spell": 2,
    "framework": 3,
    "text": 4,
    "document": 5,
    "tools": 6,
    "media": 7,
    "screens": 8,
    "panels": 8,
    "app": 9,
    "contentgen": 10,
}

# Layers inside engine/: a layer may include its own and lower-ranked layers.
ENGINE_LAYERS = {
    "base": 0,
    "regions": 1,
    "os": 1,
    "files": 2,
    "ini": 3,
    "resources": 4,
    "timers": 4,
    "audio": 5,
    "gfx": 5,
    "util": 5,
}

LIBRARY_HEADER = re.compile(
    r"^(SDL|SDL2/|ft2build\.h|freetype/|fontconfig/|X11/|GL/|EGL/|espeak|libav|libsw|cups/|fluidsynth|"
    r"jpeglib\.h|png\.h|gif_lib\.h|zlib\.h|unistd\.h|fcntl\.h|sys/|dirent\.h|pthread\.h|dlfcn\.h|"
    r"ucontext\.h|poll\.h|linux/)")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".c"}
# Folders whose files are not part of the program's layering.
SKIPPED = {"build", ".git", ".cache"}


def rank(path_parts):
    """Rank of a repository path as (subsystem rank, engine layer rank), or None outside the order."""
    if not path_parts or path_parts[0] not in SUBSYSTEMS:
        return None
    top = SUBSYSTEMS[path_parts[0]]
    layer = ENGINE_LAYERS.get(path_parts[1], 0) if path_parts[0] == "engine" and len(path_parts) > 2 else None
    return top, layer


def allowed(source, target):
    if target[0] != source[0]:
        return target[0] < source[0]
    if source[1] is None or target[1] is None:
        return True
    return target[1] <= source[1]


def owner_rank(rel):
    """The rank a file is held to: its own folder's, or for tests and benchmarks the tested folder's."""
    parts = rel.parts
    if parts[0] in ("tests", "bench"):
        if len(parts) > 1 and parts[1] in SUBSYSTEMS:
            return rank(parts[1:]), True
        return None, True  # harnesses and demos that span subsystems
    return rank(parts), False


def check(root):
    problems = []
    for path in sorted(root.rglob("*")):
        rel = path.relative_to(root)
        if path.suffix not in SOURCE_SUFFIXES or not path.is_file() or rel.parts[0] in SKIPPED:
            continue
        if rel.parts[:2] == ("tests", "layering"):
            continue  # the checker's own fixtures break the rules on purpose
        source, is_test = owner_rank(rel)
        in_platform = rel.parts[0] == "platform"
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            kind, header = match.groups()
            if kind == "<":
                if LIBRARY_HEADER.match(header) and not in_platform and not is_test:
                    problems.append(f"{rel}:{number}: system library header <{header}> outside platform/")
                continue
            target_parts = pathlib.PurePosixPath(header).parts
            if target_parts and target_parts[0] in ("tests", "bench"):
                if not is_test:
                    problems.append(f"{rel}:{number}: test header \"{header}\" in program code")
                continue
            target = rank(target_parts)
            if source is None or target is None:
                continue
            if not allowed(source, target):
                problems.append(f"{rel}:{number}: includes \"{header}\", which lies later in the subsystem order")
    return problems


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    problems = check(pathlib.Path(sys.argv[1]).resolve())
    for problem in problems:
        print(problem)
    print(f"layering: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
