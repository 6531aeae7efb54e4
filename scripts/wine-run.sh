#!/usr/bin/env bash
# Runs the Windows test programs under Wine, one prefix per test run.
#
#   wine-run.sh setup   STATE PROBE_EXE   create the prefix, start the server
#   wine-run.sh run     STATE EXE [ARGS]  run one test program
#   wine-run.sh cleanup STATE             stop the server, remove the prefix
#
# STATE is a file in the build folder that tells the later steps where the
# prefix is, or why the Wine tests are skipped.  A step that cannot run
# 32-bit Windows programs on this machine exits 77, which ctest reports as
# skipped with the reason printed here.
#
# 32-bit Windows programs need 32-bit Linux programs (the Wine loader).  On
# a kernel without 32-bit support they still run through qemu user
# emulation registered with binfmt_misc; setup registers it when it can
# (root), but only when the native way fails.  Under emulation every Wine
# process start costs about a minute, so the run keeps one persistent
# wineserver and one prefix for all tests, and Wine's optional components
# (Mono, Gecko, menu integration) are switched off.
#
# On a kernel without 32-bit support the tests are skipped unless
# KALDER_WINE_EMULATED=1 asks for qemu emulation.
#
# Timeouts (seconds) can be changed from the environment:
#   KALDER_WINE_BOOT_TIMEOUT (default 1500), KALDER_WINE_RUN_TIMEOUT (600).
set -u

skip() {
    echo "SKIPPED: $*"
    exit 77
}

log() { echo "[wine-run $(date +%H:%M:%S)] $*"; }

command=${1:-}
state=${2:-}
[ -n "$command" ] && [ -n "$state" ] || {
    echo "usage: $0 setup|run|cleanup STATE [...]" >&2
    exit 2
}
shift 2

export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY

# The 32-bit loader that /usr/bin/wine starts for 32-bit programs.
wine_loader() {
    local candidate
    for candidate in /usr/lib/wine/wine /usr/lib/i386-linux-gnu/wine/wine /usr/bin/wine; do
        [ -x "$candidate" ] && {
            echo "$candidate"
            return
        }
    done
}

can_run_i386() { "$1" --version >/dev/null 2>&1; }

register_qemu_i386() {
    local qemu
    qemu=$(command -v qemu-i386-static || true)
    [ -n "$qemu" ] || return 1
    [ "$(id -u)" = 0 ] || return 1
    if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
        mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null || return 1
    fi
    [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && return 0
    # ELF 32-bit little-endian, machine 3 (i386); F keeps the interpreter
    # open so it works inside other mount namespaces too.
    printf '%s' ':qemu-i386:M::\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
        >/proc/sys/fs/binfmt_misc/register 2>/dev/null
}

# Prints how 32-bit programs run here ("native" or "qemu"), or fails.
probe_i386() {
    local loader=$1
    if can_run_i386 "$loader"; then
        if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] &&
            grep -q '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null; then
            echo qemu
        else
            echo native
        fi
        return 0
    fi
    register_qemu_i386 && can_run_i386 "$loader" && {
        echo qemu
        return 0
    }
    return 1
}

runs_i386_natively() {
    can_run_i386 "$1" && ! grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386
}

read_state() {
    [ -f "$state" ] || skip "the Wine set-up step has not run (no $state)"
    # shellcheck disable=SC1090
    . "$state"
    [ -z "${SKIP_REASON:-}" ] || skip "$SKIP_REASON"
    [ -n "${PREFIX:-}" ] && [ -d "$PREFIX" ] || skip "the Wine prefix is gone (${PREFIX:-none})"
    export WINEPREFIX=$PREFIX
}

# Writes the registry settings every test program relies on: no display
# (message boxes still work with the null driver) and the Windows version
# reported to the module test programs, which pick a version by name.
write_registry_settings() {
    local reg=$WINEPREFIX/kalder-settings.reg
    cat >"$reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Graphics"="null"

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\module_win31.exe]
"Version"="win31"

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\module_win30.exe]
"Version"="win30"

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\module_nt40.exe]
"Version"="nt40"
EOF
    wine reg import 'C:\kalder-settings.reg' </dev/null >/dev/null 2>&1 ||
        wine reg import "Z:$(echo "$reg" | tr / '\\')" </dev/null >/dev/null 2>&1
}

# The persistent server, and the Wine services the first program starts,
# outlive the step that started them.  They must not hold the step's
# standard output: ctest waits for every holder of that pipe to close it.
start_server() {
    wineserver -p </dev/null >/dev/null 2>&1
}

