# Sourced by the checks that run the game on a virtual screen with an accessibility bus:
# a fresh home, settings, data and working folder (removed on exit), none of the caller's
# display, buses or platform, and the pieces each session runs.
scratch=$(mktemp -d) && trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch"/{home,config,data,runtime,play} && cd "$scratch/play" || exit 1
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
export XDG_RUNTIME_DIR=$scratch/runtime QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_QPA_PLATFORM WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS DBUS_SESSION_BUS_ADDRESS
# The game's own language, whatever the caller's desktop speaks.
export LANG=C.UTF-8
unset LC_ALL LC_MESSAGES LANGUAGE

# The start of a session: the accessibility bus, once its name appears on the session bus.
start_bus='/usr/libexec/at-spi-bus-launcher --launch-immediately & launcher=$!
gdbus wait --session --timeout 120 org.a11y.Bus ||
    echo "the accessibility bus did not appear within 120 s" >&2
'

# What the session printed, without the buses' chatter.
show_session_log() {
    sed -e 's/SpiRegistry daemon is running with well-known name - org.a11y.atspi.Registry//' \
        -e '/fd limit\|Activating service\|Successfully activated/d' "$scratch/log"
}
