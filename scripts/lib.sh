# Shared by scripts/run and scripts/test: the Debian 12 packages the project needs.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Building the programs and the tests.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libcli11-dev
                libpugixml-dev libzip-dev fonts-liberation2)
# Running every test: the core and window tests, the offscreen and X display, the sanitizers,
# fuzzing, benchmarks and the packaging checks.
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xfonts-base clang-14
               libclang-rt-14-dev valgrind desktop-file-utils appstream librsvg2-bin groff-base
               lintian dpkg-dev file shared-mime-info)
# The benchmarks (bench/run, bench/meet/run.sh): whole processes timed side by side with
# hyperfine, peak memory with GNU time, the meet file's parse by xmllint, instruction counts.
BENCH_PACKAGES=(libbenchmark-dev hyperfine valgrind xvfb xauth jq time libxml2-utils)
# The web pages (scripts/web): emscripten's compiler, the icon renderer and dpkg-source (the
# meet library's libraries are built from Debian's source packages); its tests and benchmark
# run the page in Debian's Chromium, driven from Node.js.
WEB_PACKAGES=(cmake ninja-build emscripten librsvg2-bin dpkg-dev)
WEB_TEST_PACKAGES=(chromium)
if ! command -v npm >/dev/null 2>&1; then
    WEB_TEST_PACKAGES+=(nodejs npm)
fi

# Installs the named packages that are missing. Without root it prints the command and stops.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "Some packages are missing. Install them with:" >&2
        echo "  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq -o DPkg::Lock::Timeout=900 || true
    apt-get install -y -qq -o DPkg::Lock::Timeout=900 --no-install-recommends "${missing[@]}"
}
