# Sourced. debian_source PACKAGE DEST: unpacks Debian's source package PACKAGE (bookworm) into
# the folder DEST, adding a deb-src entry for bookworm main first when apt has none.
source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"
debian_source() {
    local package=$1 dest=$2
    [ -d "$dest" ] && return 0
    install_packages dpkg-dev  # dpkg-source
    if ! apt-get source --print-uris "$package" >/dev/null 2>&1; then
        cat >/etc/apt/sources.list.d/velmarith-bookworm-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
        apt-get update
    fi
    local work
    work=$(mktemp -d)
    (cd "$work" && apt-get source --download-only "$package" >/dev/null &&
        dpkg-source --no-check -x ./*.dsc unpacked >/dev/null)
    mkdir -p "$(dirname "$dest")"
    mv "$work/unpacked" "$dest"
    rm -rf "$work"
}
