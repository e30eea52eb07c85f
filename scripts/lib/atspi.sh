# Sourced. The accessibility bus for the end-to-end runs: atspi_launcher prints the path of
# at-spi-bus-launcher; wait_for_a11y_bus waits (inside a D-Bus session) until the bus's name
# has an owner.
atspi_launcher() {
    local candidate
    for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
        [ -x "$candidate" ] && { echo "$candidate"; return 0; }
    done
    echo "at-spi-bus-launcher not found (package at-spi2-core)" >&2
    return 1
}

wait_for_a11y_bus() {
    for _ in $(seq 100); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null |
            grep -c "boolean true" >/dev/null && return 0
        sleep 0.05
    done
    echo "the accessibility bus did not come up" >&2
    return 1
}
