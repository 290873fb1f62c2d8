#!/usr/bin/env bash
# Builds the libraries the Windows cross build links -- Boost (log, filesystem, thread,
# date_time, locale and what they need), Crypto++, pugixml and GoogleTest -- for
# x86_64-w64-mingw32 as static libraries, from Debian's source packages of the versions the
# Linux build uses. They go once into a cache folder keyed by those versions and by the
# toolchain; later runs find them there and take seconds. The last line on stdout is the
# prefix holding include/ and lib/ (pass it to CMake as KORVANE_WINDOWS_DEPS); progress
# goes to stderr.
#
# Usage: scripts/windows-deps.sh [--check]
#   --check   run the Wine check (a program linking all four, run under Wine) again
#             on a cached build; a new build always runs it.
# Environment:
#   KORVANE_WINDOWS_DEPS_CACHE  the cache folder
#                               (default ${XDG_CACHE_HOME:-$HOME/.cache}/korvane/windows-deps)
#   JOBS                        parallel compile jobs (default 2)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

recheck=0
case "${1:-}" in
  "") ;;
  --check) recheck=1 ;;
  *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

"$root/scripts/setup.sh" --windows >&2

triple=x86_64-w64-mingw32
cxx=$triple-g++-posix
jobs=${JOBS:-2}
toolchain_file=$root/cmake/mingw-w64-x86_64.cmake
cache=${KORVANE_WINDOWS_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/korvane/windows-deps}
# Raise when the build options below change, so that caches of the old recipe are not reused.
recipe=1

say() { printf '[windows-deps] %s\n' "$*" >&2; }
die() { say "error: $*"; exit 1; }

# The source package and version behind an installed binary package, as "name version".
source_of() {
  dpkg-query -W -f='${source:Package} ${source:Version}\n' "$1" 2>/dev/null \
    || die "$1 is not installed"
}
version_of() {
  dpkg-query -W -f='${Version}' "$1" 2>/dev/null || die "$1 is not installed"
}

# The Linux build compiles against these; the Windows libraries come from the same sources.
read -r boost_src boost_ver < <(source_of libboost1.74-dev)
read -r cryptopp_src cryptopp_ver < <(source_of libcrypto++-dev)
read -r pugixml_src pugixml_ver < <(source_of libpugixml-dev)
gtest_ver=$(version_of googletest)

manifest="recipe $recipe
$boost_src $boost_ver
$cryptopp_src $cryptopp_ver
$pugixml_src $pugixml_ver
googletest $gtest_ver
$cxx $($cxx -dumpfullversion)
g++-mingw-w64-x86-64-posix $(version_of g++-mingw-w64-x86-64-posix)
mingw-w64-x86-64-dev $(version_of mingw-w64-x86-64-dev)
binutils-mingw-w64-x86-64 $(version_of binutils-mingw-w64-x86-64)
libboost1.74-tools-dev $(version_of libboost1.74-tools-dev)"
key=$(printf '%s\n' "$manifest" | sha256sum | cut -c1-16)
prefix=$cache/$key
work=$cache/work-$key
stamps=$prefix/.stamps
wineprefix=$cache/wine

mkdir -p "$cache"
# One build at a time per cache; a second caller waits and then finds the result.
exec 9>"$cache/.lock"
if ! flock -n 9; then
  say "waiting for another run that builds into $cache"
  flock 9
fi

# Runs a build step once, its output into a log that is shown when it fails.
step() {
  local name=$1; shift
  [ -f "$stamps/$name" ] && return 0
  local log=$work/$name.log start=$SECONDS
  say "$name ... (log: $log)"
  # In a subshell outside any condition, so that errexit holds inside the step.
  local rc
  set +e
  (set -e; "$@") >"$log" 2>&1
  rc=$?
  set -e
  if ((rc)); then
    tail -n 40 "$log" >&2
    die "$name failed; the whole log is $log"
  fi
  say "$name done in $((SECONDS - start)) s"
  touch "$stamps/$name"
}

# --- Debian sources --------------------------------------------------------------------

