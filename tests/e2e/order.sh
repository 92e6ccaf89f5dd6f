#!/usr/bin/env bash
# Back on a desk, its windows stand in the order they had and the one the user worked in has the focus: five
# programs that ship with Wine (Notepad maximised, the registry editor, WineMine, the console, the control
# panel), overlapping, the registry editor in front with the focus. Three round trips by clicks on the bar, each
# ending with the same order from front to back and the same focused window as before the first switch.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

size=40
e2e_set_appearance "" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF2
0=ホーム,,(None),0 128 0,0
2=趣味,,(None),0 128 0,0
EOF2

titles=("(無題) - メモ帳" "C:\\windows\\system32\\cmd.exe" "WineMine" "Wine コントロール パネル" "レジストリ エディター")
for program in notepad "wineconsole cmd" winemine control regedit; do
    # shellcheck disable=SC2086  # the console's command is two words
    (exec wine $program >/dev/null 2>&1) &
    E2E_STARTED_PIDS+=("$!")
done
for title in "${titles[@]}"; do
    e2e_require "$title is open" probe wait "$title" 30000
done
probe maximize "${titles[0]}"
# Brought forward one by one, each over the last: the registry editor ends in front, with the focus.
for title in "${titles[@]}"; do
    probe activate "$title"
    sleep 0.3
done

# The programs' windows front to back (the bar and other windows left out), and the focused one.
order() {
    local listed
    listed=$(probe order)
    grep -xF -f <(printf '%s\n' "${titles[@]}") <<<"$listed" | paste -sd '|'
    grep '^focus: ' <<<"$listed"
}
settled() {  # expected
    local i
    for i in $(seq 30); do
        [ "$(order)" = "$1" ] && return 0
        sleep 0.2
    done
    return 1
}

before=$(order)
e2e_require "the registry editor is in front with the focus" test "$(tail -1 <<<"$before")" = "focus: ${titles[4]}"
e2e_require "the bar is shown" e2e_start_program
sleep 0.8
for trip in 1 2 3; do
    e2e_raise_bar
    e2e_require "trip $trip: the bar is measured" e2e_measure
    e2e_click_client $(e2e_button_centre "$size" 1 0)
    e2e_require "trip $trip: desk 2" e2e_wait_ini User LastUse 2 15
    e2e_raise_bar
    e2e_click_client $(e2e_button_centre "$size" 0 0)
    e2e_require "trip $trip: desk 0 again" e2e_wait_ini User LastUse 0 15
    settled "$before"
    e2e_expect_eq "trip $trip: the same order and focus" "$before" "$(order)"
done
e2e_pointer_away
# Killing the starter leaves a console's window behind for the next script: every program is closed instead.
for title in "${titles[@]}"; do
    probe close "$title" >/dev/null
done
e2e_finish
