#!/usr/bin/env bash
# Installs what the build needs (Debian packages) and builds the program into build/.
#   KAV_BUILD_DIR   build folder (default build)
#   KAV_BUILD_TYPE  CMake build type (default RelWithDebInfo for a new folder; an existing one keeps its own)
#   KAV_JOBS        parallel build jobs (default: number of processors)
#   arguments       passed on to cmake when configuring (e.g. -DKAV_WERROR=ON)
# A new folder is configured for Ninja (the default generator when ninja is missing); an existing folder
# keeps the generator it was configured with (Makefiles, an IDE's choice, ...).
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-mysql qt6-svg-dev qt6-image-formats-plugins qt6-translations-l10n
  libgl1-mesa-dev libcurl4-openssl-dev libsqlite3-dev
  googletest libgtest-dev libbenchmark-dev
  mariadb-server mariadb-client python3-pyftpdlib openssl
  qpdf poppler-utils xvfb xdotool locales fonts-dejavu-core
  # the fonts of the common desktops, which the window tests take in turn as the desktop's font
  fonts-noto-core fonts-roboto-unhinted fonts-liberation2 fonts-freefont-ttf fonts-cantarell
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installiere fehlende Pakete: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

BUILD_DIR="${KAV_BUILD_DIR:-build}"
args=()
if [ -f "$BUILD_DIR/CMakeCache.txt" ]; then
  generator="$(sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' "$BUILD_DIR/CMakeCache.txt")"
  if [ -n "$generator" ]; then args+=(-G "$generator"); fi
  if [ -n "${KAV_BUILD_TYPE:-}" ]; then args+=(-DCMAKE_BUILD_TYPE="$KAV_BUILD_TYPE"); fi
else
  if command -v ninja >/dev/null 2>&1; then args+=(-G Ninja); fi
  args+=(-DCMAKE_BUILD_TYPE="${KAV_BUILD_TYPE:-RelWithDebInfo}")
fi
cmake -S . -B "$BUILD_DIR" "${args[@]}" "$@" >/dev/null
cmake --build "$BUILD_DIR" --parallel "${KAV_JOBS:-$(nproc)}"
