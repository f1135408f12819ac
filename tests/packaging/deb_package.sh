#!/usr/bin/env bash
# Builds the .deb, installs it, starts the installed program on its sample disc, removes it.
set -euo pipefail
build=$1
[ "$(id -u)" -eq 0 ] || { echo "not root: package install check skipped"; exit 77; }
for tool in cpack dpkg dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
if dpkg-query -W -f='${Status}' kelvardo 2>/dev/null | grep -q "install ok installed"; then
  echo "a kelvardo package is installed already: skipped"; exit 77
fi

work=$(mktemp -d)
trap 'dpkg -r kelvardo >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
deb=$(ls "$work"/kelvardo_*.deb)
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KB"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "no shared-library dependencies"; exit 1; }

dpkg -i "$deb"
echo "installed size: $(dpkg-query -W -f='${Installed-Size}' kelvardo) KB"
for f in /usr/bin/kelvardo /usr/share/kelvardo/passby.wav /usr/share/kelvardo/Murvos \
         /usr/share/applications/org.kelvardo.Folivra.desktop \
         /usr/share/applications/org.kelvardo.Folivra.Sample.desktop \
         /usr/share/metainfo/org.kelvardo.Folivra.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/org.kelvardo.Folivra.svg \
         /usr/share/icons/hicolor/256x256/apps/org.kelvardo.Folivra.png \
         /usr/share/man/man1/kelvardo.1; do
  [ -e "$f" ] || { echo "missing after install: $f"; exit 1; }
done
kelvardo --version | grep -q "1.0"
kelvardo --help | grep -q -- "--disc"

# Start it as the sample-disc menu entry does, with a home of its own, and see it stay up.
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
kelvardo --disc /usr/share/kelvardo > "$work/out.txt" 2>&1 &
pid=$!
sleep 7 # past the five-second splash
if ! kill -0 "$pid" 2>/dev/null; then
  echo "the installed program ended early:"; cat "$work/out.txt"; exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
[ ! -e /usr/share/kelvardo/ssKel-Vardos ] || { echo "wrote under the install prefix"; exit 1; }

dpkg -r kelvardo >/dev/null
[ ! -e /usr/bin/kelvardo ] || { echo "still installed after removal"; exit 1; }
echo "package installs, starts and uninstalls cleanly"
