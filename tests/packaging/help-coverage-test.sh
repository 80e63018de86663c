#!/usr/bin/env bash
# help-coverage-test.sh BUILD_DIR SOURCE_DIR: every command, jobs command,
# option and keyword that "vantix --help" and each command's --help name is in
# vantix's manual page and in its bash and zsh completions; every option of
# fernwick-vantix --help and vantix-scanner-sim --help is in its manual page.
# Then the bash completion is run: commands, keywords, the job numbers of the
# job folder and the addresses of the saved scanners.
set -euo pipefail
build="$1" source="$2"
vantix="$build/tools/cli/vantix"
bash_completion="$source/packaging/completion/vantix.bash" zsh_completion="$source/packaging/completion/_vantix"
export LC_ALL=C.UTF-8 LANGUAGE="" QT_QPA_PLATFORM=offscreen
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
manual() { MANWIDTH=1000 man -l "$build/packaging/man/$1.1.gz"; }
# covers NAME TEXT WORD...: each word appears in the text, as a word of its own.
covers() {
  local name="$1" text="$2" word; shift 2
  for word in "$@"; do
    grep -qE -- "(^|[^a-z-])$word([^a-z-]|\$)" <<<"$text" || fail "$name lacks $word"
  done
}

help="$("$vantix" --help)"
commands=($(grep -oE '^  vantix [a-z-]+' <<<"$help" | awk '{print $2}' | sort -u))
[ ${#commands[@]} -ge 7 ] || fail "vantix --help lists only: ${commands[*]}"
everything="$help"
for command in "${commands[@]}"; do
  [ "$command" = help ] && continue
  everything+=$'\n'"$("$vantix" "$command" --help)" || fail "vantix $command --help"
done
verbs=($(grep -oE 'vantix jobs [a-z]+' <<<"$everything" | awk '{print $3}' | sort -u))
options=($(grep -oE -- '--[a-z][a-z-]*' <<<"$everything" | sort -u))
keywords=($(grep -E '^ +--[a-z-]+ VALUE ' <<<"$everything" | sed -E 's/^ +--[a-z-]+ VALUE +//' | tr -d ',' |
  tr ' ' '\n' | sort -u))
[ ${#verbs[@]} -eq 7 ] && [ ${#keywords[@]} -ge 19 ] && [ ${#options[@]} -ge 20 ] ||
  fail "the help texts name fewer jobs commands, options or keywords than expected"
for target in "manual page:$(manual vantix)" "bash completion:$(cat "$bash_completion")" \
  "zsh completion:$(cat "$zsh_completion")"; do
  covers "vantix's ${target%%:*}" "${target#*:}" "${commands[@]}" "${verbs[@]}" "${options[@]}" "${keywords[@]}"
done
covers "vantix's manual page" "$(manual vantix)" -h
zsh -n "$zsh_completion" || fail "the zsh completion does not parse"

for program in "$build/app/fernwick-vantix" "$build/tools/scanner-sim/vantix-scanner-sim"; do
  name="$(basename "$program")"
  [ "$("$program" --version)" = "$name $VANTIX_VERSION" ] || fail "$name --version"
  covers "$name's manual page" "$(manual "$name")" $(env -u DISPLAY "$program" --help | grep -oE -- '(^|\s)--?[a-z][a-z-]*' | sort -u)
done

# complete WORD...: what the bash completion offers for the last word.
complete() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _vantix; printf "%s\n" "${COMPREPLY[@]}"' \
    complete "$bash_completion" "$vantix" "$@" | sort | tr '\n' ' '
}
export XDG_DATA_HOME="$(mktemp -d)"
trap 'rm -rf "$XDG_DATA_HOME"' EXIT
export XDG_CONFIG_HOME="$XDG_DATA_HOME/config" XDG_CONFIG_DIRS="$XDG_DATA_HOME/config-system"
mkdir -p "$XDG_CONFIG_HOME/fernwick-vantix"
printf '{"format":"fernwick-vantix-scanners","version":1,"scanners":[{"address":"192.0.2.7","name":"A:B:C"}]}' \
  >"$XDG_CONFIG_HOME/fernwick-vantix/scanners.json"
for name in One Two Three; do "$vantix" jobs add --name $name --path p >/dev/null; done
"$vantix" jobs rm 2
[ "$(complete "")" = "--help --verbose --version bulk-register discover help identify jobs register scan scanners " ] ||
  fail "bash completion of the command: $(complete "")"
[ "$(complete jobs add --color "")" = "Color Gray Monochrome " ] || fail "bash completion of --color: $(complete jobs add --color "")"
[ "$(complete --verbose scan --job "")" = "1 3 " ] || fail "bash completion of --job: $(complete --verbose scan --job "")"
[ "$(complete jobs show "")" = "--help --json 1 3 " ] || fail "bash completion of jobs show: $(complete jobs show "")"
[ "$(complete jobs edit 3 --f)" = "--format " ] || fail "bash completion of jobs edit 3 --f: $(complete jobs edit 3 --f)"
[ "$(complete scanners rm "")" = "--help 192.0.2.7 " ] || fail "bash completion of scanners rm: $(complete scanners rm "")"

[ "$failures" -eq 0 ] && echo "help, manual pages and completions agree" || exit 1
