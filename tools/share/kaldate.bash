# bash completion for kaldate
_kaldate() {
    local cur prev word cmd=""
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        case $word in
        settings | short | long | time | parse-date | parse-time | day | date-of-day | calendar)
            cmd=$word
            break
            ;;
        esac
    done
    case $prev in
    --ini)
        COMPREPLY=($(compgen -f -- "$cur"))
        return
        ;;
    --lang)
        COMPREPLY=($(compgen -W "en de fr es" -- "$cur"))
        return
        ;;
    esac
    if [[ -z $cmd ]]; then
        COMPREPLY=($(compgen -W "settings short long time parse-date parse-time day date-of-day
            calendar --json --ini --lang --help --version" -- "$cur"))
    else
        case $cmd in
        time) COMPREPLY=($(compgen -W "--epoch --help" -- "$cur")) ;;
        parse-time) COMPREPLY=($(compgen -W "--on --help" -- "$cur")) ;;
        *) COMPREPLY=($(compgen -W "--help" -- "$cur")) ;;
        esac
    fi
}
complete -F _kaldate kaldate
