#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests, the editor and its Debian
# package need and this machine lacks. Extra package names given as arguments are installed as
# well.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libjpeg62-turbo-dev libpng-dev libgif-dev libwebp-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev fonts-ipafont-gothic
  nlohmann-json3-dev
  help2man desktop-file-utils shared-mime-info man-db dpkg-dev file
  chromium chromium-driver python3-selenium graphviz tidy
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
