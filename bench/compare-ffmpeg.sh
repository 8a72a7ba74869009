#!/usr/bin/env bash
# Times Marvolin's FFmpeg-based opening and saving of a 45-second voice memo (the Google
# Benchmark program ffmpeg_formats_bench) beside the ffmpeg command line doing the same
# conversions, in one run: opening is "decode the memo to a 16-bit mono WAV file", saving is
# "encode the 16-bit WAV memo with the same encoder and settings". The ffmpeg figures are whole
# processes; the best of RUNS runs of each side is kept to keep the other core's noise out.
#
# usage: bench/compare-ffmpeg.sh [path/to/ffmpeg_formats_bench]    (RUNS=5 by default)
set -euo pipefail

bench=${1:-build-bench/bin/ffmpeg_formats_bench}
runs=${RUNS:-5}
for tool in "$bench" ffmpeg sox espeak-ng; do
    if ! command -v "$tool" >/dev/null; then
        echo "compare-ffmpeg: $tool not found (run 'make bench' first, or install ffmpeg, sox and espeak-ng)" >&2
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The same memo as the benchmark's: a spoken paragraph repeated and cut to 45 s at 22,050 Hz.
espeak-ng -w "$work/phrase.wav" \
    "The quick brown fox jumps over the lazy dog. A recorded voice, a little reverb, \
and a robot answers back from the other side of the room." 2>/dev/null
sox "$work/phrase.wav" -r 22050 -c 1 -b 16 "$work/memo.wav" repeat 12 trim 0 45
for extension in opus mp3 flac ogg m4a; do
    ffmpeg -v error -y -i "$work/memo.wav" "$work/memo.$extension"
done

# Milliseconds of the best of $runs runs of a command.
best_ms() {
    local best=""
    for ((i = 0; i < runs; i++)); do
        local start end elapsed
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        elapsed=$(((end - start) / 1000))
        if [[ -z $best || $elapsed -lt $best ]]; then
            best=$elapsed
        fi
    done
    printf '%d.%d' $((best / 1000)) $((best % 1000 / 100))
}

# Best real time in ms of each benchmark over $runs repetitions: "Open/Opus 12.3" lines.
"$bench" --benchmark_repetitions="$runs" --benchmark_format=csv 2>/dev/null |
    awk -F, 'NR > 1 && $1 !~ /_(mean|median|stddev|cv)"?$/ {
        gsub(/"/, "", $1)
        if (!($1 in best) || $3 + 0 < best[$1]) best[$1] = $3 + 0
    } END { for (name in best) printf "%s %.1f\n", name, best[name] }' >"$work/ours.txt"

ours() { awk -v n="$1" '$1 == n { print $2 }' "$work/ours.txt"; }

ff=(ffmpeg -v error -y)
printf '%-12s %10s %12s   %s\n' "45 s memo" "marvolin" "ffmpeg" "ffmpeg / marvolin"
row() {
    local name=$1
    shift
    local mine theirs
    mine=$(ours "$name")
    theirs=$(best_ms "$@")
    printf '%-12s %10s %12s   %s\n' "$name" "${mine:-?}" "$theirs" \
        "$(awk -v a="${mine:-0}" -v b="$theirs" 'BEGIN { printf "%.1f", (a > 0 ? b / a : 0) }')"
}
declare -A names=([opus]=Opus [mp3]=Mp3 [flac]=Flac [ogg]=Vorbis [m4a]=M4a)
for extension in opus mp3 flac ogg m4a; do
    row "Open/${names[$extension]}" "${ff[@]}" -i "$work/memo.$extension" -ac 1 -c:a pcm_s16le "$work/open.wav"
done
row Save/Opus "${ff[@]}" -i "$work/memo.wav" -ar 48000 -c:a libopus -b:a 32k -application voip \
    -compression_level 5 "$work/save.opus"
row Save/Mp3 "${ff[@]}" -i "$work/memo.wav" -c:a libmp3lame -b:a 64k -compression_level 7 "$work/save.mp3"
row Save/Flac "${ff[@]}" -i "$work/memo.wav" -c:a flac "$work/save.flac"
row Save/Vorbis "${ff[@]}" -i "$work/memo.wav" -c:a libvorbis -q:a 3 "$work/save.ogg"
row Save/M4a "${ff[@]}" -i "$work/memo.wav" -c:a aac -b:a 64k -aac_coder fast "$work/save.m4a"
