#!/usr/bin/env bash
# Checks the style of the C++ files changed since BASE (default HEAD~1), uncommitted changes and
# new files included: their formatting against .clang-format, then clang-tidy with .clang-tidy.
# Only the files a change touches are checked, so a commit answers for its own lines and the
# check stays quick (clang-tidy takes several seconds per file).
#
#   scripts/check-style.sh [--format-only | --tidy-only] [-p BUILD_DIR] [-j JOBS] [BASE]
#
# Exit status: 0 clean, 1 findings (or a tool missing), 2 wrong command line.
set -euo pipefail

usage() {
    sed -n '7p' "$0" | sed 's/^#  *//' >&2
    exit 2
}

run_format=1
run_tidy=1
build_dir=build-dev
jobs=$(nproc 2>/dev/null || echo 1)
base=
while (($#)); do
    case "$1" in
    --format-only) run_tidy=0 ;;
    --tidy-only) run_format=0 ;;
    -p)
        (($# >= 2)) || usage
        build_dir=$2
        shift
        ;;
    -j)
        (($# >= 2)) && [[ $2 =~ ^[1-9][0-9]*$ ]] || usage
        jobs=$2
        shift
        ;;
    -h | --help)
        sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'
        exit 0
        ;;
    -*) usage ;;
    *)
        [[ -z $base ]] || usage
        base=$1
        ;;
    esac
    shift
done
base=${base:-HEAD~1}

cd "$(git -C "$(dirname "$0")" rev-parse --show-toplevel)"
if ! git rev-parse --verify --quiet "$base^{commit}" >/dev/null; then
    echo "check-style: no such commit: $base" >&2
    exit 2
fi

# Our own C++ sources only; generated files live in the build folders.
mapfile -t files < <(
    {
        git diff --name-only --diff-filter=ACMR "$base" -- 'src/*' 'tests/*' 'bench/*' 'fuzz/*'
        git ls-files --others --exclude-standard -- 'src/*' 'tests/*' 'bench/*' 'fuzz/*'
    } | grep -E '\.(cpp|h)$' | sort -u
)
if ((${#files[@]} == 0)); then
    echo "check-style: no C++ file changed since $base"
    exit 0
fi

need() {
    if ! command -v "$1" >/dev/null; then
        echo "check-style: $1 is not installed (Debian: apt-get install $1)" >&2
        exit 1
    fi
}

status=0
if ((run_format)); then
    need clang-format
    echo "check-style: clang-format on ${#files[@]} file(s) changed since $base"
    if ! clang-format --dry-run -Werror "${files[@]}"; then
        echo "check-style: formatting differs; clang-format -i FILE puts it right" >&2
        status=1
    fi
fi

if ((run_tidy)); then
    need clang-tidy
    database="$build_dir/compile_commands.json"
    if [[ ! -f $database ]]; then
        echo "check-style: $database is missing; configure that build folder with cmake first" >&2
        exit 1
    fi
    # clang-tidy checks translation units: the changed .cpp files, and for a changed header the
    # .cpp of the same name beside it. Findings are reported in the changed files only, so a
    # commit is not held up by a header it did not touch.
    units=()
    header_filter=
    for file in "${files[@]}"; do
        if [[ $file == *.h ]]; then
            header_filter+="${header_filter:+|}$(printf '%s' "$PWD/$file" | sed 's/[.[\*^$+?(){}|]/\\&/g')"
            file=${file%.h}.cpp
        fi
        if [[ -f $file ]] && grep -qF "\"file\": \"$PWD/$file\"" "$database"; then
            units+=("$file")
        fi
    done
    mapfile -t units < <(printf '%s\n' ${units[@]+"${units[@]}"} | sed '/^$/d' | sort -u)
    if ((${#units[@]} == 0)); then
        echo "check-style: no changed file is compiled in $build_dir; nothing for clang-tidy"
    else
        echo "check-style: clang-tidy on ${#units[@]} file(s), $jobs at a time"
        # An empty filter would match every header; '^$' matches none. The count of warnings
        # clang saw in system headers ("12345 warnings generated.") is left out.
        printf '%s\0' "${units[@]}" |
            xargs -0 -n 1 -P "$jobs" bash -c 'set -o pipefail
                clang-tidy -p "$1" --quiet --header-filter="$2" "$3" 2>&1 |
                    { grep -vE "^[0-9]+ warnings?( and [0-9]+ errors?)? generated\.$" || true; }' \
                clang-tidy "$build_dir" "${header_filter:-^\$}" ||
            status=1
    fi
fi

exit $status
