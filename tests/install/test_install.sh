#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks what the desktop needs
# is there and valid, and starts the installed program from there: it must
# find its sounds beside it and leave the user's folders alone, since the
# desktop already knows it from the install.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix with blanks"

cmake --install "$build" --prefix "$prefix" > /dev/null

id=com.quellix.Tablora
for f in bin/tablora share/tablora/Start.wav share/tablora/Win.wav "share/applications/$id.desktop" \
    "share/icons/hicolor/scalable/apps/$id.svg" "share/icons/hicolor/16x16/apps/$id.png" \
    "share/icons/hicolor/256x256/apps/$id.png" share/mime/packages/tablora.xml "share/metainfo/$id.metainfo.xml"; do
    [ -s "$prefix/$f" ] || { echo "missing from the install: $f"; exit 1; }
done
grep -q 'pattern="\*.tb0"' "$prefix/share/mime/packages/tablora.xml"
grep -q 'pattern="\*.tb1"' "$prefix/share/mime/packages/tablora.xml"

if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$prefix/share/applications/$id.desktop"
fi
if command -v appstreamcli > /dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" > /dev/null
fi

# Moved after installing, it still runs and finds its data.
mv "$prefix" "$work/moved"
prefix="$work/moved"
data=$("$prefix/bin/tablora" --version | sed -n 's/^data: //p')
[ "$data" = "$prefix/share/tablora" ] || { echo "the moved program looks for its data in \"$data\""; exit 1; }
home="$work/home"
mkdir -p "$home"
HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_DATA_DIRS="$prefix/share:/usr/share" QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/tablora" --no-splash --quit-when-ready 2> "$work/stderr" || { cat "$work/stderr"; exit 1; }
if [ -e "$home/.local/share/applications/tablora.desktop" ]; then
    echo "the installed program wrote its own desktop entry into the user's folder"
    exit 1
fi
echo "installed, valid and started from $prefix"
