#!/usr/bin/env bash
# check-catalogues.sh PO_DIR: checks the translators' files with gettext's own
# tools. Every .po is named in LINGUAS and every language of LINGUAS has its
# .po; each is well formed with a complete header for its language (msgfmt
# --check, which also refuses a key given twice); each has a text for every key
# of the template that is neither empty nor fuzzy, and no key the template
# lacks (msgcmp both ways). The texts' placeholders are compared with the
# English ones by test_app_messages, on the tables the programs use.
set -uo pipefail
po="$1" template="$1/fernwick-vantix.pot"
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

msgfmt -o /dev/null "$template" || fail "$template is not a well-formed template"
listed="$(sed 's/#.*//' "$po/LINGUAS" | tr -s ' \t' '\n\n' | grep -v '^$' | sort)"
present="$(cd "$po" && ls -- *.po | sed 's/\.po$//' | sort)"
[ "$listed" = "$present" ] ||
  fail "LINGUAS names $(echo $listed), po/ has $(echo $present): add the language to LINGUAS, or its .po file"
for language in $present; do
  file="$po/$language.po"
  msgfmt --check -o /dev/null "$file" || fail "$file: msgfmt --check"
  grep -qx "\"Language: $language\\\\n\"" "$file" || fail "$file: its header names another language"
  msgcmp "$file" "$template" || fail "$file lacks texts for keys of the template (or they are fuzzy)"
  msgcmp --use-untranslated "$template" "$file" || fail "$file has keys the template lacks"
done
[ "$failures" -eq 0 ] && echo "all catalogues hold" || exit 1
