# Sourced. A fresh minimal Debian 12 root for the tests that need a machine with nothing on
# it: made once per machine with debootstrap (--variant=minbase, man-db included so that
# manual pages can be read) and cached outside the work tree as a tarball, unpacked anew
# for every run. pristine_root_tarball prints the tarball's path, making it when missing.
pristine_root_tarball() {
    local cache=${VELMARITH_CACHE:-$HOME/.cache/velmarith}
    local pristine="$cache/bookworm-minbase.tar"
    local mirror=${VELMARITH_DEBIAN_MIRROR:-http://deb.debian.org/debian}
    if [ ! -f "$pristine" ]; then
        echo "== making a minimal Debian 12 root (once per machine)" >&2
        mkdir -p "$cache"
        local fresh
        fresh=$(mktemp -d)
        debootstrap --variant=minbase --include=man-db bookworm "$fresh" "$mirror" \
            >"$cache/debootstrap.log"
        tar -C "$fresh" -cf "$pristine.part" .
        mv "$pristine.part" "$pristine"
        rm -rf "$fresh"
    fi
    echo "$pristine"
}
