#!/usr/bin/env bash
# Runs the real program on a private virtual display with a private sound server and uses
# it as a person would: it clicks the category button both ways, an effect button, Undo, Play,
# opens the Settings dialog and the About box, records the welcome sound played into the
# server's voice source, and finally clicks Exit; it checks after each step what the window
# shows (read back from the screen) and what the sound server heard (recorded from the null
# sink's monitor).
#
# Usage: run_window_test.sh PROGRAM [SERVER]   (PROGRAM: the marvolin executable, its data
# beside it; SERVER: pulseaudio, the default, or pipewire)
# Exit status: 0 passed, 1 failed, 77 skipped (Xvfb, xdotool or the server missing).
# The everyday-files step (an M4A opened, an Opus saved) needs ffmpeg and ffprobe.
# On failure the screenshots and captures are kept in ./window_e2e-failure.
set -u

program=${1:?usage: $0 marvolin [pulseaudio|pipewire]}
server=${2:-pulseaudio}
program_folder=$(cd "$(dirname "$program")" && pwd)
picture="$program_folder/marvolin.bmp"
welcome="$program_folder/waves/welcome.wav"

support="$(cd "$(dirname "$0")/../support" && pwd)"
source "$support/owned_processes.sh"
source "$support/sound_server.sh"
owned_skip_without Xvfb xdotool
sound_server_choose "$server"
owned_fail_without "pulseaudio-utils, x11-apps, imagemagick, sox" \
    pactl pacat paplay xwd convert compare sox timeout
source "$support/private_display.sh"
source "$support/marvolin_window.sh"

owned_begin marvolin-e2e
pulse_environment
shots="$owned_work/shots"
mkdir -p "$shots"

fail() {
    echo "FAILED: $*"
    window_log
    pulse_server_log
    display_log
    rm -rf window_e2e-failure
    cp -r "$shots" window_e2e-failure 2>/dev/null && echo "--- screenshots: $PWD/window_e2e-failure"
    exit 1
}

# ---- looking at the window ----

# Places on the window, as "left top width height".
waveform_band="118 65 395 81"
help_area="20 430 280 40"
recording_word="20 430 80 15"       # above the help line
category_top="195 288 120 50"        # the round button above its label
category_label="205 339 100 15"      # every category's label lies inside
effect_labels="312 281 255 141"      # the five names beside the lamps
effect1_lamp="295 281 17 17"
play_button=$(window_rect play)
record_button=$(window_rect record)
undo_button=$(window_rect undo)
open_button=$(window_rect open)
category_button=$(window_rect category)

grab_count=0
grab() {
    grab_count=$((grab_count + 1))
    shot=$(printf '%s/%02d-%s.png' "$shots" "$grab_count" "$1")
    window_grab "$shot"
}

# Whether an area looks the same in two pictures: same A B LEFT TOP WIDTH HEIGHT.
same() {
    local count
    count=$(window_differences "$@") || fail "the screenshots cannot be compared"
    [ "$count" -eq 0 ]
}

