#!/usr/bin/env bash
# What a followed switch costs under Wine: ITEMS files on the Desktop and in desk 2's folder, the desks tied to
# two system desktops, RUNS round trips. Each switch is timed by the probe from its write of the system's
# current desktop to the settings file's LastUse naming the new desk. A measurement, not a test: it prints the
# figures and is not registered with ctest.
#
#     [ITEMS=100] [RUNS=5] bash tests/e2e/follow_cost.sh KORUVAN.exe koruvan_probe.exe
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
items=${ITEMS:-100}
runs=${RUNS:-5}
e2e_setup

e2e_use_system_desktops
vd=$E2E_REG_DESKTOPS
probe reg-binary "$vd" VirtualDesktopIDs "$(e2e_desktop_bytes 11 22)" "$vd" CurrentVirtualDesktop "$(e2e_desktop_bytes 11)"

red_bmp=$(e2e_bitmap red.bmp '#C03030')
blue_bmp=$(e2e_bitmap blue.bmp '#3050C0')
e2e_set_appearance "$red_bmp" 0 "(None)" "0 128 0"
e2e_write_ini <<EOF2
[User]
LastUse=0
Topwindow=1
Position=0
AutoHide=0
SizeNum=0
FollowSystemDesks=1
[DeskTop]
0=ホーム,$red_bmp,(None),0 128 0,0
2=趣味,$blue_bmp,(None),0 128 0,0
[SystemDesks]
0=$(e2e_desktop_id 11)
2=$(e2e_desktop_id 22)
EOF2
for i in $(seq "$items"); do
    head -c 1500 /dev/urandom >"$E2E_PROG/dsk0/item$i.lnk"
    head -c 1500 /dev/urandom >"$E2E_PROG/dsk2/項目$i.lnk"
done

e2e_require "the bar is shown" e2e_start_program
sleep 2
ini="$E2E_WIN_DIR\\prog\\KORUVAN.ini"
for run in $(seq "$runs"); do
    for step in "22 2" "11 0"; do
        read -r desktop desk <<<"$step"
        ms=$(probe reg-binary-timed "$ini" "$desk" "$vd" CurrentVirtualDesktop "$(e2e_desktop_bytes "$desktop")") ||
            { e2e_fail "run $run: desk $desk followed"; e2e_finish; }
        echo "registry to LastUse: ${ms%.*} ms"
        sleep 0.5
    done
done
e2e_expect_eq "every item is on the Desktop" "$items" "$(find "$E2E_DESKTOP" -name 'item*' | wc -l)"
e2e_finish
