#!/usr/bin/env bash
# What one desk switch costs under Wine, end to end: ITEMS files on the Desktop and in desk 2's folder, WINDOWS
# real Notepads with files of their own open (the first two maximised), RUNS round trips between desk 0 and
# desk 2. Each switch is timed from the pointer
# click to the settings file's write of LastUse (its modification time), the last step of the switch that
# touches a file. A measurement, not a test: it prints the figures and is not registered with ctest.
#
#     [ITEMS=100] [WINDOWS=10] [RUNS=3] [HIDE=1] bash tests/e2e/switch_cost.sh KORUVAN.exe koruvan_probe.exe
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
items=${ITEMS:-100}
windows=${WINDOWS:-10}
runs=${RUNS:-3}
e2e_setup

size=40
red_bmp=$(e2e_bitmap red.bmp '#C03030')
blue_bmp=$(e2e_bitmap blue.bmp '#3050C0')
e2e_set_appearance "$red_bmp" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF
0=ホーム,$red_bmp,(None),0 128 0,0
1=仕事,,(None),0 128 0,0
2=趣味,$blue_bmp,(None),0 128 0,0
EOF
# HIDE=1: a switch hides the other desks' windows instead of minimising them.
[ "${HIDE:-0}" = 1 ] && e2e_add_user_value HideOtherDeskWindows 1
# Shortcut-sized files, half of them with Japanese names.
for i in $(seq "$items"); do
    head -c 1500 /dev/urandom >"$E2E_PROG/dsk0/item$i.lnk"
    head -c 1500 /dev/urandom >"$E2E_PROG/dsk2/項目$i.lnk"
done

e2e_require "$windows Notepads are open" e2e_open_notepads "$windows"

# Prints the milliseconds from the click on `slot` to the write of LastUse=desk.
timed_switch() {  # slot desk
    local start
    e2e_measure || return 1
    # shellcheck disable=SC2046
    e2e_point_client $(e2e_button_centre "$size" "$1" 0)
    start=$(date +%s.%3N)
    xdotool click 1
    e2e_wait_ini User LastUse "$2" 60 || return 1
    awk -v a="$start" -v b="$(stat -c %.3Y "$E2E_PROG/KORUVAN.ini")" 'BEGIN { printf "%d\n", (b - a) * 1000 }'
}

# A fresh start for every round trip: the window table lives in memory only, so each run sees the same tables.
for run in $(seq "$runs"); do
    e2e_require "the bar is shown" e2e_start_program
    sleep 1
    e2e_raise_bar
    to2=$(timed_switch 2 2) || { e2e_fail "switch to desk 2"; break; }
    sleep 1
    to0=$(timed_switch 0 0) || { e2e_fail "switch to desk 0"; break; }
    sleep 0.5
    echo "run $run: desk 0 -> 2 ${to2} ms, desk 2 -> 0 ${to0} ms ($items items each way, $windows windows)"
    e2e_expect_eq "desk 0's items are back on the Desktop" "$items" "$(find "$E2E_DESKTOP" -name 'item*.lnk' | wc -l)"
    if [ "$windows" -ge 2 ]; then
        e2e_expect_eq "the second Notepad is maximised again" "iconic=0 zoomed=1" \
            "$(probe state "note2.txt - メモ帳" | cut -d' ' -f1-2)"
    fi
    probe close "$E2E_CAPTION"
    e2e_require "the program ends" e2e_wait_program_end 10
done
e2e_finish
