# Sourced. libcsv_source: prints the folder holding libcsv.c and csv.h from Debian's source
# package, unpacked once per machine into the cache, for builds with no libcsv package
# (Windows, WebAssembly).
source "$(dirname "${BASH_SOURCE[0]}")/debian-source.sh"
libcsv_source() {
    local cache=${VELMARITH_CACHE:-$HOME/.cache/velmarith}
    debian_source libcsv "$cache/libcsv-src" >&2
    mkdir -p "$cache/libcsv"
    cp "$cache/libcsv-src/libcsv.c" "$cache/libcsv-src/csv.h" "$cache/libcsv/"
    echo "$cache/libcsv"
}

# libcsv_orig_tarball: prints the path of libcsv's upstream tarball as Debian ships it
# (libcsv_<version>.orig.tar.gz of the source package), downloaded once per machine. The
# source package carries it as its second upstream tarball.
libcsv_orig_tarball() {
    local cache=${VELMARITH_CACHE:-$HOME/.cache/velmarith}
    local dir="$cache/libcsv-orig"
    if ! compgen -G "$dir/libcsv_*.orig.tar.gz" >/dev/null; then
        debian_source libcsv "$cache/libcsv-src" >&2  # adds the deb-src entry when missing
        local work
        work=$(mktemp -d)
        (cd "$work" && apt-get source --download-only libcsv >/dev/null 2>&1)
        mkdir -p "$dir"
        mv "$work"/libcsv_*.orig.tar.gz "$dir/"
        rm -rf "$work"
    fi
    compgen -G "$dir/libcsv_*.orig.tar.gz" | head -1
}
