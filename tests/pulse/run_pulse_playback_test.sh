#!/usr/bin/env bash
# Plays a known sound through the program's output device on a private sound server
# with a null sink, records the sink's monitor and checks what was heard; then checks that
# playback ends when the server goes away or kills the stream, that playback without a
# reachable server reports the driver message and stays idle, and that a server restarted or
# started after the program is found again by the next Play.
#
# Usage: run_pulse_playback_test.sh PROBE [SERVER]   (PROBE: the pulse_playback_probe
# executable; SERVER: pulseaudio, the default, or pipewire)
# Exit status: 0 passed, 1 failed, 77 skipped (the server's binaries are missing).
set -u

probe=${1:?usage: $0 pulse_playback_probe [pulseaudio|pipewire]}
server=${2:-pulseaudio}

support="$(cd "$(dirname "$0")/../support" && pwd)"
source "$support/owned_processes.sh"
source "$support/sound_server.sh"
sound_server_choose "$server"
owned_fail_without "pulseaudio-utils, coreutils" pactl pacat timeout

owned_begin marvolin-pulse
pulse_environment
export QT_QPA_PLATFORM=offscreen

fail() {
    echo "FAILED: $*"
    pulse_server_log
    exit 1
}

pulse_start || fail "the private server did not start"

# Records the null sink's monitor into $1 while the probe runs with mode $2.
record_while() {
    local capture=$1 mode=$2
    pulse_record_start "$capture" 22050 || fail "the recorder did not attach"
    timeout -k 5 30 "$probe" "$mode" || fail "probe $mode"
    pulse_record_stop
}

echo "--- playing 1 s of sine to the end"
record_while "$owned_work/played.raw" play
timeout -k 5 30 "$probe" analyse "$owned_work/played.raw" 22050 0.7 1.3 || fail "the sound played"

# The null sink takes back what it has not played yet when a stream goes away, so the
# recorder may hear little or nothing of the start; it must not hear the whole sound.
echo "--- stopping the sine after 0.3 s"
record_while "$owned_work/stopped.raw" stop
timeout -k 5 30 "$probe" analyse "$owned_work/stopped.raw" 22050 0 0.6 || fail "the sound stopped"

echo "--- the server kills the stream"
timeout -k 5 30 "$probe" killed || fail "probe killed"

echo "--- the server goes away while the sine plays"
timeout -k 5 30 "$probe" server-lost "$pulse_server_pid" || fail "probe server-lost"
pulse_stop

echo "--- no server reachable"
PULSE_SERVER="unix:$owned_work/missing" timeout -k 5 30 "$probe" no-server || fail "probe no-server"

# Away for longer than a few seconds, as when a user restarts the server.
echo "--- the server is restarted"
pulse_start || fail "the private server did not start"
timeout -k 5 60 "$probe" reconnect "$pulse_server_pid" &
probe_pid=$!
owned_wait_for 100 eval '! kill -0 "$pulse_server_pid"' || fail "the probe did not kill the server"
pulse_stop
sleep 4
pulse_start || fail "the private server did not start again"
wait "$probe_pid" || fail "probe reconnect"

echo "--- the server starts after the program"
pulse_stop
timeout -k 5 60 "$probe" late-server &
probe_pid=$!
sleep 2
pulse_start || fail "the private server did not start"
wait "$probe_pid" || fail "probe late-server"

echo "passed"
exit 0
