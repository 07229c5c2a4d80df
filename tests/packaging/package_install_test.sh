#!/usr/bin/env bash
# Makes the .deb from the build, unpacks it into a scratch root and runs its programs from there.
# Exit 77 (skipped) without dpkg-deb.
set -euo pipefail
build_dir=$1
command -v dpkg-deb >/dev/null || { echo "dpkg-deb missing"; exit 77; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build_dir" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/*.deb)
dpkg-deb -f "$deb" Depends | tee "$scratch/depends"
grep -q "fonts-wine" "$scratch/depends"
grep -q "fonts-liberation2" "$scratch/depends"
grep -q "libqt6widgets6" "$scratch/depends"

root=$scratch/root
dpkg -x "$deb" "$root"
for file in usr/bin/skarnel usr/bin/skarnel-cli usr/bin/skarnel-sim \
            usr/share/applications/skarnel.desktop usr/share/icons/hicolor/scalable/apps/skarnel.svg \
            usr/lib/udev/rules.d/60-skarnel-cable.rules usr/share/bash-completion/completions/skarnel-cli \
            usr/share/man/man1/skarnel.1.gz usr/share/man/man1/skarnel-cli.1.gz usr/share/man/man1/skarnel-sim.1.gz; do
  [ -e "$root/$file" ] || { echo "missing in the package: /$file"; exit 1; }
done
# The web view module, when the build has one, is packaged with the web engine it needs.
if [ -n "$(find "$build_dir" -name libskarnel_web_view.so -print -quit)" ]; then
  [ -n "$(find "$root/usr/lib" -name libskarnel_web_view.so -print -quit)" ] || { echo "missing in the package: the web view module"; exit 1; }
  grep -q "libqt6webenginewidgets6" "$scratch/depends"
fi
grep -q 'ATTRS{idVendor}=="10c4".*GROUP="dialout".*ENV{ID_MM_DEVICE_IGNORE}="1"' "$root/usr/lib/udev/rules.d/60-skarnel-cable.rules"
zcat "$root/usr/share/man/man1/skarnel-cli.1.gz" | grep -q "doctor"
bash -n "$root/usr/share/bash-completion/completions/skarnel-cli"

"$root/usr/bin/skarnel-cli" --help | grep -q "doctor"
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen HOME="$scratch" \
  "$root/usr/bin/skarnel" --settings "$scratch/settings.ini" --screenshot "$scratch/main.png"
[ "$(head -c 4 "$scratch/main.png" | tail -c 3)" = "PNG" ]
echo "installed and ran from $root"
