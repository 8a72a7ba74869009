# bash completion for marvolin-fx
_marvolin_fx() {
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    case $prev in
        -o|--output)
            COMPREPLY=($(compgen -f -- "$cur"))
            return ;;
        -d|--output-dir)
            COMPREPLY=($(compgen -d -- "$cur"))
            return ;;
        -t|--type)
            COMPREPLY=($(compgen -W "wav opus mp3 flac ogg m4a" -- "$cur"))
            return ;;
        --reader)
            COMPREPLY=($(compgen -W "wav aiff au iff snd voc" -- "$cur"))
            return ;;
        -j|--jobs|--seed)
            return ;;
        -e|--effect)
            local IFS=$'\n'
            COMPREPLY=($(compgen -W "$(marvolin-fx --list 2>/dev/null)" -- "$cur"))
            return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "-o --output -d --output-dir -e --effect -t --type -j --jobs
            --reader --seed -n --no-clobber -f --force -q --quiet --list --json -h --help
            --version" -- "$cur"))
        return
    fi
    local IFS=$'\n'
    COMPREPLY=($(compgen -f -- "$cur") $(compgen -W "$(marvolin-fx --list 2>/dev/null)" -- "$cur"))
}
complete -o filenames -F _marvolin_fx marvolin-fx
