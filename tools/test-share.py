#!/usr/bin/env python3
"""Counts the lines of code of the project and how many of them are tests.

Code is C++ (*.cpp, *.h), JavaScript (*.js, *.js.in), Python (*.py) and shell
(*.sh); a generated data table (*.inc, such as the GB18030 one) is data, and
the script that writes it is what counts. Tests are the files under a tests/ folder or fuzz/; bench/ is counted
apart, as neither. Each C++ file is first formatted with the project's
.clang-format (its "clang-format off" blocks too), so that the count does not
depend on how lines happen to be wrapped; then every file's non-blank lines
that are not only a comment are counted. Fails (status 1) when the tests are
less than a quarter or more than a third of the lines outside bench/.

The files are the ones git tracks in a checkout, and otherwise (a source
tarball, git archive output, no git installed) every file under the source
folder except build/, node_modules/ and hidden folders.

    python3 tools/test-share.py [-v]     -v lists every file with its count
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

# Between a quarter and a third, as whole fractions so that no rounding decides.
LOWEST = (1, 4)
HIGHEST = (1, 3)
CPP = (".cpp", ".h")
HASH_COMMENTS = (".py", ".sh")
SOURCES = CPP + HASH_COMMENTS + (".js", ".js.in")
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SKIPPED_FOLDERS = {"build", "out", "node_modules"}  # node_modules: Lighthouse, from npm


def tracked_files():
    """The source files, relative to ROOT, with / as separator."""
    if shutil.which("git") and os.path.exists(os.path.join(ROOT, ".git")):
        listed = subprocess.run(["git", "-C", ROOT, "ls-files", "-z"],
                                capture_output=True, text=True)
        if listed.returncode == 0:
            return sorted(name for name in listed.stdout.split("\0") if name.endswith(SOURCES))
    names = []
    for folder, subfolders, files in os.walk(ROOT):
        subfolders[:] = [d for d in subfolders
                         if not d.startswith(".") and not (folder == ROOT and d in SKIPPED_FOLDERS)]
        for f in files:
            if f.endswith(SOURCES):
                names.append(os.path.relpath(os.path.join(folder, f), ROOT).replace(os.sep, "/"))
    return sorted(names)


def formatted_texts(clang_format, names):
    """Each file as clang-format writes it with the project's style, by name.

    Copies go into a scratch folder beside a copy of .clang-format and are
    formatted there by one clang-format process."""
    with tempfile.TemporaryDirectory() as scratch:
        shutil.copy(os.path.join(ROOT, ".clang-format"), scratch)
        for name in names:
            with open(os.path.join(ROOT, name), encoding="utf-8") as f:
                text = f.read()
            # Lines kept as written by hand count as the formatter would write them.
            text = re.sub(r"^[ \t]*// clang-format (off|on)[ \t]*$", "", text, flags=re.MULTILINE)
            copy = os.path.join(scratch, name)
            os.makedirs(os.path.dirname(copy), exist_ok=True)
            with open(copy, "w", encoding="utf-8") as f:
                f.write(text)
        if names:
            subprocess.run([clang_format, "-i", "--style=file", *names], cwd=scratch, check=True)
        texts = {}
        for name in names:
            with open(os.path.join(scratch, name), encoding="utf-8") as f:
                texts[name] = f.read()
        return texts


def hash_code_lines(text):
    """Python and shell: lines that are not blank and not only a # comment."""
    return sum(1 for line in text.splitlines() if line.strip() and not line.strip().startswith("#"))


def code_lines(text):
    """C++ and JavaScript: lines that are not blank and not only a comment."""
    count = 0
    in_block = False
    for line in text.splitlines():
        s = line.strip()
        if in_block:
            if "*/" not in s:
                continue
            in_block = False
            s = s.split("*/", 1)[1].strip()
        while s.startswith("/*"):
            if "*/" not in s:
                in_block = True
                s = ""
                break
            s = s.split("*/", 1)[1].strip()
        if s and not s.startswith("//"):
            count += 1
    return count


def kind(name):
    if name.startswith("bench/"):
        return "bench"
    if re.search(r"(^|/)tests/", name) or name.startswith("fuzz/"):
        return "test"
    return "code"


def main():
    verbose = "-v" in sys.argv[1:]
    clang_format = shutil.which("clang-format")
    if not clang_format:
        print("test-share.py: clang-format is not installed (Debian: apt-get install clang-format)",
              file=sys.stderr)
        return 2
    names = tracked_files()
    texts = formatted_texts(clang_format, [n for n in names if n.endswith(CPP)])
    for name in names:
        if name not in texts:
            with open(os.path.join(ROOT, name), encoding="utf-8") as f:
                texts[name] = f.read()
    totals = {"test": 0, "code": 0, "bench": 0}
    for name, text in sorted(texts.items()):
        n = hash_code_lines(text) if name.endswith(HASH_COMMENTS) else code_lines(text)
        totals[kind(name)] += n
        if verbose:
            print(f"{kind(name):5} {n:5} {name}")
    tests, code = totals["test"], totals["code"]
    total = tests + code
    share = 100 * tests / total if total else 0.0
    print(f"tests {tests}, code {code} (bench {totals['bench']} apart): "
          f"tests are {share:.1f} % of {total} lines; between a quarter and a third allowed")
    low = LOWEST[1] * tests >= LOWEST[0] * total
    high = HIGHEST[1] * tests <= HIGHEST[0] * total
    return 0 if low and high else 1


if __name__ == "__main__":
    sys.exit(main())
