#!/usr/bin/env bash
# The Debian package as a desktop sees it. Builds it (scripts/package.sh),
# unpacks it into a scratch root and checks its files, the agenda file type and
# the validators; then installs it with apt, checks a sample agenda with
# gestalia-tool, starts gestalia with that agenda under Xvfb, and purges the
# package, checking that nothing of it is left. Needs root (or sudo) for apt.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
scratch="$(mktemp -d /tmp/gestalia-package-XXXXXX)"
installed=0
# A failed run does not leave the package installed.
cleanup() {
  if [ "$installed" = 1 ]; then
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq gestalia >/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

step() { echo "== $*"; }
fail() {
  echo "FALLO: $*" >&2
  exit 1
}

step "building the package"
deb="$(bash "$here/scripts/package.sh" | tail -n 1)"
version="$(dpkg-deb -f "$deb" Version)"
arch="$(dpkg-deb -f "$deb" Architecture)"
[ "$(basename "$deb")" = "gestalia_${version}_${arch}.deb" ] || fail "file name $(basename "$deb")"
grep -q "project(Gestalia VERSION $version " "$here/CMakeLists.txt" || fail "version $version"

# What the package must hold, and nothing more.
desktop=usr/share/applications/example.gestalia.Gestalia.desktop
metainfo=usr/share/metainfo/example.gestalia.Gestalia.metainfo.xml
mime=usr/share/mime/packages/gestalia.xml
expected=(usr/bin/gestalia usr/bin/gestalia-tool "$desktop" "$metainfo" "$mime"
          usr/share/man/man1/gestalia.1.gz usr/share/man/man1/gestalia-tool.1.gz
          usr/share/doc/gestalia/changelog.gz usr/share/doc/gestalia/copyright
          usr/share/icons/hicolor/scalable/apps/gestalia.svg)
for n in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${n}x${n}/apps/gestalia.png")
done
printf '%s\n' "${expected[@]}" | sort > "$scratch/expected"

step "unpacking into a scratch root"
root="$scratch/root"
dpkg -x "$deb" "$root"
(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort) > "$scratch/found"
diff -u "$scratch/expected" "$scratch/found" || fail "the package's files differ from the list"
for n in 16 24 32 48 64 128 256; do
  identify -format '%w %h' "$root/usr/share/icons/hicolor/${n}x${n}/apps/gestalia.png" |
    grep -qx "$n $n" || fail "icon ${n}x${n} has another size"
done
for bin in gestalia gestalia-tool; do
  file -b "$root/usr/bin/$bin" | grep -q 'ELF 64-bit.*, stripped' || fail "$bin is not a stripped binary"
done
"$root/usr/bin/gestalia-tool" --version | grep -qx "gestalia-tool $version" || fail "tool version"
# The metadata points at files that are there.
grep -qx 'Exec=gestalia %f' "$root/$desktop" || fail "desktop Exec"
grep -qx 'Icon=gestalia' "$root/$desktop" || fail "desktop Icon"
grep -qx 'MimeType=application/x-gestalia-agenda;' "$root/$desktop" || fail "desktop MimeType"
grep -q '<launchable type="desktop-id">example.gestalia.Gestalia.desktop</launchable>' \
  "$root/$metainfo" || fail "metainfo launchable"
grep -q "<release version=\"$version\"" "$root/$metainfo" || fail "metainfo release"
grep -q '<image type="source" width="[1-9][0-9]*" height="[1-9][0-9]*">' "$root/$metainfo" ||
  fail "metainfo screenshot"
# Computed dependencies: the C++ runtime and Qt, found by dpkg-shlibdeps.
depends="$(dpkg-deb -f "$deb" Depends)"
for d in libc6 libstdc++6 libqt6widgets6 qt6-qpa-plugins qt6-translations-l10n; do
  [[ "$depends" == *"$d"* ]] || fail "Depends lacks $d: $depends"
done

step "the agenda file type, in a scratch desktop"
xdg="$scratch/xdg"
mkdir -p "$xdg/data/mime/packages" "$xdg/data/applications" "$xdg/config" "$xdg/empty"
cp "$root/$mime" "$xdg/data/mime/packages/"
cp "$root/$desktop" "$xdg/data/applications/"
XDG_DATA_HOME="$xdg/data" update-mime-database "$xdg/data/mime"
update-desktop-database "$xdg/data/applications"
cp "$here/tests/data/sample.gst" "$scratch/mi agenda.gst"
query_mime() {
  env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
    XDG_DATA_HOME="$1" XDG_DATA_DIRS="$2" XDG_CONFIG_HOME="$xdg/config" xdg-mime query "${@:3}"
}
type="$(query_mime "$xdg/data" "$xdg/empty" filetype "$scratch/mi agenda.gst")"
app="$(query_mime "$xdg/data" "$xdg/empty" default application/x-gestalia-agenda)"
echo "mi agenda.gst: $type, opened by $app"
[ "$type" = application/x-gestalia-agenda ] || fail "file type $type"
[ "$app" = example.gestalia.Gestalia.desktop ] || fail "default application $app"

step "validators"
desktop-file-validate "$root/$desktop"
appstreamcli validate --no-net --explain "$root/$metainfo"
for page in gestalia gestalia-tool; do
  warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "man $page: $warnings"
done
lintian --fail-on error --tag-display-limit 0 "$deb"

step "installing with apt"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=120 \
  "$deb" >/dev/null
installed=1
dpkg-query -L gestalia > "$scratch/installed"
for f in "${expected[@]}"; do
  grep -qx "/$f" "$scratch/installed" || fail "dpkg does not list /$f"
  [ -e "/$f" ] || fail "/$f not installed"
done
[ "$(gestalia-tool check "$scratch/mi agenda.gst")" = OK ] || fail "gestalia-tool check"
man -w gestalia-tool >/dev/null || fail "man gestalia-tool"
type="$(query_mime "$scratch/none" /usr/share filetype "$scratch/mi agenda.gst")"
app="$(query_mime "$scratch/none" /usr/share default application/x-gestalia-agenda)"
[ "$type" = application/x-gestalia-agenda ] || fail "installed file type $type"
[ "$app" = example.gestalia.Gestalia.desktop ] || fail "installed default application $app"
LANGUAGE=es LC_ALL=C.UTF-8 appstreamcli get --details example.gestalia.Gestalia >"$scratch/appstream"
sed -n '1,4p' "$scratch/appstream"
grep -q '^Resumen: Agenda del embarazo' "$scratch/appstream" || fail "appstreamcli: no Spanish summary"
grep -q 'capturas/gestalia-agenda.png' "$scratch/appstream" || fail "appstreamcli lacks the screenshot"

step "starting gestalia with the agenda under Xvfb"
cat > "$scratch/start.sh" <<'START'
gestalia "$1" 2>"$2/gestalia.err" &
pid=$!
for _ in $(seq 50); do
  xdotool search --name '^Gestalia' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 1
result=0
window="$(xdotool search --name '^Gestalia' | head -n 1)"
if [ -z "$window" ]; then
  result=4
else
  echo "window $window: $(xdotool getwindowname "$window")"
  # An agenda that fails to load is reported in a message box titled with its path.
  if xdotool search --name 'agenda\.gst' >/dev/null 2>&1; then result=5; fi
fi
import -window root "$2/running.png"
kill -0 "$pid" || result=3
kill "$pid" 2>/dev/null || true
wait "$pid" || true
exit "$result"
START
env -u QT_QPA_PLATFORM xvfb-run -a -s '-screen 0 1024x768x24' bash "$scratch/start.sh" "$scratch/mi agenda.gst" "$scratch" ||
  fail "gestalia did not come up with the agenda: $(cat "$scratch/gestalia.err")"
[ "$(identify -format '%k' "$scratch/running.png")" -gt 10 ] || fail "the screen is blank"
[ -z "${GESTALIA_PACKAGE_SHOT:-}" ] || cp "$scratch/running.png" "$GESTALIA_PACKAGE_SHOT"

step "purging the package"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq -o DPkg::Lock::Timeout=120 \
  gestalia >/dev/null
installed=0
if dpkg-query -W gestalia >/dev/null 2>&1; then fail "dpkg still knows gestalia"; fi
while read -r f; do
  [ "$f" = "/." ] && continue
  # Shared folders (/usr/bin ...) stay; the package's own files and folders go.
  if [ -e "$f" ] && [ ! -d "$f" ]; then fail "$f left behind"; fi
done < "$scratch/installed"
[ ! -e /usr/share/doc/gestalia ] || fail "/usr/share/doc/gestalia left behind"
if grep -rqs gestalia /usr/share/mime/globs2 /usr/share/applications/mimeinfo.cache; then
  fail "the desktop still knows the agenda type"
fi
echo "package test passed: $(basename "$deb")"