do_setup() {
    local probe_exe=${1:-}
    local started=$SECONDS
    rm -f "$state"
    local fail_state
    fail_state() { printf 'SKIP_REASON=%q\n' "$1" >"$state"; skip "$1"; }

    command -v wine >/dev/null || fail_state "wine is not installed (apt-get install wine wine32)"
    local loader
    loader=$(wine_loader)
    [ -n "$loader" ] || fail_state "the 32-bit Wine loader is missing (apt-get install wine32:i386)"
    # Under qemu every Wine process start costs about a minute of emulated
    # CPU and the prefix alone takes half an hour or more: too long for the
    # routine test run, so emulation is used only when asked for.
    if [ "${KALDER_WINE_EMULATED:-0}" != 1 ] && ! runs_i386_natively "$loader"; then
        fail_state "this kernel does not run 32-bit programs (dmesg: 32-bit emulation disabled); under qemu user emulation the Wine tests take about an hour, so they run only with KALDER_WINE_EMULATED=1"
    fi
    local how
    how=$(probe_i386 "$loader") ||
        fail_state "this machine cannot run 32-bit programs: the kernel refuses them and qemu-i386 user emulation could not be registered (needs root and qemu-user-static)"
    log "32-bit programs run: $how"

    local prefix
    prefix=$(mktemp -d "${TMPDIR:-/tmp}/kalder-wine.XXXXXX") || fail_state "no temporary folder"
    rmdir "$prefix" # wineboot creates it and wants to own it
    export WINEPREFIX=$prefix
    printf 'PREFIX=%q\nHOW=%q\n' "$prefix" "$how" >"$state"

    log "creating the prefix $prefix"
    local boot_timeout=${KALDER_WINE_BOOT_TIMEOUT:-1500}
    timeout --kill-after=20 "$boot_timeout" wineboot -i </dev/null >"$prefix.boot.log" 2>&1
    local boot_rc=$?
    # wineboot can return before its helpers finish writing the prefix;
    # the server it started exits once they have.
    timeout 600 wineserver -w </dev/null >/dev/null 2>&1
    start_server
    log "prefix ready after $((SECONDS - started)) s (wineboot exit $boot_rc)"
    [ -f "$prefix/system.reg" ] && [ -d "$prefix/drive_c/windows/system32" ] || {
        cat "$prefix.boot.log"
        printf 'SKIP_REASON=%q\n' "Wine could not create a prefix here (wineboot exit $boot_rc)" >>"$state"
        skip "Wine could not create a prefix here (wineboot exit $boot_rc)"
    }
    cp "$prefix.boot.log" "$prefix/drive_c/" 2>/dev/null
    rm -f "$prefix.boot.log"

    write_registry_settings || log "warning: registry import failed"
    log "registry set after $((SECONDS - started)) s"

    if [ -n "$probe_exe" ]; then
        local out
        run_once "$prefix.probe.log" "$probe_exe"
        local rc=$?
        out=$(cat "$prefix.probe.log")
        rm -f "$prefix.probe.log"
        if [ $rc -ne 0 ] || ! grep -q 'probe: windows program ran' <<<"$out"; then
            printf 'SKIP_REASON=%q\n' "Wine cannot run a trivial 32-bit Windows program here (exit $rc)" >>"$state"
            skip "Wine cannot run a trivial 32-bit Windows program here (exit $rc)"
        fi
    fi
    log "set-up done in $((SECONDS - started)) s"
}

# One attempt at a test program; its output goes to the file $1 (never to
# a pipe that a Wine process started on the way could keep open) and is
# then shown.
run_once() {
    local out=$1 exe=$2
    shift 2
    (cd "$(dirname "$exe")" &&
        timeout --kill-after=10 "${KALDER_WINE_RUN_TIMEOUT:-600}" wine "$exe" "$@") \
        </dev/null >"$out" 2>&1
    local rc=$?
    cat "$out"
    return $rc
}

do_run() {
    read_state
    local exe=$1
    shift
    local out
    out=$(mktemp)
    local attempt rc
    for attempt in 1 2; do
        local started=$SECONDS
        run_once "$out" "$exe" "$@"
        rc=$?
        log "$(basename "$exe") exit $rc after $((SECONDS - started)) s"
        [ $rc -eq 124 ] && echo "TIMEOUT: $(basename "$exe") did not finish (a message box left open?)"
        # The emulator itself crashes now and then ("uncaught target
        # signal"), killing the program by a signal: run it once more.  A
        # fault of the program shows as a Windows exit code, not a signal.
        [ $rc -ge 128 ] && [ $rc -le 160 ] && grep -q 'uncaught target signal' "$out" || break
        [ $attempt -eq 1 ] && log "the emulator crashed: running $(basename "$exe") again"
    done
    rm -f "$out"
    # A test program's own 77 must not look like a skip.
    [ $rc -eq 77 ] && rc=1
    return $rc
}

do_cleanup() {
    [ -f "$state" ] || exit 0
    # shellcheck disable=SC1090
    . "$state"
    if [ -n "${PREFIX:-}" ] && [ -d "$PREFIX" ]; then
        export WINEPREFIX=$PREFIX
        wineserver -k </dev/null >/dev/null 2>&1
        timeout 60 wineserver -w </dev/null >/dev/null 2>&1
        rm -rf "$PREFIX"
        log "removed $PREFIX"
    fi
    rm -f "$state"
}

case $command in
setup) do_setup "$@" ;;
run) do_run "$@" ;;
cleanup) do_cleanup ;;
*)
    echo "unknown command $command" >&2
    exit 2
    ;;
esac
