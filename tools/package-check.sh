#!/bin/sh
# Builds the Debian package in a scratch build of the `deb` preset, lists it,
# and fails unless it holds exactly the expected files of the games layout
# with the right modes and control fields, its compressed files are made the
# Debian way, lintian finds no error in it, and the game plays from the
# unpacked tree through its launcher.
# Needs cmake, g++, make, binutils, dpkg-dev and lintian. Usage: tools/package-check.sh
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "package-check: $*" >&2; exit 1; }
command -v lintian >/dev/null || fail "lintian is not installed"

(cd "$source_dir" && cmake --preset deb -B "$scratch/build" >/dev/null)
cmake --build "$scratch/build" -j2 >/dev/null
(cd "$scratch/build" && cpack -G DEB >/dev/null)
deb=$(ls "$scratch"/build/tumblenook_*.deb)
echo "$(basename "$deb"):"
dpkg-deb -c "$deb" | tee "$scratch/contents"
dpkg-deb -f "$deb" Package Version Section Depends | tee "$scratch/control"

# Mode and path of every file and link (with its target), directories left out.
awk '$1 !~ /^d/ { $2 = $3 = $4 = $5 = ""; print }' "$scratch/contents" |
  tr -s ' ' | sort >"$scratch/files"
sort >"$scratch/expected" <<'LIST'
-rwxr-xr-x ./usr/games/tumblenook
-rwxr-xr-x ./usr/games/tumblenook-play
-rw-r--r-- ./usr/share/doc/tumblenook/changelog.gz
-rw-r--r-- ./usr/share/doc/tumblenook/copyright
-rw-r--r-- ./usr/share/games/tumblenook/animals.dat
-rw-r--r-- ./usr/share/games/tumblenook/fruits.dat
-rw-r--r-- ./usr/share/man/man6/tumblenook.6.gz
lrwxrwxrwx ./usr/share/man/man6/tumblenook-play.6.gz -> tumblenook.6.gz
LIST
diff -u "$scratch/expected" "$scratch/files" || fail "unexpected package layout"
grep -qx 'Section: games' "$scratch/control" || fail "section is not games"
# The screen's ncursesw, and its terminfo library where the game calls it
# directly, are depended on as on the C and C++ libraries.
libs="libc6 libstdc++6 libncursesw6"
if objdump -p "$scratch/build/bin/tumblenook" | grep -q 'NEEDED *libtinfo\.so'; then
  libs="$libs libtinfo6"
fi
sed -n 's/^Depends: //p' "$scratch/control" | tr ',|' '\n\n' | awk '{ print $1 }' \
  >"$scratch/depends"
for lib in $libs; do
  grep -qx "$lib" "$scratch/depends" || fail "no dependency on $lib"
done

# The compressed files hold their sources, at the best level, with no name or
# time stamp (gzip -9n): flags byte 0, time 0, extra flags 2.
dpkg-deb -x "$deb" "$scratch/root"
doc=$scratch/root/usr/share/doc/tumblenook
for pair in man/man6/tumblenook.6.gz:docs/tumblenook.6 \
            doc/tumblenook/changelog.gz:packaging/changelog; do
  packed=$scratch/root/usr/share/${pair%%:*}
  gzip -dc "$packed" | cmp -s - "$source_dir/${pair#*:}" ||
    fail "${pair%%:*} does not hold ${pair#*:}"
  [ "$(od -An -tx1 -j3 -N7 "$packed" | tr -d ' ')" = 00000000000203 ] ||
    fail "${pair%%:*} is not compressed with gzip -9n"
done
grep -qx 'License: Expat' "$doc/copyright" || fail "the copyright names no licence"
version=$(dpkg-deb -f "$deb" Version)
head -1 "$source_dir/packaging/changelog" | grep -q "^tumblenook ($version) " ||
  fail "the changelog's latest entry is not version $version"

# lintian: warnings are shown, errors fail.
lintian --allow-root --display-info "$deb" | tee "$scratch/lintian" || true
! grep -q '^E:' "$scratch/lintian" || fail "lintian reports errors"

# The unpacked tree plays: the launcher finds the game and the catalogue.
printf '1\n1\n3\n0\n1\n' | HOME="$scratch/home" XDG_DATA_HOME= \
  TUMBLENOOK_GARDEN="$scratch/garden" "$scratch/root/usr/games/tumblenook-play" \
  >"$scratch/out"
grep -q '0) Kelpberry' "$scratch/out" || fail "the packaged game lists no fruit"
echo "package-check: layout, lintian and launcher OK"
