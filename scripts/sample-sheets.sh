#!/usr/bin/env bash
# Contact sheets of a random sample of characters, for judging the radical panels by eye:
#   scripts/sample-sheets.sh BUILD_DIR OUT_DIR [COUNT] [SEED]
# Draws COUNT characters (default 200) from build/bin/decomposition.tsv with a fixed SEED
# (default 1), renders each one's four panels with `tessivo --render`, and writes
# OUT_DIR/sample-NN.png, 18 characters a page, each captioned with the character, its full code
# and the confidence the generator gave its split; OUT_DIR/sample.tsv lists the sample's rows.
set -euo pipefail
export LC_ALL=C.UTF-8
build="$(cd "${1:-build}" && pwd)"; out="${2:-sample}"; count="${3:-200}"; seed="${4:-1}"
mkdir -p "$out"; out="$(cd "$out" && pwd)"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
table="$build/bin/decomposition.tsv"
[[ -r "$table" ]] || { echo "no $table: build the data first" >&2; exit 1; }
grep -v '^#' "$table" | shuf -n "$count" --random-source=<(yes "$seed") \
  >"$out/sample.tsv"
font="$(fc-match -f '%{file}' 'Noto Sans CJK SC')"
n=0
while IFS=$'\t' read -r character code rest; do
  n=$((n + 1))
  confidence="${rest##*$'\t'}"
  "$build/bin/tessivo" --render "$character" "$work/panels.png" >/dev/null
  convert "$work/panels.png" -background white -font "$font" -pointsize 18 \
    label:"$character  $code  $confidence" -gravity center -append -bordercolor gray -border 2 \
    "$work/$(printf '%04d' "$n").png"
done <"$out/sample.tsv"
page=0
for first in $(seq 1 18 "$n"); do
  page=$((page + 1))
  files=()
  for i in $(seq "$first" $((first + 17))); do
    [[ -e "$work/$(printf '%04d' "$i").png" ]] && files+=("$work/$(printf '%04d' "$i").png")
  done
  montage "${files[@]}" -tile 3x -geometry +6+6 "$out/sample-$(printf '%02d' "$page").png"
done
echo "$n characters on $page pages in $out"
