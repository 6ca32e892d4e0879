# SPDX-License-Identifier: MIT
# Third-party libraries, found once for the whole tree. Each becomes an
# imported target so that folders link by name (Lumarin::PCRE2 ...).
find_package(PkgConfig REQUIRED)
find_package(ICU REQUIRED COMPONENTS uc i18n data)

pkg_check_modules(PCRE2 REQUIRED IMPORTED_TARGET libpcre2-16)
pkg_check_modules(OPENCC REQUIRED IMPORTED_TARGET opencc)
pkg_check_modules(UCHARDET REQUIRED IMPORTED_TARGET uchardet)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
pkg_check_modules(NETTLE REQUIRED IMPORTED_TARGET nettle)
pkg_check_modules(NLOHMANN_JSON REQUIRED IMPORTED_TARGET nlohmann_json)
pkg_check_modules(LIBPNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(LIBJPEG REQUIRED IMPORTED_TARGET libjpeg)

add_library(Lumarin::PCRE2 ALIAS PkgConfig::PCRE2)
add_library(Lumarin::OpenCC ALIAS PkgConfig::OPENCC)
add_library(Lumarin::Uchardet ALIAS PkgConfig::UCHARDET)
add_library(Lumarin::Zip ALIAS PkgConfig::LIBZIP)
add_library(Lumarin::Nettle ALIAS PkgConfig::NETTLE)
add_library(Lumarin::Json ALIAS PkgConfig::NLOHMANN_JSON)
add_library(Lumarin::Png ALIAS PkgConfig::LIBPNG)
add_library(Lumarin::Jpeg ALIAS PkgConfig::LIBJPEG)

find_package(CLI11 CONFIG REQUIRED)

find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Test)
set(CMAKE_AUTOMOC OFF)
