# SPDX-License-Identifier: MIT
# bash completion for korvexer-cli: its commands, their options and the values they take.

_korvexer_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local languages="0 1 2 3 4 5 6"

    case $prev in
        --settings | --main | --source | --rows | --files-from)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return ;;
        --encoding)
            mapfile -t COMPREPLY < <(compgen -W "utf-8 gbk" -- "$cur")
            return ;;
        --source-encoding)
            mapfile -t COMPREPLY < <(compgen -W "auto gbk utf-8" -- "$cur")
            return ;;
        --format)
            mapfile -t COMPREPLY < <(compgen -W "text json" -- "$cur")
            return ;;
        --language)
            # record stand-in takes the language of the stand-in, the other commands an index.
            [[ " ${COMP_WORDS[*]} " == *" stand-in "* ]] && languages="c cpp pascal java"
            mapfile -t COMPREPLY < <(compgen -W "$languages" -- "$cur")
            return ;;
        --counter | --now | --company | --product | --pair | --file | --exclude | --value | \
            --exclude-value | --name)
            COMPREPLY=()
            return ;;
    esac

    # The command typed so far: the words before the cursor that are neither options nor
    # option values (file arguments end up here too; they come after the command words).
    local command="" i word
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        case $word in
            --settings | --encoding | --source-encoding | --language | --main | --counter | \
                --now | --company | --product | --source | --pair | --format | --file | \
                --exclude | --value | --exclude-value | --rows | --files-from | --name) ((i++)) ;;
            -*) ;;
            *) command+="${command:+ }$word" ;;
        esac
    done

    local words="" options="--help" files=""
    local project="--company --product"
    local sources="--source --files-from --null"
    local choose="--file --exclude --value --exclude-value"
    local step="--rows --dry-run --format --keep-going"
    case $command in
        "") words="language lines statements scan apply record project"
            options="--help --version --settings --encoding" ;;
        language) words="show" ;;
        "language show") words=$languages ;;
        "language show "*) ;;
        lines* | statements*) options+=" --language --source-encoding --keep-going"; files=1 ;;
        scan) words="constants calls"
            options+=" --language --source-encoding --main --counter --now --files-from --null"
            options+=" --format --keep-going" ;;
        "scan "*) options+=" --language --source-encoding --main --counter --now --files-from"
            options+=" --null --format --keep-going"; files=1 ;;
        apply) words="constants functions" ;;
        "apply "*) options+=" --language --source-encoding --dry-run --format"; files=1 ;;
        record) words="read write stand-in" ;;
        "record read"*) options+=" --format"; files=1 ;;
        "record stand-in"*) options+=" --language --name --fpc-macros --source-encoding"; files=1 ;;
        "record "*) files=1 ;;
        project) words="show scan protect restore rebase substitute unsubstitute check source" ;;
        "project show"*) options+=" $project --format" ;;
        "project scan") words="constants calls"
            options+=" $project $choose --strings --numbers $sources --format --keep-going" ;;
        "project scan "*)
            options+=" $project $choose --strings --numbers $sources --format --keep-going" ;;
        "project protect"*) options+=" $project $sources $choose --strings --numbers $step" ;;
        "project restore"*) options+=" $project $choose --strings --numbers --unknown $step" ;;
        "project rebase"*) options+=" $project"; files=1 ;;
        "project substitute"*)
            options+=" $project --pair --catalogue --catalogue-all --any-substitute $sources"
            options+=" $choose $step" ;;
        "project unsubstitute"*) options+=" $project $choose --unknown $step" ;;
        "project check"*) options+=" $project --strict --format --keep-going" ;;
        "project source") words="list remove" ;;
        "project source list"*) options+=" $project --format" ;;
        "project source remove"*) options+=" $project"; files=1 ;;
    esac

    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    elif [[ -n $words ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
    elif [[ -n $files ]]; then
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    else
        COMPREPLY=()
    fi
}
complete -F _korvexer_cli korvexer-cli
