#!/usr/bin/env bash
# What a real Windows 10 or 11 has and Wine lacks, made up for: a stand-in dwmapi.dll given to KORUVAN.exe alone
# reports one window cloaked (as a window of another of the system's virtual desktops is), and the Wine desktop
# is 4096 pixels wide, as two monitors side by side are. A switch away and back, with the other desks' windows
# minimised and then hidden, leaves the cloaked window, a tool window and a window of the shell's WorkerW class
# exactly as they were, and takes along a window at x = 3200 as it takes one at x = 200.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

override='Software\Wine\AppDefaults\KORUVAN.exe\DllOverrides'
desktops='Software\Wine\Explorer\Desktops'
probe reg-save "$E2E_DIR/standin.saved" "$override" dwmapi "$desktops" Default
# The wide desktop replaces the session's; at the end the session goes, and the next script starts its own.
wide_desktop_end() {
    probe reg-restore "$E2E_DIR/standin.saved"
    e2e_cleanup
    wineserver -k >/dev/null 2>&1
    wineserver -w 2>/dev/null
}
trap wide_desktop_end EXIT
wineserver -k >/dev/null 2>&1
wineserver -w 2>/dev/null
KORUVAN_DESKTOP_SIZE=4096x768 koruvan_wineserver_persist
cp "$(dirname "$E2E_EXE")/standins/dwmapi.dll" "$E2E_PROG/"
probe reg-set "$override" dwmapi native

e2e_set_appearance "" 0 "(None)" "0 128 0"
desks() {
    e2e_write_desks 0 <<EOF
0=ホーム,,(None),0 128 0,0
2=趣味,,(None),0 128 0,0
EOF
}
desks

untouched() {
    local title
    for title in "cloaked window" "tool window" "shell worker"; do
        [ "$(probe state "$title" | cut -d' ' -f1,3)" = "iconic=0 visible=1" ] || return 1
    done
}

out="$E2E_DIR/probe-kinds.out"
wine "$E2E_PROBE" kinds >"$out" 2>/dev/null &
E2E_STARTED_PIDS+=("$!")
e2e_require "the test windows are open" probe wait "near window" 20000
e2e_require "the bar is shown" e2e_start_program
e2e_require "the desktop is 4096 pixels wide" test "$(probe rect "far window" | cut -d' ' -f2)" = 3200

for hide in 0 1; do
    away=$([ "$hide" = 1 ] && echo "iconic=0 visible=0" || echo "iconic=1 visible=1")
    e2e_raise_bar
    e2e_keys ctrl+alt+2
    e2e_require "hide $hide: the switch to desk 2 is done" e2e_wait_ini User LastUse 2 10
    e2e_expect_eq "hide $hide: the window at x 200 leaves the screen" "$away" "$(e2e_shown_as "near window" "$away")"
    e2e_expect_eq "hide $hide: the window at x 3200 leaves it too" "$away" "$(e2e_shown_as "far window" "$away")"
    e2e_expect_true "hide $hide: cloaked, tool and shell windows stay as they were" untouched
    e2e_keys ctrl+alt+1
    e2e_require "hide $hide: the switch back is done" e2e_wait_ini User LastUse 0 10
    e2e_expect_eq "hide $hide: the window at x 3200 is back" "iconic=0 visible=1" \
        "$(e2e_shown_as "far window" "iconic=0 visible=1")"
    e2e_expect_true "hide $hide: the others are as they were" untouched
    if [ "$hide" = 0 ]; then
        probe close "$E2E_CAPTION" >/dev/null
        e2e_require "the first run ends" e2e_wait_program_end 10
        desks
        e2e_add_user_value HideOtherDeskWindows 1
        e2e_require "a second run hides the other desks' windows" e2e_start_program
    fi
done
e2e_finish
