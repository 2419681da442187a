#!/usr/bin/env bash
# Fails when a source file does not follow .clang-format; `scripts/check-format.sh -i` formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.hpp' 'tools/*.cpp' 'tools/*.hpp' 'tests/*.cpp' 'tests/*.hpp' 'tests/*.c' \
                             'bench/*.cpp')
if [ "${1:-}" = -i ]; then
    clang-format -i "${files[@]}"
else
    clang-format --dry-run --Werror "${files[@]}"
fi
