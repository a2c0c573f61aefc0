# Reading message stars and the bottom line out of a picture. Stars are
# grey-blue points with equal red and green; the bottom line is cyan, which
# nothing else in the sky is.

# "COUNT MINX" of the pixels of FILE in rows FROM..TO that satisfy the awk
# condition COND on r, g, b. Only those rows are read.
msg_pixels_where() {  # FILE FROM TO COND
  convert "$1" -crop "x$(( $3 - $2 + 1 ))+0+$2" +repage -depth 8 txt:- | awk -F'[ ,:()]+' '
    NR > 1 {
      r = $3; g = $4; b = $5
      if ('"$4"') { n++; if (minx == "" || $1 < minx) minx = $1 }
    }
    END { printf "%d %d\n", n, (minx == "" ? -1 : minx) }'
}
msg_cyan() { msg_pixels_where "$1" "$2" "$3" 'r < 80 && g > 150 && b > 150'; }
msg_starlight() { msg_pixels_where "$1" "$2" "$3" 'r == g && r > 60'; }

# Pixels that differ between two pictures in rows FROM..TO.
msg_rows_differ() {  # A B FROM TO
  local crop="x$(( $4 - $3 + 1 ))+0+$3" a b
  a=$(mktemp --suffix=.png) b=$(mktemp --suffix=.png)
  convert "$1" -crop "$crop" +repage "$a"
  convert "$2" -crop "$crop" +repage "$b"
  { compare -metric AE -fuzz 2% "$a" "$b" null: 2>&1 || true; } | sed -E 's/^([0-9.e+]+).*/\1/' | awk '{printf "%d", $1}'
  rm -f "$a" "$b"
}
