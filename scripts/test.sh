#!/usr/bin/env bash
# Sets up, builds and runs every test, with the test servers on 127.0.0.1.
#   KAV_BUILD_DIR    build folder (default build)
#   KAV_CMAKE_ARGS   further cmake options, separated by spaces (e.g. "-DKAV_WERROR=ON")
#   KAV_JOBS         parallel build and test jobs (default: number of processors)
#   arguments        passed on to ctest
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT="$(pwd)"
BUILD_DIR="${KAV_BUILD_DIR:-build}"
# shellcheck disable=SC2086
bash scripts/setup.sh -DBUILD_TESTING=ON ${KAV_CMAKE_ARGS:-}

# German locale for the tests that check locale independence
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  SUDO=""; if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi

SERVER_DIR="$(mktemp -d /tmp/kav-testserver.XXXXXX)"
cleanup() { bash "$ROOT/tests/server/servers.sh" stop "$SERVER_DIR" || true; rm -rf "$SERVER_DIR"; }
trap cleanup EXIT

if bash "$ROOT/tests/server/servers.sh" start "$SERVER_DIR"; then
  # shellcheck disable=SC1091
  source "$SERVER_DIR/env"
else
  if [ "${CI:-}" = "true" ]; then
    echo "Testserver konnten nicht gestartet werden" >&2
    exit 1
  fi
  echo "Warnung: Testserver nicht gestartet, Servertests werden übersprungen" >&2
fi

# Each test program has its own time-out (KAV_TEST_TIMEOUT in tests/CMakeLists.txt).
cd "$BUILD_DIR"
ctest --output-on-failure -j "${KAV_JOBS:-$(nproc)}" "$@"
