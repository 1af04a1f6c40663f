# Shared set-up of tools/run and tools/test: install what is missing on a
# Debian 12 machine, then configure and build into build/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KORVANE_BUILD_DIR:-$ROOT/build}"

PACKAGES=(
  cmake ninja-build g++ ccache libgtest-dev
  qt6-base-dev qt6-multimedia-dev qt6-image-formats-plugins libgl-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  fonts-liberation2 fonts-dejavu-core tidy
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}

configure_and_build() {
  if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja "$@"
  fi
  cmake --build "$BUILD" -j "$(nproc)"
}
