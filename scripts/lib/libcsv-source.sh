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
