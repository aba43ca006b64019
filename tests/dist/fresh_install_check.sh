#!/usr/bin/env bash
# The package on a fresh Debian 12, as root from the project folder (e.g. in the chroot of
# ../shared/tools/fresh-debian): builds it, takes away everything the build needed, installs the
# .deb with apt (so only its own Depends are there), runs both programs and the manual, removes
# it and checks that none of its files is left.
set -euxo pipefail
apt-mark showmanual | sort >/tmp/manual-before
./project.sh package
deb=$(ls "$PWD"/build/package/quillmere_*.deb)
files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' | grep -v '/$')

# Only what the package asks for, and the manual reader: what the build installed goes again.
apt-mark showmanual | sort | comm -13 /tmp/manual-before - | xargs -r apt-mark auto >/dev/null
apt-get install -y "$deb" man-db
apt-get autoremove --purge -y
dpkg -s g++ qt6-base-dev 2>/dev/null | grep -q '^Package' && { echo "build packages are still there"; exit 1; }

cd /tmp
quillmere-cli --format json > solutions.json
grep -q '"solutionRecords":\[\[' solutions.json
env -u DISPLAY -u WAYLAND_DISPLAY quillmere --winding-sheet /tmp/x.pdf
[ "$(head -c 5 /tmp/x.pdf)" = "%PDF-" ]
env -u DISPLAY -u WAYLAND_DISPLAY quillmere --lang en --winding-sheet /tmp/y.pdf
status=0; env -u DISPLAY -u WAYLAND_DISPLAY quillmere --lang en 2>err.txt || status=$?
[ "$status" = 1 ] && grep -q 'Cannot open a window' err.txt
MANPAGER=cat man quillmere-cli | grep -q 'EXIT STATUS'
if [ -f /usr/share/mime/globs2 ]; then grep -q 'x-quillmere-design' /usr/share/mime/globs2; fi

apt-get remove -y quillmere
for f in $files; do
    if [ -e "$f" ]; then echo "left behind: $f"; exit 1; fi
done
if dpkg -l quillmere 2>/dev/null | grep -q '^rc'; then echo "configuration left behind"; exit 1; fi
if grep -qs 'x-quillmere-design' /usr/share/mime/globs2; then echo "file type left behind"; exit 1; fi
echo "FRESH INSTALL CHECK PASSED"
