# Debian packages the build, the programs and the tests need. Sourced by the scripts.
TERVANA_PACKAGES=(
  build-essential cmake pkg-config git
  qt6-base-dev qt6-base-dev-tools libqt6test6 libgl-dev
  libsdl2-dev libcurl4-openssl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  espeak-ng sox fonts-liberation fonts-dejavu-core
  iproute2 python3 python3-pyftpdlib
  xvfb xauth at-spi2-core python3-pyatspi
  clang libclang-rt-14-dev
)

# Installs whatever of TERVANA_PACKAGES is missing (non-interactive apt-get).
tervana_install_packages() {
  local missing=()
  for package in "${TERVANA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
      || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing Debian packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    echo "Not running as root: using sudo for apt-get."
    sudo=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configures (once) and builds the tree into build/.
tervana_build() {
  local root="$1"; shift
  local build="${TERVANA_BUILD_DIR:-$root/build}"
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${TERVANA_BUILD_TYPE:-RelWithDebInfo}" "$@"
  fi
  cmake --build "$build" -j "$(nproc)"
}
