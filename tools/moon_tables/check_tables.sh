#!/usr/bin/env bash
# Checks the committed moon tables: the generator still produces them byte for
# byte, and every instant lies within a minute of an independent ephemeris.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
python=/usr/bin/python3
"$python" "$here/generate_moon_tables.py" --check
"$python" "$here/verify_with_ephem.py"
