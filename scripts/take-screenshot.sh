#!/usr/bin/env bash
# Takes the README's picture of the window: the program just after start-up, showing the
# welcome sound's waveform, on a private virtual display. Run it again whenever the artwork
# changes. No sound is heard: the program finds no sound server and goes on silently.
#
# Usage: scripts/take-screenshot.sh [BUILD_DIR [OUTPUT [SCALE]]]
#        (defaults: build, docs/screenshot.png and 1; the program must have been built)
# SCALE 2 takes docs/screenshot-2x.png: the window on a screen with two device pixels per
# window pixel (Qt's QT_SCALE_FACTOR), where it draws its artwork at that resolution.
set -u

root="$(cd "$(dirname "$0")/.." && pwd)"
build=${1:-$root/build}
output=${2:-$root/docs/screenshot.png}
program="$build/bin/marvolin"
picture="$build/bin/marvolin.bmp"
scale=${3:-1}
case $scale in
    1 | 2 | 3) ;;
    *)
        echo "SCALE must be 1, 2 or 3"
        exit 1
        ;;
esac

[ -x "$program" ] || {
    echo "$program is missing: build the program first (make build)"
    exit 1
}
for tool in Xvfb xdotool xwd convert compare; do
    command -v "$tool" >/dev/null 2>&1 || {
        echo "$tool is missing: run scripts/install-deps"
        exit 1
    }
done

support="$root/tests/support"
source "$support/owned_processes.sh"
source "$support/private_pulse.sh"
source "$support/private_display.sh"
source "$support/marvolin_window.sh"

owned_begin marvolin-shot
# A private environment with no server in it: the user's own sound stays quiet.
pulse_environment
window_settings

fail() {
    echo "no screenshot taken: $*"
    window_log
    display_log
    exit 1
}

display_start $((1024 * scale))x$((768 * scale)) || fail "the virtual display did not start"
window_width=$((640 * scale))
window_height=$((480 * scale))
if [ "$scale" != 1 ]; then
    export QT_SCALE_FACTOR=$scale
fi
xdotool mousemove 0 0 # off the window, where it cannot show a help line
window_start "$program" || fail "no window appeared"

shot="$owned_work/window.png"
ready() {
    window_grab "$shot" || return 1
    # Above scale 1 the window draws finer than the picture: only its size can be checked.
    if [ "$scale" != 1 ]; then
        return 0
    fi
    [ "$(window_differences "$shot" "$picture" $(window_rect open))" -eq 0 ] &&
        [ "$(window_differences "$shot" "$picture" 118 65 395 81)" -gt 300 ]
}
owned_wait_for 200 ready || fail "the window never showed the picture with a waveform"
if [ "$scale" != 1 ]; then
    # The welcome sound's trace comes within moments of the window.
    sleep 4
    window_grab "$shot" || fail "cannot grab the window"
fi

mkdir -p "$(dirname "$output")"
if ! convert "$shot" -strip "png:$output.part" || ! mv "$output.part" "$output"; then
    rm -f "$output.part"
    fail "cannot write $output"
fi
echo "wrote $output"
