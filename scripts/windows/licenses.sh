#!/usr/bin/env bash
# Writes the licence texts of everything the Windows downloads bundle into the folder $1.
set -euo pipefail
dest=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$dest"
cp "$root/LICENSE" "$dest/Velmarith-MIT.txt"
cp /usr/share/common-licenses/LGPL-3 "$dest/Qt-LGPL-3.0.txt"
cp /usr/share/common-licenses/GPL-3 "$dest/GPL-3.0.txt"
cp /usr/share/common-licenses/LGPL-2.1 "$dest/libcsv-LGPL-2.1.txt"
cp /usr/share/doc/libcli11-dev/copyright "$dest/CLI11-BSD-3-Clause.txt"
cp /usr/share/doc/nlohmann-json3-dev/copyright "$dest/nlohmann-json-MIT.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$dest/MinGW-w64-GCC-runtime.txt" 2>/dev/null ||
    cp /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright "$dest/MinGW-w64-GCC-runtime.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$dest/MinGW-w64-winpthreads.txt"
cat >"$dest/README.txt" <<'TEXT'
Velmarith is released under the MIT licence (Velmarith-MIT.txt).

This download also contains, unchanged and as separate libraries:

- Qt 6.4.2 (Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, platforms\qwindows.dll, styles\*.dll,
  translations\qtbase_zh_CN.qm), under the GNU LGPL 3.0 (Qt-LGPL-3.0.txt, GPL-3.0.txt).
  It was built from Debian's source package qt6-base, version 6.4.2+dfsg (Debian 12
  "bookworm"), which you can get with `apt-get source qt6-base=6.4.2+dfsg-*` or from
  the Debian source archive; the build script is scripts/windows/build-qt.sh in the
  Velmarith source. You may replace these DLLs with your own build of Qt 6.4.
- libcsv (linked into velmarith-calc.exe, compiled into velmarith.html), under the GNU
  LGPL 2.1 or later (libcsv-LGPL-2.1.txt); source: Debian's source package libcsv.
- CLI11 (compiled into velmarith-calc.exe), under the BSD 3-Clause licence.
- JSON for Modern C++ (compiled into velmarith-calc.exe and velmarith.html), under the MIT
  licence (nlohmann-json-MIT.txt).
- The MinGW-w64 GCC runtime (libstdc++-6.dll, libgcc_s_seh-1.dll), under the GPL 3 with
  the GCC Runtime Library Exception, and winpthreads (libwinpthread-1.dll), under the
  licences in MinGW-w64-winpthreads.txt.
TEXT
