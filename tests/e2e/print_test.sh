#!/usr/bin/env bash
# A real print of the radical chart: a private CUPS scheduler (its own configuration, spool and
# socket) with a PDF printer (cups-pdf) as its default. With no printer, or the printer stopped,
# the print fails with a message; with the PDF printer one A4 page comes out with the chart at
# 600 x 200 twips from the corner of the page, at its natural size (651 x 523 pixels at 96 dpi).
#   print_test.sh TESSIVO_EXECUTABLE      (TESSIVO_PRINT_PNG=FILE keeps the page as a picture)
set -euo pipefail
exe="$1"
skip() { echo "skipped: $*"; exit 77; }
fail() { echo "FAIL: $*"; [[ -f "${work:-}/log/error_log" ]] && tail -20 "$work/log/error_log"; exit 1; }
for tool in cupsd lpadmin lpstat cupsenable cupsdisable pdfinfo pdftoppm convert; do
  command -v "$tool" >/dev/null || skip "$tool is missing (scripts/setup.sh installs cups, cups-client, poppler-utils, imagemagick)"
done
backend=/usr/lib/cups/backend/cups-pdf
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[[ -e "$backend" && -f "$ppd" ]] || skip "the PDF printer is missing (printer-driver-cups-pdf)"
[[ "$(id -u)" -eq 0 ]] || skip "the PDF printer's backend only runs under a scheduler started as root"

work="$(mktemp -d /tmp/tessivo-print.XXXXXX)"
cleanup() { [[ -n "${cupsd_pid:-}" ]] && kill "$cupsd_pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
mkdir -p "$work"/{etc/ppd,spool/tmp,cache,state,log}
chmod 755 "$work" "$work/etc" "$work/etc/ppd"
chgrp -R lp "$work/etc" "$work/spool" "$work/cache" "$work/state"
chmod 775 "$work/spool" "$work/spool/tmp" "$work/cache" "$work/state"
cat > "$work/etc/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel info
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat > "$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/spool/tmp
Printcap $work/printcap
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
CONF

cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" >"$work/log/cupsd.out" 2>&1 & cupsd_pid=$!
export CUPS_SERVER="$work/cups.sock"
for _ in $(seq 1 100); do lpstat -r >/dev/null 2>&1 && break; kill -0 "$cupsd_pid" 2>/dev/null || break; sleep 0.1; done
if ! lpstat -r >/dev/null 2>&1; then
  skip "CUPS could not start: $(tail -3 "$work/log/cupsd.out" "$work/log/error_log" 2>/dev/null | tr '\n' ' ')"
fi

# No printer at all: the print fails and says so.
status=0; message="$(QT_QPA_PLATFORM=offscreen "$exe" --print-chart 2>&1)" || status=$?
[[ $status -eq 1 ]] || fail "with no printer --print-chart ended with $status"
grep -q "no default printer" <<<"$message" || fail "with no printer the message was: $message"

lpadmin -p TessivoPDF -E -v cups-pdf:/ -P "$ppd" 2>/dev/null || fail "the PDF printer could not be added"
lpadmin -d TessivoPDF || fail "the PDF printer could not be made the default"

# A stopped printer (as CUPS stops one that is not connected) refuses the print.
cupsdisable TessivoPDF
status=0; message="$(QT_QPA_PLATFORM=offscreen "$exe" --print-chart 2>&1)" || status=$?
[[ $status -eq 1 ]] || fail "with a stopped printer --print-chart ended with $status"
grep -q "is stopped" <<<"$message" || fail "with a stopped printer the message was: $message"
cupsenable TessivoPDF

# cups-pdf writes to the folder of its own configuration, ${HOME} being the job owner's home.
out="$(sed -n 's/^Out[[:space:]]\{1,\}//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -1)"
out="${out:-\${HOME\}/PDF}"
out="${out//\$\{HOME\}/$(getent passwd "$(id -un)" | cut -d: -f6)}"
touch "$work/before"
sleep 1  # the PDF's time stamp must be newer than the mark at a whole second's resolution too

QT_QPA_PLATFORM=offscreen "$exe" --print-chart || fail "--print-chart ended with $? on the PDF printer"
# cups-pdf writes the file in place while the job runs: it is whole once the job has completed.
pdf=""
for _ in $(seq 1 300); do
  pdf="$(find "$out" -maxdepth 1 -name 'Tessivo*.pdf' -newer "$work/before" 2>/dev/null | head -1 || true)"
  [[ -n "$pdf" && -z "$(lpstat -o TessivoPDF 2>/dev/null)" ]] && break
  sleep 0.1
done
[[ -n "$pdf" ]] || fail "no PDF came out in $out within 30 s ($(lpstat -W all -o 2>&1 | tr '\n' ' '))"
[[ -z "$(lpstat -o TessivoPDF 2>/dev/null)" ]] || fail "the print job did not complete within 30 s"
mv "$pdf" "$work/chart.pdf"

info="$(pdfinfo "$work/chart.pdf")"
grep -Eq '^Pages: +1$' <<<"$info" || fail "the PDF has not one page: $(grep Pages <<<"$info")"
grep -Eq '^Page size: +595(\.[0-9]+)? x 842(\.[0-9]+)? pts' <<<"$info" || fail "the page is not A4: $(grep 'Page size' <<<"$info")"

# At 144 dots per inch a twip is a tenth of a pixel: the chart's corner is at 60, 20 and the
# chart 976.5 x 784.5 pixels (651 x 523 at 96 dots per inch).
pdftoppm -q -r 144 -png -singlefile "$work/chart.pdf" "$work/page"
[[ -n "${TESSIVO_PRINT_PNG:-}" ]] && cp "$work/page.png" "$TESSIVO_PRINT_PNG"
read -r w h x y < <(convert "$work/page.png" -trim -format '%w %h %X %Y\n' info: | tr -d '+')
echo "page 1 of 1, A4; chart at ${x},${y} px, ${w} x ${h} px (144 dpi)"
(( x >= 58 && x <= 62 && y >= 18 && y <= 22 )) || fail "the chart starts at $x,$y px, not at 60,20 (600 x 200 twips)"
(( w >= 973 && w <= 980 && h >= 781 && h <= 788 )) || fail "the chart is $w x $h px, not 977 x 785"
echo "ok"
