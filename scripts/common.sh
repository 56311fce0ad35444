# Shared by scripts/run and scripts/test: installs what the project needs from
# Debian's packages and builds it. Sourced, not run.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
JOBS=${JOBS:-$(nproc)}

BUILD_PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools libqt6sql6-sqlite
    libgl-dev
    libjpeg62-turbo-dev
    libreoffice-dev
    fonts-dejavu-core fonts-liberation2
)

# Writer with its window for the program; the headless build is enough for tests.
OFFICE_FOR_RUN=libreoffice-writer
OFFICE_FOR_TEST=libreoffice-writer-nogui

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing_packages() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || echo "$package"
    done
}

install_packages() {
    local missing
    missing=$(missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "Installing: $missing"
    as_root apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends $missing
}

# Either Writer package serves; install the wanted one only when neither is there.
install_office() {
    if [ -z "$(missing_packages libreoffice-writer)" ] || [ -z "$(missing_packages libreoffice-writer-nogui)" ]; then
        return 0
    fi
    install_packages "$1"
}

build_project() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}"
    cmake --build "$BUILD_DIR" -j "$JOBS"
}
