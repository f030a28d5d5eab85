#!/usr/bin/env bash
# The bash completion of pivolo-solve and pivolo-stats, as bash-completion loads it: each
# line typed so far (the last word being completed) and the words offered.
# Run as: RunCompletion.sh folder/of/the/completion/files
set -uo pipefail
folder=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/../lib/checks.sh"
[ -r /usr/share/bash-completion/bash_completion ] ||
    { echo "bash-completion is missing (tools/install-deps.sh installs it)" >&2; exit 1; }
. /usr/share/bash-completion/bash_completion
. "$folder/pivolo-solve"
. "$folder/pivolo-stats"

# The words offered for the line, separated by "|", in bash's order.
offered() {
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    local function
    function=$(complete -p "$1" | sed 's/.*-F \([^ ]*\) .*/\1/')
    # compopt works only inside bash's own completion: here it has nothing to change.
    "$function" "$1" "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}" 2>/dev/null
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' '|'
}

mkdir "$work/folder"
touch "$work/games.txt" "$work/picture.png" "$work/picture.svg" "$work/notes.gif"
cd "$work" || exit 1
cases=(
    'pivolo-stats --se' '--set=|'
    'pivolo-stats --set ' '24|28|'
    'pivolo-stats -s 2' '24|28|'
    'pivolo-stats --plot ' 'folder|picture.png|picture.svg|'
    'pivolo-stats --csv ' 'folder|'
    'pivolo-stats --qu' '--quiet|'
    'pivolo-stats --draw ' '|'
    'pivolo-solve --a' '--all|'
    'pivolo-solve --ch' '--check|'
    'pivolo-solve --j' '--jobs=|--json|'
    'pivolo-stats --js' '--json|'
    'pivolo-solve --ver' '--version|'
    'pivolo-solve g' 'games.txt|'
    'pivolo-solve --jobs 1' '1|'
)
for ((i = 0; i < ${#cases[@]}; i += 2)); do
    case_name="${cases[i]}"
    # shellcheck disable=SC2086 # one argument a word, the last one possibly empty
    read -ra words <<<"${cases[i]}"
    [[ ${cases[i]} == *' ' ]] && words+=('')
    got=$(offered "${words[@]}")
    check "offered '$got', expected '${cases[i + 1]}'" [ "$got" = "${cases[i + 1]}" ]
done

echo "bash completion: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
