#!/usr/bin/env bash
# KORUVAN.exe on the Desktop itself: the Desktop that the registry names is the folder the program runs from.
# Once the bar is shown, a message with its reason and its advice says why the Desktop's items stay where they
# are; OK closes it.
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_setup

title="コルヴァンの置き場所"
probe reg-set "$E2E_REG_SHELL" Desktop "$E2E_WIN_DIR\\prog" "$E2E_REG_USER_SHELL" Desktop "$E2E_WIN_DIR\\prog" ||
    { echo "FAIL: Desktop folder registered"; exit 1; }

bar_shown() { probe state "$E2E_CAPTION" | grep -q visible=1; }
gives_advice() { probe children "$title" | grep -qF '専用のﾌｫﾙﾀﾞ（例えば %LOCALAPPDATA%\Programs\KORUVAN）に置いて下さい。'; }

e2e_require "the program starts" e2e_start_program
e2e_require "the message opens" probe wait "$title" 10000
e2e_expect_true "the bar is shown behind it" bar_shown
e2e_expect_eq "its reason" \
    "コルヴァンがﾃﾞｽｸﾄｯﾌﾟに置かれています。このままではﾃﾞｽｸﾄｯﾌﾟを切り替えるたびに、コルヴァン自身と設定ﾌｧｲﾙまで移動してしまいます。" \
    "$(e2e_message_text "$title")"
e2e_expect_true "its advice" gives_advice
e2e_screenshot "$E2E_SHOTS/placement-message.png"
e2e_click_control "$title" 1
e2e_expect_true "OK closes the message" probe gone "$title" 5000
e2e_finish
