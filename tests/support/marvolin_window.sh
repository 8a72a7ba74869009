# Sourced by the scripts that drive the real program on a private display (private_display.sh
# runs first): starting it, finding its window, clicking its buttons and reading its pixels.
#
#   window_settings KEY=VALUE...  writes marvolin.ini in $XDG_CONFIG_HOME, section [Marvolin]
#   window_start PROGRAM          window_launch, then window_wait
#   window_launch PROGRAM         starts the program
#   window_wait                   waits for its window; sets window_id, window_x, window_y
#                                 (status 1 if none appears)
#   window_rect HOTSPOT           prints "left top width height" of a button
#   window_move HOTSPOT           moves the pointer to the middle of a button
#   window_click HOTSPOT [BUTTON] clicks the middle of a button (1 left, 3 right)
#   window_grab FILE              writes a PNG of the window's 640x480 pixels to FILE
#   window_differences A B LEFT TOP WIDTH HEIGHT
#                                 prints how many pixels of that rectangle differ in A and B
#   window_brightest FILE LEFT TOP WIDTH HEIGHT
#                                 prints the brightest grey level there, 0 to 100
#   window_wait_for_exit SECONDS  waits for the program to end; sets window_status
#
# A HOTSPOT is one of: open save record play undo options exit category effect1 .. effect5.

window_width=640
window_height=480

window_settings() {
    mkdir -p "$XDG_CONFIG_HOME"
    {
        echo "[Marvolin]"
        printf '%s\n' "$@"
    } >"$XDG_CONFIG_HOME/marvolin.ini"
}

window_rect() {
    case $1 in
        open) echo 120 160 120 40 ;;
        save) echo 260 160 120 40 ;;
        record) echo 400 160 120 40 ;;
        play) echo 120 210 120 40 ;;
        undo) echo 260 210 120 40 ;;
        options) echo 400 210 120 40 ;;
        exit) echo 471 363 56 52 ;;
        category) echo 195 288 120 120 ;;
        effect1) echo 295 281 147 20 ;;
        effect2) echo 318 309 125 20 ;;
        effect3) echo 327 340 240 20 ;;
        effect4) echo 322 374 144 20 ;;
        effect5) echo 296 402 176 20 ;;
        *) return 1 ;;
    esac
}

window_find() {
    window_id=$(xdotool search --onlyvisible --name '^Marvolin$' 2>/dev/null | head -n 1)
    [ -n "$window_id" ]
}

window_launch() {
    local program=$1
    QT_QPA_PLATFORM=xcb "$program" >"$owned_work/program.log" 2>&1 &
    window_pid=$!
    owned_track program "$window_pid"
}

window_wait() {
    owned_wait_for 200 window_find || return 1
    eval "$(xdotool getwindowgeometry --shell "$window_id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    window_x=$X
    window_y=$Y
    if [ "$WIDTH" != "$window_width" ] || [ "$HEIGHT" != "$window_height" ]; then
        echo "the window is ${WIDTH}x${HEIGHT}, not ${window_width}x${window_height}"
        return 1
    fi
}

window_start() {
    window_launch "$1" && window_wait
}

window_move() {
    local left top width height
    read -r left top width height < <(window_rect "$1")
    xdotool mousemove --sync --window "$window_id" $((left + width / 2)) $((top + height / 2))
}

window_click() {
    window_move "$1" && xdotool click "${2:-1}"
}

window_grab() {
    xwd -root -silent |
        convert xwd:- -crop "${window_width}x${window_height}+${window_x}+${window_y}" +repage \
            "png:$1"
}

window_differences() {
    local a=$1 b=$2 area="${5}x${6}+${3}+${4}" count
    # compare prints the count on stderr, sometimes in exponent notation; anything else is
    # an error message.
    count=$(compare -metric AE "${a}[$area]" "${b}[$area]" null: 2>&1)
    if [[ ! $count =~ ^[0-9.e+]+$ ]]; then
        echo "cannot compare $a and $b: $count" >&2
        return 1
    fi
    awk -v count="$count" 'BEGIN { printf "%d\n", count }'
}

window_brightest() {
    convert "$1[${4}x${5}+${2}+${3}]" -colorspace Gray -format '%[fx:int(100*maxima)]' info:
}

window_gone() {
    ! kill -0 "$window_pid" 2>/dev/null
}

window_wait_for_exit() {
    local seconds=$1
    owned_wait_for $((seconds * 10)) window_gone || return 1
    wait "$window_pid"
    window_status=$?
    owned_forget program
}

window_log() {
    echo "--- program output"
    cat "$owned_work/program.log" 2>/dev/null
}
