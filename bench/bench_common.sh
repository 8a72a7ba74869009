# Shared by the comparison scripts of bench/ (sourced, not run): the tools check, the
# 45-second speech file and the best-of timing. Each script sets `runs` before timing.

# Exits with a hint when one of the named commands is missing. Usage: require_tools NAME HINT TOOL...
require_tools() {
    local name=$1 hint=$2
    shift 2
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "$name: $tool not found ($hint)" >&2
            exit 1
        fi
    done
}

# 45 seconds of speech at 22,050 Hz in FILE: a spoken paragraph repeated and cut to length.
make_speech() {
    local file=$1 phrase
    phrase=$(mktemp --suffix=.wav)
    espeak-ng -w "$phrase" \
        "The quick brown fox jumps over the lazy dog. A recorded voice, a little reverb, \
and a robot answers back from the other side of the room." 2>/dev/null
    sox "$phrase" -r 22050 -c 1 -b 16 "$file" repeat 12 trim 0 45
    rm -f "$phrase"
}

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
