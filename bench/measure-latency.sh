#!/usr/bin/env bash
# Measures, on a private PulseAudio and a private PipeWire (with its PulseAudio server and
# WirePlumber), what a user hears of the program's playback: the time from Play to the first
# sound at the sink, and gaps in the first 0.2 s, while busy loops load the cores (two, or
# BUSY_LOOPS); then how long the first Play takes once a server that was restarted answers
# again. SERVERS="pulseaudio" or "pipewire" measures one only.
#
# Usage: bench/measure-latency.sh PROBE [RUNS]   (PROBE: build/bin/pulse_playback_probe)
# The sound is 45 s at 22050 Hz (the longest recording), sounding from its first sample, so
# that the figures hold no lead-in of the sound itself.
set -u

probe=$(realpath "${1:?usage: $0 pulse_playback_probe [runs]}")
runs=${2:-10}
support="$(cd "$(dirname "$0")/../tests/support" && pwd)"

measure_on() {
    local server=$1
    source "$support/owned_processes.sh"
    source "$support/sound_server.sh"
    sound_server_choose "$server"
    owned_begin marvolin-latency
    pulse_environment
    export QT_QPA_PLATFORM=offscreen
    sox -n -r 22050 -c 1 -b 16 "$owned_work/long.wav" synth 45 sine 180 sine 360 \
        remix 1,2 tremolo 5 40 gain -n -3 || exit 1
    pulse_start || { echo "$server did not start"; exit 1; }
    local loops=${BUSY_LOOPS:-2} loop
    for ((loop = 0; loop < loops; loop++)); do
        sh -c 'while :; do :; done' &
        owned_track busy $!
    done
    echo "=== $server, $loops busy loops"
    timeout -k 5 120 "$probe" latency "$pulse_sink.monitor" "$owned_work/long.wav" "$runs" 2>&1
    for ((loop = 0; loop < loops; loop++)); do owned_end busy; done
    echo "=== $server, reconnection"
    for attempt in 1 2 3; do
        timeout -k 5 60 "$probe" reconnect "$pulse_server_pid" 2>&1 | grep -i "took" &
        local probe_pid=$!
        owned_wait_for 100 eval '! kill -0 "$pulse_server_pid"'
        pulse_stop
        sleep 4
        pulse_start || { echo "$server did not start again"; exit 1; }
        wait "$probe_pid"
    done
}

for server in ${SERVERS:-pulseaudio pipewire}; do
    (measure_on "$server")
done
