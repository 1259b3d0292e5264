#!/usr/bin/env python3
"""Checks that includes point down the subsystem order and that library headers stay in platform/.

Usage: check_layering.py <repository root>

A source file may include headers of its own subsystem and of the subsystems below it, never of a
later one; inside engine/ the same holds for its layers. Tests and benchmarks are held to the
subsystem they test (tests/engine/... may include engine/ and platform/ headers and test helpers).
Outside platform/, tests and benchmarks, a header that is not the project's, in angle brackets or
in quotes, is one of the C++ standard library's: every other one (SDL, FreeType, fontconfig, X11,
GL, OSMesa, espeak, libav, CUPS, POSIX and the like) belongs to the seam to the machine in platform/,
or to contentgen/, the build-time content generator. Folders that may include each other by rank
(two of equal rank, two subfolders of one folder, a folder's own files and its subfolders) still
may not include each other both ways, directly or round a longer loop: every include on such a
cycle is refused. The test and benchmark trees mirror the source tree: each of their folders with
sources has a source folder of the same path, apart from the named harness folders. A folder
with sources that has no place in the order is refused too, so that a new subsystem cannot slip
past the check unranked. Build trees are skipped. Every violation is printed as
"<file>:<line>: <rule>"; the exit status is 1 when there is any.
"""
import os
import pathlib
import posixpath
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
    # The application's services (screen base, main window, dialogs, printing, help) are what
    # panels and screens build on; a screen hosts its tool panels, a panel knows no screen.
    "app": 8,
    "panels": 9,
    "screens": 10,
    # The program's shell (the table of screens it switches between) is the one part of the
    # application that knows every screen.
    "shell": 11,
    "contentgen": 12,
}
# Top-level folders outside the order: test and benchmark trees (held to the folder they mirror).
HARNESSES = {"tests", "bench"}
# Folders of the test and benchmark trees that mirror no source folder: the harnesses that span
# subsystems (the X server helpers, the journeys that drive the built program), the plug-ins tests load (a decompressor, broken media runtimes), and the folders
# named here wherever they lie, which belong to the folder that holds them (its fuzz targets, its
# kill tests and the child processes they kill, its golden pictures).
HARNESS_FOLDERS = {("tests", "layering"), ("tests", "cmake"), ("tests", "demo"), ("tests", "vocabulary"),
                   ("tests", "xserver"), ("tests", "journeys"),
                   ("tests", "app", "harness"), ("tests", "engine", "gfx", "decoder"),
                   ("tests", "media", "quicktime", "modules")}
HARNESS_NAMES = {"fuzz", "kill", "golden"}


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

# The C++ standard library, with the C headers it carries in both spellings.
C_HEADERS = ("assert ctype errno fenv float inttypes limits locale math setjmp signal stdarg stddef "
             "stdint stdio stdlib string time uchar wchar wctype").split()
STANDARD_HEADERS = set(
    ("algorithm any array atomic barrier bit bitset charconv chrono codecvt compare complex concepts "
     "condition_variable coroutine deque exception execution filesystem format forward_list fstream "
     "functional future initializer_list iomanip ios iosfwd iostream istream iterator latch limits list "
     "locale map memory memory_resource mutex new numbers numeric optional ostream queue random ranges "
     "ratio regex scoped_allocator semaphore set shared_mutex source_location span sstream stack "
     "stdexcept stop_token streambuf string string_view syncstream system_error thread tuple "
     "type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector "
     "version").split()
    + ["c" + name for name in C_HEADERS] + [name + ".h" for name in C_HEADERS])

# The compiler's own headers for vector instructions, which kernels beside their plain versions use.
COMPILER_HEADER = re.compile(r"^([a-z0-9]*intrin\.h|arm_neon\.h|cpuid\.h)$")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = {".h", ".hh", ".hpp", ".hxx", ".inc", ".ipp", ".cpp", ".cc", ".cxx", ".c"}
# The checker's own fixtures break the rules on purpose.
FIXTURES = ("tests", "layering", "fixtures")


def rank(path_parts):
    """Rank of a repository path as (subsystem rank, engine layer rank), or None outside the order."""
    if not path_parts or path_parts[0] not in SUBSYSTEMS:
        return None
    top = SUBSYSTEMS[path_parts[0]]
    layer = ENGINE_LAYERS.get(path_parts[1]) if path_parts[0] == "engine" and len(path_parts) > 2 else None
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
    if parts[0] in HARNESSES:
        if len(parts) > 1 and parts[1] in SUBSYSTEMS:
            return rank(parts[1:]), True
        return None, True  # harnesses and demos that span subsystems
    return rank(parts), False


def source_files(root):
    """Every C++ source below root, leaving out build trees, hidden folders and the fixtures."""
    for folder, children, files in os.walk(root):
        here = pathlib.Path(folder)
        rel_folder = here.relative_to(root)
        if "CMakeCache.txt" in files or rel_folder.parts[:3] == FIXTURES:
            children[:] = []
            continue
        children[:] = sorted(c for c in children if not c.startswith(".") and (rel_folder.parts or c != "build"))
        for name in sorted(files):
            if pathlib.PurePath(name).suffix in SOURCE_SUFFIXES:
                yield here / name


