# Sourced by the audio test scripts, after owned_processes.sh's owned_begin: a private
# PulseAudio server with one null sink, reachable only through a socket in the work folder,
# and a recorder of that sink's monitor. Nothing of the user's own sound setup is touched:
# HOME, XDG_RUNTIME_DIR and the client configuration all point into the work folder.
#
#   pulse_environment        exports the private environment (also for the programs tested)
#   pulse_start              starts the server and waits until it answers (status 1 if not)
#   pulse_stop               ends the server
#   pulse_record_start FILE RATE
#                            records the monitor as raw s16le mono at RATE into FILE and
#                            waits until the recorder is attached (status 1 if not)
#   pulse_record_stop        lets the tail of the sound arrive, then ends the recorder
#   pulse_playing            succeeds while some client plays to the server
#   pulse_silent             succeeds while no client plays to the server
#   pulse_server_log         prints the server's and the recorder's logs
#   pulse_voice_source_start makes a mono source of whatever plays to the null sink (a
#                            remap of its monitor, described as "$pulse_voice_description")
#                            the server's default source (status 1 if that fails)
#   pulse_feed FILE          plays a sound file to the null sink, to the end
#
# pulse_sink names the null sink.

pulse_sink=marvolin_null
pulse_voice_source=marvolin_voice
pulse_voice_description=MarvolinVoice

pulse_environment() {
    mkdir -p "$owned_work/home" "$owned_work/run" "$owned_work/state"
    chmod 700 "$owned_work/run"
    export HOME="$owned_work/home"
    export XDG_CONFIG_HOME="$owned_work/home/.config"
    export XDG_RUNTIME_DIR="$owned_work/run"
    export PULSE_RUNTIME_PATH="$owned_work/run/pulse"
    export PULSE_STATE_PATH="$owned_work/state"
    export PULSE_CLIENTCONFIG="$owned_work/client.conf"
    printf 'autospawn = no\nenable-shm = no\n' >"$PULSE_CLIENTCONFIG"
    pulse_socket="$owned_work/native"
    export PULSE_SERVER="unix:$pulse_socket"
}

pulse_start() {
    pulseaudio -n --daemonize=no --system=no --exit-idle-time=-1 --disallow-exit \
        --use-pid-file=no --realtime=no --high-priority=no --disable-shm=yes \
        -L "module-null-sink sink_name=$pulse_sink" \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$pulse_socket" \
        >"$owned_work/server.log" 2>&1 &
    pulse_server_pid=$!
    owned_track pulse_server "$pulse_server_pid"
    owned_wait_for 100 timeout 2 pactl info
}

pulse_stop() {
    owned_end pulse_server
}

pulse_recorder_attached() {
    timeout 2 pactl list short source-outputs | grep -q .
}

pulse_playing() {
    local streams
    streams=$(timeout 2 pactl list short sink-inputs) && [ -n "$streams" ]
}

pulse_silent() {
    local streams
    streams=$(timeout 2 pactl list short sink-inputs) && [ -z "$streams" ]
}

pulse_record_start() {
    local file=$1 rate=$2
    pacat --record --raw --device="$pulse_sink.monitor" --format=s16le --rate="$rate" \
        --channels=1 --latency-msec=20 >"$file" 2>>"$owned_work/recorder.log" &
    owned_track pulse_recorder $!
    owned_wait_for 100 pulse_recorder_attached || return 1
    # Listed is not yet linked: the first bytes show that the monitor really reaches it.
    owned_wait_for 100 test -s "$file"
}

pulse_record_stop() {
    sleep 0.5 # the tail of the sound on its way to the recorder
    owned_end pulse_recorder
}

pulse_server_log() {
    echo "--- server log"
    cat "$owned_work/server.log" 2>/dev/null
    echo "--- recorder log"
    cat "$owned_work/recorder.log" 2>/dev/null
}

pulse_voice_source_start() {
    timeout 5 pactl load-module module-remap-source master="$pulse_sink.monitor" \
        source_name="$pulse_voice_source" channels=1 channel_map=mono \
        source_properties=device.description="$pulse_voice_description" >/dev/null &&
        timeout 5 pactl set-default-source "$pulse_voice_source" || return 1
    # Left to itself the idle null sink renders in blocks of two seconds, and the remapped
    # source delivers nothing in between. A listener asking for a short latency keeps it
    # rendering steadily, as a sound card's input would.
    pacat --record --raw --device="$pulse_sink.monitor" --latency-msec=20 >/dev/null \
        2>>"$owned_work/recorder.log" &
    owned_track pulse_pacer $!
}

pulse_feed() {
    timeout 60 paplay --device="$pulse_sink" "$1"
}
