#!/usr/bin/env python3
"""The vocabulary check on small trees written for each case: which headers it reads, how it
reads their numbers, and which shared numbers it refuses or lets through."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import check_vocabulary  # noqa: E402

HEAD = "#pragma once\nnamespace Ostrel {\n"


def shares(where, name, value, earlier, line, title):
    return f"{where}: {name} shares {value} with {earlier} (line {line}) in {title}"


def reaches(earlier, earlier_at, later, later_at, value, source="screens/easel/Easel.cpp"):
    return f"{source}: {earlier} ({earlier_at}) and {later} ({later_at}) both reach this receiver as {value}"


# The menus' Open and the application's new page: one number in two headers.
TWO = {"app/window/MenuMessages.h": HEAD + "enum M : u32 {\n    kMsgOpen = 6605,\n    kMsgSave = 6604,\n};\n}\n",
       "app/AppMessages.h": HEAD + "enum A : u32 {\n    kMsgNewPage = 6605,\n};\n}\n"}

# (name, {path: text}, expected problems in the order the check reports them)
CASES = [
    ("distinct numbers in an enum and in loose constants",
     {"app/window/MenuCommands.h": HEAD + "enum MenuCommand : u16 {\n    kA = 100,\n    kB = 101,\n};\n"
                                   "constexpr u32 kMsgC = 100;\n}\n"}, []),
    ("two names of one enum share a number",
     {"app/window/MenuCommands.h": HEAD + "enum class MenuCommand : u16 {\n    kA = 214,\n    kB = 0xD6,\n};\n}\n"},
     [shares("app/window/MenuCommands.h:5", "kB", 214, "kA", 4, "enum MenuCommand")]),
    ("loose constants share a number",
     {"screens/easel/CanvasMessages.h": HEAD + "constexpr u32 kMsgA = 6604;\nconstexpr u32 kMsgB = 6604;\n}\n"},
     [shares("screens/easel/CanvasMessages.h:4", "kMsgB", 6604, "kMsgA", 3, "the header's constants")]),
    ("one number in two vocabularies of one header",
     {"panels/base/PanelMessages.h": HEAD + "enum ToPanel : u32 { kA = 6621 };\n"
                                    "enum ToScreen : u32 { kB = 6621 };\nconstexpr u32 kC = 6621;\n}\n"}, []),
    ("an alias marker lets a number repeat",
     {"app/window/MenuMessages.h": HEAD + "enum M : u32 {\n    kA = 5,\n    kB = 5,  // alias of kA\n};\n}\n"}, []),
    ("an alias marker naming another number, a later name or a missing one",
     {"app/window/MenuMessages.h": HEAD + "enum M : u32 {\n    kA = 5,\n    kB = 6,  // alias of kA\n"
                                  "    kC = 7,  // alias of kD\n    kD = 7,\n    kE = 8,  // alias of kZ\n};\n}\n"},
     ["app/window/MenuMessages.h:5: kB is marked an alias of kA, which is 5, not 6",
      "app/window/MenuMessages.h:6: kC is marked an alias of kD, which is no earlier name of enum M",
      "app/window/MenuMessages.h:8: kE is marked an alias of kZ, which is no earlier name of enum M"]),
    ("an enum without its underlying type",
     {"screens/picker/PickerCommands.h": HEAD + "enum PickerCommand {\n    kA = 1,\n};\n}\n"},
     ["screens/picker/PickerCommands.h:3: enum PickerCommand states no underlying type"]),
    ("implicit values follow the one before",
     {"app/window/WindowMessages.h": HEAD + "enum W : u32 {\n    kA = 55,\n    kB,\n    kC = 56,\n};\n}\n"},
     [shares("app/window/WindowMessages.h:6", "kC", 56, "kB", 5, "enum W")]),
    ("four-character codes in both spellings",
     {"app/window/ToolMessages.h": HEAD + "constexpr FourCC kBorn = 'born';\nconstexpr u32 kAlso = fourCC(\"born\");\n}\n"},
     [shares("app/window/ToolMessages.h:4", "kAlso", 0x626F726E, "kBorn", 3, "the header's constants")]),
    ("names standing for names of other headers, and sums",
     {"app/application/ApplicationMessages.h": HEAD + "constexpr u32 kScreenPicker = 5567;\n}\n",
      "screens/picker/PickerMessages.h": HEAD + "constexpr u32 kBase = 18000;\n"
                                        "constexpr u32 kGoBack = kScreenPicker;\nconstexpr u32 kNext = kBase + 5567 - 18000;\n}\n"},
     [shares("screens/picker/PickerMessages.h:5", "kNext", 5567, "kGoBack", 4, "the header's constants")]),
    ("a value the check cannot read",
     {"panels/base/PanelMessages.h": HEAD + "constexpr u32 kA = SomeFunction();\nenum P : u16 { kB = kUnknown };\n}\n"},
     ['panels/base/PanelMessages.h:4: cannot read the value of kB ("kUnknown")',
      'panels/base/PanelMessages.h:3: cannot read the value of kA ("SomeFunction()")']),
    ("comments, other constants and other headers are not read",
     {"app/window/MenuCommands.h": HEAD + "// kA = 1, kB = 1\n/* enum X { kA = 1, kB = 1 }; */\n"
                                   "constexpr const char* kKey = \"x\";\nconstexpr u32 kOne = 1;  // was 2\n}\n",
      "app/window/RDisplayWindow.h": HEAD + "constexpr u32 kA = 1;\nconstexpr u32 kB = 1;\n}\n",
      "framework/messaging/CoreMessages.h": HEAD + "constexpr u32 kA = 1;\nconstexpr u32 kB = 1;\n}\n"}, []),
    ("two vocabularies taken by one receiver share a number",
     {**TWO, "screens/easel/Easel.cpp": "switch (code) {\ncase kMsgNewPage: break;\n}\n"
                                        "const Entry kRows[] = {{kMsgOpen, kMsgOpen, &Easel::Open}};\n"},
     [reaches("kMsgNewPage", "app/AppMessages.h:4", "kMsgOpen", "app/window/MenuMessages.h:4", 6605)]),
    ("a vocabulary reaches whole: one name taken brings its neighbours",
     {**TWO, "screens/easel/Easel.cpp": "case kMsgNewPage:\ncase kMsgSave:\n"},
     [reaches("kMsgNewPage", "app/AppMessages.h:4", "kMsgOpen", "app/window/MenuMessages.h:4", 6605)]),
    ("each receiver apart, span bounds written with an offset and other code do not count",
     {**TWO, "screens/easel/Easel.cpp": "case kMsgNewPage:\n{kMsgOpen - 1, kMsgOpen + 1, &E::F}\nf(kMsgOpen);\n",
      "screens/picker/Picker.cpp": "case kMsgOpen:\n"}, []),
    ("an alias within one vocabulary is no second message for its receiver",
     {"app/window/MenuMessages.h": HEAD + "enum M : u32 {\n    kA = 5,\n    kB = 5,  // alias of kA\n};\n}\n",
      "screens/easel/Easel.cpp": "case kA:\n"}, []),
    ("one message under each side's name",
     {**TWO, "app/AppMessages.h": HEAD + "enum A : u32 {\n    kMsgNewPage = kMsgOpen,\n};\n}\n",
      "screens/easel/Easel.cpp": "case kMsgNewPage:\ncase kMsgSave:\n"}, []),
    ("an apart marker lets a receiver tell two apart, and must name a number's other name",
     {**TWO, "app/AppMessages.h": HEAD + "enum A : u32 {\n    kMsgNewPage = 6605,  // apart from kMsgOpen: by payload\n"
                                         "    kMsgX = 7,  // apart from kMsgSave: wrong number\n};\n}\n",
      "screens/easel/Easel.cpp": "case kMsgNewPage:\ncase kMsgSave:\n"},
     ["app/AppMessages.h:5: kMsgX is marked apart from kMsgSave, which is no name of another vocabulary with 7"]),
    ("a tree without vocabulary headers is the wrong tree",
     {"app/window/RDisplayWindow.h": HEAD + "}\n"}, None),
]


def write_tree(root, files):
    for path, text in files.items():
        target = root / path
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_text(text)


class VocabularyRules(unittest.TestCase):
    def test_cases(self):
        for name, files, expected in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as folder:
                root = pathlib.Path(folder)
                write_tree(root, files)
                problems = check_vocabulary.check(root)
                if expected is None:
                    self.assertEqual(len(problems), 1)
                    self.assertIn("no vocabulary header", problems[0])
                else:
                    self.assertEqual(sorted(problems), sorted(expected))

    def test_exit_status_says_whether_anything_was_refused(self):
        script = pathlib.Path(check_vocabulary.__file__)
        for text, status in (("constexpr u32 kA = 1;\nconstexpr u32 kB = 1;\n", 1),
                             ("constexpr u32 kA = 1;\nconstexpr u32 kB = 2;\n", 0)):
            with self.subTest(status=status), tempfile.TemporaryDirectory() as folder:
                write_tree(pathlib.Path(folder), {"app/window/AMessages.h": text})
                run = subprocess.run([sys.executable, str(script), folder], capture_output=True, text=True)
                self.assertEqual(run.returncode, status, run.stdout)


if __name__ == "__main__":
    unittest.main()
