# Sourced instead of private_pulse.sh's server part: the same private set-up, but the server is
# PipeWire with its PulseAudio server (pipewire-pulse) and WirePlumber, as on desktops that use
# PipeWire. It defines private_pulse.sh's functions (sourced first) and replaces the server's
# start, stop and log. WirePlumber needs a session bus: a private dbus-daemon is started for
# it. Nothing of the system's services is used.
#
# pulse_server_pid is pipewire-pulse's: killing it takes the PulseAudio server away, as
# killing pulseaudio does.

source "$(dirname "${BASH_SOURCE[0]}")/private_pulse.sh"

pipewire_configure() {
    local config="$XDG_CONFIG_HOME/pipewire"
    mkdir -p "$config/pipewire.conf.d"
    cat >"$config/pipewire.conf.d/10-marvolin-null-sink.conf" <<CONF
context.objects = [
    { factory = adapter
        args = {
            factory.name     = support.null-audio-sink
            node.name        = $pulse_sink
            node.description = "Null Output"
            media.class      = Audio/Sink
            audio.position   = [ MONO ]
        }
    }
]
CONF
    # The PulseAudio server listens on the private socket only.
    sed "s|\"unix:native\"|\"unix:$pulse_socket\"|" /usr/share/pipewire/pipewire-pulse.conf \
        >"$config/pipewire-pulse.conf"
}

pipewire_core_started=""

# PipeWire itself, WirePlumber and their bus stay up when the PulseAudio server is stopped and
# started again.
pipewire_core_start() {
    [ -n "$pipewire_core_started" ] && return 0
    pipewire_configure
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$owned_work/bus" \
        >"$owned_work/dbus.log" 2>&1 &
    owned_track pipewire_dbus $!
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$owned_work/bus"
    owned_wait_for 50 test -S "$owned_work/bus" || return 1
    pipewire >"$owned_work/pipewire.log" 2>&1 &
    owned_track pipewire_core $!
    owned_wait_for 50 test -S "$XDG_RUNTIME_DIR/pipewire-0" || return 1
    wireplumber >"$owned_work/wireplumber.log" 2>&1 &
    owned_track pipewire_session $!
    pipewire_core_started=yes
}

pulse_start() {
    pipewire_core_start || return 1
    pipewire-pulse >"$owned_work/server.log" 2>&1 &
    pulse_server_pid=$!
    owned_track pulse_server "$pulse_server_pid"
    owned_wait_for 100 timeout 2 pactl info || return 1
    # Ready once WirePlumber has made the null sink the default output.
    owned_wait_for 100 pipewire_default_sink_set
}

pipewire_default_sink_set() {
    timeout 2 pactl info | grep -q "^Default Sink: $pulse_sink\$"
}

# A private PulseAudio server can be started again after pulse_stop: the same here.
pulse_stop() {
    owned_end pulse_server
}

pulse_server_log() {
    local log
    for log in server pipewire wireplumber dbus recorder; do
        echo "--- $log log"
        tail -n 40 "$owned_work/$log.log" 2>/dev/null
    done
}
