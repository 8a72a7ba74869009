# Sourced by the sound server tests after owned_processes.sh: chooses the private server by
# name and defines private_pulse.sh's functions for it.
#
#   sound_server_choose SERVER   SERVER: pulseaudio or pipewire. Exits 77 (skipped) when
#                                that server's binaries are not installed, 2 for another name.

sound_server_choose() {
    local support
    support="$(dirname "${BASH_SOURCE[0]}")"
    case "$1" in
        pulseaudio)
            owned_skip_without pulseaudio
            source "$support/private_pulse.sh"
            ;;
        pipewire)
            owned_skip_without pipewire pipewire-pulse wireplumber dbus-daemon
            source "$support/private_pipewire.sh"
            ;;
        *)
            echo "unknown sound server: $1 (pulseaudio or pipewire)"
            exit 2
            ;;
    esac
}
