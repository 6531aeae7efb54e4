#!/usr/bin/env bash
# Runs the Windows test programs under Wine, one prefix per build and test
# run.
#
#   wine-run.sh mode                           how 32-bit programs run here:
#                                              "native", "emulated", or
#                                              "unavailable: REASON"
#   wine-run.sh setup   STATE BITS [PROBE_EXE] create the prefix, start the server
#   wine-run.sh run     STATE EXE [ARGS]       run one test program
#   wine-run.sh cleanup STATE                  stop the server, remove the prefix
#
# STATE is a file in the build folder that tells the later steps where the
# prefix is and whether its programs are 32-bit (BITS 32) or 64-bit (64).
# Nothing here is ever reported as skipped: a step that cannot run fails
# and says why.
#
# Every prefix is a 64-bit one, so that the wineserver and Wine's own
# services run natively on every x86-64 kernel.  32-bit programs need a
# kernel that runs 32-bit Linux programs (the 32-bit Wine loader).  Where
# it does not, they run through qemu user emulation registered with
# binfmt_misc (as root), where every 32-bit process start costs about two
# minutes of emulated CPU.  So the prefix is made by the 64-bit loader
# alone (else wineboot starts 32-bit helpers under the emulator and takes
# eight minutes), and an emulated prefix's syswow64 folder is filled with
# links to Wine's own 32-bit images instead: a prefix in seconds.
#
# The emulator's binfmt_misc entry is shared by every Wine run on the
# machine (other build folders, other users' test runs, a configure step):
# it is registered and switched on here, never switched off.  The set-up
# keeps the emulator from the 32-bit helpers of its own processes only, by
# naming a processor model qemu does not know (QEMU_CPU): they fail to
# start at once, as on a machine without 32-bit support.
#
# Wine's lasting processes (winedevice.exe, the server) inherit any pipe on
# a program's output and keep it open: they get files, never pipes.
#
# Timeouts (seconds) from the environment: KALDER_WINE_BOOT_TIMEOUT (default
# 600), KALDER_WINE_RUN_TIMEOUT (1200).
set -u

log() { echo "[wine-run $(date +%H:%M:%S)] $*"; }
die() {
    echo "FAILED: $*"
    exit 1
}

command=${1:-}
[ -n "$command" ] || {
    echo "usage: $0 mode | setup|run|cleanup STATE [...]" >&2
    exit 2
}
shift

export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY

wine32=/usr/lib/wine/wine
wine64=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver64
binfmt=/proc/sys/fs/binfmt_misc
qemu_entry=$binfmt/qemu-i386
# Prefixes, their logs and Wine's server folders.
tmp=${TMPDIR:-/tmp}

# Wine's own 32-bit images, for the syswow64 folder of an emulated prefix.
wine_i386_images() {
    local dir
    for dir in /usr/lib/i386-linux-gnu/wine/i386-windows /usr/lib/wine/i386-windows; do
        [ -f "$dir/kernel32.dll" ] && {
            echo "$dir"
            return
        }
    done
}

qemu_enabled() { grep -qs '^enabled' "$qemu_entry"; }
set_qemu() { [ -e "$qemu_entry" ] && echo "$1" >"$qemu_entry" 2>/dev/null; }
# What the set-up's own processes get instead of the emulator.
no_emulator=QEMU_CPU=kalder-no-emulation

# Whether the kernel itself runs 32-bit programs.  It runs a copy of the
# 32-bit server whose ELF ABI version byte is 1: the kernel ignores that
# byte, but the emulator's entry matches only 0, so the copy never reaches
# the emulator.  Exit 126 is the kernel's refusal; anything else means it
# ran.
kernel_runs_i386() {
    local copy rc
    copy=$(mktemp "$tmp/kalder-i386.XXXXXX") || return 1
    cp /usr/lib/wine/wineserver32 "$copy" 2>/dev/null &&
        printf '\001' | dd of="$copy" bs=1 seek=8 conv=notrunc status=none && chmod +x "$copy" || {
        rm -f "$copy"
        return 1
    }
    "$copy" --version >/dev/null 2>&1
    rc=$?
    rm -f "$copy"
    [ $rc -ne 126 ] && [ $rc -ne 127 ]
}

