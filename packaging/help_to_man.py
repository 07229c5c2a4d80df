#!/usr/bin/env python3
"""Writes a man page for a program from what its --help prints: help_to_man.py PROGRAM NAME SUMMARY OUT"""
import datetime
import gzip
import os
import re
import subprocess
import sys


def escape(line):
    line = line.replace("\\", "\\e")
    return ("\\&" + line) if line.startswith((".", "'")) else line


def help_text(program):
    run = subprocess.run([program, "--help"], capture_output=True, text=True,
                         env={"QT_QPA_PLATFORM": "offscreen", "PATH": "/usr/bin:/bin"})
    return (run.stdout or run.stderr).rstrip("\n").replace("<executable_name>", os.path.basename(program))


def subcommand_texts(program, text):
    """The help of each subcommand a CLI11 program lists, one level down."""
    names, inside = [], False
    for line in text.splitlines():
        if re.match(r"^[A-Za-z].*:$", line):
            inside = line.strip().lower().startswith("subcommands")
            continue
        found = re.match(r"^  ([a-z][a-z0-9-]*)\s", line)
        if inside and found:
            names.append(found.group(1))
    pages = []
    for name in names:
        run = subprocess.run([program, name, "--help"], capture_output=True, text=True)
        pages.append((name, run.stdout.rstrip("\n")))
    return pages


def main():
    program, name, summary, out = sys.argv[1:5]
    text = help_text(program)
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    date = datetime.date.fromtimestamp(int(epoch)) if epoch else datetime.date.today()
    lines = [f'.TH {name.upper()} 1 "{date:%Y-%m-%d}" "Skarnel" "User Commands"',
             ".SH NAME", f"{name} \\- {escape(summary)}",
             ".SH DESCRIPTION", ".nf"] + [escape(line) for line in text.splitlines()] + [".fi"]
    for sub, sub_text in subcommand_texts(program, text):
        lines += [f".SS {sub}", ".nf"] + [escape(line) for line in sub_text.splitlines()] + [".fi"]
    lines += [".SH SEE ALSO", "skarnel(1), skarnel-cli(1), skarnel-sim(1)"]
    with gzip.GzipFile(out, "wb", mtime=0) as page:
        page.write(("\n".join(lines) + "\n").encode())


if __name__ == "__main__":
    main()
