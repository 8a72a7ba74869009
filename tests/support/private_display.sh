# Sourced by the scripts that run the real window, after owned_processes.sh's owned_begin:
# a private virtual X display on the first free display number.
#
#   display_start WIDTHxHEIGHT   starts Xvfb, waits until it accepts clients and exports
#                                DISPLAY (status 1 if it does not come up)
#   display_grab FILE            writes a PNG of the whole screen to FILE
#   display_log                  prints Xvfb's output

display_start() {
    local size=$1
    # Xvfb picks the display number itself and writes it to the descriptor once it listens.
    Xvfb -displayfd 9 -screen 0 "${size}x24" -nolisten tcp -noreset \
        9>"$owned_work/display" >"$owned_work/xvfb.log" 2>&1 &
    owned_track xvfb $!
    owned_wait_for 150 grep -q '[0-9]' "$owned_work/display" || return 1
    export DISPLAY=":$(tr -dc '0-9' <"$owned_work/display")"
    owned_wait_for 50 xdotool getdisplaygeometry
}

display_grab() {
    xwd -root -silent | convert xwd:- "png:$1"
}

display_log() {
    echo "--- Xvfb log"
    cat "$owned_work/xvfb.log" 2>/dev/null
}
