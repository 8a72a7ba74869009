#!/usr/bin/env bash
# Records through the program's input device from a private sound server: a null sink
# whose monitor, remapped to mono, is the default source, so that a known voice played into
# the sink is what the program hears. Checks that the recording at 22050 Hz holds that voice,
# that a full buffer comes back once, that a recording ends when the server goes away,
# that the server killing the stream ends it with its own message, and that a device number
# beyond the list gives the driver message and keeps the sound.
#
# Usage: run_pulse_recording_test.sh PROBE [SERVER]   (PROBE: the pulse_recording_probe
# executable; SERVER: pulseaudio, the default, or pipewire)
# Exit status: 0 passed, 1 failed, 77 skipped (the server's binaries are missing).
set -u

probe=${1:?usage: $0 pulse_recording_probe [pulseaudio|pipewire]}
server=${2:-pulseaudio}

support="$(cd "$(dirname "$0")/../support" && pwd)"
source "$support/owned_processes.sh"
source "$support/sound_server.sh"
sound_server_choose "$server"
owned_fail_without "pulseaudio-utils, espeak-ng, sox, coreutils" pactl paplay espeak-ng sox timeout

owned_begin marvolin-pulse-rec
pulse_environment
export QT_QPA_PLATFORM=offscreen

fail() {
    echo "FAILED: $*"
    pulse_server_log
    exit 1
}

# A known voice: a spoken sentence with half a second of silence on either side, 22050 Hz mono.
espeak-ng -w "$owned_work/spoken.wav" "Marvolin records what it hears" ||
    fail "espeak-ng cannot speak"
sox "$owned_work/spoken.wav" -r 22050 -c 1 -b 16 "$owned_work/fed.wav" pad 0.5 0.5 ||
    fail "sox cannot pad the voice"

pulse_start || fail "the private server did not start"
pulse_voice_source_start || fail "the voice source cannot be made"

echo "--- recording the voice played into the sink"
timeout -k 5 60 "$probe" record "$pulse_voice_description" "$pulse_sink" "$owned_work/fed.wav" ||
    fail "probe record"

echo "--- a full buffer"
timeout -k 5 30 "$probe" full-buffer "$pulse_voice_description" || fail "probe full-buffer"

echo "--- the server kills the stream"
timeout -k 5 30 "$probe" killed "$pulse_voice_description" || fail "probe killed"

echo "--- a device number beyond the list"
timeout -k 5 30 "$probe" unavailable || fail "probe unavailable"

echo "--- the server goes away while recording"
timeout -k 5 30 "$probe" server-lost "$pulse_voice_description" "$pulse_server_pid" ||
    fail "probe server-lost"
pulse_stop

echo "--- no server reachable"
PULSE_SERVER="unix:$owned_work/missing" timeout -k 5 30 "$probe" unavailable ||
    fail "probe unavailable without a server"

echo "passed"
exit 0
