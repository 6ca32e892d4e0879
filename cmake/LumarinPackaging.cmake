# SPDX-License-Identifier: MIT
# The Debian package: both programs, the desktop entry, the icon in the usual
# sizes, the manual pages of both programs and the documents Debian expects.
# scripts/package builds it and checks it with lintian.
include(GNUInstallDirs)

# scripts/package builds only what the package holds.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(LUMARIN_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)

# Icons: scaled from the one drawn icon.
set(LUMARIN_ICON_SIZES 16 22 24 32 48 64 128 256)
find_program(MAGICK_CONVERT convert)
set(icon_files)
foreach(size IN LISTS LUMARIN_ICON_SIZES)
    set(icon ${LUMARIN_PACKAGE_DIR}/icons/${size}x${size}/lumarin.png)
    add_custom_command(
        OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMARIN_PACKAGE_DIR}/icons/${size}x${size}
        COMMAND ${MAGICK_CONVERT} ${PROJECT_SOURCE_DIR}/resources/lumarin.png
                -filter Lanczos -resize ${size}x${size} -strip ${icon}
        DEPENDS ${PROJECT_SOURCE_DIR}/resources/lumarin.png
        VERBATIM)
    list(APPEND icon_files ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual pages: lumarin-split's from the built program's own --help and
# --version, the window's written by hand.
find_program(HELP2MAN help2man)
set(manpage ${LUMARIN_PACKAGE_DIR}/lumarin-split.1)
add_custom_command(
    OUTPUT ${manpage}.gz
    # The help holds Chinese text: help2man's default C locale would turn it into "?".
    COMMAND ${HELP2MAN} --locale=C.UTF-8 --no-info --no-discard-stderr --section=1
            "--name=split a Chinese novel into chapter files"
            --output=${manpage} $<TARGET_FILE:lumarin-split>
    COMMAND sed -i -f ${PROJECT_SOURCE_DIR}/cmake/ManPageBreaks.sed ${manpage}
    COMMAND gzip -9nf ${manpage}
    DEPENDS lumarin-split ${PROJECT_SOURCE_DIR}/cmake/ManPageBreaks.sed
    VERBATIM)

# Debian's changelog and copyright.
string(TIMESTAMP LUMARIN_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in
               ${LUMARIN_PACKAGE_DIR}/changelog.Debian @ONLY)
add_custom_command(
    OUTPUT ${LUMARIN_PACKAGE_DIR}/changelog.gz
    COMMAND gzip -9nc ${LUMARIN_PACKAGE_DIR}/changelog.Debian > ${LUMARIN_PACKAGE_DIR}/changelog.gz
    DEPENDS ${LUMARIN_PACKAGE_DIR}/changelog.Debian)

set(window_manpage ${LUMARIN_PACKAGE_DIR}/lumarin.1.gz)
add_custom_command(
    OUTPUT ${window_manpage}
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/resources/lumarin.1 > ${window_manpage}
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/lumarin.1)

add_custom_target(package_files ALL DEPENDS ${icon_files} ${manpage}.gz ${window_manpage}
                                            ${LUMARIN_PACKAGE_DIR}/changelog.gz)

install(FILES ${manpage}.gz ${window_manpage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${LUMARIN_PACKAGE_DIR}/changelog.gz ${PROJECT_SOURCE_DIR}/resources/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumarin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumarin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Lumarin developers <lumarin@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "split long Chinese novels into chapter files")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Lumarin finds the chapter headings of a plain-text Chinese novel with a
regular expression or a built-in rule, shows them in a list where false
headings can be unticked and doubtful ones stand out, and writes numbered
chapter files in the source's own encoding (GBK, GB18030, Big5, UTF-8,
UTF-16) without losing a byte, or in UTF-8 or GB18030, or one EPUB book.

The package holds the Qt window (lumarin) and the command-line front end
(lumarin-split).")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (buttons, the text boxes' menus) are Chinese only with its translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/deb)
include(CPack)
