#!/usr/bin/env bash
# Installs into a temporary DESTDIR and checks what lands there: exactly the expected files, each
# accepted by its freedesktop.org tool, the .char type known to the MIME database by name and by
# content, and --help/--version answered without a display.
set -euo pipefail
build=$1 expected=$2 app_id=$3 version=$4

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
diff -u "$expected" <(cd "$root" && find . ! -type d | sed 's|^\./||' | sort)

share=$root/usr/share
desktop-file-validate "$share/applications/$app_id.desktop"
appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml"
xmllint --noout "$share/mime/packages/$app_id.xml"
for size in 16 32 48 64 128 256; do
    file "$share/icons/hicolor/${size}x${size}/apps/$app_id.png" | grep -q ", $size x $size,"
done

XDG_DATA_HOME=$share update-mime-database "$share/mime"
printf 'CHAR\0\0\0\x29' >"$root/named.char"
printf 'CHAR\0\0\0\x29' >"$root/FONTDATA"
printf 'TEXT\0\0\0\x29' >"$root/other"
# The generic desktop of xdg-mime, reading only the database installed above.
filetype() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION \
        -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
        XDG_DATA_HOME="$share" XDG_DATA_DIRS="$root/none" xdg-mime query filetype "$1"
}
[ "$(filetype "$root/named.char")" = application/x-scumm-char ]
[ "$(filetype "$root/FONTDATA")" = application/x-scumm-char ]
[ "$(filetype "$root/other")" != application/x-scumm-char ]

headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }
[ "$(headless "$root/usr/bin/fontlathe" --version)" = "fontlathe $version" ]
[ "$(headless "$root/usr/bin/fontlathe-cli" --version)" = "fontlathe-cli $version" ]
headless "$root/usr/bin/fontlathe" --help | grep -q '^Usage: fontlathe \[FILE\]$'
echo "install layout, desktop files, MIME type and --help/--version: ok"
