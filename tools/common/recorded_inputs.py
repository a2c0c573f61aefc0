"""What every generator records of its inputs, and how its --check reads it back.

Each output names the version of each input that shaped it, one line per
input, "Input: NAME VERSION" (behind a comment marker in a source file, in a
text file beside binary outputs). A check run where an installed input has
another version than the recorded one, or is missing, cannot expect the same
bytes: it says so in one line and exits with SKIPPED, which CTest counts as a
skipped test. A committed input (a map, the star catalogue) is not compared
here: the remade output differs, and the check fails, as it should.
"""

import hashlib
import os
import re
import sys

# CTest's SKIP_RETURN_CODE for the generators' checks.
SKIPPED = 77

_INPUT_LINE = re.compile(r"^\W*Input: (\S+) (\S+)", re.M)


def line(name, version, prefix=""):
    return "%sInput: %s %s" % (prefix, name, version)


def sha256_of(path):
    with open(path, "rb") as f:
        return "sha256:" + hashlib.sha256(f.read()).hexdigest()


def recorded(text):
    """NAME -> VERSION of every input line in a committed output."""
    return dict(_INPUT_LINE.findall(text))


def skip(tool, reason):
    # scripts/test.sh lists the reasons of lines that start so.
    print("SKIPPED: %s: %s" % (tool, reason))
    sys.exit(SKIPPED)


def missing(tool, what, checking):
    """An input that is not installed: a check skips, a write cannot go on."""
    if checking:
        skip(tool, "%s is not installed" % what)
    sys.exit("%s: %s is not installed" % (tool, what))


def skip_unless_recorded(tool, committed_text, installed):
    """Skips when an installed input's version is not the one the committed output records.

    An output that records no version for an input predates the record: the
    comparison that follows finds it stale.
    """
    versions = recorded(committed_text)
    for name, version in installed.items():
        if name in versions and versions[name] != version:
            skip(tool, "%s %s is installed, the committed output was made with %s" % (name, version, versions[name]))


def read_text(path):
    """The committed file's text, or empty when it is missing or unreadable."""
    try:
        with open(path, encoding="utf-8") as f:
            return f.read()
    except (OSError, UnicodeDecodeError):
        return ""


def record_text(generator, outputs, inputs):
    """The text file beside binary outputs, which cannot carry a header of their own.

    inputs: (NAME, VERSION) pairs in a fixed order, so the file is remade byte for byte.
    """
    lines = ["Made by %s; its --check remakes these files and compares." % generator,
             "Files: " + " ".join(outputs)]
    lines += [line(name, version) for name, version in inputs]
    return "\n".join(lines) + "\n"


def write_text(path, text):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def check_or_write_record(tool, path, text, installed, checking, stale):
    """The record beside binary outputs: a check skips on another installed
    version and lists a record that is not text as stale; a write writes it."""
    if not checking:
        write_text(path, text)
        return
    committed = read_text(path)
    skip_unless_recorded(tool, committed, installed)
    if committed != text:
        stale.append(os.path.basename(path))
