# bash completion for vantix(1): commands, options, keywords, the job
# numbers the job folder holds ("vantix jobs list") and the addresses of the
# saved scanners ("vantix scanners list"). Needs nothing from the
# bash-completion package, which loads it on demand.

_vantix_job_numbers()
{
    "${COMP_WORDS[0]}" jobs list 2>/dev/null | cut -f1
}

_vantix_saved_addresses()
{
    "${COMP_WORDS[0]}" scanners list 2>/dev/null | cut -f2
}

_vantix()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local command="" verb="" positionals=0 i
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            --verbose) ;;
            --name | --color | --paper | --resolution | --surface | --format | --destination | --user | \
                --path | --scanner | --job | --targets | --parallel) ((i++)) ;;
            -*) ;;
            *)
                if [[ -z $command ]]; then
                    command=${COMP_WORDS[i]}
                elif [[ ($command == jobs || $command == scanners) && -z $verb ]]; then
                    verb=${COMP_WORDS[i]}
                else
                    ((positionals++))
                fi
                ;;
        esac
    done

    local words=""
    case $prev in
        --color) words="Color Gray Monochrome" ;;
        --paper) words="Auto Letter A4" ;;
        --resolution) words="Dpi150 Dpi200 Dpi240 Dpi300" ;;
        --surface) words="SkipWhite SingleSide BothSide" ;;
        --format) words="Pdf PdfOcr Jpeg Tiff" ;;
        --destination) words="ShareFolder DeviceStorage" ;;
        --job) words=$(_vantix_job_numbers) ;;
        --parallel) words=$(seq 1 16) ;;
        --targets)
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return
            ;;
        --name | --user | --path | --scanner) return ;;
    esac
    if [[ -n $words ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
        return
    fi

    local job_options="--name --color --paper --resolution --surface --format --destination --user --path
        --share-password-stdin"
    local files=""
    case $command in
        "") words="jobs discover identify scanners scan register bulk-register help --verbose --help --version" ;;
        jobs)
            case $verb in
                "") words="list show add edit rm export import --help" ;;
                list) words="--json --help" ;;
                show) words="--json --help"; ((positionals == 0)) && words+=" $(_vantix_job_numbers)" ;;
                add) words="$job_options --help" ;;
                edit) words="$job_options --help"; ((positionals == 0)) && words+=" $(_vantix_job_numbers)" ;;
                rm) words="--all --help $(_vantix_job_numbers)" ;;
                export) words="--with-passwords --help"; files=1 ;;
                import) words="--replace --help"; files=1 ;;
            esac
            ;;
        discover | identify) words="--json --help" ;;
        scanners)
            case $verb in
                "") words="list add rm --help" ;;
                list) words="--json --help" ;;
                add) words="--help" ;;
                rm) words="--help"; ((positionals == 0)) && words+=" $(_vantix_saved_addresses)" ;;
            esac
            ;;
        scan) words="--scanner --job --json --help" ;;
        register) words="--scanner --plan --json --help" ;;
        bulk-register) words="--targets --parallel --plan --json --help" ;;
        help) ((positionals == 0)) && words="jobs discover identify scanners scan register bulk-register" ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
    if [[ -n $files && $cur != -* ]]; then
        mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -f -- "$cur")
    fi
}

complete -F _vantix vantix
