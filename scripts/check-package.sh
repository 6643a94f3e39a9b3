#!/usr/bin/env bash
# Checks the Debian package without installing it on this machine: the menu
# entry and the AppStream metainfo validate, lintian finds no error, the
# package holds the programs, the bundled working folder, the menu entry, the
# icons and the metainfo, and the programs extracted under a temporary root
# create the user's working folder on the first start and work in it.
#   scripts/check-package.sh build-deb/vargis-loto_1.1_amd64.deb
set -euo pipefail
deb="$(realpath "$1")"
id="org.example.VargisLoto"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

echo "-- files"
dpkg-deb -c "$deb" | tee "$scratch/contents"
for f in usr/bin/vargis usr/bin/vargis-cli \
         usr/share/vargis-loto/bd/5_36/bd_statist/bd_statist.txt \
         usr/share/vargis-loto/bd/5_36/bd_filters/bd_filters.txt \
         usr/share/vargis-loto/bd/5_36/bd_graphics/bd_graphics.txt \
         usr/share/vargis-loto/bd/5_36/bd_digits/bd_digits.txt \
         usr/share/vargis-loto/bd/5_36/bd_images/ \
         usr/share/vargis-loto/bd/tik-tak.wav \
         usr/share/vargis-loto/help/vargis_help.htm usr/share/vargis-loto/help/filters.htm \
         "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
         "usr/share/icons/hicolor/scalable/apps/$id.svg" \
         "usr/share/icons/hicolor/48x48/apps/$id.png" \
         "usr/share/icons/hicolor/256x256/apps/$id.png" \
         usr/share/doc/vargis-loto/copyright usr/share/doc/vargis-loto/changelog.gz; do
    grep -q " \./$f\$" "$scratch/contents" || fail "the package lacks /$f"
done
# The bundled folder is read-only for users: owned by root, not writable by others.
if grep " \./usr/share/vargis-loto/" "$scratch/contents" |
        grep -v '^[-d]rw[-x]r-[-x]r-[-x] root/root '; then
    fail "files of /usr/share/vargis-loto above are not root's read-only files"
fi
echo "-- control"
dpkg-deb -f "$deb" Package Version Architecture Depends
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends lacks the Qt libraries"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"

echo "-- desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/$id.desktop"
echo "-- appstreamcli validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"
echo "-- lintian"
lintian --fail-on error "$deb"

echo "-- install test under $root"
# A fresh home with nothing of the program in it; no developer override.
home="$scratch/home"
mkdir -p "$home"
run() { env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 "$@"; }
work="$home/.local/share/vargis-loto"
[[ "$(run "$root/usr/bin/vargis-cli" user-folder)" == "$work" ]] || fail "user-folder printed another path"
for f in bd/5_36/bd_statist/bd_statist.txt bd/tik-tak.wav help/vargis_help.htm; do
    cmp -s "$root/usr/share/vargis-loto/$f" "$work/$f" || fail "$work/$f is not the installed copy"
done
status="$(cd "$work" && run "$root/usr/bin/vargis-cli" status)"
echo "$status"
grep -qx "draws: 50" <<<"$status" || fail "vargis-cli status in the working folder"
# The second start keeps what the user changed.
echo "mine" >"$work/notes.txt"
run "$root/usr/bin/vargis-cli" user-folder >/dev/null
[[ "$(cat "$work/notes.txt")" == "mine" ]] || fail "the existing working folder was touched"
# A damaged folder is reported with its path and left alone.
mv "$work/bd/5_36/bd_filters/bd_filters.txt" "$scratch/kept.txt"
if run "$root/usr/bin/vargis-cli" user-folder 2>"$scratch/err"; then
    fail "a damaged working folder passed"
fi
grep -qF "$work" "$scratch/err" || fail "the report of the damaged folder lacks its path"
[[ ! -e "$work/bd/5_36/bd_filters/bd_filters.txt" ]] || fail "the damaged folder was refilled"

echo "-- the desktop program's first start (offscreen)"
home2="$scratch/home2"
mkdir -p "$home2"
env -i PATH=/usr/bin:/bin HOME="$home2" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    "$root/usr/bin/vargis" >/dev/null 2>&1 &
pid=$!
made=""
for _ in $(seq 1 200); do
    [[ -f "$home2/.local/share/vargis-loto/bd/5_36/bd_digits/bd_digits.txt" ]] && { made=yes; break; }
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
alive=no
kill -0 "$pid" 2>/dev/null && alive=yes
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
[[ -n "$made" ]] || fail "vargis did not create its working folder"
[[ "$alive" == yes ]] || fail "vargis ended on its first start"
echo "package checks passed"
