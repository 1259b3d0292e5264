#!/usr/bin/env python3
"""The layering rules on small trees written for each case: what each rule refuses, what it lets
through, and which folders the check leaves out."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import check_layering  # noqa: E402

LATER = "which lies later in the subsystem order"


def upward(where, header):
    return f'{where}: includes "{header}", {LATER}'


def library(where, header, quoted=False):
    shown = f'"{header}"' if quoted else f"<{header}>"
    return f"{where}: system library header {shown} outside platform/"


def cycle(where, header, *folders):
    return f'{where}: includes "{header}" in an include cycle between {" and ".join(folders)}'


def unmirrored(folder):
    return f"{folder}/: test folder mirrors no source folder"


def unranked(folder):
    return f"{folder}/: folder with sources has no place in the subsystem order"


# (name, {path: text}, expected problems in the order the check reports them)
CASES = [
    ("screens build on the app's services but not on the shell",
     {"screens/easel/A.cpp": '#include "app/module/B.h"\n#include "shell/C.h"\n',
      "app/module/B.h": "", "shell/C.h": "",
      "shell/D.cpp": '#include "screens/easel/A.h"\n', "screens/easel/A.h": ""},
     [upward("screens/easel/A.cpp:2", "shell/C.h"),
      cycle("screens/easel/A.cpp:2", "shell/C.h", "screens/", "shell/"),
      cycle("shell/D.cpp:1", "screens/easel/A.h", "screens/", "shell/")]),
    ("screens host panels, panels know no screen",
     {"screens/easel/A.cpp": '#include "panels/base/B.h"\n', "panels/base/B.h": "",
      "panels/pencil/C.cpp": '#include "screens/easel/D.h"\n', "screens/easel/D.h": ""},
     [upward("panels/pencil/C.cpp:1", "screens/easel/D.h"),
      cycle("panels/pencil/C.cpp:1", "screens/easel/D.h", "panels/", "screens/"),
      cycle("screens/easel/A.cpp:1", "panels/base/B.h", "panels/", "screens/")]),
    ("cycle between folders of equal rank",
     {"sound/A.cpp": '#include "spell/B.h"\n', "spell/B.h": '#include "sound/C.h"\n', "sound/C.h": ""},
     [cycle("sound/A.cpp:1", "spell/B.h", "sound/", "spell/"), cycle("spell/B.h:1", "sound/C.h", "sound/", "spell/")]),
    ("one way between folders of equal rank",
     {"sound/A.cpp": '#include "spell/B.h"\n', "spell/B.h": "", "spell/C.h": '#include "engine/base/D.h"\n'}, []),
    ("cycle between subfolders",
     {"document/objects/A.cpp": '#include "document/pages/B.h"\n#include "document/storage/S.h"\n',
      "document/pages/B.h": '#include "document/objects/C.h"\n'},
     [cycle("document/objects/A.cpp:1", "document/pages/B.h", "document/objects/", "document/pages/"),
      cycle("document/pages/B.h:1", "document/objects/C.h", "document/objects/", "document/pages/")]),
    ("cycle through three subfolders, and an include beside it",
     {"app/window/A.h": '#include "app/module/B.h"\n', "app/module/B.cpp": '#include "app/application/C.h"\n',
      "app/application/C.cpp": '#include "app/window/D.h"\n#include "app/strings/E.h"\n'},
     [cycle("app/application/C.cpp:1", "app/window/D.h", "app/application/", "app/module/", "app/window/"),
      cycle("app/module/B.cpp:1", "app/application/C.h", "app/application/", "app/module/", "app/window/"),
      cycle("app/window/A.h:1", "app/module/B.h", "app/application/", "app/module/", "app/window/")]),
    ("cycle between a folder's own files and its subfolder, and in deeper folders",
     {"media/A.cpp": '#include "media/swf/B.h"\n', "media/swf/B.h": '#include "media/C.h"\n',
      "engine/gfx/x/D.h": '#include "engine/gfx/y/E.h"\n', "engine/gfx/y/E.cpp": '#include "engine/gfx/x/F.h"\n'},
     [cycle("engine/gfx/x/D.h:1", "engine/gfx/y/E.h", "engine/gfx/x/", "engine/gfx/y/"),
      cycle("engine/gfx/y/E.cpp:1", "engine/gfx/x/F.h", "engine/gfx/x/", "engine/gfx/y/"),
      cycle("media/A.cpp:1", "media/swf/B.h", "media/", "media/swf/"),
      cycle("media/swf/B.h:1", "media/C.h", "media/", "media/swf/")]),
    ("tests join no cycle",
     {"tests/document/objects/ATest.cpp": '#include "document/pages/B.h"\n',
      "tests/document/pages/BTest.cpp": '#include "document/objects/A.h"\n#include "tests/document/objects/H.h"\n',
      "document/objects/A.h": "", "document/pages/B.h": ""}, []),
    ("tests and benchmarks mirror the tree",
     {"engine/gfx/A.h": "", "app/window/B.h": "", "tests/FuzzSeeds.h": "",
      "tests/engine/gfx/ATest.cpp": "", "bench/engine/gfx/ABench.cpp": "", "tests/engine/gfx/fuzz/AFuzz.cpp": "",
      "tests/app/harness/Harness.h": "", "tests/app/window/kill/child/Child.cpp": "",
      "tests/vocabulary/NamesTest.cpp": "", "tests/layering/fixtures/x/y/A.h": "",
      "tests/app/windows/BTest.cpp": "", "bench/engine/gfx2/ABench.cpp": "", "tests/spell/CTest.cpp": ""},
     [unmirrored("bench/engine/gfx2"), unmirrored("tests/app/windows"), unmirrored("tests/spell")]),
    ("quoted upward include", {"engine/regions/A.h": '#include "framework/input/B.h"\n',
                               "framework/input/B.h": ""},
     [upward("engine/regions/A.h:1", "framework/input/B.h")]),
    ("angle-bracket upward include", {"engine/regions/A.h": "#pragma once\n#include <framework/input/B.h>\n",
                                      "framework/input/B.h": ""},
     [upward("engine/regions/A.h:2", "framework/input/B.h")]),
    ("spaces around the hash", {"sound/A.cpp": '  #  include   "framework/B.h"\n', "framework/B.h": ""},
     [upward("sound/A.cpp:1", "framework/B.h")]),
    ("relative path climbing to a later subsystem",
     {"engine/gfx/A.cpp": '#include "../../framework/B.h"\n', "framework/B.h": ""},
     [upward("engine/gfx/A.cpp:1", "../../framework/B.h")]),
    ("header beside the file", {"engine/base/A.cpp": '#include "A.h"\n', "engine/base/A.h": ""}, []),
    ("downward includes between new subsystems",
     {"framework/A.h": '#include "sound/B.h"\n#include "engine/base/C.h"\n', "sound/B.h": "",
      "engine/base/C.h": "", "screens/D.cpp": '#include "media/E.h"\n', "media/E.h": ""}, []),
    ("media below the screens that show it", {"media/A.cpp": '#include "screens/B.h"\n', "screens/B.h": ""},
     [upward("media/A.cpp:1", "screens/B.h")]),
    ("engine layer inversion", {"engine/os/A.h": '#include "engine/files/B.h"\n', "engine/files/B.h": ""},
     [upward("engine/os/A.h:1", "engine/files/B.h")]),
    ("engine layer below", {"engine/files/A.h": '#include "engine/os/B.h"\n', "engine/os/B.h": ""}, []),
    ("test held to the layer it tests",
     {"tests/engine/base/ATest.cpp": '#include "engine/gfx/B.h"\n#include <SDL.h>\n', "engine/gfx/B.h": "",
      "engine/base/A.h": ""},
     [upward("tests/engine/base/ATest.cpp:1", "engine/gfx/B.h")]),
    ("tests make fixtures with the content generators, program code may not",
     {"tests/text/ATest.cpp": '#include "contentgen/lexicon/B.h"\n', "contentgen/lexicon/B.h": "",
      "text/A.cpp": '#include "contentgen/lexicon/B.h"\n'},
     [upward("text/A.cpp:1", "contentgen/lexicon/B.h")]),
    ("test header in program code", {"engine/base/A.cpp": '#include "tests/engine/Support.h"\n'},
     ['engine/base/A.cpp:1: test header "tests/engine/Support.h" in program code']),
    ("library and POSIX headers outside platform",
     {"engine/gfx/A.cpp": "#include <SDL.h>\n#include <strings.h>\n#include <hb.h>\n#include <alsa/asoundlib.h>\n"},
     [library("engine/gfx/A.cpp:1", "SDL.h"), library("engine/gfx/A.cpp:2", "strings.h"),
      library("engine/gfx/A.cpp:3", "hb.h"), library("engine/gfx/A.cpp:4", "alsa/asoundlib.h")]),
    ("library headers in quotes", {"engine/gfx/A.cpp": '#include "SDL.h"\n#include "ft2build.h"\n'},
     [library("engine/gfx/A.cpp:1", "SDL.h", quoted=True), library("engine/gfx/A.cpp:2", "ft2build.h", quoted=True)]),
    ("standard and compiler headers anywhere",
     {"engine/gfx/A.cpp": "#include <cstring>\n#include <string.h>\n#include <thread>\n#include <filesystem>\n"
                          "#include <immintrin.h>\n#include <emmintrin.h>\n#include <arm_neon.h>\n"}, []),
    ("library headers in platform, the content generator and test harnesses",
     {"platform/display/A.cpp": "#include <SDL.h>\n#include <unistd.h>\n",
      "contentgen/lexicon/A.cpp": "#include <hunspell/hunspell.h>\n",
      "tests/platform/ATest.cpp": "#include <gtest/gtest.h>\n#include <poll.h>\n",
      "bench/engine/ABench.cpp": "#include <benchmark/benchmark.h>\n", "engine/A.h": ""}, []),
    ("folder outside the order", {"gadgets/A.cpp": '#include "app/B.h"\n', "app/B.h": ""}, [unranked("gadgets")]),
    ("engine folder outside its layers", {"engine/sprites/A.h": "#pragma once\n"}, [unranked("engine/sprites")]),
    ("build trees are skipped, whatever their name",
     {"build/x/A.cpp": "#include <SDL.h>\n", "out/CMakeCache.txt": "", "out/gen/A.cpp": "#include <SDL.h>\n"}, []),
    ("only the checker's own fixtures are skipped",
     {"tests/layering/fixtures/upward/engine/A.h": '#include "app/B.h"\n',
      "tests/engine/fixtures/ATest.cpp": '#include "app/B.h"\n', "app/B.h": ""},
     [upward("tests/engine/fixtures/ATest.cpp:1", "app/B.h"), unmirrored("tests/engine/fixtures")]),
]


def write_tree(root, files):
    for path, text in files.items():
        target = root / path
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_text(text)


class LayeringRules(unittest.TestCase):
    def test_cases(self):
        for name, files, expected in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as folder:
                root = pathlib.Path(folder)
                write_tree(root, files)
                self.assertEqual(check_layering.check(root), expected)

    def test_exit_status_says_whether_anything_was_refused(self):
        script = pathlib.Path(check_layering.__file__)
        for files, status in (({"engine/base/A.h": '#include "engine/os/B.h"\n', "engine/os/B.h": ""}, 1),
                              ({"engine/os/A.h": '#include "engine/base/B.h"\n', "engine/base/B.h": ""}, 0)):
            with self.subTest(status=status), tempfile.TemporaryDirectory() as folder:
                write_tree(pathlib.Path(folder), files)
                run = subprocess.run([sys.executable, str(script), folder], capture_output=True, text=True)
                self.assertEqual(run.returncode, status, run.stdout)


if __name__ == "__main__":
    unittest.main()
