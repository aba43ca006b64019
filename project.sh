#!/usr/bin/env bash
# Set-up and everyday commands of Quillmere. Every command first makes sure the Debian
# packages are there (installing them when run as root) and the build is current.
#   ./project.sh open     build and open Quillmere
#   ./project.sh test     build and run every test
#   ./project.sh cli ...  build and run quillmere-cli with the given options
#   ./project.sh asan     build and test with AddressSanitizer + UndefinedBehaviorSanitizer
#   ./project.sh tsan     build and test with ThreadSanitizer
#   ./project.sh bench    build and run the engine benchmarks
#   ./project.sh format   clang-format every source file
#   ./project.sh format-check  fail if clang-format would change a source file
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ qt6-base-dev qt6-translations-l10n fonts-arphic-uming fonts-arphic-ukai
          xvfb xauth libgtest-dev libgmock-dev libbenchmark-dev clang-format)

ensure_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        apt-get update
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
    else
        echo "Missing Debian packages. As root, run:" >&2
        echo "  apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
}

build() {  # build PRESET
    ensure_packages
    [ -f "build/$1/build.ninja" ] || cmake --preset "$1"
    cmake --build --preset "$1"
}

command=${1:-open}
shift || true
case "$command" in
    open)
        build release
        exec build/release/app/quillmere "$@"
        ;;
    cli)
        build release
        exec build/release/cli/quillmere-cli "$@"
        ;;
    test)
        build release
        ctest --preset release "$@"
        ;;
    asan | tsan)
        build "$command"
        ctest --preset "$command" "$@"
        ;;
    bench)
        build release
        exec build/release/bench/quillmere-bench "$@"
        ;;
    format)
        ensure_packages
        git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format -i
        ;;
    format-check)
        ensure_packages
        git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run -Werror
        ;;
    *)
        sed -n '2,12p' "$0" >&2
        exit 2
        ;;
esac
