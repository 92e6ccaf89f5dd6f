#!/usr/bin/env bash
# Items that enter a desk as second names of its stored files (hard links on the prefix's drive): several round
# trips by clicks between desks 0 and 2, with small and 2 MB items, then every item read back byte for byte in
# its desk's folder and on the Desktop; an item edited in place while its desk is current comes back edited.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

size=40
e2e_set_appearance "" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF
0=ホーム,,(None),0 128 0,0
2=趣味,,(None),0 128 0,0
EOF
for desk in 0 2; do
    head -c 2097152 /dev/urandom >"$E2E_PROG/dsk$desk/動画$desk.bin"
    for i in 1 2 3; do head -c $((1000 + i)) /dev/urandom >"$E2E_PROG/dsk$desk/項目$desk-$i.lnk"; done
done
# The checksums of a desk's items as stored before any switch.
sums() { (cd "$1" && find . -maxdepth 1 -type f ! -name .koruvan-prefix -printf '%f\n' | LC_ALL=C sort | xargs -d '\n' md5sum); }
declare -A expected
for desk in 0 2; do expected[$desk]=$(sums "$E2E_PROG/dsk$desk"); done

# Clicks a desk's button (desk 0 in slot 0, desk 2 in slot 1) and waits for LastUse.
switch_to() {  # desk
    e2e_raise_bar
    e2e_measure || return 1
    # shellcheck disable=SC2046
    e2e_click_client $(e2e_button_centre "$size" $(($1 / 2)) 0)
    e2e_wait_ini User LastUse "$1" 20
}

e2e_require "the bar is shown" e2e_start_program
sleep 0.8
for trip in 1 2 3; do
    e2e_require "round trip $trip: to desk 2" switch_to 2
    e2e_require "round trip $trip: back to desk 0" switch_to 0
done
e2e_expect_eq "desk 0's items on the Desktop, byte for byte" "${expected[0]}" "$(sums "$E2E_DESKTOP")"
e2e_expect_eq "desk 0's folder, byte for byte" "${expected[0]}" "$(sums "$E2E_PROG/dsk0")"
e2e_expect_eq "desk 2's folder, byte for byte" "${expected[2]}" "$(sums "$E2E_PROG/dsk2")"
e2e_expect_eq "the large item is one file under two names" "$(stat -c %i "$E2E_PROG/dsk0/動画0.bin")" \
    "$(stat -c %i "$E2E_DESKTOP/動画0.bin")"

# Edited in place, as an editor that writes into the file does: the stored item is that file.
printf 'edited on desk 0\n' >>"$E2E_DESKTOP/項目0-1.lnk"
edited=$(md5sum <"$E2E_DESKTOP/項目0-1.lnk")
e2e_require "to desk 2 after the edit" switch_to 2
e2e_require "back to desk 0 after the edit" switch_to 0
e2e_expect_eq "the edited item comes back edited" "$edited" "$(md5sum <"$E2E_DESKTOP/項目0-1.lnk")"
e2e_expect_eq "desk 2's items are untouched" "${expected[2]}" "$(sums "$E2E_PROG/dsk2")"

e2e_pointer_away
e2e_finish
