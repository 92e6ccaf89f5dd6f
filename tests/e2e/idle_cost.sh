#!/usr/bin/env bash
# What the program costs while nothing happens: the bar auto-hidden, the pointer away, nothing changing, a
# program's desk set (so the watch of new windows is on). Prints the share of one core that the program's
# process and the Wine server used over SECONDS_IDLE (default 60), and the server's share over as long without
# the program. A measurement, not a test: it is not registered
# with ctest.
#
#     [SECONDS_IDLE=60] bash tests/e2e/idle_cost.sh KORUVAN.exe koruvan_probe.exe
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
seconds=${SECONDS_IDLE:-60}
e2e_setup

e2e_write_ini <<EOF2
[User]
LastUse=0
Topwindow=1
Position=0
AutoHide=1
SizeNum=0
[DeskTop]
0=ホーム,,(None),0 128 0,0
1=仕事,,(None),0 128 0,0
[DeskIds]
0=1
1=2
[ProgramDesks]
notepad.exe=2
EOF2
e2e_require "the bar is shown" e2e_start_program
e2e_pointer_away
sleep 7  # hidden after five seconds

# Clock ticks of user and system time a process has used.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# The process of this Wine prefix whose command line matches.
prefix_pid() {  # pgrep arguments...
    local pid
    for pid in $(pgrep -u "$(id -u)" "$@"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && { echo "$pid"; return; }
    done
    return 1
}
program=$(prefix_pid -x 'KORUVAN.exe') && server=$(prefix_pid -x 'wineserver(64)?') || {
    e2e_fail "the program's and the Wine server's processes are found"
    e2e_finish
}
p0=$(ticks "$program") s0=$(ticks "$server")
sleep "$seconds"
p1=$(ticks "$program") s1=$(ticks "$server")
hz=$(getconf CLK_TCK)
share() { awk -v t="$1" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.3f %%", 100 * t / hz / s }'; }
echo "idle for $seconds s, bar hidden: program $(share $((p1 - p0))) of a core, Wine server $(share $((s1 - s0)))"

probe close "$E2E_CAPTION"
e2e_require "the program ends" e2e_wait_program_end 10
# What the server spends on Wine's own processes (the desktop, the services), to set the figure above against.
s0=$(ticks "$server")
sleep "$seconds"
s1=$(ticks "$server")
echo "the same $seconds s without the program: Wine server $(share $((s1 - s0)))"
e2e_finish
