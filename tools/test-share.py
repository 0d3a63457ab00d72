#!/usr/bin/env python3
"""Counts non-blank, non-comment C++ lines of the tracked *.cpp and *.h files
and prints how many are tests (anything under a tests/ folder or fuzz/)."""
import re
import subprocess
import sys


def code_lines(text):
    count = 0
    in_block = False
    for line in text.splitlines():
        s = line.strip()
        if in_block:
            if "*/" in s:
                in_block = False
                s = s.split("*/", 1)[1].strip()
            else:
                continue
        if s.startswith("/*"):
            if "*/" not in s:
                in_block = True
                continue
            s = s.split("*/", 1)[1].strip()
        if s and not s.startswith("//"):
            count += 1
    return count


def main():
    files = subprocess.run(["git", "ls-files", "*.cpp", "*.h"], capture_output=True,
                           text=True, check=True).stdout.split()
    tests = code = 0
    for name in files:
        with open(name, encoding="utf-8") as f:
            n = code_lines(f.read())
        if re.search(r"(^|/)tests/", name) or name.startswith("fuzz/"):
            tests += n
            if "-v" in sys.argv:
                print(f"test {n:5} {name}")
        else:
            code += n
            if "-v" in sys.argv:
                print(f"code {n:5} {name}")
    total = tests + code
    print(f"tests {tests}, code {code}: tests are {100 * tests / total:.1f} % of {total} lines")
    return 0 if 3 * tests <= total else 1


if __name__ == "__main__":
    sys.exit(main())