# Registers (or switches back on) qemu-i386 for 32-bit ELF programs.
enable_qemu() {
    qemu_enabled && return 0
    [ "$(id -u)" = 0 ] || return 1
    [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || return 1
    if [ -e "$qemu_entry" ]; then
        set_qemu 1
        return
    fi
    local qemu
    qemu=$(command -v qemu-i386-static) || return 1
    # ELF 32-bit little-endian, machine 3 (i386); F keeps the interpreter
    # open so that it works inside other mount namespaces too.
    printf '%s' ':qemu-i386:M::\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
        >"$binfmt/register" 2>/dev/null
}

do_mode() {
    [ -x "$wine32" ] || {
        echo "unavailable: the 32-bit Wine loader is missing (apt-get install wine32:i386)"
        return
    }
    if kernel_runs_i386; then
        echo native
    elif qemu_enabled || { [ "$(id -u)" = 0 ] && command -v qemu-i386-static >/dev/null; }; then
        echo emulated
    else
        echo "unavailable: this kernel does not run 32-bit programs and qemu-i386 user emulation cannot be registered (needs root and qemu-user-static)"
    fi
}

# The registry settings every test program relies on: no display (message
# boxes still work with the null driver) and the Windows version reported to
# the module test programs, which pick a version by their name.
write_registry_settings() {
    cat >"$WINEPREFIX/drive_c/kalder-settings.reg" <<'EOF'
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
    "$wine64" reg import 'C:\kalder-settings.reg' </dev/null >/dev/null 2>&1
}

# Links to Wine's 32-bit images in an empty syswow64 folder.
fill_syswow64() {
    local images target=$WINEPREFIX/drive_c/windows/syswow64
    [ -n "$(ls -A "$target" 2>/dev/null)" ] && return 0
    images=$(wine_i386_images)
    [ -n "$images" ] || return 1
    mkdir -p "$target" && cp -rs "$images/." "$target/"
}

# Space for one prefix: Wine copies its DLLs into system32, about 700 MB.
# Wine writes its messages to the disk that is full, so a boot into a full
# folder fails within a few hundredths of a second, with exit 1 and an
# empty log: say so before trying.
prefix_mb=1024
free_mb() { df -Pm "$tmp" 2>/dev/null | awk 'NR == 2 { print $4 }'; }
check_free_space() {
    local free
    free=$(free_mb)
    [ -z "$free" ] || [ "$free" -ge $prefix_mb ] ||
        die "only $free MB free in $tmp: a Wine prefix takes about 700 MB and $prefix_mb MB are asked for (set TMPDIR to a folder with more room)"
}

# Prefixes of runs that were killed before their cleanup step (ctest
# interrupted, a machine restarted): no process names them and they have
# not changed for an hour.  Each holds about 700 MB.  A live prefix always
# has its persistent server.
remove_abandoned_prefixes() {
    local prefix
    find "$tmp" -maxdepth 1 -type d -name 'kalder-wine??.*' -user "$(id -u)" -mmin +60 2>/dev/null |
        while IFS= read -r prefix; do
            [ -z "$(prefix_processes "$prefix")" ] || continue
            log "removing the abandoned prefix $prefix"
            rm -f "$prefix.boot.log" "$prefix.probe.log"
            stop_prefix "$prefix"
        done
}

do_setup() {
    local state=$1 bits=$2 probe_exe=${3:-}
    local started=$SECONDS
    rm -f "$state"
    [ -x "$wine64" ] && [ -x "$server" ] || die "64-bit Wine is not installed (apt-get install wine wine64)"
    local how=native
    if [ "$bits" = 32 ]; then
        how=$(do_mode)
        case $how in native | emulated) ;; *) die "32-bit Windows programs cannot run here: ${how#unavailable: }" ;; esac
    fi
    log "$bits-bit programs run $how"

    remove_abandoned_prefixes
    check_free_space
    local prefix
    prefix=$(mktemp -d "$tmp/kalder-wine$bits.XXXXXX") || die "no temporary folder"
    rmdir "$prefix" # wineboot creates it and wants to own it
    export WINEPREFIX=$prefix
    printf 'PREFIX=%q\nBITS=%q\nHOW=%q\n' "$prefix" "$bits" "$how" >"$state"

    # While the prefix is made, 32-bit helpers run natively or not at all.
    export "${no_emulator?}"
    log "creating the prefix $prefix"
    timeout --kill-after=20 "${KALDER_WINE_BOOT_TIMEOUT:-600}" "$wine64" wineboot -i \
        </dev/null >"$prefix.boot.log" 2>&1
    local boot_rc=$?
    # wineboot can return before its helpers finish writing the prefix; the
    # server it started exits once they have.
    timeout 300 "$server" -w </dev/null >/dev/null 2>&1
    if ! [ -f "$prefix/system.reg" ] || ! [ -d "$prefix/drive_c/windows/system32" ]; then
        cat "$prefix.boot.log"
        rm -f "$prefix.boot.log"
        stop_prefix "$prefix"
        die "Wine could not create a prefix here (wineboot exit $boot_rc; $(free_mb) MB free in $tmp)"
    fi
    rm -f "$prefix.boot.log"
    log "prefix ready after $((SECONDS - started)) s"

    if [ "$how" = emulated ]; then
        fill_syswow64 || die "Wine's 32-bit images are missing (apt-get install wine32:i386)"
        enable_qemu || die "qemu-i386 user emulation could not be registered (needs root and qemu-user-static)"
    fi
    # The persistent server, and the services the first program starts,
    # outlive this step: they must not hold its output, which ctest waits on.
    "$server" -p </dev/null >/dev/null 2>&1
    write_registry_settings || die "the registry settings could not be imported"
    log "registry set after $((SECONDS - started)) s"

    unset QEMU_CPU
    if [ -n "$probe_exe" ]; then
        run_once "$prefix.probe.log" "$probe_exe"
        local rc=$?
        grep -q 'probe: windows program ran' "$prefix.probe.log" || rc=1
        rm -f "$prefix.probe.log"
        [ $rc -eq 0 ] || die "Wine cannot run a trivial $bits-bit Windows program here (exit $rc)"
    fi
    log "set-up done in $((SECONDS - started)) s"
}

