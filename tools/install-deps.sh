#!/usr/bin/env bash
# Installs what building, running and testing the designer needs on Debian 12.
# Fast when everything is already there: apt is only called for missing packages.
set -euo pipefail
PKGS=(
  cmake ninja-build g++ clang ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-webengine-dev libqt6webenginecore6-bin
  libgl-dev libcurl4-openssl-dev libjpeg62-turbo-dev libpng-dev zlib1g-dev libgif-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev libclang-rt-14-dev libfuzzer-14-dev
  fonts-liberation fonts-dejavu-core fonts-comic-neue fonts-opensymbol fontconfig
  python3 python3-pyftpdlib python3-pil php-cli tidy nodejs
  libjs-jquery locales openjdk-17-jre-headless xvfb
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The German locale of the locale-independence cases (they compile it themselves, slowly,
# when it is missing).
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen > /dev/null
fi
# The Nu HTML checker, run by the tests over generated pages on the Java runtime above
# (its own Java download is not wanted: install scripts stay off).
VNU_VERSION=26.9.27
if [ ! -f "$(npm root -g)/vnu-jar/build/dist/vnu.jar" ]; then
  echo "Installing vnu-jar $VNU_VERSION"
  npm install -g --ignore-scripts "vnu-jar@$VNU_VERSION"
fi
