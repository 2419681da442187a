#!/usr/bin/env bash
# Fuzzes the parsers that read what other programs send (Program Manager's group list) and the help compiler
# (any help source) with libFuzzer, for a bounded time: scripts/fuzz.sh [seconds per target, default 60].
# Installs clang and its runtime if missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${1:-60}"

need=()
for p in clang libclang-rt-14-dev cmake ninja-build; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" != 0 ]; then
        echo "missing packages: ${need[*]} (run as root, or install them)" >&2
        exit 1
    fi
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}"
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
corpus="build/fuzz/corpus/progman_groups"
mkdir -p "$corpus"
printf 'Main\r\nGames\r\n\0' >"$corpus/two_groups"
printf '\r\nMain\r\n\0' >"$corpus/leading_separator"
build/fuzz/progman_groups_fuzz -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$corpus"

corpus="build/fuzz/corpus/help_source"
mkdir -p "$corpus"
cp res/help/OBSC32.hps "$corpus/obsc32"
printf '.help h\n.font f\n.topic a 1\n.title t\n.keywords k;l\n{x|b}\n.topic b\n.title u\n\x83\x5c{\x83\x7b|a}\n' \
    >"$corpus/two_topics"
build/fuzz/help_source_fuzz -max_total_time="$seconds" -max_len=16384 -print_final_stats=1 "$corpus"
