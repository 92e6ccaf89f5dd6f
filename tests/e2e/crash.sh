#!/usr/bin/env bash
# KORUVAN.exe killed (SIGKILL) at several moments of a switch from desk 0 to desk 2 of ITEMS items each, then
# started again; from outside, the files must show one desk on the Desktop (the one LastUse names), each
# desk's folder its own items, every item with its content: none lost, none handed to the other desk.
#
#     [ITEMS=300] bash tests/e2e/crash.sh KORUVAN.exe koruvan_probe.exe
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
items=${ITEMS:-300}
e2e_setup

size=40
e2e_set_appearance "" 0 "(None)" "0 128 0"

# Desk 0 is current: its items are on the Desktop, edited since the desk was entered (its folder holds the
# older contents). Desk 2's items are in its folder. Each file holds its own name and whose it is.
prepare() {
    rm -f "$E2E_DESKTOP"/* "$E2E_PROG"/dsk*/* "$E2E_PROG/KORUVAN.jnl" "$E2E_PROG/KORUVAN.items"
    local i
    for i in $(seq "$items"); do
        echo "item$i of desk 0, edited" >"$E2E_DESKTOP/item$i.lnk"
        echo "item$i of desk 0" >"$E2E_PROG/dsk0/item$i.lnk"
        echo "項目$i of desk 2" >"$E2E_PROG/dsk2/項目$i.lnk"
    done
    e2e_write_desks 0 <<EOF
0=ホーム,,(None),0 128 0,0
2=趣味,,(None),0 128 0,0
EOF
}

# "name<TAB>content" of every file of a folder, sorted.
contents() {
    local file
    for file in "$1"/*; do
        [ -f "$file" ] && printf '%s\t%s\n' "${file##*/}" "$(<"$file")"
    done | LC_ALL=C sort
}
expected() {  # desk (0 or 2) [entered]
    local i
    for i in $(seq "$items"); do
        if [ "$1" = 0 ]; then
            printf 'item%s.lnk\titem%s of desk 0%s\n' "$i" "$i" "${2:-, edited}"
        else
            printf '項目%s.lnk\t項目%s of desk 2\n' "$i" "$i"
        fi
    done | LC_ALL=C sort
}
count() { find "$1" -maxdepth 1 -name "$2" | wc -l; }

# Kill triggers: each waits until the switch has reached its moment (or 20 s have passed).
reached() {  # moment
    case $1 in
        clearing) [ "$(count "$E2E_PROG/dsk0" 'item*')" -lt $((items * 2 / 3)) ] ;;
        storing) [ "$(count "$E2E_DESKTOP" 'item*')" -lt $((items / 2)) ] ;;
        placing) [ "$(count "$E2E_DESKTOP" '項目*')" -ge $((items / 2)) ] ;;
        placed) [ "$(count "$E2E_DESKTOP" '項目*')" -ge "$items" ] ;;
        lastuse) [ "$(e2e_ini_get User LastUse)" = 2 ] ;;
        click) true ;;
    esac
}

lost_total=0
for moment in click clearing storing placing placed lastuse; do
    prepare
    e2e_require "[$moment] the bar is shown" e2e_start_program
    sleep 0.8
    e2e_measure
    # shellcheck disable=SC2046
    e2e_point_client $(e2e_button_centre "$size" 1 0)
    xdotool click 1
    deadline=$((SECONDS + 20))
    until reached "$moment" || [ $SECONDS -gt $deadline ]; do :; done
    kill -KILL "$E2E_PROGRAM_PID"
    wait "$E2E_PROGRAM_PID" 2>/dev/null
    phase=$(iconv -f UTF-16 -t UTF-8 "$E2E_PROG/KORUVAN.jnl" 2>/dev/null | tr -d '\r' | sed -n 's/^Phase=//p')
    e2e_log "killed at '$moment': journal phase ${phase:-none}, Desktop $(count "$E2E_DESKTOP" 'item*') + $(count "$E2E_DESKTOP" '項目*') items, dsk0 $(count "$E2E_PROG/dsk0" 'item*'), LastUse $(e2e_ini_get User LastUse)"
    e2e_require "[$moment] the killed program is gone" probe gone "$E2E_CAPTION" 5000

    e2e_require "[$moment] the bar is shown again" e2e_start_program
    probe close "$E2E_CAPTION"
    e2e_require "[$moment] the program ends" e2e_wait_program_end 10

    last=$(e2e_ini_get User LastUse)
    e2e_expect_true "[$moment] no journal is left" test ! -e "$E2E_PROG/KORUVAN.jnl"
    e2e_expect_true "[$moment] no partial copy is left" test ! -e "$E2E_DESKTOP/~KORUVAN copy.tmp"
    desktop=$(contents "$E2E_DESKTOP")
    if [ "$last" = 2 ]; then
        e2e_expect_true "[$moment] LastUse 2: the Desktop holds desk 2's items" test "$desktop" = "$(expected 2)"
        e2e_expect_true "[$moment] dsk0 holds desk 0's items as edited" test "$(contents "$E2E_PROG/dsk0")" = "$(expected 0)"
    else
        e2e_expect_eq "[$moment] LastUse" 0 "$last"
        e2e_expect_true "[$moment] LastUse 0: the Desktop holds desk 0's items as edited" test "$desktop" = "$(expected 0)"
        e2e_expect_true "[$moment] dsk0 keeps desk 0's items as entered" test "$(contents "$E2E_PROG/dsk0")" = "$(expected 0 '')"
    fi
    e2e_expect_true "[$moment] dsk2 holds desk 2's items" test "$(contents "$E2E_PROG/dsk2")" = "$(expected 2)"
    # Every item, anywhere, with its latest content.
    lost=$(comm -23 <(expected 0; expected 2) <({ contents "$E2E_DESKTOP"; contents "$E2E_PROG/dsk0"; contents "$E2E_PROG/dsk2"; } | LC_ALL=C sort -u) | wc -l)
    lost_total=$((lost_total + lost))
    e2e_expect_eq "[$moment] items lost" 0 "$lost"
done
e2e_log "$items items a desk, killed at 6 moments: $lost_total items lost"
e2e_finish
