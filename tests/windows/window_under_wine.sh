#!/usr/bin/env bash
# gestalia.exe under Wine on a display of its own (Xvfb): it opens an agenda
# and paints the month, whose pixels are checked where the month layout puts
# them (the header band, today's band, a day with a link), then a note goes
# through the editor with keys only, its weight and visit too, and the Linux
# tool reads it from the file.
#   window_under_wine.sh LINUX_TOOL WINDOWS_PROGRAM WINEPREFIX
# On failure the screenshot is kept and its path printed.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if [ -z "${GESTALIA_IN_XVFB:-}" ]; then
    GESTALIA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
linux_tool="$(realpath "$1")" program="$(realpath "$2")" prefix="$(realpath -m "$3")"
export LC_ALL=C.UTF-8 WINEPREFIX="$prefix" WINEDEBUG=-all
work="$(mktemp -d)"
pid=""
cleanup() {
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
    # The server must not outlive this display.
    if [ -f "$prefix/system.reg" ]; then
        WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    local kept="${TMPDIR:-/tmp}/gestalia-window-test-$$.png"
    import -window root "$kept" 2>/dev/null || true
    echo "FAIL: $*" >&2
    echo "the screen at that moment: $kept" >&2
    exit 1
}
# wait_for SECONDS WHAT COMMAND...: runs COMMAND every half second until it succeeds.
wait_for() {
    local seconds="$1" what="$2"
    shift 2
    local tries=$((seconds * 2))
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "$what (waited ${seconds} s)"
        sleep 0.5
    done
}

# Wine shows the prefix's windows on the display of the program that started
# its server: a server left by a test without a display is stopped first.
stop_server() {
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true
}
stop_server

# Wine draws the window frames itself: there is no window manager on Xvfb,
# and a window that Wine manages alone gets the keyboard without one.
"$here/cmake/windows/run-wine.sh" "$prefix" reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /t REG_SZ /d N /f >/dev/null 2>&1

# An agenda whose day 43 (a day with a link) is a weekday of this month that
# is not today: the first such day from the 15th on.
today="$(date +%F)"
month="$(date +%Y-%m)"
link_day=15
while [ "$(date -d "$month-$link_day" +%u)" -gt 5 ] || [ "$month-$link_day" = "$today" ]; do
    link_day=$((link_day + 1))
done
last_period="$(date -d "$month-$link_day - 43 days" +%F)"
# An OLE Automation date counts days from 30 December 1899.
oadate=$(($(TZ=UTC date -d "$last_period" +%s) / 86400 + 25569))
agenda="$work/agenda de prueba.gst"
perl -e 'print pack("d<l<l<", $ARGV[0], 0, 0)' "$oadate" >"$agenda"
"$linux_tool" check "$agenda" >/dev/null || fail "the test agenda is not one"

started=$SECONDS
"$here/cmake/windows/run-wine.sh" "$prefix" "$program" "$agenda" 2>"$work/wine.log" &
pid=$!
window=""
find_window() { window="$(xdotool search --name '^Gestalia de' 2>/dev/null | head -1)"; [ -n "$window" ]; }
wait_for 40 "no main window appeared" find_window

# The window's place on the screen, and its pixels as raw RGB.
shot="$work/shot"
pink_header() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -depth 8 "rgb:$shot.rgb"
    echo "$WIDTH $HEIGHT" >"$shot.size"
    # A painted month has a pink header band across most of the window.
    perl "$here/tests/windows/month_band.pl" "$shot.rgb" "$WIDTH" "$HEIGHT"
}
wait_for 20 "the month was not painted" pink_header
sleep 1  # the rest of the window settles
pink_header || fail "the month went away"

