#!/usr/bin/env bash
# Takes the software centre's screenshot, resources/screenshots/gestalia-agenda.png:
# the real window under Xvfb, with an agenda of a woman about 14 weeks pregnant
# and a few notes this month. Run it by hand (it needs python3 besides the
# test tools) with a built program, and commit the picture:
#   bash tools/make-screenshot.sh build-package/app/gestalia
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program="$(realpath "${1:?the gestalia program to run}")"
work="$(mktemp -d /tmp/gestalia-shot-XXXXXX)"
trap 'rm -rf "$work"' EXIT

# The agenda file: last period 100 days ago, notes on days of this month.
python3 - "$work/agenda.gst" <<'PY'
import datetime, struct, sys
today = datetime.date.today()
def oa(day, hour=0, minute=0):
    return (day - datetime.date(1899, 12, 30)).days + (hour * 60 + minute) / 1440.0
def date(value):
    return struct.pack('<di', value, 0)
first = today.replace(day=1)
notes = [
    (first + datetime.timedelta(days=2), 9, 30, 'Análisis de sangre', 1, 0.0),
    (first + datetime.timedelta(days=9), 18, 0, 'Peso: 61,8 kg', 0, 61.8),
    (first + datetime.timedelta(days=15), 10, 0, 'Ecografía de la semana 16', 1, 0.0),
    (first + datetime.timedelta(days=15), 0, 0, 'Comprar ácido fólico', 0, 0.0),
    (first + datetime.timedelta(days=23), 18, 0, 'Peso: 62,4 kg', 0, 62.4),
]
out = date(oa(today - datetime.timedelta(days=100))) + struct.pack('<i', len(notes))
for day, hour, minute, text, image, weight in notes:
    raw = text.encode('cp1252')
    start = oa(day, hour, minute)
    end = start + (1 / 48.0 if image == 1 else 0.0)
    out += struct.pack('<i', len(raw)) + raw + date(start) + date(end)
    out += struct.pack('<if', image, weight)
open(sys.argv[1], 'wb').write(out)
PY

cat > "$work/shoot.sh" <<'SHOOT'
"$1" "$2/agenda.gst" &
pid=$!
for _ in $(seq 50); do
  xdotool search --name '^Gestalia' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 2
import -window "$(xdotool search --name '^Gestalia' | head -n 1)" "$2/shot.png"
kill "$pid"
SHOOT
# A home of its own: the program remembers the agendas it opens.
env -u QT_QPA_PLATFORM HOME="$work" XDG_CONFIG_HOME="$work/.config" xvfb-run -a -s '-screen 0 1280x1024x24' bash "$work/shoot.sh" "$program" "$work"
mkdir -p "$here/resources/screenshots"
convert "$work/shot.png" -strip -define png:exclude-chunks=date,time \
        "PNG24:$here/resources/screenshots/gestalia-agenda.png"
echo "screenshot written: $(identify -format '%w x %h' "$here/resources/screenshots/gestalia-agenda.png")"
