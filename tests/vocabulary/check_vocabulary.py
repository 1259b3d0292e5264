#!/usr/bin/env python3
"""Checks that no two names of one vocabulary share a number unless the header says they should.

Usage: check_vocabulary.py <repository root>

Commands and messages travel as numbers, and a receiver tells them apart by number alone: two
names with one number in one receiver's vocabulary make one of its handlers unreachable, or send
one command where another was meant. The names live in vocabulary headers:

- A vocabulary header is a header under app/, screens/, panels/ or shell/ whose file name ends in
  "Commands.h" or "Messages.h". It holds the commands and messages of one receiver (or what one
  broadcaster tells its listeners), and nothing else.
- Each enum in it, "enum Name : u16 { ... }" or "enum class Name : u32 { ... }", is one vocabulary.
  Its underlying type must be written, so that the numbers have the width their messages carry.
- The namespace-level integer constants of the header ("constexpr u32 kMsgFlatten = 6647;") are
  together one more vocabulary.
- A value is a decimal or hexadecimal literal, a four-character literal ('born' or
  fourCC("born")), a name of any vocabulary header, or a sum or difference of these; an
  enumerator without a value follows the one before it. A value the check cannot read is
  refused, so that no name escapes it.
- Where one number is meant to carry two names in one vocabulary, the later line ends with the
  comment "// alias of kEarlierName", naming a constant of the same vocabulary with the same
  number; nothing else lets a number repeat within a vocabulary. One name per line.

One receiver hears several vocabularies: a screen takes the menus' broadcasts, the application's
messages and its own buttons' clicks in one handler, and hands some on to its parts. A receiver
is a source file under those folders that dispatches messages: its "case kName:" labels and the
names that stand alone in the rows of its command tables ("{kFirst, kLast, &Handler}"; a bound
written "kName - 1" or "kName + 1" only marks where a span stops). Every vocabulary one of whose
names a receiver takes reaches that receiver whole, and no two of its vocabularies may give one
number two names, unless
- one name is defined as the other ("constexpr u32 kMsgAbcText = kMsgMenuAbcText;"): one
  message, called by each side's name, or
- the later line ends with "// apart from kOtherName: how the receiver tells them apart", naming
  a constant of another vocabulary with the same number.

Every violation is printed as "<file>:<line>: <rule>"; the exit status
is 1 when there is any, and when the tree holds no vocabulary header at all (a wrong root).
"""
import ast
import pathlib
import re
import sys

FOLDERS = ("app", "screens", "panels", "shell")
SUFFIXES = ("Commands.h", "Messages.h")
INTEGER_TYPES = re.compile(
    r"^(?:std::)?(?:u8|u16|u32|u64|i8|i16|i32|i64|int|unsigned|long|short|size_t|uintptr_t|FourCC|"
    r"u?int(?:8|16|32|64)_t)$")
ENUM = re.compile(r"\benum\s+(?:class\s+|struct\s+)?(\w+)\s*(:\s*[\w:]+)?\s*\{")
CONSTANT = re.compile(r"^\s*(?:inline\s+)?(?:static\s+)?constexpr\s+([\w:]+)\s+(k\w*)\s*=\s*(.+?)\s*;")
ENUMERATOR = re.compile(r"^\s*(\w+)\s*(?:=\s*(.+?))?\s*,?\s*$")
ALIAS = re.compile(r"//\s*alias of\s+(\w+)")
APART = re.compile(r"//\s*apart from\s+(\w+)\s*:\s*\S")
CASE_LABEL = re.compile(r"\bcase\s+(k\w+)\s*:")
TABLE_ROW = re.compile(r"\{\s*([\w\s+-]+?)\s*,\s*([\w\s+-]+?)\s*,\s*&\w")
BARE_NAME = re.compile(r"^k\w+$")
LITERAL = re.compile(r"\b(0[xX][0-9a-fA-F]+|\d+)[uUlL]*\b")
FOUR_CHARS = re.compile(r"(?:fourCC\(\s*\"([^\"]{4})\"\s*\)|'([^'\\]{1,4})')")


def vocabulary_headers(root):
    found = []
    for folder in FOLDERS:
        base = root / folder
        if base.is_dir():
            found += [path for path in sorted(base.rglob("*.h")) if path.name.endswith(SUFFIXES)]
    return found