# Where today and the link day lie in the grid: cell i (1 to 42) counts from
# the Monday on or before the first of the month.
first_weekday="$(date -d "$month-01" +%u)"
cell_of() { echo $((first_weekday - 1 + 10#$1)); }
read -r width height <"$shot.size"
if ! result="$(perl - "$shot.rgb" "$width" "$height" "$(cell_of "$(date +%d)")" \
    "$(cell_of "$link_day")" <<'PERL'
use strict; use warnings;
my ($file, $w, $h, $today, $link) = @ARGV;
local $/; open my $f, '<', $file or die; my $d = <$f>;
sub px { my ($x, $y) = @_; return join ',', unpack 'C3', substr($d, ($y * $w + $x) * 3, 3); }
my $pink = '238,62,115';
sub pinks { my ($y) = @_; my $n = 0; $n += px($_, $y) eq $pink for 0 .. $w - 1; return $n; }
# The header band: the first run of rows mostly pink; the grid lines below it
# are single pink rows. The month layout: h = header height, rowh = the
# distance between grid lines, colw = the calendar's width / 6.
my ($top, $bottom);
for my $y (0 .. $h - 1) {
    my $is = pinks($y) > $w / 2;
    if ($is && !defined $top) { $top = $y; }
    if (!$is && defined $top) { $bottom = $y; last; }
}
die "no header band\n" unless defined $bottom && $bottom - $top >= 8;
my $mid = int(($top + $bottom) / 2);
my ($left, $right);
for my $x (0 .. $w - 1) {
    next unless px($x, $top + 1) eq $pink;
    $left //= $x; $right = $x;
}
my $white = () = grep { px($_, $mid) eq '255,255,255' } $left .. $right;
die "the header band has no day names\n" unless $white > 20;
my @lines = grep { pinks($_) > ($right - $left) * 0.8 } $bottom + 2 .. $h - 1;
@lines = grep { my $y = $_; !grep { $_ == $y - 1 } @lines } @lines;  # one per line
die "no grid lines below the header\n" unless @lines >= 2;
my $rowh = $lines[1] - $lines[0];
my $hdr = $bottom - $top + 1;          # the band's pink rows, its edges left out
my $grid = $lines[0] - $rowh;          # the top of the first row
my $colw = int(($right - $left + 2) / 6);
sub cell {
    my ($i) = @_;
    my $row = int(($i - 1) / 7); my $pos = ($i - 1) % 7 + 1; my $col = $pos <= 5 ? $pos : 6;
    my $x = $left + ($col - 1) * $colw + $col;
    my $y = $grid + $row * $rowh;
    $y += int($rowh / 2) + 1 if $pos == 7;
    return ($x, $y, $pos >= 6 ? int($rowh / 2) : $rowh);
}
my ($tx, $ty) = cell($today);
my $green = grep { px($tx + $_, $ty + 1 + int($hdr / 2)) eq '169,216,50' } 3, 6, 9;
die "today's band is not green at ($tx, $ty)\n" unless $green >= 2;
my ($lx, $ly, $lh) = cell($link);
my $pale = px($lx + int($colw / 2), $ly + $lh - 4);
die "the link day is $pale, not pale pink, at ($lx, $ly)\n" unless $pale eq '253,190,209';
print "header band at y $top..$bottom, x $left..$right; rows of $rowh px; today at ($tx, $ty); link day at ($lx, $ly)\n";
PERL
)"; then
    fail "the month's pixels"
fi
echo "ok: the calendar's pixels: $result"

# A note on today with keys only: the keyboard starts on the calendar, Enter
# for a new note on the chosen day, the text, Tab to the weight and on through
# the visit, Enter.
xdotool key Return
editor=""
find_editor() { editor="$(xdotool search --name 'anotaci' 2>/dev/null | head -1)"; [ -n "$editor" ]; }
wait_for 15 "Enter on the calendar opened no note editor" find_editor
sleep 0.5
xdotool type --delay 20 "Nota desde Wine"
xdotool key Tab ctrl+a
xdotool type --delay 20 "63,5"
# Tab goes on through the visit: the two pressures, the fundal height, the
# heart rate and the swelling box, which Space ticks.
for value in 120 80 "28,5" 140; do
    xdotool key Tab
    xdotool type --delay 20 "$value"
done
xdotool key Tab space
xdotool key Return
editor_gone() { ! xdotool search --name 'anotaci' >/dev/null 2>&1; }
wait_for 15 "the note editor did not close" editor_gone
saved() {
    "$linux_tool" dump "$agenda" >"$work/dump.json" 2>/dev/null &&
        grep -q '"text": "Nota desde Wine"' "$work/dump.json"
}
wait_for 15 "the note is not in the saved agenda" saved
grep -q '"weight": 63.5' "$work/dump.json" || fail "the note's weight is not 63.5"
grep -q "\"iso\": \"${today}T00:00:00\"" "$work/dump.json" || fail "the note is not on today"
for field in '"systolic": 120' '"diastolic": 80' '"fundalHeightCm": 28.5' \
    '"fetalHeartRate": 140' '"oedema": true' '"note": 0'; do
    grep -q "$field" "$work/dump.json" || fail "the note's visit lacks $field"
done
echo "ok: a note with its weight and visit through the editor with keys, read back by the Linux tool ($((SECONDS - started)) s)"
