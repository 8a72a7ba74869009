#!/usr/bin/env bash
# Starts a private headless Weston compositor (pixman renderer, so that its screenshots show
# what it really composes) and runs the Wayland probe on it.
#
# Usage: run_wayland_test.sh PROBE [SCALE]   (PROBE: the wayland_probe executable; SCALE: the
#        QT_SCALE_FACTOR to run at, none by default)
# Exit status: 0 passed, 1 failed, 77 skipped (no weston binary).
set -u

probe=${1:?usage: $0 wayland_probe [scale]}
scale=${2:-}

support="$(cd "$(dirname "$0")/../support" && pwd)"
source "$support/owned_processes.sh"
owned_skip_without weston
owned_fail_without "coreutils" timeout
owned_fail_without "weston" weston-screenshooter

owned_begin marvolin-wayland
export XDG_RUNTIME_DIR="$owned_work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export XDG_CONFIG_HOME="$owned_work/config"
mkdir -p "$XDG_CONFIG_HOME"
# No sound server here: no playback after loading, which would only report a missing driver.
printf '[Marvolin]\nplay sound after loading=0\n' > "$XDG_CONFIG_HOME/marvolin.ini"
socket="marvolin-wayland-$$"

fail() {
    echo "FAILED: $*"
    echo "--- weston log"
    cat "$owned_work/weston.log" 2>/dev/null
    exit 1
}

# A plain magenta desktop without a panel, so that the probe finds the window on the screen,
# and room for it at twice its size. --debug lets clients take screenshots.
cat >"$owned_work/weston.ini" <<'INI'
[shell]
background-image=/nonexistent.png
background-color=0xffff00ff
panel-position=none
INI
weston --backend=headless-backend.so --use-pixman --debug --width=2000 --height=1400 \
    --socket="$socket" --idle-time=0 --config="$owned_work/weston.ini" \
    --log="$owned_work/weston.log" >/dev/null 2>&1 &
owned_track weston $!
owned_wait_for 100 test -S "$XDG_RUNTIME_DIR/$socket" || fail "weston did not start"

# A short WAV file to name on the command line.
printf 'RIFF\x2a\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x40\x1f\x00\x00\x80\x3e\x00\x00\x02\x00\x10\x00data\x06\x00\x00\x00\x01\x00\x02\x00\x03\x00' \
    > "$owned_work/probe.wav"

unset DISPLAY QT_SCALE_FACTOR
[ -n "$scale" ] && export QT_SCALE_FACTOR="$scale"
mkdir "$owned_work/shots"
WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland timeout -k 5 60 "$probe" "$owned_work/probe.wav" \
    "$owned_work/shots" || fail "the probe failed on Wayland${scale:+ at scale $scale}"
echo "passed"
