# Sourced. The version is written once, in CMakeLists.txt's project(VERSION …); the file
# names of the downloads and the package follow from it. project_version prints it ("1.0");
# deb_file prints the package's path under build-deb/, whose Debian revision comes from
# debian/changelog (whose upstream version must be the project's).
velmarith_source_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

project_version() {
    sed -n 's/^project(Velmarith VERSION \([0-9.]*\).*/\1/p' "$velmarith_source_root/CMakeLists.txt"
}

deb_version() {
    sed -n '1s/^velmarith (\([^)]*\)).*/\1/p' "$velmarith_source_root/debian/changelog"
}

deb_file() {
    echo "$velmarith_source_root/build-deb/velmarith_$(deb_version)_$(dpkg --print-architecture).deb"
}

# "1.00": the minor part with two digits, as the version resource shows it.
file_version() {
    local version major minor
    version=$(project_version)
    major=${version%%.*}
    minor=${version#*.}
    minor=${minor%%.*}
    printf '%s.%02d\n' "$major" "$minor"
}
