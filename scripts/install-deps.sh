#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Only missing packages are installed; needs root (or sudo) when any is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  mold                          # the linker (several times faster than the default one)
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev      # libFuzzer for the WAV reader's fuzz target
  sox ffmpeg                    # independent WAV writers and readers for the tests
  qt6-base-dev libasound2-dev   # Qt (Core, Widgets, Test, PrintSupport) and ALSA
  libspeexdsp-dev libpulse-dev  # the resampler between the audio clocks; the sound server's device list
  python3-numpy                 # scripts/measure-live.sh's analysis
  libqcustomplot-dev            # the charts (its Qt 6 build)
  zlib1g-dev                    # PNG pictures written by the vector export and moravel-process
  xvfb xauth imagemagick fonts-dejavu-core  # headless window runs and screenshots
  python3-pyatspi at-spi2-core  # the window driven over the accessibility bus (scripts/soak.sh)
  pulseaudio pulseaudio-utils libasound2-plugins alsa-utils  # a real sound server for the device tests
  pipewire pipewire-pulse wireplumber dbus  # the same device tests on a private PipeWire server
  libwmf-bin fonts-urw-base35 emf2svg  # independent WMF and EMF readers for the image export tests
  desktop-file-utils appstream  # validators for the menu entry and the metainfo
  lintian                       # Debian's checker of the package
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
