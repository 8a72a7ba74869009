#!/usr/bin/env bash
# Rewrites fuzz/corpus/ffmpeg: a twentieth of a second of a tone in each everyday format and
# WAV variant the FFmpeg decoder opens, each a few hundred bytes to a few kilobytes.
set -euo pipefail
out=$(cd "$(dirname "$0")" && pwd)/corpus/ffmpeg
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tone="$work/tone.wav"
ffmpeg -v error -f lavfi -i "sine=frequency=440:sample_rate=8000:duration=0.05" -ac 1 "$tone"
ff=(ffmpeg -v error -y -i "$tone" -fflags +bitexact -flags:a +bitexact)
"${ff[@]}" -c:a libopus -b:a 16k "$out/tone.opus"
"${ff[@]}" -c:a libmp3lame -b:a 32k "$out/tone.mp3"
"${ff[@]}" -c:a flac "$out/tone.flac"
"${ff[@]}" -c:a libvorbis "$out/tone.ogg"
"${ff[@]}" -c:a aac -b:a 24k "$out/tone.m4a"
"${ff[@]}" -ac 2 -c:a libopus -b:a 16k "$out/stereo.webm"
"${ff[@]}" -rf64 always "$out/rf64.wav"
"${ff[@]}" -c:a adpcm_ms "$out/adpcm.wav"
"${ff[@]}" -c:a pcm_mulaw "$out/mulaw.wav"
"${ff[@]}" -ac 3 -c:a pcm_s24le "$out/three24.wav"
"${ff[@]}" -c:a pcm_f32be "$out/float.aifc"
sox "$tone" -t amr-nb "$out/tone.amr"
