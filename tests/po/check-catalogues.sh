#!/usr/bin/env bash
# check-catalogues.sh PO_DIR: LINGUAS names exactly the .po files (the build
# makes tables only of those); each .po is well formed for its language (msgfmt
# --check), with a text, neither empty nor fuzzy, for every key of the template
# and no other key (msgcmp both ways).
set -uo pipefail
po="$1" template="$1/fernwick-vantix.pot"
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

listed="$(sed 's/#.*//' "$po/LINGUAS" | tr -s ' \t' '\n\n' | grep -v '^$' | sort)"
present="$(cd "$po" && ls -- *.po | sed 's/\.po$//' | sort)"
[ "$listed" = "$present" ] || fail "LINGUAS names $(echo $listed), po/ has $(echo $present)"
for language in $present; do
  file="$po/$language.po"
  msgfmt --check -o /dev/null "$file" || fail "$file: msgfmt --check"
  grep -qx "\"Language: $language\\\\n\"" "$file" || fail "$file: its header names another language"
  msgcmp "$file" "$template" || fail "$file lacks texts for keys of the template (or they are fuzzy)"
  msgcmp --use-untranslated "$template" "$file" || fail "$file has keys the template lacks"
done
[ "$failures" -eq 0 ] && echo "all catalogues hold" || exit 1
