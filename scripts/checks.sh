# The pass and fail count of the check scripts, for them to source.
#   check DESCRIPTION COMMAND...: runs the command, counts it as passed or
#   failed, and names a failure.
passed=0
failed=0

check() {
    if "${@:2}"; then
        passed=$((passed + 1))
    else
        echo "FAIL: $1"
        failed=$((failed + 1))
    fi
}
