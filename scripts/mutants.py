#!/usr/bin/env python3
"""Lists single-line faults for scripts/mutate.sh, one per line: FILE, LINE, KIND, BEFORE, AFTER (tab-separated;
lines holding a tab or carriage return are left alone).

  mutants.py list PATH...                  every fault in the files (a folder: its sources)
  mutants.py sample N SEED [DIR...]        N faults on N distinct lines drawn at random from the lines that
                                           admit one, shared among the folders by their number of such lines,
                                           then one fault of each line drawn at random; the same on the same tree

Test sources (tests/, fuzz/, *_test.cpp) and files git does not track (generated ones) are left out of folders,
and so are source files the build in MUTANTS_BUILD (its compile_commands.json) does not compile: the browser's
devices are tested by the web tests, not by the native suite a fault is run against.

Comments, string and character literals, preprocessor lines and static_asserts are never touched.
"""
import json
import os
import random
import re
import subprocess
import sys
from decimal import Decimal

SOURCE = re.compile(r"\.(cpp|cc|h|hpp)$")
TEST_FILE = re.compile(r"(^|/)(tests?|fuzz)/|_test\.(cpp|cc|h)$")
KEYWORDS = {"if", "while", "for", "switch", "return", "sizeof", "alignof", "decltype", "catch", "noexcept",
            "static_assert", "alignas", "case", "else", "do", "new", "delete", "throw", "operator"}
