#!/usr/bin/env bash
# The store knows desks and items by who they are, through the real program and Wine's file identities: an
# item renamed on the Desktop while KORUVAN is not running keeps its new name (no second name of the old one
# comes back); a read-only KORUVAN.ini lets a switch happen, says why, and the next start resumes at the desk
# the Desktop holds without moving an item; deleting KORUVAN.ini for a fresh start leaves every desk that holds
# items a desk, under its identity, with the Desktop as it was.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

size=40
e2e_set_appearance "" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF
0=ホーム,,(None),0 128 0,0
2=趣味,,(None),0 128 0,0
EOF
echo "desk 0's memo" >"$E2E_PROG/dsk0/memo.txt"
echo "desk 2's plan" >"$E2E_PROG/dsk2/plan.txt"

# Clicks a desk's button (desk 0 in slot 0, desk 2 in slot 1) and waits for LastUse.
switch_to() {  # desk
    e2e_raise_bar
    e2e_measure || return 1
    # shellcheck disable=SC2046
    e2e_click_client $(e2e_button_centre "$size" $(($1 / 2)) 0)
    e2e_wait_ini User LastUse "$1" 20
}
# Answers the store's message box; its text goes to stdout.
answer_message() {  # [screenshot]
    probe wait "ﾃﾞｽｸﾄｯﾌﾟの項目" 15000 || return 1
    if [ -n "${1:-}" ]; then e2e_screenshot "$1" >/dev/null; fi
    e2e_message_text "ﾃﾞｽｸﾄｯﾌﾟの項目"
    probe close "ﾃﾞｽｸﾄｯﾌﾟの項目" >/dev/null
    probe gone "ﾃﾞｽｸﾄｯﾌﾟの項目" 5000
}
# A file the program cannot write: root writes through any mode, so it is made immutable then.
unwritable() {  # on|off file
    if [ "$(id -u)" = 0 ]; then
        chattr "$([ "$1" = on ] && echo +i || echo -i)" "$2" 2>/dev/null
    else
        chmod "$([ "$1" = on ] && echo a-w || echo u+w)" "$2"
    fi
}
end_program() {
    probe close "$E2E_CAPTION" >/dev/null
    e2e_wait_program_end 10
}

e2e_require "the bar is shown" e2e_start_program
sleep 0.8
e2e_require "to desk 2" switch_to 2
e2e_require "back to desk 0" switch_to 0
e2e_require "the program ends" end_program
e2e_expect_eq "desk 0's memo is on the Desktop" "memo.txt" "$(e2e_names "$E2E_DESKTOP")"

# --- renamed while the program is not running ---
mv "$E2E_DESKTOP/memo.txt" "$E2E_DESKTOP/notes.txt"
e2e_require "the bar is shown again" e2e_start_program
sleep 1
e2e_expect_eq "the renamed item alone is on the Desktop" "notes.txt" "$(e2e_names "$E2E_DESKTOP")"
e2e_expect_eq "desk 0 stores it under its new name" "notes.txt" "$(e2e_names "$E2E_PROG/dsk0")"
e2e_require "to desk 2 after the rename" switch_to 2
e2e_require "back to desk 0 after the rename" switch_to 0
e2e_expect_eq "it comes back under its new name" "notes.txt" "$(e2e_names "$E2E_DESKTOP")"
e2e_expect_eq "with its content" "desk 0's memo" "$(cat "$E2E_DESKTOP/notes.txt")"

# --- a settings file that cannot be written: the switch happens, and the next start stays there ---
unwritable on "$E2E_PROG/KORUVAN.ini"
trap 'unwritable off "$E2E_PROG/KORUVAN.ini"; e2e_cleanup' EXIT
e2e_require "KORUVAN.ini cannot be written" bash -c '! { : >>"$1"; } 2>/dev/null' - "$E2E_PROG/KORUVAN.ini"
e2e_raise_bar
# shellcheck disable=SC2046
e2e_click_client $(e2e_button_centre "$size" 1 0)
message=$(answer_message "$E2E_SHOTS/identity-lastuse-unwritten.png")
e2e_expect_true "the user is told LastUse could not be written, and why" \
    grep -q "KORUVAN.ini に今のﾃﾞｽｸﾄｯﾌﾟを書き込めませんでした（アクセスが拒否されました）" <<<"$message"
e2e_expect_eq "the switch happened" "plan.txt" "$(e2e_names "$E2E_DESKTOP")"
e2e_require "the program ends with the file still read-only" end_program
unwritable off "$E2E_PROG/KORUVAN.ini"
e2e_expect_eq "the file kept LastUse=0" 0 "$(e2e_ini_get User LastUse)"
e2e_require "the bar is shown at the next start" e2e_start_program
e2e_require "the start writes LastUse again" e2e_wait_ini User LastUse 2 15
e2e_expect_eq "it resumes at desk 2 with no item moved" "plan.txt" "$(e2e_names "$E2E_DESKTOP")"
e2e_expect_eq "desk 0's item stays in its folder" "notes.txt" "$(e2e_names "$E2E_PROG/dsk0")"

# --- a fresh start while desk 2 is on screen ---
e2e_require "the program ends before the fresh start" end_program
ids=$(e2e_ini_get DeskIds 0),$(e2e_ini_get DeskIds 2)
rm "$E2E_PROG/KORUVAN.ini"
e2e_require "the bar is shown after the fresh start" e2e_start_program
sleep 1
# A fresh start's bar hides at the top edge: the pointer there brings it out for the picture.
xdotool mousemove 20 0
sleep 1
e2e_screenshot "$E2E_SHOTS/identity-fresh-start.png" >/dev/null
e2e_pointer_away
e2e_expect_eq "it resumes at desk 2, whose items the Desktop holds" 2 "$(e2e_ini_get User LastUse)"
e2e_expect_eq "desk 2 is a desk again, named after its folder" "dsk2," "$(e2e_ini_get DeskTop 2 | cut -c1-5)"
e2e_expect_eq "both desks keep their identities" "$ids" "$(e2e_ini_get DeskIds 0),$(e2e_ini_get DeskIds 2)"
e2e_expect_eq "the Desktop is as it was" "plan.txt" "$(e2e_names "$E2E_DESKTOP")"
e2e_expect_eq "desk 0's folder keeps its own item only" "notes.txt" "$(e2e_names "$E2E_PROG/dsk0")"
e2e_expect_eq "desk 2 keeps its own" "plan.txt" "$(e2e_names "$E2E_PROG/dsk2")"

e2e_finish
