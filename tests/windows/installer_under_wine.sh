#!/usr/bin/env bash
# The Windows installer under Wine, in a fresh prefix, on a display of its own.
# A silent install for all users puts the programs (with their version
# resources), the Start-menu shortcut, the agenda type and the uninstall entry
# where Windows keeps them; an agenda started by its type opens in the
# installed Gestalia with its month shown; the shortcut starts it too and it
# reopens that agenda (that screen is kept as a picture); a silent uninstall
# takes all of it away and leaves the agendas, in her documents and in the
# program's folder, byte for byte as they were. Then the same install and
# uninstall for her alone (/CurrentUser: her own folders and HKCU). Wine's
# HKCR does not show HKCU's classes, so the agenda is opened by its type in
# the first round only.
#   installer_under_wine.sh INSTALLER WINEPREFIX
# The installed programs are compared with those beside INSTALLER.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if [ -z "${GESTALIA_IN_XVFB:-}" ]; then
    GESTALIA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
installer="$(realpath "$1")" prefix="$(realpath -m "$2")"
built="$(dirname "$installer")"
version="$(basename "$installer" | sed -n 's/^gestalia-\(.*\)-setup\.exe$/\1/p')"
shot="$prefix-shortcut.png"
work="$(mktemp -d)"
# Wine links the prefix's Documents to the home folder and would write menu
# entries and file types there: the test has a home of its own, and no menu
# builder.
export HOME="$work/home" LC_ALL=C.UTF-8 WINEPREFIX="$prefix" WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
mkdir -p "$HOME"
cleanup() {
    if [ -f "$prefix/system.reg" ]; then wineserver -k 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
failed=0
started=$SECONDS
step() { echo "== $* (at $((SECONDS - started)) s)"; }
check() {  # check WHAT COMMAND...: says ok or FAIL
    local what="$1"
    shift
    if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failed=1; fi
}
# wait_for SECONDS COMMAND...: runs COMMAND every half second until it succeeds.
wait_for() {
    local tries=$(($1 * 2))
    shift
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.5
    done
}

rm -rf "$prefix" "$prefix.lock"
# Wine draws the frames itself: there is no window manager on Xvfb.
"$here/cmake/windows/run-wine.sh" "$prefix" reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# One server for every step from here on: each cold start costs seconds.
wineserver -w
wineserver -p
echo "a fresh prefix in $((SECONDS - started)) s"

user_dir="$prefix/drive_c/users/$(id -un)"
mkdir -p "$user_dir/Documents"
agenda="$user_dir/Documents/mi agenda.gst"
cp "$here/tests/data/sample.gst" "$agenda"

# registry: what reg tells of the keys the installer writes, one value a line:
# KEY\NAME=DATA (the default value's name is "(Default)"). Nothing once they
# are gone.
registry() {
    local key
    for key in "$classes\\.gst" "$classes\\Gestalia.Agenda" "$entry"; do
        wine reg query "$key" /s 2>/dev/null || true
    done | tr -d '\r' | awk -F '    ' '/^HKEY_/ { key = $0 } /^    / { print key "\\" $2 "=" $4 }'
}

# install_mode AllUsers|CurrentUser: where an install in that mode puts things.
install_mode() {
    mode="$1"
    local hive
    if [ "$mode" = AllUsers ]; then
        hive=HKEY_LOCAL_MACHINE
        program_dir="$prefix/drive_c/Program Files/Gestalia"
        win_dir='C:\Program Files\Gestalia'
        shortcut="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Gestalia.lnk"
    else
        hive=HKEY_CURRENT_USER
        program_dir="$user_dir/AppData/Local/Programs/Gestalia"
        win_dir="C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Gestalia"
        shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Gestalia.lnk"
    fi
    classes="$hive\\Software\\Classes"
    entry="$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Gestalia"
    registered=(
        "$classes\\.gst\\(Default)=Gestalia.Agenda"
        "$classes\\Gestalia.Agenda\\(Default)=Agenda de Gestalia"
        "$classes\\Gestalia.Agenda\\DefaultIcon\\(Default)=$win_dir\\gestalia.exe,0"
        "$classes\\Gestalia.Agenda\\shell\\open\\command\\(Default)=\"$win_dir\\gestalia.exe\" \"%1\""
        "$entry\\DisplayName=Gestalia"
        "$entry\\DisplayVersion=$version"
        "$entry\\Publisher=Gestalia"
        "$entry\\DisplayIcon=$win_dir\\gestalia.exe,0"
        "$entry\\QuietUninstallString=\"$win_dir\\uninstall.exe\" /$mode /S"
    )
}

# version_strings EXE: the version resource's product, version and
# description, each on a line, read from the file's UTF-16 strings.
version_strings() {
    perl -MEncode -e '
        local $/; my $d = <STDIN>;
        for my $key (qw(ProductName ProductVersion FileDescription)) {
            my $at = index($d, encode("UTF-16LE", "$key\0"));
            die "no $key\n" if $at < 0;
            my $p = $at + 2 * (length($key) + 1);
            $p += 2 while substr($d, $p, 2) eq "\0\0";  # the 32-bit alignment
            my $value = "";
            for (; substr($d, $p, 2) ne "\0\0"; $p += 2) { $value .= substr($d, $p, 2); }
            print encode("UTF-8", decode("UTF-16LE", $value)), "\n";
        }' <"$1"
}

# install ARG...: a silent install, and everything it should have put in place.
install() {
    step "install $*"
    wine "$installer" "$@" || { echo "FAIL: the installer said $?"; exit 1; }
    for file in gestalia.exe gestalia-tool.exe; do
        check "$file installed as built" cmp -s "$built/$file" "$program_dir/$file"
    done
    check "LEEME.txt installed" cmp -s "$here/packaging/windows/LEEME.txt" "$program_dir/LEEME.txt"
    check "the uninstaller installed" test -f "$program_dir/uninstall.exe"
    check "gestalia.exe's version resource" \
        test "$(version_strings "$program_dir/gestalia.exe")" = \
        "$(printf 'Gestalia\n%s\nGestalia, el diario del embarazo' "$version")"
    check "gestalia-tool.exe's version resource" \
        test "$(version_strings "$program_dir/gestalia-tool.exe")" = \
        "$(printf 'Gestalia\n%s\nHerramienta de línea de órdenes de Gestalia' "$version")"
    check "the Start-menu shortcut" test -f "$shortcut"
    registry >"$work/registry"
    for value in "${registered[@]}"; do
        check "$value" grep -qxF "$value" "$work/registry"
    done
}

# The main window, and whether it shows a month: a painted month has a pink
# header band across most of the window; without an agenda there is none.
window=""
find_window() { window="$(xdotool search --name '^Gestalia de' 2>/dev/null | head -1)"; [ -n "$window" ]; }
shows_month() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -depth 8 "rgb:$work/shot.rgb"
    perl "$here/tests/windows/month_band.pl" "$work/shot.rgb" "$WIDTH" "$HEIGHT"
}
# The command line of this prefix's gestalia.exe (other tests on the machine
# may run theirs): Wine shows it as the process's arguments.
command_line() {
    local pid
    for pid in $(pgrep -f 'gestalia\.exe'); do
        { tr '\0' '\n' <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$prefix" &&
            tr '\0' ' ' <"/proc/$pid/cmdline" | sed 's/ *$//'; } 2>/dev/null || true
    done
}
program_ended() { [ -z "$(command_line)" ]; }
close_program() {
    wine taskkill /f /im gestalia.exe >/dev/null 2>&1 || true
    check "it ends" wait_for 10 program_ended
}