CONTROL = {"if", "for", "while", "switch", "do", "try"}  # a whole compound statement is not a simple one
NOT_A_TYPE = {"return", "delete", "throw", "goto", "else", "case", "co_return", "co_yield", "co_await", "new"}
RELATIONAL = {"<": ["<=", ">"], "<=": ["<", ">="], ">": [">=", "<"], ">=": [">", "<="], "==": ["!="], "!=": ["=="]}
ARITHMETIC = {"+": "-", "-": "+", "+=": "-=", "-=": "+=", "++": "--", "--": "++"}
FUNCTION_HEAD = re.compile(r"\)\s*(const|noexcept|override|final|mutable|->\s*[\w:<>,&* ]+|\s)*$")
NUMBER = re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F]+|\d+\.\d*|\.\d+|\d+)([uUlLfFzZ]*)(?![\w.'])")


def mask(text):
    """The text with comments blanked and literal contents replaced by '@', positions kept."""
    out, i, n = list(text), 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out[i:j] = " " * (j - i)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out[i:j] = [ch if ch == "\n" else " " for ch in text[i:j]]
            i = j
        elif c == 'R' and text.startswith('R"', i) and not (i and (text[i - 1].isalnum() or text[i - 1] == "_")):
            open_paren = text.find("(", i)
            close = ")" + text[i + 2:open_paren] + '"'
            j = text.find(close, open_paren)
            j = n if j < 0 else j + len(close)
            out[i + 2:j - 1] = [ch if ch == "\n" else "@" for ch in text[i + 2:j - 1]]
            i = j
        elif c in "\"'":
            if c == "'" and i and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum():
                i += 1  # a digit separator
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out[i + 1:j] = "@" * (j - i - 1)
            i = j + 1
        else:
            i += 1
    return "".join(out)


def skipped_lines(masked_lines):
    """Preprocessor lines (with their continuations) and static_asserts."""
    skip, continued = set(), False
    for k, line in enumerate(masked_lines):
        if continued or line.lstrip().startswith("#") or "static_assert" in line:
            skip.add(k)
        continued = k in skip and line.rstrip().endswith("\\")
    return skip


def code_lines(masked_lines):
    """For each line, whether it lies inside a function body (or a lambda's, or a block within one)."""
    stack, header, inside = [], "", []
    for line in masked_lines:
        inside.append(bool(stack) and stack[-1])
        for ch in line + "\n":
            if ch == "{":
                head = header.strip()
                starts_type = re.match(r"(template\b.*>\s*)?(struct|class|union|enum|namespace)\b", head)
                block = (FUNCTION_HEAD.search(head) is not None or re.search(r"\b(else|do|try)$", head) is not None
                         or (head.endswith(":") and bool(stack) and stack[-1])) and not starts_type
                if bool(stack) and stack[-1] and head == "":
                    block = True
                stack.append(block)
                header = ""
            elif ch == "}":
                if stack:
                    stack.pop()
                header = ""
            elif ch == ";":
                header = ""
            else:
                header += ch
    return inside


def balanced(text, start, open_ch="(", close_ch=")"):
    """The index of the bracket closing the one at `start`, or -1 when it is not on the line."""
    depth = 0
    for j in range(start, len(text)):
        depth += {open_ch: 1, close_ch: -1}.get(text[j], 0)
        if depth == 0:
            return j
    return -1


def top_level_splits(masked, start, end, separators):
    """Spans between top-level separators in masked[start:end] (brackets of all kinds nest)."""
    spans, depth, j, begin = [], 0, start, start
    while j < end:
        ch = masked[j]
        if ch in "([{":
            depth += 1
        elif ch in ")]}":
            depth -= 1
        elif depth == 0:
            sep = next((s for s in separators if masked.startswith(s, j)), None)
            if sep:
                spans.append((begin, j, sep))
                begin = j + len(sep)
                j += len(sep)
                continue
        j += 1
    spans.append((begin, end, None))
    return spans


def trimmed(line, a, b):
    while a < b and line[a].isspace():
        a += 1
    while b > a and line[b - 1].isspace():
        b -= 1
    return a, b


def operators(line, masked):
    for m in re.finditer(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)", masked):
        for new in RELATIONAL[m.group(1)]:
            yield "comparison", line[:m.start()] + new + line[m.end():]
    if '"' in masked:
        return  # + joins strings there, and - would not build
    for m in re.finditer(r"(?<=\s)(\+=|-=|\+|-)(?=\s)|(\+\+|--)(?=[\w(])|(?<=[\w)\]])(\+\+|--)", masked):
        yield "arithmetic", line[:m.start()] + ARITHMETIC[m.group(0)] + line[m.end():]


def nudged(literal, delta):
    if literal.lower().startswith("0x"):
        value = int(literal, 16) + delta
        return None if value < 0 else literal[:2] + format(value, "0%d%s" % (len(literal) - 2, "X" if any(
            c in "ABCDEF" for c in literal) else "x"))
    if "." in literal:  # 16.0 -> 17.0, 0.07 -> 0.08: one in the last place written, or one if it is whole
        fraction = literal.split(".")[1]
        places = len(fraction) if fraction.strip("0") else 0
        value = Decimal(literal.rstrip(".") or "0") + Decimal(delta).scaleb(-places)
        return format(value.quantize(Decimal(1).scaleb(-max(places, len(fraction), 1))), "f")
    return str(int(literal) + delta)


def constants(line, masked):
    for m in NUMBER.finditer(masked):
        for delta in (1, -1):
            new = nudged(m.group(1), delta)
            if new is not None:
                yield "constant", line[:m.start(1)] + new + line[m.end(1):]


def conditions(line, masked):
    for m in re.finditer(r"\b(if|while)\s*(constexpr\s*)?\(", masked):
        open_at = m.end() - 1
        close_at = balanced(masked, open_at)
        if close_at < 0 or ";" in masked[open_at:close_at]:
            continue
        a, b = trimmed(masked, open_at + 1, close_at)
        for forced in ("true", "false"):
            if masked[a:b] != forced:
                yield "condition", line[:a] + forced + line[b:]
        yield from operands(line, masked, a, b)
    m = re.match(r"\s*return\s+(.*);\s*$", masked)
    if m:
        yield from operands(line, masked, *trimmed(masked, m.start(1), m.end(1)))


def operands(line, masked, start, end):
    """Each operand of a chain of one kind (`a && b && c` or `a || b`) forced to the value that drops it."""
    spans = top_level_splits(masked, start, end, ("&&", "||"))
    ops = {op for _, _, op in spans if op}
    if len(ops) != 1 or "?" in masked[start:end]:
        return
    forced = "true" if ops == {"&&"} else "false"
    for a, b, _ in spans:
        a, b = trimmed(masked, a, b)
        yield "condition", line[:a] + forced + line[b:]


def calls(line, masked):
    for m in re.finditer(r"\b([A-Za-z_]\w*)\s*\(", masked):
        if m.group(1) in KEYWORDS or m.group(1).endswith("_cast"):
            continue
        open_at = m.end() - 1
        close_at = balanced(masked, open_at)
        if close_at < 0 or re.search(r"(?<![\s<])<(?![<=\s])", masked[open_at:close_at]):
            continue  # not closed on this line, or template arguments whose commas would mislead
        args = [trimmed(masked, a, b) for a, b, _ in top_level_splits(masked, open_at + 1, close_at, (",",))]
        for (a1, b1), (a2, b2) in zip(args, args[1:]):
            first, second = line[a1:b1], line[a2:b2]
            if first and second and first != second:
                yield "swap", line[:a1] + second + line[b1:a2] + first + line[b2:]


def deletable(masked, previous):
    """A whole simple statement on its own line that declares nothing and does not return."""
    text = masked.strip()
    if not text.endswith(";") or not previous.rstrip().endswith((";", "{", "}", ":")):
        return False
    if text.count("(") != text.count(")") or text.count("{") != text.count("}") or text.startswith("}"):
        return False
    first = re.match(r"[A-Za-z_][\w:]*", text)
    if not first:
        return True  # ++x; *p = v; (a)...
    if first.group(0) in NOT_A_TYPE or first.group(0) in CONTROL or first.group(0) in {
            "auto", "const", "constexpr", "static", "using", "typedef", "unsigned", "signed", "thread_local"}:
        return False
    if first.group(0) in {"break", "continue"}:
        return True
    rest = text[first.end():]
    rest = re.sub(r"^<[^;=]*>", "", rest)  # template arguments of a type
    return re.match(r"[\s&*]+[A-Za-z_]", rest) is None and not re.match(r"\s*[A-Za-z_]", rest)


def faults_of_file(path):
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    lines = text.split("\n")
    masked_lines = mask(text).split("\n")
    skip = skipped_lines(masked_lines)
    inside = code_lines(["" if k in skip else m for k, m in enumerate(masked_lines)])
    previous = ";"
    for k, (line, masked) in enumerate(zip(lines, masked_lines)):
        if k in skip or not masked.strip() or "\t" in line or "\r" in line:
            continue
        found = list(operators(line, masked)) + list(constants(line, masked))
        if inside[k]:
            found += list(conditions(line, masked)) + list(calls(line, masked))
            if deletable(masked, previous):
                found.append(("delete", re.match(r"\s*", line).group(0)))
        previous = masked
        seen = set()
        for kind, after in found:
            if after != line and after not in seen:
                seen.add(after)
                yield path, k + 1, kind, line, after


def compiled_by_build():
    """The source files the build compiles, or None when there is no build to ask."""
    commands = os.path.join(os.environ.get("MUTANTS_BUILD", ""), "compile_commands.json")
    if not os.environ.get("MUTANTS_BUILD") or not os.path.isfile(commands):
        return None
    with open(commands) as f:
        return {os.path.relpath(os.path.join(c["directory"], c["file"])) for c in json.load(f)}


def tracked_sources(dirs):
    names = subprocess.run(["git", "ls-files", "--", *dirs], check=True, capture_output=True,
                           text=True).stdout.split()
    compiled = compiled_by_build()
    return sorted(n for n in names if SOURCE.search(n) and not TEST_FILE.search(n)
                  and (compiled is None or n.endswith((".h", ".hpp")) or n in compiled))


def sample(count, rng, dirs):
    """`count` faults on distinct lines, shared among the folders by how many lines each has that admit one."""
    by_line = [{} for _ in dirs]
    for lines, folder in zip(by_line, dirs):
        for fault in (f for path in tracked_sources([folder]) for f in faults_of_file(path)):
            lines.setdefault(fault[:2], []).append(fault)
    total = sum(map(len, by_line)) or 1
    shares = [count * len(lines) / total for lines in by_line]
    quotas = [int(share) for share in shares]
    for k in sorted(range(len(dirs)), key=lambda k: quotas[k] - shares[k])[:count - sum(quotas)]:
        quotas[k] += 1
    faults = []
    for lines, quota in zip(by_line, quotas):
        picked = rng.sample(sorted(lines), min(quota, len(lines)))
        faults += [rng.choice(lines[key]) for key in picked]
    return sorted(faults, key=lambda f: f[:2])


def main(argv):
    if len(argv) >= 2 and argv[0] == "list":
        files = [name for path in argv[1:] for name in (tracked_sources([path]) if os.path.isdir(path) else [path])]
        faults = [f for path in files for f in faults_of_file(path)]
    elif len(argv) >= 3 and argv[0] == "sample":
        faults = sample(int(argv[1]), random.Random(argv[2]), argv[3:] or ["content", "game", "editor"])
    else:
        sys.exit(__doc__)
    for path, line, kind, before, after in faults:
        print("\t".join([path, str(line), kind, before, after]))


if __name__ == "__main__":
    main(sys.argv[1:])
