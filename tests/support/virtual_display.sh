# A virtual X display for the test scripts, sourced by them (bash).
#
#   start_virtual_display 1600x1200x24 || exit 77   # sets and exports DISPLAY
#   ...
#   stop_virtual_display                            # in the script's EXIT trap
#
# Xvfb picks a free display number itself (-displayfd) and writes it once it
# takes connections, so two displays started at the same moment never race
# for one number as lock-file guessing does. start_virtual_display then waits
# until the display answers (xdpyinfo). When the server does not come up it
# says "the virtual display did not start" with the server's own output and
# returns 1: the caller reports that, not a fault of the program under test.

virtual_display_pid=""
virtual_display_dir=""

start_virtual_display() {  # screen geometry WIDTHxHEIGHTxDEPTH
    local screen=${1:-1280x1024x24} number deadline fd
    virtual_display_dir=$(mktemp -d)
    exec {fd}>"$virtual_display_dir/number"
    Xvfb -displayfd "$fd" -screen 0 "$screen" -nolisten tcp >"$virtual_display_dir/log" 2>&1 &
    virtual_display_pid=$!
    exec {fd}>&-
    deadline=$((SECONDS + 30))
    # The number, then a line end, is written when the server is ready.
    until [ "$(wc -l <"$virtual_display_dir/number")" -ge 1 ]; do
        if ! kill -0 "$virtual_display_pid" 2>/dev/null || ((SECONDS >= deadline)); then
            virtual_display_failed "$screen"
            return 1
        fi
        sleep 0.1
    done
    number=$(head -n 1 "$virtual_display_dir/number")
    export DISPLAY=":$number"
    until xdpyinfo >/dev/null 2>&1; do
        if ! kill -0 "$virtual_display_pid" 2>/dev/null || ((SECONDS >= deadline)); then
            virtual_display_failed "$screen"
            return 1
        fi
        sleep 0.1
    done
}

virtual_display_failed() {  # screen geometry
    echo "the virtual display did not start (Xvfb -screen 0 $1); its output:" >&2
    cat "$virtual_display_dir/log" >&2 || true
    stop_virtual_display
}

stop_virtual_display() {
    if [ -n "$virtual_display_pid" ]; then
        kill "$virtual_display_pid" 2>/dev/null || true
        wait "$virtual_display_pid" 2>/dev/null || true
        virtual_display_pid=""
    fi
    if [ -n "$virtual_display_dir" ]; then
        rm -rf "$virtual_display_dir"
        virtual_display_dir=""
    fi
}
