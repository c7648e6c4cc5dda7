#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh made: its control fields, its desktop entry
# and, with CI=true on a machine where it isn't installed yet, that apt-get installs it, that
# pagetool and its manual page work from it, and that apt-get removes it again without a trace.
# Usage: check_package.sh FILE.deb
set -euo pipefail
deb=$(realpath "$1")
package=$(dpkg-deb --field "$deb" Package)

echo "-- dpkg-deb --info"
dpkg-deb --info "$deb"
depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 libjpeg62-turbo fonts-ipafont-gothic; do
  [[ $depends == *"$needed"* ]] || { echo "the package does not depend on $needed"; exit 1; }
done

echo "-- desktop-file-validate"
contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb --extract "$deb" "$contents"
for entry in "$contents"/usr/share/applications/*.desktop; do
  messages=$(desktop-file-validate "$entry" 2>&1) && [[ -z $messages ]] || {
    echo "$messages"
    exit 1
  }
  echo "${entry#"$contents"}: valid"
done

[[ ${CI:-} == true ]] || exit 0
if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
  echo "-- $package is installed on this machine already: install and removal not tried"
  exit 0
fi
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

echo "-- apt-get install ./$(basename "$deb")"
$sudo apt-get install -y -qq "$deb" >/dev/null
# Read whole: head would close the pipe while pagetool still writes.
help=$(/usr/bin/pagetool --help)
echo "${help%%$'\n'*}"
manual=$(man -P cat pagetool 2>/dev/null || true)
[[ $manual == *"pagetool - build and inspect"* ]] || {
  echo "man pagetool does not show the manual page"
  $sudo apt-get remove -y -qq "$package" >/dev/null
  exit 1
}
echo "man pagetool: found"

echo "-- apt-get remove $package"
$sudo apt-get remove -y -qq "$package" >/dev/null
left=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's/^\.//' | while read -r path; do
  [[ -f $path ]] && echo "$path"
done || true)
[[ -z $left ]] || { echo "left behind after removal: $left"; exit 1; }
echo "removed without a trace"
