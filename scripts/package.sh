#!/usr/bin/env bash
# Builds a release into dist/:
#   gsmconfig-VERSION-win64.zip          gsmconfig.exe (stripped), gsmcfg.exe,
#                                        README.txt, sample-site.sf
#   gsmcfg-VERSION-linux-x86_64.tar.gz   gsmcfg-VERSION/gsmcfg (stripped), README.txt
# VERSION is the build's (project() in CMakeLists.txt). Check the result
# with scripts/check-package.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${GSM_JOBS:-2}
max_exe_bytes=$((2 * 1024 * 1024))

cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$jobs" --target gsmconfig gsmcfg
# The Linux gsmcfg: an optimised build of that program alone.
cmake --preset native-release >/dev/null
cmake --build --preset native-release -j"$jobs"
version=$(cat build/win32/generated/version.txt)

rm -rf dist
stage=dist/stage
mkdir -p "$stage/win64" "$stage/linux/gsmcfg-$version"

readme() { sed "s/@VERSION@/$version/g" packaging/README.txt; }

# ---- Windows ----
x86_64-w64-mingw32-strip -o "$stage/win64/gsmconfig.exe" build/win32/src/app/gsmconfig.exe
size=$(stat -c %s "$stage/win64/gsmconfig.exe")
if [ "$size" -ge "$max_exe_bytes" ]; then
  echo "package: gsmconfig.exe is $size bytes stripped, not under 2 MB" >&2
  exit 1
fi
x86_64-w64-mingw32-strip -o "$stage/win64/gsmcfg.exe" build/win32/src/cli/gsmcfg.exe
readme | sed 's/$/\r/' >"$stage/win64/README.txt"  # Windows text: CR LF
cp packaging/sample-site.sf "$stage/win64/"
zip=gsmconfig-$version-win64.zip
# Files flat in the zip (Windows' "Extract All" makes the folder), in a
# fixed order.
(cd "$stage/win64" && cmake -E tar cf "../../$zip" --format=zip -- $(ls | LC_ALL=C sort))
echo "dist/$zip"

# ---- Linux ----
strip -o "$stage/linux/gsmcfg-$version/gsmcfg" build/native-release/src/cli/gsmcfg
readme >"$stage/linux/gsmcfg-$version/README.txt"
tgz=gsmcfg-$version-linux-x86_64.tar.gz
(cd "$stage/linux" && tar --sort=name --owner=0 --group=0 --numeric-owner -czf "../../$tgz" "gsmcfg-$version")
echo "dist/$tgz"
rm -rf "$stage"
