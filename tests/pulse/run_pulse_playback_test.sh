#!/usr/bin/env bash
# Plays a known sound through the program's Qt output device on a private PulseAudio server
# with a null sink, records the sink's monitor and checks what was heard; then checks that
# playback ends when the server goes away, and that playback without a reachable server
# reports the driver message and stays idle.
#
# Usage: run_pulse_playback_test.sh PROBE   (PROBE: the pulse_playback_probe executable)
# Exit status: 0 passed, 1 failed, 77 skipped (no pulseaudio binary).
set -u

probe=${1:?usage: $0 pulse_playback_probe}

if ! command -v pulseaudio >/dev/null 2>&1; then
    echo "pulseaudio is not installed: skipped"
    exit 77
fi
for tool in pactl pacat timeout; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAILED: $tool is missing (pulseaudio-utils, coreutils)"
        exit 1
    fi
done

# Everything lives in a private folder: runtime files, state, the socket, the captures. The
# socket path must stay short (unix socket paths are limited to 107 bytes).
work=$(mktemp -d /tmp/marvolin-pulse.XXXXXX) || exit 1
server_pid=""
recorder_pid=""

# Ends a process we started: politely, then for good after a few seconds.
end_process() {
    local pid=$1
    kill -TERM "$pid" 2>/dev/null
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

cleanup() {
    [ -n "$recorder_pid" ] && end_process "$recorder_pid"
    [ -n "$server_pid" ] && end_process "$server_pid"
    kill "$watcher_pid" 2>/dev/null
    rm -rf "$work"
}

# Should this script be killed outright (a test timeout, say), the watcher ends what it
# started: the pids of the running helpers are kept in $work/*.pid.
(
    while kill -0 $$ 2>/dev/null; do sleep 1; done
    for pid_file in "$work"/*.pid; do
        [ -f "$pid_file" ] && kill -KILL "$(cat "$pid_file")" 2>/dev/null
    done
    rm -rf "$work"
) </dev/null >/dev/null 2>&1 &
watcher_pid=$!
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

mkdir -p "$work/home" "$work/run" "$work/state"
chmod 700 "$work/run"
export HOME="$work/home"
export XDG_CONFIG_HOME="$work/home/.config"
export XDG_RUNTIME_DIR="$work/run"
export PULSE_RUNTIME_PATH="$work/run/pulse"
export PULSE_STATE_PATH="$work/state"
export PULSE_CLIENTCONFIG="$work/client.conf"
export QT_QPA_PLATFORM=offscreen
printf 'autospawn = no\nenable-shm = no\n' >"$PULSE_CLIENTCONFIG"
socket="$work/native"
export PULSE_SERVER="unix:$socket"

pulseaudio -n --daemonize=no --system=no --exit-idle-time=-1 --disallow-exit \
    --use-pid-file=no --realtime=no --high-priority=no --disable-shm=yes \
    -L "module-null-sink sink_name=marvolin_null" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$socket" \
    >"$work/server.log" 2>&1 &
server_pid=$!
echo "$server_pid" >"$work/server.pid"

fail() {
    echo "FAILED: $*"
    echo "--- server log"
    cat "$work/server.log"
    exit 1
}

# Waits up to $1 tenths of a second for the command that follows to succeed.
wait_for() {
    local tenths=$1
    shift
    for _ in $(seq "$tenths"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

wait_for 100 timeout 2 pactl info || fail "the private server did not start"

recorder_attached() {
    timeout 2 pactl list short source-outputs | grep -q .
}

# Records the null sink's monitor into $1 while the probe runs with mode $2.
record_while() {
    local capture=$1 mode=$2
    pacat --record --raw --device=marvolin_null.monitor --format=s16le --rate=22050 \
        --channels=1 --latency-msec=20 >"$capture" 2>>"$work/recorder.log" &
    recorder_pid=$!
    echo "$recorder_pid" >"$work/recorder.pid"
    wait_for 100 recorder_attached || fail "the recorder did not attach"
    timeout -k 5 30 "$probe" "$mode" || fail "probe $mode"
    sleep 0.5  # the tail of the sound on its way to the recorder
    end_process "$recorder_pid"
    recorder_pid=""
    rm -f "$work/recorder.pid"
}

echo "--- playing 1 s of sine to the end"
record_while "$work/played.raw" play
timeout -k 5 30 "$probe" analyse "$work/played.raw" 22050 0.7 1.3 || fail "the sound played"

# The null sink takes back what it has not played yet when a stream goes away, so the
# recorder may hear little or nothing of the start; it must not hear the whole sound.
echo "--- stopping the sine after 0.3 s"
record_while "$work/stopped.raw" stop
timeout -k 5 30 "$probe" analyse "$work/stopped.raw" 22050 0 0.6 || fail "the sound stopped"

echo "--- the server goes away while the sine plays"
timeout -k 5 30 "$probe" server-lost "$server_pid" || fail "probe server-lost"
end_process "$server_pid"
server_pid=""
rm -f "$work/server.pid"

echo "--- no server reachable"
PULSE_SERVER="unix:$work/missing" timeout -k 5 30 "$probe" no-server || fail "probe no-server"

echo "passed"
exit 0
