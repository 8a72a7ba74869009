#!/usr/bin/env bash
# Times a batch of 200 spoken files of 5 s each through Robots/Android and Echoes/Classic, side
# by side in one run: marvolin-fx processing them all in one command on both cores, a loop of
# sox processes with the nearest sox effects (two at a time through xargs -P2), and a loop of
# marvolin-fx processes, one file each (also two at a time). Prints files per second of the
# best of RUNS runs and the ratios.
#
# usage: bench/compare-batch.sh [path/to/marvolin-fx]    (RUNS=3, FILES=200 by default)
set -euo pipefail

fx=$(realpath "${1:-build-bench/bin/marvolin-fx}")
runs=${RUNS:-3}
files=${FILES:-200}
for tool in "$fx" sox espeak-ng xargs; do
    if ! command -v "$tool" >/dev/null; then
        echo "compare-batch: $tool not found (run 'make bench' first, or install sox and espeak-ng)" >&2
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/in" "$work/out"

# A minute of speech at 22,050 Hz, cut into 5-second files that start at different places.
espeak-ng -w "$work/phrase.wav" \
    "The quick brown fox jumps over the lazy dog. A recorded voice, a little reverb, \
and a robot answers back from the other side of the room." 2>/dev/null
sox "$work/phrase.wav" -r 22050 -c 1 -b 16 "$work/speech.wav" repeat 8 trim 0 60
for ((i = 0; i < files; i++)); do
    sox "$work/speech.wav" "$work/in/voice$i.wav" trim "$(awk -v i=$i 'BEGIN { printf "%.2f", (i * 0.27) % 55 }')" 5
done

# Milliseconds of the best of $runs runs of a command, each into an empty output folder.
best_ms() {
    local best=""
    for ((r = 0; r < runs; r++)); do
        rm -rf "$work/out" && mkdir "$work/out"
        local start end elapsed
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        elapsed=$(((end - start) / 1000000))
        if [[ -z $best || $elapsed -lt $best ]]; then
            best=$elapsed
        fi
    done
    echo "$best"
}

batch() {
    "$fx" -q -j2 -d "$work/out" "$work"/in/*.wav Robots/Android Echoes/Classic
}
sox_loop() {
    (cd "$work/in" && ls | xargs -P2 -I{} sox -V1 {} -b 16 "$work/out/{}" tremolo 30 100 echo 0.8 0.9 250 0.5)
}
fx_loop() {
    (cd "$work/in" && ls | xargs -P2 -I{} "$fx" -q {} -o "$work/out/{}" Robots/Android Echoes/Classic)
}

ours=$(best_ms batch)
count=$(ls "$work/out" | wc -l)
if [[ $count -ne $files ]]; then
    echo "compare-batch: marvolin-fx wrote $count files of $files" >&2
    exit 1
fi
theirs=$(best_ms sox_loop)
single=$(best_ms fx_loop)

rate() { awk -v n="$files" -v ms="$1" 'BEGIN { printf "%.1f", n * 1000 / ms }'; }
printf '%-52s %8s %10s %8s\n' "$files files of 5 s, Robots/Android + Echoes/Classic" "ms" "files/s" "ratio"
printf '%-52s %8s %10s %8s\n' "marvolin-fx -j2 -d OUT *.wav" "$ours" "$(rate "$ours")" "1.0"
printf '%-52s %8s %10s %8s\n' "sox loop (xargs -P2, tremolo 30 100 echo ...)" "$theirs" \
    "$(rate "$theirs")" "$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.1f", b / a }')"
printf '%-52s %8s %10s %8s\n' "marvolin-fx loop, one file per process (xargs -P2)" "$single" \
    "$(rate "$single")" "$(awk -v a="$ours" -v b="$single" 'BEGIN { printf "%.1f", b / a }')"