# Grabs the window until the area looks ($2 = same) or does not look ($2 = differs) as in
# the reference picture $3; at most $1 seconds. Leaves the last screenshot in $shot.
grab_until() {
    local seconds=$1 want=$2 reference=$3 area=$4 name=$5
    local deadline=$((SECONDS + seconds))
    while :; do
        grab "$name"
        if same "$shot" "$reference" $area; then
            [ "$want" = same ] && return 0
        else
            [ "$want" = differs ] && return 0
        fi
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

brightest() { window_brightest "$shot" $1; }

# ---- listening ----

# Prints "seconds decibels" of the sounding part of a sound (from the first to the last
# moment above 1 % of full scale), or "0 -200" when nothing sounds.
measure() {
    sox "$@" -n silence 1 0.01 1% reverse silence 1 0.01 1% reverse stat 2>&1 |
        awk '/^Length/ { length_s = $3 }
             /^RMS +amplitude/ { rms = $3 }
             END {
                 if (rms > 0) printf "%.3f %.1f\n", length_s, 20 * log(rms) / log(10)
                 else print "0 -200"
             }'
}

measure_capture() { measure -t raw -r 22050 -e signed-integer -b 16 -c 1 "$1"; }

read -r welcome_seconds welcome_db < <(measure "$welcome")
echo "welcome sound: ${welcome_seconds} s at ${welcome_db} dB"

# Checks that capture $1 sounded for the welcome sound's length, give or take $2 seconds,
# and at least at level $3 dB; with a fourth argument, also at most that many dB from the
# welcome sound's level.
check_heard() {
    local capture=$1 slack=$2 floor=$3 level_slack=${4:-}
    local seconds db
    read -r seconds db < <(measure_capture "$capture")
    echo "heard ${seconds} s at ${db} dB"
    awk -v s="$seconds" -v w="$welcome_seconds" -v slack="$slack" \
        'BEGIN { exit !(s >= w - slack && s <= w + slack) }' ||
        fail "heard ${seconds} s, expected ${welcome_seconds} s"
    awk -v d="$db" -v floor="$floor" 'BEGIN { exit !(d >= floor) }' ||
        fail "heard at ${db} dB, expected at least ${floor} dB"
    if [ -n "$level_slack" ]; then
        awk -v d="$db" -v w="$welcome_db" -v slack="$level_slack" \
            'BEGIN { exit !(d >= w - slack && d <= w + slack) }' ||
            fail "heard at ${db} dB, expected the welcome sound's ${welcome_db} dB"
    fi
}

# Waits for a playback to show the red Stop and then the Play button again.
wait_for_playback() {
    local what=$1
    grab_until 10 differs "$start" "$play_button" "$what-stop" ||
        fail "$what: the Play button never turned into Stop"
    grab_until 20 same "$start" "$play_button" "$what-played" ||
        fail "$what: the Play button did not come back after the sound"
    owned_wait_for 50 pulse_silent || fail "$what: the sound goes on after the Play button is back"
}

# ---- the run ----

display_start 1024x768 || fail "the virtual display did not start"
pulse_start || fail "the private sound server did not start"
pulse_voice_source_start || fail "the voice source cannot be made"

window_settings "Default .WAV directory=$owned_work" "play sound after loading=1" \
    "play sound after processing=1" "play sound after undo=0" "play sound after recording=1" \
    "Display help=1" "Auto-truncate recorded sample=1" "Audio input=0" "Audio output=0"

echo "--- start-up: the picture, the welcome sound's waveform and its sound"
xdotool mousemove 0 0 # off the window, where it cannot show a help line
pulse_record_start "$owned_work/welcome.raw" 22050 || fail "the recorder did not attach"
window_launch "$program"
# The first paint covers the Stop face drawn at start-up: the server tells when it plays.
# The sound starts before the window shows, so look for it first.
owned_wait_for 100 pulse_playing || fail "the welcome sound does not play"
window_wait || fail "no window appeared"
echo "window $window_id at $window_x,$window_y"
grab_until 20 same "$picture" "$open_button" shown || fail "the picture is not shown"
[ "$(window_differences "$shot" "$picture" $waveform_band)" -gt 300 ] ||
    fail "no waveform drawn over the picture's band"
owned_wait_for 200 pulse_silent || fail "the welcome sound does not end"
pulse_record_stop
grab welcome-played
check_heard "$owned_work/welcome.raw" 0.15 -40 2
start=$shot

echo "--- help lines"
window_move play
grab_until 5 differs "$start" "$help_area" help-shown || fail "no help line over Play"
[ "$(brightest "$help_area")" -ge 90 ] || fail "the help line is not written in white"
xdotool mousemove --sync --window "$window_id" 60 440
grab_until 5 same "$start" "$help_area" help-erased || fail "the help line stays"

echo "--- category button: forward with the left button, back with the right"
window_move category
xdotool mousedown 1
grab_until 5 differs "$start" "$category_top" category-pressed ||
    fail "the category button does not look pressed"
xdotool mouseup 1
grab_until 5 same "$start" "$category_top" category-released ||
    fail "the category button does not come back up"
same "$shot" "$start" $category_label && fail "the category label did not change"
same "$shot" "$start" $effect_labels && fail "the effect names did not change"
xdotool click 3
grab_until 5 same "$start" "$category_button" category-back ||
    fail "the right button does not bring the first category back"
same "$shot" "$start" $effect_labels || fail "the first category's effect names are not back"

echo "--- effect button 1: the lamp, the effect, the sound played after it"
pulse_record_start "$owned_work/effect.raw" 22050 || fail "the recorder did not attach"
window_move effect1
xdotool mousedown 1
grab_until 5 differs "$start" "$effect1_lamp" lamp-red || fail "the lamp does not light up"
xdotool mouseup 1
wait_for_playback effect
pulse_record_stop
same "$shot" "$start" $effect1_lamp || fail "the lamp does not go out after the effect"
[ "$(window_differences "$shot" "$picture" $waveform_band)" -gt 300 ] ||
    fail "no waveform drawn after the effect"
check_heard "$owned_work/effect.raw" 0.15 -40

echo "--- Undo, then Play: the welcome sound again"
window_move undo
xdotool mousedown 1
grab_until 5 differs "$start" "$undo_button" undo-pressed || fail "Undo does not look pressed"
xdotool mouseup 1
# The button comes back up in the same handling as the exchange of the sounds.
grab_until 5 same "$start" "$undo_button" undone || fail "the Undo button does not come back up"
same "$shot" "$start" $waveform_band || fail "Undo does not bring the first waveform back"
pulse_record_start "$owned_work/play.raw" 22050 || fail "the recorder did not attach"
window_click play
wait_for_playback play
pulse_record_stop
check_heard "$owned_work/play.raw" 0.15 -40 2

# Waits for a dialog titled $1 to show and gives it the keyboard; sets dialog_id.
focus_dialog() {
    local title=$1
    owned_wait_for 100 xdotool search --onlyvisible --name "^$title\$" || return 1
    dialog_id=$(xdotool search --onlyvisible --name "^$title\$" | head -n 1)
    timeout 5 xdotool windowfocus --sync "$dialog_id"
}
dialog_shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
dialog_gone() { ! dialog_shown "$1"; }

echo "--- Options: the Settings dialog, left with Escape"
window_click options
focus_dialog "Marvolin Settings" || fail "Options shows no Settings dialog"
xdotool key Escape
owned_wait_for 50 dialog_gone "Marvolin Settings" || fail "Escape does not close the Settings dialog"

echo "--- the logo: the About box ignores Escape and closes with Return"
xdotool mousemove --sync --window "$window_id" 560 450 click 1
focus_dialog "About us..." || fail "the logo shows no About box"
xdotool key Escape
sleep 0.5
dialog_shown "About us..." || fail "Escape closes the About box"
xdotool key Return
owned_wait_for 50 dialog_gone "About us..." || fail "Return does not close the About box"

echo "--- Record, the welcome sound spoken into the source, Stop, the silence cut"
window_click record
grab_until 5 differs "$start" "$record_button" recording || fail "Record does not turn into Stop"
grab_until 5 differs "$start" "$recording_word" recording-word || fail "no RECORDING word"
# The virtual source delivers a second late or more on a loaded machine: a listener of its
# own tells when the whole voice has come out of it, and so has reached the program too.
pacat --record --raw --device="$pulse_voice_source" --format=s16le --rate=22050 --channels=1 \
    --latency-msec=20 >"$owned_work/source.raw" 2>>"$owned_work/recorder.log" &
owned_track source_listener $!
pulse_feed "$welcome" || fail "the welcome sound cannot be fed to the source"
voice_out_of_source() {
    local seconds db
    read -r seconds db < <(measure_capture "$owned_work/source.raw")
    awk -v s="$seconds" -v w="$welcome_seconds" 'BEGIN { exit !(s >= w - 0.15) }'
}
owned_wait_for 150 voice_out_of_source || fail "the voice does not come out of the source"
owned_end source_listener
sleep 0.5 # the program's own stream hands over every 20 ms
pulse_record_start "$owned_work/recorded.raw" 22050 || fail "the recorder did not attach"
window_click record
focus_dialog "Warning" || fail "no question about the silence"
xdotool key Return
owned_wait_for 50 dialog_gone "Warning" || fail "the question stays"
grab_until 5 same "$start" "$record_button" recorded || fail "the Record button does not come back"
wait_for_playback recording
pulse_record_stop
[ "$(window_differences "$shot" "$picture" $waveform_band)" -gt 300 ] ||
    fail "no waveform drawn after the recording"
check_heard "$owned_work/recorded.raw" 0.3 -40 2

# ==== everyday files: an M4A opened through "All sound files", saved as an Ogg Opus ====
# A step of its own: it needs the ffmpeg and ffprobe command lines, and skips without them.
everyday_files_step() {
    if ! command -v ffmpeg >/dev/null || ! command -v ffprobe >/dev/null; then
        echo "--- everyday files: skipped, no ffmpeg or ffprobe"
        return 0
    fi
    echo "--- everyday files: an M4A voice memo opened by its content, played, saved as Opus"
    local memo="$owned_work/memo.m4a" reply="$owned_work/reply"
    ffmpeg -v error -y -i "$welcome" -c:a aac -b:a 64k "$memo" || fail "ffmpeg made no M4A"
    pulse_record_start "$owned_work/memo.raw" 22050 || fail "the recorder did not attach"
    window_click open
    focus_dialog "Open" || fail "Open shows no file dialog"
    xdotool type --delay 20 "$memo"
    xdotool key Return
    owned_wait_for 50 dialog_gone "Open" || fail "the Open dialog stays"
    wait_for_playback memo
    pulse_record_stop
    [ "$(window_differences "$shot" "$picture" $waveform_band)" -gt 300 ] ||
        fail "no waveform drawn for the M4A"
    check_heard "$owned_work/memo.raw" 0.15 -40 3

    # The file type box lies along the dialog's bottom edge, below the name field: a click
    # opens its list, Down and Return pick the entry after "Sound File .WAV", the Opus voice
    # message, and a second Return saves.
    window_click save
    focus_dialog "Save As" || fail "Save shows no file dialog"
    xdotool type --delay 20 "$reply"
    local dialog_height
    dialog_height=$(xdotool getwindowgeometry --shell "$dialog_id" | sed -n 's/^HEIGHT=//p')
    xdotool mousemove --sync --window "$dialog_id" 200 $((dialog_height - 24)) click 1
    sleep 0.5
    xdotool key Down Return
    sleep 0.3
    display_grab "$shots/save-dialog.png"
    xdotool key Return
    owned_wait_for 50 dialog_gone "Save As" || fail "the Save dialog stays"
    owned_wait_for 50 test -s "$reply.opus" ||
        fail "no $reply.opus written: $(ls "$owned_work")"
    local codec seconds
    codec=$(ffprobe -v error -select_streams a:0 -show_entries stream=codec_name \
        -of default=noprint_wrappers=1:nokey=1 "$reply.opus")
    seconds=$(ffprobe -v error -show_entries format=duration \
        -of default=noprint_wrappers=1:nokey=1 "$reply.opus")
    echo "saved $codec, ${seconds} s"
    [ "$codec" = opus ] || fail "the saved file holds $codec, not opus"
    local memo_seconds
    memo_seconds=$(ffprobe -v error -show_entries format=duration \
        -of default=noprint_wrappers=1:nokey=1 "$memo")
    awk -v s="$seconds" -v m="$memo_seconds" 'BEGIN { exit !(s >= m - 0.05 && s <= m + 0.05) }' ||
        fail "the Opus file lasts ${seconds} s, the M4A ${memo_seconds} s"
    grab saved-opus
}
everyday_files_step
# ==== end of everyday files ====

echo "--- Exit, answered with Return"
window_click exit
owned_wait_for 100 xdotool search --onlyvisible --name '^Are you sure \?$' ||
    fail "Exit asks nothing"
question=$(xdotool search --onlyvisible --name '^Are you sure \?$' | head -n 1)
timeout 5 xdotool windowfocus --sync "$question" || fail "the question cannot have the focus"
xdotool key Return
window_wait_for_exit 10 || fail "the program is still running after Exit"
[ "$window_status" -eq 0 ] || fail "the program ended with status $window_status"

echo "passed"
exit 0
