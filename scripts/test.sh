#!/usr/bin/env bash
# The test command: builds every configuration and runs all of its tests.
#
#   build/host   native Release build, unit tests and tool tests
#   build/asan   native build with AddressSanitizer and UndefinedBehaviorSanitizer
#   build/tsan   the thread stress test under ThreadSanitizer
#   valgrind     the host unit tests under valgrind (the long calendar and
#                picture sweeps aside), then 10,000 load/unload cycles
#   fuzz         each libFuzzer target replays its seeds and runs 20 seconds
#   build/win32  KALDER32.dll and kaldres.dll cross-built with MinGW for
#                32-bit and (in build/win32/x64) 64-bit Windows, the kit,
#                the table checks, and the test programs under Wine: the
#                whole suite for 64-bit; for 32-bit the whole suite where
#                the kernel runs 32-bit programs, else one program under
#                qemu; each build's pass over every export compared with
#                the Linux build's
#
# Installs what is missing first (as root, or through sudo).  Exits non-zero
# when any step or test fails; nothing is ever reported as skipped.
#
# Environment: KALDER_TEST_CONFIGS (default "host asan valgrind fuzz win32")
# picks the configurations, KALDER_TEST_JOBS (default 2) the parallel build
# jobs.
set -u
cd "$(dirname "$0")/.."
root=$PWD
configs=${KALDER_TEST_CONFIGS:-host asan tsan valgrind fuzz win32}
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
    host) echo cmake make g++ gcc-multilib libgtest-dev libgmock-dev googletest libbenchmark-dev ;;
    asan | tsan) echo cmake make g++ libgtest-dev libgmock-dev googletest ;;
    valgrind) echo cmake make g++ libgtest-dev libgmock-dev googletest valgrind ;;
    fuzz) echo cmake make clang libclang-rt-14-dev libgtest-dev libgmock-dev googletest ;;
    win32) echo cmake make g++ g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 \
        binutils-mingw-w64-x86-64 wine wine64 wine32:i386 qemu-user-static unzip clang lld llvm ;;
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

# The unit tests under valgrind, and the load/unload leak check.  The long
# exhaustive sweeps are left out here: they ran natively and under the
# sanitizers, and under valgrind they would take most of an hour.  So is
# the thread stress: valgrind runs one thread at a time, and ThreadSanitizer
# runs it in its own configuration.
run_valgrind() {
    local dir=$root/build/valgrind
    log "valgrind: build"
    if ! { cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Debug >"$dir.configure.log" 2>&1 &&
        cmake --build "$dir" --target kalder_tests -j"$jobs" >"$dir.build.log" 2>&1; }; then
        tail -n 40 "$dir.configure.log" "$dir.build.log"
        failed+=("valgrind (build)")
        return
    fi
    log "valgrind: unit tests"
    if ! valgrind --quiet --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite \
        "$dir/kalder_tests" --gtest_brief=1 --gtest_filter='-Exhaustive*:LoadCycles*:Stress*'; then
        failed+=("valgrind (unit tests)")
    fi
    log "valgrind: load/unload cycles"
    bash "$root/scripts/leakcheck.sh" "$dir" || failed+=("valgrind (leak check)")
}

# The thread stress test under ThreadSanitizer: every export family on
# several threads while another switches profiles and refreshes, and two
# settings objects of the modern interface used on many threads at once.
run_tsan() {
    local dir=$root/build/tsan
    log "tsan: build"
    if ! { cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALDER_TSAN=ON \
        >"$dir.configure.log" 2>&1 &&
        cmake --build "$dir" --target kalder_tests -j"$jobs" >"$dir.build.log" 2>&1; }; then
        tail -n 40 "$dir.configure.log" "$dir.build.log"
        failed+=("tsan (build)")
        return
    fi
    log "tsan: stress test"
    if ! TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
        "$dir/kalder_tests" --gtest_brief=1 --gtest_filter='Stress.*:ModernTest.TwoSettingsOnManyThreads'; then
        failed+=("tsan (stress test)")
    fi
}

run_fuzz() {
    log "fuzz: seeds and 20 s per target"
    KALDER_FUZZ_BUILD=$root/build/fuzz bash "$root/scripts/fuzz.sh" 20 || failed+=("fuzz")
}

mkdir -p "$root/build"
install_missing

for config in $configs; do
    case $config in
    host) run_config host -DCMAKE_BUILD_TYPE=Release ;;
    asan) run_config asan -DCMAKE_BUILD_TYPE=Debug -DKALDER_SANITIZE=ON ;;
    tsan) run_tsan ;;
    valgrind) run_valgrind ;;
    fuzz) run_fuzz ;;
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
