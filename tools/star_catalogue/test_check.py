#!/usr/bin/env python3
"""What the catalogue's --check answers for each state of its input: a missing
or newer package is skipped (77) with its reason, changed data fails (1), the
pinned package passes (0). Works on copies of the cached package; skips
without it.
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
GENERATOR = os.path.join(HERE, "make_star_catalogue.py")
sys.path.insert(0, HERE)
import make_star_catalogue  # noqa: E402


def package_copy(root, name, version, drop_brightest_star=False):
    """A package folder beside the cached one: its data, another version or one star fewer."""
    folder = os.path.join(root, name)
    os.makedirs(os.path.join(folder, "data"))
    source = os.path.join(make_star_catalogue.PACKAGE_DIR, "data")
    for entry in os.listdir(source):
        os.symlink(os.path.join(source, entry), os.path.join(folder, "data", entry))
    with open(os.path.join(folder, "package.json"), "w", encoding="utf-8") as f:
        json.dump({"name": "d3-celestial", "version": version}, f)
    if drop_brightest_star:
        stars_path = os.path.join(folder, "data", "stars.6.json")
        with open(stars_path, encoding="utf-8") as f:
            stars = json.load(f)
        brightest = min(stars["features"], key=lambda feature: float(feature["properties"]["mag"]))
        stars["features"].remove(brightest)
        os.unlink(stars_path)
        with open(stars_path, "w", encoding="utf-8") as f:
            json.dump(stars, f)
    return folder


def main():
    if not os.path.isfile(os.path.join(make_star_catalogue.PACKAGE_DIR, "package.json")):
        print("SKIPPED: test_check: d3-celestial is not in %s" % make_star_catalogue.PACKAGE_DIR)
        return 77
    root = tempfile.mkdtemp()
    try:
        cases = [  # (case, package folder, exit code, words the answer must hold)
            ("no package", os.path.join(root, "absent"), 77, "d3-celestial is not in"),
            ("newer package", package_copy(root, "newer", "0.7.36"), 77,
             "d3-celestial 0.7.36 is installed, the committed output was made with 0.7.35"),
            ("changed data", package_copy(root, "changed", "0.7.35", drop_brightest_star=True), 1, "differs"),
            ("pinned package", package_copy(root, "pinned", "0.7.35"), 0, "5044 stars"),
        ]
        failed = 0
        for case, folder, expected_code, expected_words in cases:
            run = subprocess.run([sys.executable, GENERATOR, folder, "--check"], stdout=subprocess.PIPE,
                                 stderr=subprocess.STDOUT, text=True)
            if run.returncode != expected_code or expected_words not in run.stdout:
                print("%s: exit %d, expected %d with '%s'; said: %s"
                      % (case, run.returncode, expected_code, expected_words, run.stdout.strip()))
                failed += 1
        print("%d passed, %d failed" % (len(cases) - failed, failed))
        return 1 if failed else 0
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
