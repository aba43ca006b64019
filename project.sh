#!/usr/bin/env bash
# Set-up and everyday commands of Quillmere; `./project.sh help` lists them.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ qt6-base-dev qt6-translations-l10n qt6-l10n-tools qt6-svg-dev fonts-arphic-uming
          fonts-arphic-ukai xvfb xauth libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev
          python3 poppler-utils clang-format dpkg-dev desktop-file-utils appstream man-db
          groff-base file)

usage() {
    cat <<'TEXT'
Usage: ./project.sh [COMMAND] [ARGS...]
Every command first makes sure the Debian packages are there (installing them when run
as root) and, where it needs one, that the build is current.
  open [ARGS...]  build and open Quillmere (the default command)
  test [ARGS...]  build and run every test (ARGS go to ctest)
  cli ARGS...     build and run quillmere-cli with the given options
  asan            build and test with AddressSanitizer + UndefinedBehaviorSanitizer
  tsan            build and test with ThreadSanitizer
  bench           build and run the engine benchmarks
  package         build the Debian package build/package/quillmere_VERSION_ARCH.deb
  format          clang-format every tracked source file in place
  format-check    list what clang-format would change; fails if anything
  translations    refresh res/translations/*.ts from the sources (lupdate)
  help            this text
TEXT
}

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
    # The programs' stdout is theirs alone (e.g. `cli --json > out.json`): the build reports on stderr.
    open)
        build release >&2
        exec build/release/app/quillmere "$@"
        ;;
    cli)
        build release >&2
        exec build/release/cli/quillmere-cli "$@"
        ;;
    bench)
        build release >&2
        exec build/release/bench/quillmere-bench "$@"
        ;;
    test)
        build release
        ctest --preset release "$@"
        ;;
    package)
        # Its own build without tests, installed under /usr; Depends comes from dpkg-shlibdeps.
        build package
        (cd build/package && cpack -G DEB)
        ls build/package/quillmere_*.deb
        ;;
    asan | tsan)
        build "$command"
        ctest --preset "$command" "$@"
        ;;
    format)
        ensure_packages
        git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format -i
        ;;
    format-check)
        ensure_packages
        git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run -Werror
        ;;
    help | -h | --help)
        usage
        ;;
    translations)
        # Every text the program shows (tr(), QT_TRANSLATE_NOOP, .ui) of every room but the tests;
        # new sources get an unfinished entry to translate, vanished ones are dropped.
        ensure_packages
        sources=$(mktemp)
        find . \( -path ./build -o -path ./tests -o -path ./bench -o -path ./.git \) -prune -o \
            \( -name '*.cpp' -o -name '*.h' -o -name '*.ui' \) -print | sort >"$sources"
        for language in en; do
            ts=res/translations/quillmere_$language.ts
            /usr/lib/qt6/bin/lupdate -silent -no-obsolete -locations none -I . -source-language zh_CN \
                -target-language "$language" "@$sources" -ts "$ts"
            echo "$ts: $(grep -c 'type="unfinished"' "$ts" || true) unfinished"
        done
        rm -f "$sources"
        ;;
    *)
        echo "Unknown command: $command" >&2
        usage >&2
        exit 2
        ;;
esac
