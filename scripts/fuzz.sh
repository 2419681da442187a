#!/usr/bin/env bash
# Fuzzes the pure parsers and planners with libFuzzer (clang, ASan + UBSan), one target after another, each
# for a bounded time or number of runs, starting from the seed corpora kept in tests/fuzz/corpus.
#
#   scripts/fuzz.sh [-t seconds | -n runs] [-s seed] [-m] [target...]
#
#   -t  seconds per target (default 60; FUZZ_SECONDS)     -n  executions per target instead (FUZZ_RUNS)
#   -s  libFuzzer's seed, for a repeatable run (FUZZ_SEED) -m  merge what was found into tests/fuzz/corpus,
#                                                              keeping only inputs that add coverage
# Targets default to every one cmake/fuzz.cmake builds. A failing input is kept in build/fuzz/artifacts;
# the script goes on with the other targets and fails at the end. Installs clang and its runtime if missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${FUZZ_SECONDS:-60}"
runs="${FUZZ_RUNS:-}"
seed="${FUZZ_SEED:-0}"
merge=0
while getopts "t:n:s:m" opt; do
    case "$opt" in
        t) seconds="$OPTARG"; runs="" ;;
        n) runs="$OPTARG" ;;
        s) seed="$OPTARG" ;;
        m) merge=1 ;;
        *) sed -n '5,10p' "$0" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
# The former form, scripts/fuzz.sh 60.
if [ $# -eq 1 ] && [[ "$1" =~ ^[0-9]+$ ]]; then seconds="$1"; shift; fi

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
build=build/fuzz
if [ $# -gt 0 ]; then targets=("$@"); else mapfile -t targets <"$build/fuzz_targets.txt"; fi
budget=(-max_total_time="$seconds")
[ -n "$runs" ] && budget=(-runs="$runs")

mkdir -p "$build/artifacts" "$build/logs"
failed=()
printf '%-24s %12s %7s %8s  %s\n' target executions cov ft result
for t in "${targets[@]}"; do
    seeds="tests/fuzz/corpus/$t"
    work="$build/corpus/$t"  # new inputs land here, never in the repository's corpus
    mkdir -p "$seeds" "$work"
    # The help compiler starts from the program's own help source, kept once, in res.
    [ "$t" = help_source_fuzz ] && cp res/help/OBSC32.hps "$work/obsc32"
    log="$build/logs/$t.log"
    result=ok
    # Paths stay below MAX_PATH: longer inputs would only slow the run down.
    case "$t" in path_text_fuzz | uninstall_values_fuzz) max_len=300 ;; help_source_fuzz) max_len=16384 ;; *) max_len=4096 ;; esac
    # One process, one job: the machine is shared.
    if ! "$build/$t" "${budget[@]}" -seed="$seed" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" "$work" "$seeds" >"$log" 2>&1; then
        result="FAILED (log: $log; input: $(ls -t "$build/artifacts/$t-"* 2>/dev/null | head -1 || true))"
        failed+=("$t")
    fi
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)
    printf '%-24s %12s %7s %8s  %s\n' "$t" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$result"
    if [ "$merge" = 1 ] && [ "$result" = ok ]; then
        fresh="$build/merge/$t"
        rm -rf "$fresh" && mkdir -p "$fresh"
        "$build/$t" -merge=1 -max_len="$max_len" "$fresh" "$seeds" "$work" >"$build/logs/$t.merge.log" 2>&1
        rm -f "$seeds"/* && cp "$fresh"/* "$seeds"/
        echo "    corpus: $(ls "$seeds" | wc -l) inputs, $(cat "$seeds"/* | wc -c) bytes"
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found faults in: ${failed[*]} (reproduce: build/fuzz/<target> <input>)" >&2
    exit 1
fi
