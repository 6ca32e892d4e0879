#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The bash completion of lumarin-split, driven as bash drives it (COMP_WORDS, COMP_CWORD)
# against the built program: each case is the words typed and the replies expected.
#   completion-test.sh COMPLETION-FILE LUMARIN-SPLIT
set -uo pipefail
source "$1"
PATH=$(cd "$(dirname "$2")" && pwd):$PATH

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" && mkdir shelf && touch a.txt B.TXT notes.md cover.jpg book.epub

failures=0
expect() { # expected-replies word...
    local want=$1
    shift
    COMP_WORDS=(lumarin-split "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _lumarin_split
    local got=
    ((${#COMPREPLY[@]})) && got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
    want=$(tr ' ' '\n' <<<"$want" | sed '/^$/d' | sort | tr '\n' ' ')
    if [[ $got != "$want" ]]; then
        echo "FAIL: lumarin-split $* -> [$got], want [$want]"
        failures=$((failures + 1))
    fi
}

expect "--encoding" --enc
expect "--existing" --ex
expect "auto utf-8 gb18030 big5 utf-16le utf-16be" --encoding ""
expect "utf-8 utf-16le utf-16be" --encoding = ut
expect "source utf-8 utf-8-bom gb18030" --output-encoding ""
expect "overwrite" --existing ov
expect "第N章 第N回 第N话 第N幕 第N节 第N卷 第N部 第N集 第N篇" -r 第N
expect "英文章 英文节 英文部" --rule 英
expect "shelf a.txt B.TXT" ""
expect "shelf a.txt B.TXT" -q --json ""
expect "shelf" -o ""
expect "shelf a.txt B.TXT book.epub" --epub ""
expect "" -n ""
expect "" --filter ""

# Every option the program knows is offered, the new -R among them.
COMP_WORDS=(lumarin-split -)
COMP_CWORD=1
_lumarin_split
for option in -R --recursive -c --condition -r --rule --rules -o --output --list --json -V; do
    [[ " ${COMPREPLY[*]} " == *" $option "* ]] || { echo "FAIL: $option not offered"; failures=$((failures + 1)); }
done

exit $((failures > 0))