install_mode AllUsers
install /S

step "an agenda opened by its type"
wine start /unix "$agenda"
check "a window of the installed Gestalia" wait_for 40 find_window
check "it shows the agenda's month" wait_for 20 shows_month
check "it was given the agenda: $(command_line)" test "$(command_line)" = \
    "$win_dir\\gestalia.exe C:\\users\\$(id -un)\\Documents\\mi agenda.gst"
close_program

step "the Start-menu shortcut"
wine start /unix "$shortcut"
check "a window of the installed Gestalia" wait_for 40 find_window
sleep 1  # the window settles before its picture
import -window root "$shot"
# Started with no argument, it reopens the agenda she had open last: the one
# opened by its type above.
check "it reopens the last agenda's month" wait_for 20 shows_month
echo "the program started from its shortcut: $shot"
close_program

# uninstall: a silent uninstall, with an agenda saved in the program's folder,
# and nothing of the install left but the agendas.
uninstall() {
    step "uninstall /$mode /S"
    cp "$here/tests/data/sample.gst" "$program_dir/guardada aquí.gst"
    wine "$win_dir\\uninstall.exe" "/$mode" /S
    # The uninstaller runs from a copy of itself; the entry goes last.
    check "the uninstall entry is gone" wait_for 60 sh -c "! wine reg query '$entry' >/dev/null 2>&1"
    check "the installed files are gone, the agenda saved there is not" \
        test "$(ls "$program_dir")" = "guardada aquí.gst"
    check "the agenda saved there is intact" cmp -s "$here/tests/data/sample.gst" \
        "$program_dir/guardada aquí.gst"
    check "the agenda in her documents is intact" cmp -s "$here/tests/data/sample.gst" "$agenda"
    check "the shortcut is gone" test ! -e "$shortcut"
    check "the agenda type and the entry are gone" test -z "$(registry)"
}
uninstall

install_mode CurrentUser
install /S /CurrentUser
uninstall
echo "installer test: $((SECONDS - started)) s"
exit "$failed"
