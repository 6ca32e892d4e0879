#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The reader's guides and the manual page keep up with the program.

Every option lumarin-split --help lists must appear in both guides (docs/guide.md,
docs/guide.en.md) and in the manual page help2man makes from that help; every message
the engine and the command line can print must have a row in each guide's message
table. The messages are read from the sources, so a new one without a row fails here.

    guide-test.py SOURCE-DIR LUMARIN-SPLIT
"""
import pathlib
import re
import subprocess
import sys
import tempfile

root = pathlib.Path(sys.argv[1])
program = sys.argv[2]
failures = []

GUIDES = {root / "docs/guide.md": "## 消息", root / "docs/guide.en.md": "## Messages"}
# A string literal (with its u/u8 prefix) or a comment, so that comments are skipped
# and a ';' or '//' inside a literal is not taken for code.
TOKEN = re.compile(r'(?:u8|u|U|L)?"((?:[^"\\\n]|\\.)*)"|//[^\n]*|/\*.*?\*/', re.S)
ESCAPES = {"n": "\n", "t": "\t"}
WORDS = re.compile(r"[A-Za-z\u4e00-\u9fff]")


def literals(code):
    """The statements of a C++ file, each as (code without literals, [literal texts])."""
    code = re.sub(r"(?m)^#.*$", "", code)
    statements, current, texts, pos = [], [], [], 0
    for match in TOKEN.finditer(code):
        for piece in re.split(r"(;)", code[pos:match.start()]):
            if piece == ";":
                statements.append(("".join(current), texts))
                current, texts = [], []
            else:
                current.append(piece)
        if match.group(1) is not None:
            texts.append(re.sub(r"\\(.)", lambda e: ESCAPES.get(e.group(1), e.group(1)),
                                match.group(1)))
            current.append('""')
        pos = match.end()
    return statements


def fragments(text):
    """The words of a literal, without the separators around them (": ", "\\n" ...) and
    split at printf's conversions."""
    for piece in re.split(r"%%|%\w+", text):
        piece = piece.strip(" \t\n:：,，()（）[]\"")
        if len(WORDS.findall(piece)) >= 2:
            yield piece


def messages():
    """Every fixed part of every message: the engine's errors and what the CLI says."""
    found = set()
    for _, texts in literals((root / "src/engine/base/EngineError.cpp").read_text()):
        found.update(piece for text in texts for piece in fragments(text))
    for source in sorted((root / "src/cli").glob("*.cpp")):
        for code, texts in literals(source.read_text()):
            if "add_option" in code or "add_flag" in code:
                continue  # the help texts
            said = re.search(r"\bcerr\b|\.err\s*<<|\bthrow\b", code)
            chinese = any(re.search(r"[\u4e00-\u9fff]", t) for t in texts)
            if said or chinese:
                found.update(piece for text in texts for piece in fragments(text))
    return found


def section(path, heading):
    text = path.read_text()
    start = text.find(heading + "\n")
    if start < 0:
        failures.append(f"{path.name}: no section '{heading}'")
        return ""
    end = text.find("\n## ", start + 1)
    return text[start:end if end > 0 else len(text)]


def mentioned(option, text):
    return re.search(r"(?<![\w-])" + re.escape(option) + r"(?![\w-])", text) is not None


help_text = subprocess.run([program, "--help"], capture_output=True, text=True, check=True).stdout
options = set()
for line in help_text.splitlines():
    match = re.match(r"\s+((?:-\w,)?--[\w-]+)", line)
    if match:
        options.update(match.group(1).split(","))
if len(options) < 20:
    failures.append(f"--help lists only {sorted(options)}: the help's layout changed?")

with tempfile.TemporaryDirectory() as scratch:
    page = pathlib.Path(scratch) / "lumarin-split.1"
    # Made as the package makes it (cmake/LumarinPackaging.cmake).
    subprocess.run(["help2man", "--locale=C.UTF-8", "--no-info", "--no-discard-stderr",
                    "--section=1", "--name=split a Chinese novel into chapter files",
                    f"--output={page}", program], check=True)
    subprocess.run(["sed", "-i", "-f", str(root / "cmake/ManPageBreaks.sed"), str(page)],
                   check=True)
    manual = re.sub(r"\\f[BIRP]", " ", page.read_text()).replace("\\-", "-")
for option in sorted(options):
    if not mentioned(option, manual):
        failures.append(f"manual page: {option} missing")

catalogue = messages()
if len(catalogue) < 15:
    failures.append(f"only {len(catalogue)} messages read from the sources: their layout changed?")
for guide, heading in GUIDES.items():
    text = guide.read_text()
    for option in sorted(options):
        if not mentioned(option, text):
            failures.append(f"{guide.name}: option {option} missing")
    table = "\n".join(line for line in section(guide, heading).splitlines()
                      if line.startswith("|"))
    for message in sorted(catalogue):
        if message not in table:
            failures.append(f"{guide.name}: no row for the message '{message}'")
    for status in re.findall(r"=\s*(\d+)", (root / "src/engine/base/ExitCode.h").read_text()):
        if not re.search(r"\|\s*" + status + r"\s*\|", table):
            failures.append(f"{guide.name}: no message with exit status {status}")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
