#!/usr/bin/env bash
# help-coverage-test.sh BUILD_DIR SOURCE_DIR: every command, jobs command,
# option and keyword of "vantix --help" and each command's --help is in vantix's
# manual page and its bash and zsh completions, every option of the other two
# programs' --help in their manual pages; the bash completion offers the job
# numbers and the saved scanners.
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
everything="$help"
for command in "${commands[@]}"; do
  [ "$command" = help ] || everything+=$'\n'"$("$vantix" "$command" --help)" || fail "vantix $command --help"
done
verbs=($(grep -oE 'vantix jobs [a-z]+' <<<"$everything" | awk '{print $3}' | sort -u))
options=($(grep -oE -- '--[a-z][a-z-]*' <<<"$everything" | sort -u))
keywords=($(grep -E '^ +--[a-z-]+ VALUE ' <<<"$everything" | sed -E 's/^ +--[a-z-]+ VALUE +//' | tr -d ',' |
  tr ' ' '\n' | sort -u))
[ ${#commands[@]} -ge 7 ] && [ ${#verbs[@]} -eq 7 ] && [ ${#keywords[@]} -ge 19 ] && [ ${#options[@]} -ge 20 ] ||
  fail "the help texts name fewer commands, options or keywords than expected"
for target in "manual page:$(manual vantix)" "bash completion:$(cat "$bash_completion")" \
  "zsh completion:$(cat "$zsh_completion")"; do
  covers "vantix's ${target%%:*}" "${target#*:}" "${commands[@]}" "${verbs[@]}" "${options[@]}" "${keywords[@]}"
done
covers "vantix's manual page" "$(manual vantix)" -h
zsh -n "$zsh_completion" || fail "the zsh completion does not parse"
for program in "$build/app/fernwick-vantix" "$build/tools/scanner-sim/vantix-scanner-sim"; do
  covers "$(basename "$program")'s manual page" "$(manual "$(basename "$program")")" \
    $(env -u DISPLAY "$program" --help | grep -oE -- '(^|\s)--?[a-z][a-z-]*' | sort -u)
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
[ "$(complete --verbose scan --job "")" = "1 3 " ] || fail "bash completion of --job: $(complete --verbose scan --job "")"
[ "$(complete scanners rm "")" = "--help 192.0.2.7 " ] || fail "bash completion of scanners rm: $(complete scanners rm "")"

[ "$failures" -eq 0 ] && echo "help, manual pages and completions agree" || exit 1
