#!/usr/bin/env bash
# Builds the release package from the project's one version number:
#   dist/korvprint-<version>.zip        the program, README.txt, LICENSE.txt, the test page
#                                       VOZAZAD.TST and a sample VOZAZAD.INI
#   dist/korvprint-<version>-setup.exe  the installer (NSIS)
# The package ships the 32-bit program. `bash scripts/package.sh win64` packages the 64-bit
# build instead (dist/korvprint-<version>-win64*), for machines that run only 64-bit programs.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${1:-win32}
bash scripts/build.sh "$arch" >/dev/null
version=$(sed -n 's/^project(korvprint VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package: no version in CMakeLists.txt" >&2; exit 1; }
name=korvprint-$version
nsis_options=()
if [ "$arch" = win64 ]; then
  name=$name-win64
  nsis_options+=(-DAMD64)
fi

stage=build/package/$name
rm -rf "$stage"
mkdir -p "$stage" dist
cp "build/$arch/korvprint.exe" assets/VOZAZAD.TST packaging/VOZAZAD.INI "$stage/"
# Text files as Windows editors expect them: CR LF line ends.
sed 's/\r*$/\r/' README.md >"$stage/README.txt"
sed 's/\r*$/\r/' LICENSE >"$stage/LICENSE.txt"

rm -f "dist/$name.zip" "dist/$name-setup.exe"
(cd "$stage" && zip -q -X "../../../dist/$name.zip" korvprint.exe README.txt LICENSE.txt \
  VOZAZAD.TST VOZAZAD.INI)
makensis -V2 "${nsis_options[@]}" -DVERSION="$version" -DSTAGE="$PWD/$stage" \
  -DOUTFILE="$PWD/dist/$name-setup.exe" packaging/korvprint.nsi
echo "dist/$name.zip"
echo "dist/$name-setup.exe"