# A private apt configuration that reads the machine's own Debian package definitions with
# the source type switched on. Only entries for this release's suites are taken, so that
# third-party repositories, which often publish no sources, do not break the update.
apt_dir=$cache/apt
apt_opts=(
  -o "Dir::Etc::SourceList=$apt_dir/sources.list"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
  -o "Dir::Cache::Archives=$apt_dir/cache/archives"
)
# The cache may sit in a folder that apt's download user cannot enter.
[ "$(id -u)" -eq 0 ] && apt_opts+=(-o APT::Sandbox::User=root)

write_apt_sources() {
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:?}")
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  # One-line format: "deb [options] URI suite components..."
  local lists=()
  [ -f /etc/apt/sources.list ] && lists+=(/etc/apt/sources.list)
  for f in /etc/apt/sources.list.d/*.list; do [ -f "$f" ] && lists+=("$f"); done
  if ((${#lists[@]})); then
    awk -v rel="$codename" '
      $1 != "deb" { next }
      {
        line = $0; sub(/^deb[ \t]+/, "", line)
        opts = ""
        if (line ~ /^\[/) { opts = substr(line, 1, index(line, "]")); line = substr(line, index(line, "]") + 1) }
        m = split(line, f, /[ \t]+/); n = 0
        for (i = 1; i <= m; i++) if (f[i] != "") w[++n] = f[i]
        if (n >= 2 && (w[2] == rel || index(w[2], rel "-") == 1)) print "deb-src " opts " " line
        delete w
      }' "${lists[@]}" >"$apt_dir/sources.list"
  else
    : >"$apt_dir/sources.list"
  fi
  # deb822 format: stanzas separated by blank lines.
  local parts=()
  for f in /etc/apt/sources.list.d/*.sources; do [ -f "$f" ] && parts+=("$f"); done
  : >"$apt_dir/sources.list.d/system.sources"
  if ((${#parts[@]})); then
    awk -v rel="$codename" '
      function flush(   i, ok, s, n, k) {
        if (nl == 0) return
        ok = has_deb && enabled
        n = split(suites, s, /[ \t]+/); k = 0
        for (i = 1; i <= n; i++) if (s[i] != "") { k++; if (s[i] != rel && index(s[i], rel "-") != 1) ok = 0 }
        if (ok && k > 0) {
          for (i = 1; i <= nl; i++) print (i == types_at ? "Types: deb-src" : L[i])
          print ""
        }
        nl = 0; has_deb = 0; enabled = 1; suites = ""; types_at = 0
      }
      BEGIN { enabled = 1 }
      /^[ \t]*#/ { next }
      /^[ \t]*$/ { flush(); next }
      {
        L[++nl] = $0
        if (tolower($1) == "types:") { types_at = nl; for (i = 2; i <= NF; i++) if ($i == "deb") has_deb = 1 }
        if (tolower($1) == "suites:") { suites = $0; sub(/^[^:]*:/, "", suites) }
        if (tolower($1) == "enabled:" && tolower($2) == "no") enabled = 0
      }
      END { flush() }' "${parts[@]}" >"$apt_dir/sources.list.d/system.sources"
  fi
  [ -s "$apt_dir/sources.list" ] || [ -s "$apt_dir/sources.list.d/system.sources" ] \
    || die "no $codename entries in /etc/apt/sources.list(.d) to read sources from"
  apt-get "${apt_opts[@]}" -q update
}

fetch_sources() {
  rm -rf "$work/src"
  mkdir -p "$work/src"
  cd "$work/src"
  apt-get "${apt_opts[@]}" -q source \
    "$boost_src=$boost_ver" "$cryptopp_src=$cryptopp_ver" "$pugixml_src=$pugixml_ver"
}

# The unpacked tree of a source package, from its .dsc name (name-upstreamversion).
source_dir() {
  local upstream=${2#*:}
  upstream=${upstream%-*}
  local dir=$work/src/$1-$upstream
  [ -d "$dir" ] || die "no unpacked source at $dir"
  echo "$dir"
}

# --- Boost -------------------------------------------------------------------------------

build_boost() {
  local src build=$work/boost-build
  src=$(source_dir "$boost_src" "$boost_ver")
  rm -rf "$build"
  mkdir -p "$build"
  cat >"$build/user-config.jam" <<EOF
using gcc : mingw : $cxx : <archiver>$triple-ar <ranlib>$triple-ranlib <rc>$triple-windres ;
EOF
  cd "$src"
  # Debian's b2 (libboost1.74-tools-dev): the source package does not carry a built one.
  # Boost.Locale gets its Windows back end only: no ICU, no iconv, no POSIX or std back end.
  b2 --user-config="$build/user-config.jam" --build-dir="$build" --prefix="$prefix" \
    --layout=system -j"$jobs" -d1 \
    toolset=gcc-mingw target-os=windows threadapi=win32 \
    architecture=x86 address-model=64 \
    variant=release link=static runtime-link=shared threading=multi \
    boost.locale.icu=off boost.locale.iconv=off boost.locale.posix=off \
    boost.locale.std=off boost.locale.winapi=on \
    --with-log --with-filesystem --with-thread --with-date_time --with-locale \
    --with-system --with-chrono --with-atomic --with-regex \
    install
  rm -rf "$build"
}

# --- Crypto++ ----------------------------------------------------------------------------

build_cryptopp() {
  local src
  src=$(source_dir "$cryptopp_src" "$cryptopp_ver")
  cd "$src"
  make -f GNUmakefile-cross clean >/dev/null 2>&1 || true
  # Named and laid out as Debian's libcrypto++-dev is (crypto++/ headers, libcrypto++.a,
  # libcrypto++.pc), so that the same CMake finds it on both systems.
  make -f GNUmakefile-cross static -j"$jobs" \
    CXX="$cxx" AR="$triple-ar" RANLIB="$triple-ranlib" CXXFLAGS="-DNDEBUG -O2"
  mkdir -p "$prefix/include/crypto++" "$prefix/lib/pkgconfig"
  cp ./*.h "$prefix/include/crypto++/"
  cp libcryptopp.a "$prefix/lib/libcrypto++.a"
  cat >"$prefix/lib/pkgconfig/libcrypto++.pc" <<EOF
prefix=\${pcfiledir}/../..
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: libcrypto++
Description: Crypto++ $cryptopp_ver, static, for $triple
Version: ${cryptopp_ver%%+*}
Libs: -L\${libdir} -lcrypto++
Libs.private: -lws2_32
Cflags: -I\${includedir}
EOF
}

# --- pugixml and GoogleTest, with the project's own toolchain file ----------------------

cmake_install() {
  local src=$1 build=$2; shift 2
  rm -rf "$build"
  cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" \
    -DKORVANE_WINDOWS_DEPS="$prefix" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@"
  cmake --build "$build" -j"$jobs"
  cmake --install "$build"
  rm -rf "$build"
}

build_pugixml() {
  cmake_install "$(source_dir "$pugixml_src" "$pugixml_ver")" "$work/pugixml-build" \
    -DPUGIXML_BUILD_TESTS=OFF
}

build_gtest() {
  cmake_install /usr/src/googletest "$work/gtest-build" -DINSTALL_GTEST=ON
}

# --- The check: one program linking all four, run under Wine ----------------------------

check() {
  local dir=$work/check
  rm -rf "$dir"
  mkdir -p "$dir"
  cat >"$dir/CMakeLists.txt" <<'EOF'
cmake_minimum_required(VERSION 3.16)
project(windows_deps_check CXX)
set(CMAKE_CXX_STANDARD 17)
find_package(Boost 1.74 REQUIRED COMPONENTS log filesystem system thread date_time locale)
find_package(pugixml REQUIRED)
find_package(GTest REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(CRYPTOPP REQUIRED libcrypto++)
find_library(CRYPTOPP_STATIC NAMES libcrypto++.a HINTS ${CRYPTOPP_LIBRARY_DIRS} REQUIRED)
add_executable(check check.cpp)
target_compile_definitions(check PRIVATE BOOST_USE_WINDOWS_H WIN32_LEAN_AND_MEAN)
target_include_directories(check SYSTEM PRIVATE ${CRYPTOPP_INCLUDE_DIRS})
target_link_libraries(check PRIVATE Boost::log Boost::filesystem Boost::locale
  pugixml::pugixml ${CRYPTOPP_STATIC} GTest::gtest ws2_32 mswsock)
target_link_options(check PRIVATE -static-libgcc -static-libstdc++ -static)
EOF
  cat >"$dir/check.cpp" <<'EOF'
#include <boost/filesystem.hpp>
#include <boost/locale/generator.hpp>
#include <boost/log/core.hpp>
#include <boost/log/sinks/sync_frontend.hpp>
#include <boost/log/sinks/text_file_backend.hpp>
#include <boost/log/sources/logger.hpp>
#include <boost/log/sources/record_ostream.hpp>
#include <boost/make_shared.hpp>
#include <crypto++/aes.h>
#include <crypto++/filters.h>
#include <crypto++/hex.h>
#include <crypto++/modes.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace logging = boost::log;

// Boost.Log's file sink in text mode: every record must end in CR LF on Windows.
TEST(WindowsDeps, BoostLogWritesCrlfLines) {
    const auto file = boost::filesystem::temp_directory_path() / "korvane-windows-deps.log";
    boost::filesystem::remove(file);
    using backend_t = logging::sinks::text_file_backend;
    auto backend = boost::make_shared<backend_t>(logging::keywords::file_name = file.string());
    backend->auto_flush(true);
    auto sink = boost::make_shared<logging::sinks::synchronous_sink<backend_t>>(backend);
    sink->imbue(boost::locale::generator()("en_US.UTF-8"));
    logging::core::get()->add_sink(sink);
    logging::sources::logger lg;
    std::thread([&] { BOOST_LOG(lg) << "first \xc3\xa9"; }).join();
    BOOST_LOG(lg) << "second";
    logging::core::get()->remove_all_sinks();
    sink.reset();
    backend.reset();
    std::ifstream in(file.string(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(text, "first \xc3\xa9\r\nsecond\r\n");
}

TEST(WindowsDeps, CryptoppAesCbcRoundTrip) {
    const CryptoPP::byte key[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    const CryptoPP::byte iv[16] = {};
    std::string cipher, plain;
    CryptoPP::CBC_Mode<CryptoPP::AES>::Encryption enc(key, sizeof key, iv);
    CryptoPP::StringSource(std::string("korvane"), true,
        new CryptoPP::StreamTransformationFilter(enc, new CryptoPP::StringSink(cipher)));
    CryptoPP::CBC_Mode<CryptoPP::AES>::Decryption dec(key, sizeof key, iv);
    CryptoPP::StringSource(cipher, true,
        new CryptoPP::StreamTransformationFilter(dec, new CryptoPP::StringSink(plain)));
    EXPECT_EQ(cipher.size(), 16u);
    EXPECT_EQ(plain, "korvane");
    std::string hex;
    CryptoPP::StringSource(std::string("\x01\xab"), true,
        new CryptoPP::HexEncoder(new CryptoPP::StringSink(hex)));
    EXPECT_EQ(hex, "01AB");
}

TEST(WindowsDeps, PugixmlParses) {
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string("<a><b n='3'/></a>"));
    EXPECT_EQ(doc.child("a").child("b").attribute("n").as_int(), 3);
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
EOF
  cmake -S "$dir" -B "$dir/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" \
    -DKORVANE_WINDOWS_DEPS="$prefix" -DCMAKE_BUILD_TYPE=Release
  cmake --build "$dir/build" -j"$jobs"
  local wine
  wine=$(command -v wine64 || command -v wine || true)
  [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
  [ -n "$wine" ] || die "no wine64 or wine"
  WINEPREFIX=$wineprefix WINEDEBUG=-all "$wine" "$dir/build/check.exe"
  rm -rf "$dir"
}

# --- Main --------------------------------------------------------------------------------

# Keeps the steps' logs beside the build and drops the sources and build trees.
finish_work() {
  mkdir -p "$prefix/logs"
  mv "$work"/*.log "$prefix/logs/"
  rm -rf "$work"
}

if [ -f "$stamps/complete" ]; then
  if ((recheck)); then
    mkdir -p "$work"
    rm -f "$stamps/check"
    step check check
    finish_work
  fi
  say "cached: $prefix"
  echo "$prefix"
  exit 0
fi

start=$SECONDS
say "building into $prefix (key $key)"
mkdir -p "$stamps" "$work"
printf '%s\n' "$manifest" >"$prefix/key.txt"
step apt-sources write_apt_sources
step fetch fetch_sources
step boost build_boost
step cryptopp build_cryptopp
step pugixml build_pugixml
step googletest build_gtest
step check check
touch "$stamps/complete"
finish_work
say "built in $((SECONDS - start)) s: $prefix"
echo "$prefix"
