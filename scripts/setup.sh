#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests, the editor and its Debian
# package need and this machine lacks. Extra package names given as arguments are installed as
# well.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libjpeg62-turbo-dev libpng-dev libgif-dev libwebp-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-tools-dev qt6-l10n-tools fonts-ipafont-gothic
  nlohmann-json3-dev libgraphviz-dev
  help2man desktop-file-utils shared-mime-info man-db dpkg-dev file
  chromium chromium-driver python3-selenium graphviz tidy
  "$@"
)

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

# A package manager run that was cut off (a machine stopped during an install) leaves packages
# half configured, and apt-get refuses to do anything until that run is finished.
if [[ -n $(dpkg --audit 2>/dev/null) ]]; then
  echo "Finishing an interrupted package installation"
  $sudo dpkg --configure -a >/dev/null
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
$sudo apt-get -o DPkg::Lock::Timeout=300 update -qq
$sudo apt-get install -o DPkg::Lock::Timeout=300 -y -qq --no-install-recommends "${missing[@]}" >/dev/null
