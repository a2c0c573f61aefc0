# Reading the quotes label out of a picture: its burlywood text (222, 184,
# 135 at full level) is the only colour in the sky with red above green above
# blue; stars are grey-blue, the bottom line cyan.

# "COUNT LEFT TOP RIGHT BOTTOM" of the quote's pixels in FILE (COUNT 0 and
# -1s when there are none).
quote_ink() {  # FILE
  local size
  size=$(identify -format '%w' "$1")
  convert "$1" -depth 8 rgb:- | python3 -c '
import sys
width = int(sys.argv[1])
data = sys.stdin.buffer.read()
n, l, t, r, b = 0, -1, -1, -1, -1
for i, (red, green, blue) in enumerate(zip(data[0::3], data[1::3], data[2::3])):
    if red > 50 and red > green + 8 and green > blue + 8:
        x, y = i % width, i // width
        if n == 0: l, t, r, b = x, y, x, y
        l, r, b = min(l, x), max(r, x), y
        n += 1
print(n, l, t, r, b)' "$size"
}

# The settings and user file of the quotes checks: a black sky and only the
# user's own quote, three lines long, so every run shows the same quote.
quote_settings() {
  printf 'background=0\r\nshowQuotes_Love=no\r\nshowQuotes_Wisdom=no\r\nshowQuotes_Advice=no\r\n'
  printf 'showQuotes_Funny=no\r\nshowQuotes_WomenVSMen=no\r\nshowQuotes_Peace=no\r\nshowQuotes_UserQuotes=yes\r\n'
}
quote_user_file() { printf 'Look up at the stars|and not down at your feet|(Stephen Hawking)\r\n\r\n'; }
