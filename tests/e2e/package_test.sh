#!/usr/bin/env bash
# The package as a user gets it: builds the zip from this build tree with
# CPack, checks that it holds exactly what a user needs, unpacks it into a
# folder whose path holds a space and Japanese characters, and runs the
# driver's test of the unpacked program there.
# Usage: package_test.sh <driver.exe> <build dir>
set -euo pipefail

driver=$1 build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
zip=$(ls "$work"/Quillstack-*-win64.zip)

expected=$(cd "$(dirname "$0")/../../help" && find . -type f | sed 's|^\./|help/|' | sort
           printf '%s\n' Quillstack.exe quillstack.dll README.txt LICENSE)
actual=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
if [ "$actual" != "$(sort <<<"$expected")" ]; then
  echo "the zip holds other files than the program's:" >&2
  diff <(sort <<<"$expected") <(echo "$actual") >&2 || true
  exit 1
fi

dir="$work/ユーザー の フォルダー/Quillstack"
mkdir -p "$dir"
unzip -q "$zip" -d "$dir"
QS_PACKAGE_DIR=$(winepath -w "$dir") timeout 120 wine "$driver"