def strip_code(line):
    """The line without its trailing comment."""
    return line.split("//", 1)[0]


def four_chars(text):
    value = 0
    for ch in text.encode("latin-1"):
        value = (value << 8) | ch
    return value


class Name:
    def __init__(self, name, expression, line, alias, apart=None):
        self.name, self.expression, self.line, self.alias = name, expression, line, alias
        self.apart = apart
        self.value = None


class Vocabulary:
    def __init__(self, path, title):
        self.path, self.title, self.names = path, title, []


def read_header(path, problems, rel):
    """The vocabularies of one header: its enums, then its loose constants."""
    lines = path.read_text(encoding="utf-8", errors="replace").split("\n")
    vocabularies = []
    loose = Vocabulary(rel, "the header's constants")
    in_comment = False
    current = None
    pending_previous = None
    for number, raw in enumerate(lines, start=1):
        line = raw
        if in_comment:
            if "*/" not in line:
                continue
            line = line.split("*/", 1)[1]
            in_comment = False
        if "/*" in line.split("//", 1)[0]:
            before, _, after = line.partition("/*")
            if "*/" in after:
                line = before + after.split("*/", 1)[1]
            else:
                line, in_comment = before, True
        alias = ALIAS.search(line)
        alias = alias.group(1) if alias else None
        apart = APART.search(line)
        apart = apart.group(1) if apart else None
        code = strip_code(line)
        if current is None:
            enum = ENUM.search(code)
            if enum:
                if not enum.group(2):
                    problems.append(f"{rel}:{number}: enum {enum.group(1)} states no underlying type")
                current = Vocabulary(rel, f"enum {enum.group(1)}")
                vocabularies.append(current)
                pending_previous = None
                code = code[enum.end():]
            else:
                constant = CONSTANT.match(code)
                if constant and INTEGER_TYPES.match(constant.group(1)):
                    loose.names.append(Name(constant.group(2), constant.group(3), number, alias, apart))
                continue
        body, closed = code, False
        if "}" in body:
            body, closed = body.split("}", 1)[0], True
        for part in [p for p in body.split(",") if p.strip()]:
            entry = ENUMERATOR.match(part)
            if not entry:
                problems.append(f"{rel}:{number}: cannot read the enumerator \"{part.strip()}\"")
                continue
            expression = entry.group(2)
            if expression is None:
                expression = f"{pending_previous} + 1" if pending_previous else "0"
            current.names.append(Name(entry.group(1), expression, number, alias, apart))
            pending_previous = entry.group(1)
        if closed:
            current = None
    if loose.names:
        vocabularies.append(loose)
    return vocabularies


def evaluate(expression, known):
    """The number an expression names, or None when the check cannot read it."""
    text = FOUR_CHARS.sub(lambda m: str(four_chars(m.group(1) or m.group(2))), expression)
    text = LITERAL.sub(lambda m: str(int(m.group(1), 0)), text)
    text = re.sub(r"\b(?:u8|u16|u32|i16|i32|FourCC|uintptr_t)\((.*)\)$", r"\1", text.strip())
    try:
        tree = ast.parse(text, mode="eval")
    except SyntaxError:
        return None

    def value(node):
        if isinstance(node, ast.Constant) and isinstance(node.value, int):
            return node.value
        if isinstance(node, ast.Name):
            return known.get(node.id)
        if isinstance(node, ast.BinOp) and isinstance(node.op, (ast.Add, ast.Sub, ast.BitOr, ast.LShift)):
            left, right = value(node.left), value(node.right)
            if left is None or right is None:
                return None
            if isinstance(node.op, ast.Add):
                return left + right
            if isinstance(node.op, ast.Sub):
                return left - right
            if isinstance(node.op, ast.BitOr):
                return left | right
            return left << right
        return None

    return value(tree.body)


