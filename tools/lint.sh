#!/usr/bin/env bash
# House rules that the compiler does not check. Prints one line "file:line: [rule] finding" for
# each finding and exits 1 when there is any. The test command runs it before the build.
#
#   case     ASCII case folding written outside its home. Folding lives in framework/SysUtils.h
#            (UpCase, LoCase, UpperCase, LowerCase, CompareText, SameText); elsewhere in the
#            product a hand-written fold ('a' - 'A', a letter range with +-32, a character with
#            | 0x20) or a C runtime case routine (towupper, _wcsicmp, ...) is a finding.
#   rethrow  A catch (...) whose last statement is "throw;" and whose body only undoes state:
#            no return, break, try or other throw, and no call that logs, shows or handles the
#            error. The undo belongs in a scope guard (framework/WinScope.h).
#   message  A string literal in the product whose text is the value of a named constant in
#            framework/Consts.h or grid/QorGridConsts.h, outside those headers; also a
#            literal that starts with a constant's text up to its first format specifier, or
#            that is its text after the last one (12 characters or more), which is how a
#            message is pasted around its arguments.
#   layer    An #include that goes up the layers: framework < graphics < controls < grid <
#            pickers < app (and no product code includes tests/ or bench/). tests/ and bench/
#            may include anything.
#
# Every rule reads the product folders only: tests and benchmarks may include anything and may
# spell out the system's texts (a test that pins a literal text catches a drifted constant).
# Comments and raw string literals are not read.
#
# Usage: tools/lint.sh [--root DIR]   lint the tree at DIR (default: this repository)
#        tools/lint.sh --self-test    lint tools/lint-fixtures/tree and compare the findings with
#                                     tools/lint-fixtures/expected.txt
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
ROOT="$(cd "$HERE/.." && pwd)"

lint_tree() {
    local root="$1" list
    list="$(mktemp)"
    # shellcheck disable=SC2064
    trap "rm -f '$list'" RETURN
    (
        cd "$root"
        for d in framework graphics controls grid pickers app tests bench; do
            [ -d "$d" ] && find "$d" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.inc' \)
        done | LC_ALL=C sort
    ) >"$list"
    local consts=()
    for c in framework/Consts.h grid/QorGridConsts.h; do
        [ -f "$root/$c" ] && consts+=("$c")
    done
    (
        cd "$root"
        # shellcheck disable=SC2046
        awk -v LIST="$list" -v CONSTS="${consts[*]:-}" -f "$HERE/lint.awk" $(cat "$list")
    ) | LC_ALL=C sort -t: -k1,1 -k2,2n
}

if [ "${1:-}" = "--self-test" ]; then
    fixtures="$HERE/lint-fixtures"
    actual="$(lint_tree "$fixtures/tree" || true)"
    if ! diff -u "$fixtures/expected.txt" <(printf '%s\n' "$actual") >&2; then
        echo "lint self-test: the findings above differ from tools/lint-fixtures/expected.txt" >&2
        exit 1
    fi
    echo "lint self-test: ok"
    exit 0
fi
if [ "${1:-}" = "--root" ]; then
    ROOT="$(cd "$2" && pwd)"
fi

findings="$(lint_tree "$ROOT")"
if [ -n "$findings" ]; then
    printf '%s\n' "$findings"
    echo "lint: $(printf '%s\n' "$findings" | wc -l) finding(s)" >&2
    exit 1
fi
echo "lint: clean"
