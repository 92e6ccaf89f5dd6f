#!/usr/bin/env bash
# The store's promises against hostile conditions, from outside: a Desktop file another program holds open
# stays desk 0's while held and goes home once released, desk 2's item of its name comes in beside it and is
# stored back under its own name, and the two desks never share a file; the user's file named like the
# program's old temporary file is kept; a stale journal is set aside and reported, never acted on; a journal
# that cannot be written stops the switch with a word.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

size=40
title="ﾃﾞｽｸﾄｯﾌﾟの項目"
e2e_set_appearance "" 0 "(None)" "0 128 0"
e2e_write_desks 0 <<EOF
0=ホーム,,(None),0 128 0,0
2=趣味,,(None),0 128 0,0
EOF
echo "desk 0's report" >"$E2E_DESKTOP/report.doc"
echo "free" >"$E2E_DESKTOP/free.lnk"
echo "the user's own" >"$E2E_DESKTOP/~KORUVAN copy.tmp"
echo "desk 2's report" >"$E2E_PROG/dsk2/Report.DOC"
echo "other" >"$E2E_PROG/dsk2/other.lnk"

click_desk() {  # slot pressed
    e2e_raise_bar
    # shellcheck disable=SC2046
    e2e_click_client $(e2e_button_centre "$size" "$1" "$2")
}
# Answers the store's message box; its text goes to stdout.
answer_message() {  # [screenshot]
    probe wait "$title" 10000 || return 1
    if [ -n "${1:-}" ]; then e2e_screenshot "$1" >/dev/null; fi
    e2e_message_text "$title"
    probe close "$title" >/dev/null
    probe gone "$title" 5000
}

e2e_require "the bar is shown" e2e_start_program
sleep 0.8
e2e_require "the bar's rectangles are readable" e2e_measure

# --- a file held open: it stays, still desk 0's ---
hold_log="$E2E_DIR/hold.log"
wine "$E2E_PROBE" hold "$E2E_WIN_DESKTOP\\report.doc" 6000 >"$hold_log" 2>/dev/null &
E2E_STARTED_PIDS+=("$!")
for _ in $(seq 50); do grep -q held "$hold_log" 2>/dev/null && break; sleep 0.1; done
e2e_require "another program holds report.doc" grep -q held "$hold_log"
click_desk 1 0
e2e_require "LastUse=2 is written" e2e_wait_ini User LastUse 2 15
message=$(answer_message "$E2E_SHOTS/store-left-behind.png")
e2e_expect_true "the user is told an item stayed on the Desktop" grep -q "デスクトップに残っています" <<<"$message"
e2e_expect_eq "desk 2's item comes in beside the held file" \
    "Report (2).DOC other.lnk report.doc" "$(e2e_names "$E2E_DESKTOP" | tr ' ' '\n' | grep -v '^~' | paste -sd ' ')"
e2e_expect_eq "the held file keeps its content" "desk 0's report" "$(cat "$E2E_DESKTOP/report.doc")"
e2e_expect_eq "desk 2 does not take it" "Report.DOC other.lnk" "$(e2e_names "$E2E_PROG/dsk2")"

# --- released, and back: each desk's file under its own name, never shared ---
wait "${E2E_STARTED_PIDS[-1]}" 2>/dev/null
click_desk 0 0
e2e_require "LastUse=0 is written" e2e_wait_ini User LastUse 0 15
sleep 0.5
e2e_expect_eq "desk 0's items are back" "free.lnk report.doc ~KORUVAN copy.tmp" "$(e2e_names "$E2E_DESKTOP")"
e2e_expect_eq "desk 0's report is its own" "desk 0's report" "$(cat "$E2E_DESKTOP/report.doc")"
e2e_expect_eq "desk 2 stores its item under its own name" "Report.DOC other.lnk" "$(e2e_names "$E2E_PROG/dsk2")"
e2e_expect_eq "desk 2's report is its own" "desk 2's report" "$(cat "$E2E_PROG/dsk2/Report.DOC")"
e2e_expect_true "the two desks do not share one file" \
    test "$(stat -c %i "$E2E_PROG/dsk2/Report.DOC")" != "$(stat -c %i "$E2E_DESKTOP/report.doc")"
e2e_expect_eq "the user's file named like an old temporary one is kept" "the user's own" \
    "$(cat "$E2E_DESKTOP/~KORUVAN copy.tmp")"

# --- a journal that cannot be written: no switch, and a word ---
mkdir "$E2E_PROG/KORUVAN.jnl"
click_desk 1 0
message=$(answer_message)
e2e_expect_true "the user is told the journal cannot be written" grep -q "KORUVAN.jnl" <<<"$message"
e2e_expect_eq "LastUse stays 0" 0 "$(e2e_ini_get User LastUse)"
e2e_expect_eq "the Desktop keeps desk 0's items" "free.lnk report.doc ~KORUVAN copy.tmp" "$(e2e_names "$E2E_DESKTOP")"
rmdir "$E2E_PROG/KORUVAN.jnl"

# --- a stale journal: set aside at the next start, never acted on ---
probe close "$E2E_CAPTION" >/dev/null
e2e_require "the program ends" e2e_wait_program_end 10
printf '[Switch]\r\nFrom=1\r\nTo=2\r\nPhase=2\r\n' | iconv -f UTF-8 -t UTF-16 >"$E2E_PROG/KORUVAN.jnl"
e2e_require "the bar is shown again" e2e_start_program
message=$(answer_message)
e2e_expect_true "the user is told the journal was set aside" grep -q "KORUVAN-unused.jnl" <<<"$message"
e2e_expect_true "the journal is kept under its new name" test -f "$E2E_PROG/KORUVAN-unused.jnl"
e2e_expect_true "and is gone from its own" test ! -e "$E2E_PROG/KORUVAN.jnl"
e2e_expect_eq "nothing moved" "free.lnk report.doc ~KORUVAN copy.tmp" "$(e2e_names "$E2E_DESKTOP")"
e2e_expect_eq "desk 2's folder is whole" "Report.DOC other.lnk" "$(e2e_names "$E2E_PROG/dsk2")"

e2e_finish
