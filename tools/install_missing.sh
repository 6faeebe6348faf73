# Sourced by dev.sh and bench/run.sh. install_missing [--lean] PACKAGE...
# installs the Debian packages that are not installed yet, with sudo when not
# root; --lean leaves out what they only recommend.
install_missing() {
    local missing=() p options=()
    if [ "${1:-}" = --lean ]; then
        options=(--no-install-recommends)
        shift
    fi
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${options[@]}" "${missing[@]}"
}
