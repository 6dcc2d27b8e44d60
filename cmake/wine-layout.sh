# Sourced by the scripts that start Wine; call `wine_fixed_layout "$0" "$@"` before anything else.
#
# Debian's wine64 8.0 comes without Wine's preloader, which would claim the address ranges
# Windows programs expect before anything else is mapped. Its loader is linked at 0x7d000000,
# and the kernel starts the heap (the program break) at a random page in the GiB above it. When
# the heap's first 132 KiB reach into the 64 KiB at 0x7ffe0000, where Windows' shared user data
# belongs, the process ends before it runs, with status 1 and "err:virtual:virtual_alloc_first_teb
# wine: failed to map the shared user data: c0000018": here once in 2,000 to 5,000 starts. A test
# program then fails at once without output, and CreateProcess fails with error 1359, so cmd
# answers a line of do.bat with "Can't recognize '…' as an internal or external command" and
# the file never reaches the command. Without address randomisation, which every child
# inherits, the heap stays beside the loader.

# Runs the calling script again without address randomisation, unless it already runs so.
wine_fixed_layout() {
    local personality
    read -r personality </proc/self/personality 2>/dev/null || return 0
    ((0x$personality & 0x0040000)) && return 0  # ADDR_NO_RANDOMIZE
    if setarch "$(uname -m)" -R true 2>/dev/null; then
        exec setarch "$(uname -m)" -R bash "$@"
    fi
    echo "$(basename "$1"): address randomisation cannot be switched off here (setarch -R);" \
        "now and then a Wine process will fail to start (c0000018)" >&2
}
