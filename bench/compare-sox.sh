#!/usr/bin/env bash
# Times marvolin-fx against SoX's nearest effects on the same 45-second speech file, side by
# side in one run, and prints the ratios. Both programs read the file, process it and write
# a 16-bit WAV, so each figure is a whole command as a user would run it; the best of RUNS
# runs is kept to keep the other core's noise out.
#
# usage: bench/compare-sox.sh [path/to/marvolin-fx]    (RUNS=5 by default)
set -euo pipefail

fx=${1:-build-bench/bin/marvolin-fx}
runs=${RUNS:-5}
source "$(dirname "$0")/bench_common.sh"
require_tools compare-sox "run 'make bench' first, or install sox and espeak-ng" "$fx" sox espeak-ng

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_speech "$work/speech.wav"

in=$work/speech.wav
out=$work/out.wav
printf '%-26s %9s   %-34s %9s   %s\n' "marvolin-fx effect" "ms" "sox effect" "ms" "sox / marvolin"
compare() {
    local effect=$1
    shift
    local ours theirs label=$effect
    if [[ $effect == - ]]; then
        ours=$(best_ms "$fx" --quiet "$in" "$out")
        label="(read and write only)"
    else
        ours=$(best_ms "$fx" --quiet "$in" "$out" "$effect")
    fi
    theirs=$(best_ms sox "$in" -b 16 "$out" "$@")
    printf '%-26s %9s   %-34s %9s   %s\n' "$label" "$ours" "$*" "$theirs" \
        "$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.1f", (a > 0 ? b / a : 0) }')"
}

compare - # reading and writing alone, for scale
compare Echoes/Classic echo 0.8 0.9 250 0.5
compare Echoes/Mountains echos 0.8 0.7 700 0.25 900 0.3 1200 0.2
compare Robots/Electric echo 0.8 0.9 10 0.6
compare Acoustics/Bedroom reverb 30
compare Acoustics/Cathedral reverb 100 50 100
compare Volumes/Tremolos tremolo 6 60
compare Robots/Android tremolo 30 100
compare Filters/Low-pass lowpass 800
compare Filters/High-pass highpass 2000
compare Filters/Resonant bandpass 1000 200h
compare Aliens/E.T. pitch 700
compare Robots/Machine speed 0.8
compare Aliens/Creature speed 2
compare Aliens/Monster speed 0.5
compare Aliens/Reverse reverse
compare Transmissions/Flanger flanger
