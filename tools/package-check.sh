#!/bin/sh
# Builds the Debian package in a scratch build, lists it, and fails unless it
# holds exactly the expected files under /usr with the right modes and
# control fields, and the game starts from the unpacked tree.
# Needs cmake, g++, make and dpkg-dev. Usage: tools/package-check.sh
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "package-check: $*" >&2; exit 1; }

cmake -S "$source_dir" -B "$scratch/build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_COMPILER=g++ -DBUILD_TESTING=OFF >/dev/null
cmake --build "$scratch/build" -j2 >/dev/null
(cd "$scratch/build" && cpack -G DEB >/dev/null)
deb=$(ls "$scratch"/build/tumblenook_*.deb)
echo "$(basename "$deb"):"
dpkg-deb -c "$deb" | tee "$scratch/contents"
dpkg-deb -f "$deb" Package Version Section Depends | tee "$scratch/control"

# Mode and path of every file, directories left out.
awk '$1 !~ /^d/ { print $1, $NF }' "$scratch/contents" | sort >"$scratch/files"
sort >"$scratch/expected" <<'EOF'
-rwxr-xr-x ./usr/bin/tumblenook
-rwxr-xr-x ./usr/bin/tumblenook-play
-rw-r--r-- ./usr/share/man/man6/tumblenook.6
-rw-r--r-- ./usr/share/tumblenook/animals.dat
-rw-r--r-- ./usr/share/tumblenook/fruits.dat
EOF
diff -u "$scratch/expected" "$scratch/files" || fail "unexpected package layout"
grep -qx 'Section: games' "$scratch/control" || fail "section is not games"
for lib in libc6 libstdc++6; do
  grep -q "^Depends:.*$lib" "$scratch/control" || fail "no dependency on $lib"
done

# The unpacked tree plays: the launcher finds the game and the catalogue.
dpkg-deb -x "$deb" "$scratch/root"
printf '1\n1\n3\n0\n1\n' | HOME="$scratch/home" XDG_DATA_HOME= \
  TUMBLENOOK_GARDEN="$scratch/garden" "$scratch/root/usr/bin/tumblenook-play" \
  >"$scratch/out"
grep -q '0) Kelpberry' "$scratch/out" || fail "the packaged game lists no fruit"
echo "package-check: layout and launcher OK"
