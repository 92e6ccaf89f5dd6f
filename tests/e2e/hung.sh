#!/usr/bin/env bash
# A program that has stopped answering never holds a switch: desk 0 has a window of a test program that stops
# answering for 8 seconds. A click on desk 2 while it hangs ends (LastUse=2 written) within two seconds; the
# window stays as it was until its program answers again, then it follows (minimised with desk 0's windows),
# and coming back to desk 0 shows it again.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

size=40
e2e_set_appearance "" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF
0=ホーム,,(None),0 128 0,0
2=趣味,,(None),0 128 0,0
EOF
echo "desk 0" >"$E2E_DESKTOP/memo.txt"
echo "desk 2" >"$E2E_PROG/dsk2/plan.txt"

hang_out="$E2E_DIR/probe-hang.out"
wine "$E2E_PROBE" hang 4000 8000 >"$hang_out" 2>/dev/null &
E2E_STARTED_PIDS+=("$!")
wait_line() {  # word seconds
    local i
    for i in $(seq $(($2 * 10))); do
        grep -q "$1" "$hang_out" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}
e2e_require "the test program's window is open" wait_line ready 20
e2e_require "the bar is shown" e2e_start_program
sleep 0.8
e2e_require "the bar's rectangles are readable" e2e_measure
e2e_require "the test program has stopped answering" wait_line hung 10

# shellcheck disable=SC2046
e2e_point_client $(e2e_button_centre "$size" 1 0)
start=$(date +%s%N)
xdotool click 1
e2e_require "LastUse=2 is written" e2e_wait_ini User LastUse 2 20
took=$((($(date +%s%N) - start) / 1000000))
e2e_log "switch with a hung window: $took ms"
e2e_expect_true "the switch ends within 2 s while the window hangs ($took ms)" test "$took" -lt 2000
grep -q awake "$hang_out" && e2e_fail "the test program was still hung at the switch's end"
e2e_expect_eq "desk 2's item is on the Desktop" "plan.txt" "$(e2e_names "$E2E_DESKTOP")"
e2e_expect_eq "the hung window has not moved yet" "iconic=0" "$(probe state "probe hung" | cut -d' ' -f1)"

e2e_require "the test program answers again" wait_line awake 15
sleep 1
e2e_expect_eq "then its window follows its desk: minimised" "iconic=1" "$(probe state "probe hung" | cut -d' ' -f1)"

e2e_raise_bar
e2e_measure
# shellcheck disable=SC2046
e2e_click_client $(e2e_button_centre "$size" 0 0)
e2e_require "LastUse=0 is written" e2e_wait_ini User LastUse 0 15
sleep 0.5
e2e_expect_eq "back on desk 0 the window is shown again" "iconic=0" "$(probe state "probe hung" | cut -d' ' -f1)"
e2e_expect_eq "desk 0's item is back" "memo.txt" "$(e2e_names "$E2E_DESKTOP")"

e2e_pointer_away
e2e_finish
