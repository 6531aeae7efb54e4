#!/usr/bin/env bash
# The test command: builds every configuration and runs all of its tests.
#
#   build/host   native Release build, unit tests and tool tests
#   build/asan   native build with AddressSanitizer and UndefinedBehaviorSanitizer
#   build/win32  KALDER32.dll and kaldres.dll cross-built with MinGW, the
#                table checks, and the test programs under Wine
#
# Installs what is missing first (as root, or through sudo).  Exits non-zero
# when any step or test fails.  The Wine tests are reported as skipped, not
# passed, on a machine that cannot run 32-bit Windows programs at all.
#
# Environment: KALDER_TEST_CONFIGS (default "host asan win32") picks the
# configurations, KALDER_TEST_JOBS (default 2) the parallel build jobs.
set -u
cd "$(dirname "$0")/.."
root=$PWD
configs=${KALDER_TEST_CONFIGS:-host asan win32}
jobs=${KALDER_TEST_JOBS:-2}
started=$SECONDS

log() { echo "=== [test.sh $(date +%H:%M:%S) +$((SECONDS - started))s] $*"; }

as_root() {
    if [ "$(id -u)" = 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        return 1
    fi
}

# Debian packages each configuration needs.
packages_for() {
    case $1 in
    host) echo cmake make g++ libgtest-dev libgmock-dev googletest libbenchmark-dev ;;
    asan) echo cmake make g++ libgtest-dev libgmock-dev googletest ;;
    win32) echo cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 \
        qemu-user-static binfmt-support ;;
    esac
}

install_missing() {
    local wanted=() missing=() pkg
    local config
    for config in $configs; do
        # shellcheck disable=SC2207
        wanted+=($(packages_for "$config"))
    done
    for pkg in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    # shellcheck disable=SC2207
    missing=($(printf '%s\n' "${missing[@]}" | sort -u))
    log "installing ${missing[*]}"
    if printf '%s\n' "${missing[@]}" | grep -q ':i386$' &&
        ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386 || log "cannot add the i386 architecture"
    fi
    as_root apt-get update -qq || log "apt-get update failed"
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null || log "apt-get install failed; going on with what is there"
}

failed=()

# run_config NAME CMAKE-ARGS...: configure, build, test one build folder.
run_config() {
    local name=$1
    shift
    local dir=$root/build/$name
    log "$name: configure"
    if ! cmake -S "$root" -B "$dir" "$@" >"$dir.configure.log" 2>&1; then
        cat "$dir.configure.log"
        failed+=("$name (configure)")
        return
    fi
    log "$name: build"
    if ! cmake --build "$dir" -j"$jobs" >"$dir.build.log" 2>&1; then
        grep -E -B2 -A6 'error|Error' "$dir.build.log" | head -80
        failed+=("$name (build)")
        return
    fi
    log "$name: test"
    if ! ctest --test-dir "$dir" -j"$jobs" --output-on-failure; then
        failed+=("$name (tests)")
    fi
    log "$name: done"
}

mkdir -p "$root/build"
install_missing

for config in $configs; do
    case $config in
    host) run_config host -DCMAKE_BUILD_TYPE=Release ;;
    asan) run_config asan -DCMAKE_BUILD_TYPE=Debug -DKALDER_SANITIZE=ON ;;
    win32)
        run_config win32 -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake"
        ;;
    *) failed+=("$config (unknown configuration)") ;;
    esac
done

if [ ${#failed[@]} -ne 0 ]; then
    log "FAILED: ${failed[*]}"
    exit 1
fi
log "all configurations passed ($configs)"
