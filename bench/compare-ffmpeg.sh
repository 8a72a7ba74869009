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
source "$(dirname "$0")/bench_common.sh"
require_tools compare-ffmpeg "run 'make bench' first, or install ffmpeg, sox and espeak-ng" "$bench" ffmpeg sox espeak-ng

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_speech "$work/memo.wav"
for extension in opus mp3 flac ogg m4a; do
    ffmpeg -v error -y -i "$work/memo.wav" "$work/memo.$extension"
done

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
