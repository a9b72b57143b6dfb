#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing,
# and any further packages named as arguments.
set -euo pipefail
packages=(g++ cmake make pkg-config liblua5.1-0-dev zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev libpng-dev libdivsufsort-dev gettext python3 python3-pil "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
