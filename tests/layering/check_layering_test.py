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


def unranked(folder):
    return f"{folder}/: folder with sources has no place in the subsystem order"


# (name, {path: text}, expected problems in the order the check reports them)
CASES = [
    ("screens build on the app's services but not on the shell",
     {"screens/easel/A.cpp": '#include "app/module/B.h"\n#include "shell/C.h"\n',
      "app/module/B.h": "", "shell/C.h": "",
      "shell/D.cpp": '#include "screens/easel/A.h"\n', "screens/easel/A.h": ""},
     [upward("screens/easel/A.cpp:2", "shell/C.h")]),
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
     {"tests/engine/base/ATest.cpp": '#include "engine/gfx/B.h"\n#include <SDL.h>\n', "engine/gfx/B.h": ""},
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
      "bench/engine/ABench.cpp": "#include <benchmark/benchmark.h>\n"}, []),
    ("folder outside the order", {"gadgets/A.cpp": '#include "app/B.h"\n', "app/B.h": ""}, [unranked("gadgets")]),
    ("engine folder outside its layers", {"engine/sprites/A.h": "#pragma once\n"}, [unranked("engine/sprites")]),
    ("build trees are skipped, whatever their name",
     {"build/x/A.cpp": "#include <SDL.h>\n", "out/CMakeCache.txt": "", "out/gen/A.cpp": "#include <SDL.h>\n"}, []),
    ("only the checker's own fixtures are skipped",
     {"tests/layering/fixtures/upward/engine/A.h": '#include "app/B.h"\n',
      "tests/engine/fixtures/ATest.cpp": '#include "app/B.h"\n', "app/B.h": ""},
     [upward("tests/engine/fixtures/ATest.cpp:1", "app/B.h")]),
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