def project_path(root, rel, header):
    """The repository path of a project header: the file beside the including one when it lies
    there, else the path from the root when it starts in a project folder; None for any other
    header, which the compiler finds on the system's include path."""
    beside = posixpath.normpath(posixpath.join(rel.parent.as_posix(), header))
    if not beside.startswith("../") and (root / beside).is_file():
        return pathlib.PurePosixPath(beside)
    from_root = pathlib.PurePosixPath(posixpath.normpath(header))
    if from_root.parts and (from_root.parts[0] in SUBSYSTEMS or from_root.parts[0] in HARNESSES):
        return from_root
    return None


def harness_folder(parts):
    """Whether a folder of the test or benchmark trees mirrors nothing, by the lists above."""
    return any(parts[:n] in HARNESS_FOLDERS for n in range(2, len(parts) + 1)) or \
        any(name in HARNESS_NAMES for name in parts)


def unmirrored(root, rel):
    """The test or benchmark folder of rel when it has no source folder to mirror, else None."""
    folder = rel.parts[:-1]
    if not folder or folder[0] not in HARNESSES or len(folder) < 2 or harness_folder(folder):
        return None
    return None if root.joinpath(*folder[1:]).is_dir() else "/".join(folder)


def sibling_edge(source_folder, target_folder):
    """The two folders an include joins, taken below their nearest common folder: (that folder,
    the child holding the source, the child holding the target), where the child "" stands for
    the common folder's own files; None for an include within one folder."""
    if source_folder == target_folder:
        return None
    common = 0
    while common < min(len(source_folder), len(target_folder)) and \
            source_folder[common] == target_folder[common]:
        common += 1
    child = lambda folder: folder[common] if len(folder) > common else ""
    return source_folder[:common], child(source_folder), child(target_folder)


def cycles(includes):
    """The includes that lie on an include cycle between folders. includes holds (where, header,
    edge) in the order read; two folders under the same folder are in one cycle when each reaches
    the other through the includes between the children of that folder."""
    graph = {}
    for _, _, (parent, source, target) in includes:
        graph.setdefault(parent, {}).setdefault(source, set()).add(target)

    def reach(edges, start):
        seen, stack = set(), [start]
        while stack:
            for following in edges.get(stack.pop(), ()):
                if following not in seen:
                    seen.add(following)
                    stack.append(following)
        return seen

    reached = {(parent, node): reach(edges, node) for parent, edges in graph.items() for node in edges}
    problems = []
    for where, header, (parent, source, target) in includes:
        if source not in reached.get((parent, target), ()):
            continue
        members = sorted(node for node in reached[(parent, source)] if source in reached.get((parent, node), ()))
        names = ["/".join(parent + ((node,) if node else ())) + "/" for node in members]
        names = " and ".join(names)
        problems.append(f'{where}: includes "{header}" in an include cycle between {names}')
    return problems


def check(root):
    problems = []
    unranked = set()
    mirrors = set()
    includes = []  # (where, header, folders joined) of every include between program folders
    for path in source_files(root):
        rel = path.relative_to(root)
        lost = unmirrored(root, rel)
        if lost:
            mirrors.add(lost)
        if len(rel.parts) > 1 and rel.parts[0] not in SUBSYSTEMS and rel.parts[0] not in HARNESSES:
            unranked.add(rel.parts[0])
        if rel.parts[0] == "engine" and len(rel.parts) > 2 and rel.parts[1] not in ENGINE_LAYERS:
            unranked.add(f"engine/{rel.parts[1]}")
        source, is_test = owner_rank(rel)
        # The content generator is a build-time tool, not part of the program: it may use the
        # libraries it needs to make content (a spelling library to check word forms).
        in_platform = rel.parts[0] in ("platform", "contentgen")
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            kind, header = match.groups()
            header = header.strip()
            target_path = project_path(root, rel, header)
            if target_path is None:
                library = header not in STANDARD_HEADERS and not COMPILER_HEADER.match(header)
                if library and not in_platform and not is_test:
                    shown = f"<{header}>" if kind == "<" else f'"{header}"'
                    problems.append(f"{rel}:{number}: system library header {shown} outside platform/")
                continue
            target_parts = target_path.parts
            if target_parts and target_parts[0] in HARNESSES:
                if not is_test:
                    problems.append(f"{rel}:{number}: test header \"{header}\" in program code")
                continue
            edge = sibling_edge(rel.parts[:-1], target_parts[:-1])
            if edge and not is_test:
                includes.append((f"{rel}:{number}", header, edge))
            # Tests make their fixtures with the project's own content generators.
            if is_test and target_parts and target_parts[0] == "contentgen":
                continue
            target = rank(target_parts)
            if source is None or target is None:
                continue
            if not allowed(source, target):
                problems.append(f"{rel}:{number}: includes \"{header}\", which lies later in the subsystem order")
    problems += cycles(includes)
    for folder in sorted(unranked):
        problems.append(f"{folder}/: folder with sources has no place in the subsystem order")
    for folder in sorted(mirrors):
        problems.append(f"{folder}/: test folder mirrors no source folder")
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
