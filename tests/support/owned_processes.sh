# Sourced by the test scripts that start helper processes (servers, recorders, the program).
# It owns a private work folder and ends every process started through it when the script
# exits, and also when the script is killed outright (a ctest timeout, say): a watcher
# process outlives the script and ends what is left.
#
#   owned_begin PREFIX       makes the work folder ($owned_work) and starts the watcher
#   owned_track NAME PID     records a started process under NAME
#   owned_end NAME           ends that process (TERM, then KILL after 5 s) and forgets it
#   owned_forget NAME        forgets a process that ended by itself
#   owned_wait_for TENTHS COMMAND...
#                            waits up to TENTHS tenths of a second for COMMAND to succeed
#   owned_skip_without TOOL...           exits 77 (skipped) when a tool is not installed
#   owned_fail_without PACKAGES TOOL...  exits 1 naming the packages when a tool is missing
#
# owned_begin installs an EXIT trap that ends every tracked process, newest first, and
# removes the work folder; INT, TERM and HUP exit with status 1 through that trap.

owned_work=""
owned_watcher_pid=""
owned_started=0

owned_skip_without() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "$tool is not installed: skipped"
            exit 77
        fi
    done
}

owned_fail_without() {
    local packages=$1 tool
    shift
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "FAILED: $tool is missing ($packages)"
            exit 1
        fi
    done
}

# Ends one process we started: politely, then for good after a few seconds.
owned_end_pid() {
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

owned_track() {
    local name=$1 pid=$2
    # The sequence number in the file name keeps the start order for the cleanup.
    owned_started=$((owned_started + 1))
    echo "$pid" >"$owned_work/pids/$(printf '%03d' "$owned_started").$name"
}

owned_pid_file() {
    local name=$1 file
    for file in "$owned_work/pids/"*".$name"; do
        [ -f "$file" ] && echo "$file" && return 0
    done
    return 1
}

owned_end() {
    local file
    file=$(owned_pid_file "$1") || return 0
    owned_end_pid "$(cat "$file")"
    rm -f "$file"
}

owned_forget() {
    local file
    file=$(owned_pid_file "$1") && rm -f "$file"
    return 0
}

owned_wait_for() {
    local tenths=$1
    shift
    for _ in $(seq "$tenths"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

owned_cleanup() {
    local files index
    if [ -n "$owned_work" ] && [ -d "$owned_work/pids" ]; then
        files=("$owned_work/pids/"*)
        for ((index = ${#files[@]} - 1; index >= 0; index--)); do
            [ -f "${files[index]}" ] || continue
            owned_end_pid "$(cat "${files[index]}")"
            rm -f "${files[index]}"
        done
    fi
    [ -n "$owned_watcher_pid" ] && kill "$owned_watcher_pid" 2>/dev/null
    [ -n "$owned_work" ] && rm -rf "$owned_work"
    return 0
}

owned_begin() {
    local prefix=$1
    # Kept short: unix socket paths inside it are limited to 107 bytes.
    owned_work=$(mktemp -d "/tmp/$prefix.XXXXXX") || exit 1
    mkdir -p "$owned_work/pids"
    local script_pid=$$ work=$owned_work
    (
        trap '' INT TERM HUP
        while kill -0 "$script_pid" 2>/dev/null; do sleep 1; done
        for file in "$work/pids/"*; do
            [ -f "$file" ] && kill -TERM "$(cat "$file")" 2>/dev/null
        done
        sleep 1
        for file in "$work/pids/"*; do
            [ -f "$file" ] && kill -KILL "$(cat "$file")" 2>/dev/null
        done
        rm -rf "$work"
    ) </dev/null >/dev/null 2>&1 &
    owned_watcher_pid=$!
    trap owned_cleanup EXIT
    trap 'exit 1' INT TERM HUP
}
