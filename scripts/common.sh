# Shared by scripts/run and scripts/test: installs what the project needs from
# Debian's packages and builds it. Sourced, not run.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
JOBS=${JOBS:-$(nproc)}

BUILD_PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools libqt6sql6-sqlite
    qt6-charts-dev libqt6charts6 libqt6opengl6-dev
    libgl-dev
    libjpeg62-turbo-dev
    libreoffice-dev
    fonts-dejavu-core fonts-liberation2
    qt6-translations-l10n xdg-utils
    poppler-utils
    xvfb
    dosfstools fusefat
)

# scripts/package and the package test: CPack's Debian tools and the checkers
# of the package, its menu entry and its software-centre entry.
PACKAGE_PACKAGES=(dpkg-dev fakeroot file lintian desktop-file-utils appstream)

# scripts/fuzz: clang with libFuzzer and the sanitizer runtimes.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# The program shows its report in Writer's own window, so it wants the full
# Writer (which replaces the headless build); tests are content with either.
OFFICE_FOR_RUN=libreoffice-writer
OFFICE_FOR_TEST=libreoffice-writer-nogui
# Writer's own prompts and menus in Russian, like the rest of the program.
OFFICE_LANGUAGE_PACK=libreoffice-l10n-ru

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
    # Through env, so that sudo (which resets the environment) passes it on too.
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

install_office() {
    local wanted=$1
    if [ "$wanted" = "$OFFICE_FOR_TEST" ] && [ -z "$(missing_packages "$OFFICE_FOR_RUN")" ]; then
        return 0
    fi
    install_packages "$wanted"
}

# Extra arguments go to the configure step (for example -DTESSORA_SANITIZE=ON).
build_project() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@"
    cmake --build "$BUILD_DIR" -j "$JOBS"
}

# Runtime settings of AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer for a build made with TESSORA_SANITIZE or TESSORA_FUZZ: any
# finding fails the run, leaks of the libraries below us are suppressed.
export_sanitizer_options() {
    # The program's plugins link the libraries the program has and use its copy of
    # them (it exports its symbols): the same global met twice is that sharing,
    # so only a global defined twice with different sizes is reported.
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=0:detect_odr_violation=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$ROOT/tests/lsan.supp:print_suppressions=0
}