def resolve(vocabularies, problems):
    """Gives every name its number; names may stand for each other across headers."""
    every = [name for vocabulary in vocabularies for name in vocabulary.names]
    known = {}
    for _ in range(len(every) + 1):
        progress = False
        for name in every:
            if name.value is None:
                name.value = evaluate(name.expression, known)
                if name.value is not None:
                    known.setdefault(name.name, name.value)
                    progress = True
        if not progress:
            break
    for vocabulary in vocabularies:
        for name in vocabulary.names:
            if name.value is None:
                problems.append(f"{vocabulary.path}:{name.line}: cannot read the value of {name.name} "
                                f"(\"{name.expression}\")")


def check_duplicates(vocabulary, problems):
    first = {}
    by_name = {name.name: name for name in vocabulary.names}
    for name in vocabulary.names:
        if name.value is None:
            continue
        earlier = first.get(name.value)
        if name.alias is not None:
            target = by_name.get(name.alias)
            if target is None or target.line >= name.line:
                problems.append(f"{vocabulary.path}:{name.line}: {name.name} is marked an alias of {name.alias}, "
                                f"which is no earlier name of {vocabulary.title}")
            elif target.value != name.value:
                problems.append(f"{vocabulary.path}:{name.line}: {name.name} is marked an alias of {name.alias}, "
                                f"which is {target.value}, not {name.value}")
            continue
        if earlier is not None:
            problems.append(f"{vocabulary.path}:{name.line}: {name.name} shares {name.value} with {earlier.name} "
                            f"(line {earlier.line}) in {vocabulary.title}")
        else:
            first[name.value] = name


def taken_names(text):
    """The names a receiver's source dispatches on."""
    names = set(CASE_LABEL.findall(text))
    for row in TABLE_ROW.findall(text):
        names.update(bound.strip() for bound in row if BARE_NAME.match(bound.strip()))
    return names


def same_message(name, by_name):
    """The name a name stands for when it is defined as another one, followed to its end."""
    seen = set()
    while name.expression.strip() in by_name and name.name not in seen:
        seen.add(name.name)
        name = by_name[name.expression.strip()]
    return name.name


def check_receivers(root, vocabularies, problems):
    owner, by_name = {}, {}
    for vocabulary in vocabularies:
        for name in vocabulary.names:
            owner.setdefault(name.name, vocabulary)
            by_name.setdefault(name.name, name)
    for name in by_name.values():
        if name.apart is None:
            continue
        other = by_name.get(name.apart)
        if other is None or owner[name.apart] is owner[name.name] or other.value != name.value:
            problems.append(f"{owner[name.name].path}:{name.line}: {name.name} is marked apart from {name.apart}, "
                            f"which is no name of another vocabulary with {name.value}")
    for folder in FOLDERS:
        base = root / folder
        if not base.is_dir():
            continue
        for source in sorted(base.rglob("*.cpp")):
            taken = taken_names(source.read_text(encoding="utf-8", errors="replace"))
            reaching = []
            for vocabulary in (owner[name] for name in sorted(taken) if name in owner):
                if vocabulary not in reaching:
                    reaching.append(vocabulary)
            first = {}
            for vocabulary in reaching:
                for name in vocabulary.names:
                    if name.value is None:
                        continue
                    for earlier in first.setdefault(name.value, []):
                        if owner[earlier.name] is vocabulary:
                            continue
                        if same_message(earlier, by_name) == same_message(name, by_name):
                            continue
                        if earlier.apart == name.name or name.apart == earlier.name:
                            continue
                        problems.append(f"{source.relative_to(root).as_posix()}: {earlier.name} "
                                        f"({owner[earlier.name].path}:{earlier.line}) and {name.name} "
                                        f"({vocabulary.path}:{name.line}) both reach this receiver as "
                                        f"{name.value}")
                    first[name.value].append(name)


def check(root):
    problems = []
    headers = vocabulary_headers(root)
    if not headers:
        return [f"{root}: no vocabulary header (*{SUFFIXES[0]}, *{SUFFIXES[1]}) under {', '.join(FOLDERS)}"]
    vocabularies = []
    for path in headers:
        vocabularies += read_header(path, problems, path.relative_to(root).as_posix())
    resolve(vocabularies, problems)
    for vocabulary in vocabularies:
        check_duplicates(vocabulary, problems)
    check_receivers(root, vocabularies, problems)
    return problems


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    problems = check(pathlib.Path(sys.argv[1]).resolve())
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
