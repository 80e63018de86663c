#!/bin/sh
# make-manual-page.sh SCDOC SOURCE.scd OUTPUT.1.gz: a manual page in roff from
# its scdoc source, compressed as Debian installs manual pages. scdoc dates the
# page by SOURCE_DATE_EPOCH, so the same source gives the same bytes.
set -e
"$1" < "$2" > "$3.roff"
gzip -9n < "$3.roff" > "$3"
rm -f "$3.roff"
