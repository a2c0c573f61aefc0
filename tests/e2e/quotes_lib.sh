# Reading the quotes label out of a picture: its burlywood text (222, 184,
# 135 at full level) is the only colour in the sky with red above green above
# blue but the falling star's; stars are grey-blue, the bottom line cyan.

# "COUNT LEFT TOP RIGHT BOTTOM" of the quote's pixels in FILE (COUNT 0 and
# -1s when there are none).
quote_ink() {  # FILE
  /usr/bin/python3 - "$1" <<'PY'
import sys
import numpy as np
from PIL import Image
p = np.asarray(Image.open(sys.argv[1]).convert("RGB"), dtype=np.int32)
r, g, b = p[..., 0], p[..., 1], p[..., 2]
ink = (r > 50) & (r > g + 8) & (g > b + 8)
# The falling star is warm too, but drawn in exactly its head's and its
# tail's colour, neither of which a fading burlywood text takes.
for star in ((255, 223, 160), (128, 96, 48)):
    ink &= ~((r == star[0]) & (g == star[1]) & (b == star[2]))
ys, xs = np.nonzero(ink)
if xs.size:
    print(xs.size, xs.min(), ys.min(), xs.max(), ys.max())
else:
    print("0 -1 -1 -1 -1")
PY
}

# "LEFT TOP RIGHT BOTTOM" of the moon label's pale green ink in the 90 rows
# under the disc's bottom row BOTTOM (-1s when there is none).
moon_label_box() {  # FILE BOTTOM
  /usr/bin/python3 - "$1" "$2" <<'PY'
import sys
import numpy as np
from PIL import Image
p = np.asarray(Image.open(sys.argv[1]).convert("RGB"), dtype=np.int32)
top = int(float(sys.argv[2])) + 1
r, g, b = (p[top:top + 90, :, i] for i in range(3))
ys, xs = np.nonzero((g > r + 20) & (g > b + 20) & (g > 60))
print(xs.min(), ys.min() + top, xs.max(), ys.max() + top) if xs.size else print("-1 -1 -1 -1")
PY
}

# Prints the moon found in FILE; fails when a quote box "LEFT TOP RIGHT
# BOTTOM" overlaps the moon's disc or the label under it.
quote_clear_of_moon() {  # FILE BOX...
  local file=$1 cx cy diameter ml mt mr mb box
  shift
  read -r cx cy diameter _ < <("$(dirname "${BASH_SOURCE[0]}")/moon_frame.py" moon "$file") || return 1
  read -r ml mt mr mb < <(moon_label_box "$file" "$(awk -v y="$cy" -v d="$diameter" 'BEGIN { print y + d / 2 }')")
  echo "moon of ${diameter}px at ($cx, $cy), its label in $ml,$mt-$mr,$mb"
  for box in "$@"; do
    awk -v box="$box" -v cx="$cx" -v cy="$cy" -v d="$diameter" -v label="$ml $mt $mr $mb" 'BEGIN {
      split(box, q, " "); split(label, m, " ")
      if (!(q[3] < cx - d / 2 || q[1] > cx + d / 2 || q[4] < cy - d / 2 || q[2] > cy + d / 2)) exit 1
      if (m[1] >= 0 && !(q[3] < m[1] || q[1] > m[3] || q[4] < m[2] || q[2] > m[4])) exit 1
    }' || { echo "the quote ($box) overlaps the moon or its label"; return 1; }
  done
}

# The settings and user file of the quotes checks: a black sky, no clock, the
# large moon, and only the user's own quote, three lines long, so every run
# shows the same quote.
quote_settings() {
  printf 'background=0\r\nshowClock=no\r\nmoonSize=200\r\nshowQuotes_Love=no\r\nshowQuotes_Wisdom=no\r\nshowQuotes_Advice=no\r\n'
  printf 'showQuotes_Funny=no\r\nshowQuotes_WomenVSMen=no\r\nshowQuotes_Peace=no\r\nshowQuotes_UserQuotes=yes\r\n'
}
quote_user_file() { printf 'Look up at the stars|and not down at your feet|(Stephen Hawking)\r\n\r\n'; }