read_state() {
    [ -f "$1" ] || die "the Wine set-up step has not run (no $1)"
    # shellcheck disable=SC1090
    . "$1"
    [ -n "${PREFIX:-}" ] && [ -d "$PREFIX" ] || die "the Wine prefix is gone (${PREFIX:-none})"
    export WINEPREFIX=$PREFIX
}

# One attempt at a test program; its output goes to the file $1 (never to
# a pipe that a Wine process started on the way could keep open) and is
# then shown.
run_once() {
    local out=$1 exe=$2
    shift 2
    local loader=$wine64
    [ "${BITS:-64}" = 32 ] && loader=$wine32
    (cd "$(dirname "$exe")" &&
        timeout --kill-after=10 "${KALDER_WINE_RUN_TIMEOUT:-1200}" "$loader" "$exe" "$@") \
        </dev/null >"$out" 2>&1
    local rc=$?
    cat "$out"
    return $rc
}

do_run() {
    read_state "$1"
    shift
    local exe=$1
    shift
    local out attempt rc
    out=$(mktemp)
    for attempt in 1 2; do
        local started=$SECONDS
        run_once "$out" "$exe" "$@"
        rc=$?
        log "$(basename "$exe") ($BITS-bit, $HOW) exit $rc after $((SECONDS - started)) s"
        [ $rc -eq 124 ] && echo "TIMEOUT: $(basename "$exe") did not finish (a message box left open?)"
        # The emulator itself crashes now and then ("uncaught target
        # signal"), killing the program by a signal: run it once more.  A
        # fault of the program shows as a Windows exit code, not a signal.
        [ $rc -ge 128 ] && [ $rc -le 160 ] && grep -q 'uncaught target signal' "$out" || break
        [ $attempt -eq 1 ] && log "the emulator crashed: running $(basename "$exe") again"
    done
    rm -f "$out"
    return $rc
}

# The processes started in the prefix $1, by their environment: the server
# stops only those that reached it, not a 32-bit program still starting
# under the emulator, which would otherwise run on for minutes and make the
# prefix again once it reaches the server.
prefix_processes() {
    local dir
    for dir in /proc/[0-9]*; do
        [ "${dir#/proc/}" = $$ ] && continue
        grep -qsxzF "WINEPREFIX=$1" "$dir/environ" && echo "${dir#/proc/}"
    done
}

# Stops the server and every process of the prefix $1, then removes it and
# the server's folder (named in the prefix's "wineserver" file).
stop_prefix() {
    local prefix=$1 pids server_dir=
    unset WINEPREFIX # else the checks below would find their own processes
    [ -d "$prefix" ] || return 0
    [ -f "$prefix/wineserver" ] && server_dir=$(cat "$prefix/wineserver" 2>/dev/null)
    WINEPREFIX=$prefix "$server" -k </dev/null >/dev/null 2>&1
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        pids=$(prefix_processes "$prefix")
        [ -z "$pids" ] && break
        # shellcheck disable=SC2086
        kill -KILL $pids 2>/dev/null
        sleep 0.5
    done
    [ -n "$pids" ] && log "processes of $prefix still running: $pids"
    rm -rf "$prefix"
    case $server_dir in wine-??????) rm -rf "$tmp/$server_dir" ;; esac
    log "removed $prefix"
}

do_cleanup() {
    [ -f "$1" ] || exit 0
    # shellcheck disable=SC1090
    . "$1"
    [ -n "${PREFIX:-}" ] && stop_prefix "$PREFIX"
    rm -f "$1"
}

case $command in
mode) do_mode ;;
setup) do_setup "$@" ;;
run) do_run "$@" ;;
cleanup) do_cleanup "$@" ;;
*)
    echo "unknown command $command" >&2
    exit 2
    ;;
esac
