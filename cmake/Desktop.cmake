# Desktop integration and packaging: the window icon, what `cmake --install` puts under the
# prefix (the three programs, the help pages, the icon sizes, the desktop entry, the MIME type,
# the AppStream metainfo, the manual pages and the package documents) and the Debian package
# that `cpack -G DEB` builds from it (scripts/build-deb.sh builds and checks it).

include(GNUInstallDirs)

set(CUSTODEX_HOMEPAGE "https://custodex-calendar.example.org" CACHE STRING
    "Home page named in the package and the metainfo; its main-window.png is the screenshot")
set(CUSTODEX_PACKAGE_MAINTAINER
    "Custodex Calendar developers <maintainers@custodex-calendar.example.org>" CACHE STRING
    "Maintainer field of the Debian package")
# The desktop entry, the metainfo and the window's desktop file name share this id.
set(CUSTODEX_APP_ID org.custodex.Calendar)
set(CUSTODEX_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/custodex-calendar)
set(CUSTODEX_ICON_SIZES 16 22 24 32 48 64 128 256)

# The window icon of every window (main.cpp sets it on the application).
target_sources(custodex-calendar PRIVATE ${CMAKE_SOURCE_DIR}/resources/icons.qrc)

install(TARGETS custodex-calendar custodex-cli custodex-list-builder
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The program shows the help pages from its resources; these copies are for reading them
# without it.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help/html DESTINATION ${CUSTODEX_DOC_DIR})

foreach(size IN LISTS CUSTODEX_ICON_SIZES)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/png/custodex-calendar-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
        RENAME custodex-calendar.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/custodex-calendar.svg
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)

install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/${CUSTODEX_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/custodex-calendar.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages)
configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/${CUSTODEX_APP_ID}.metainfo.xml.in
    ${CMAKE_CURRENT_BINARY_DIR}/desktop/${CUSTODEX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/desktop/${CUSTODEX_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

# Manual pages and the package's changelog, compressed as Debian keeps them (gzip -9n: no
# name or time stamp inside, so the same input gives the same bytes). The page of
# custodex-cli is written from the program's own help texts, so it cannot drift from them.
find_program(CUSTODEX_GZIP gzip REQUIRED)
set(generated ${CMAKE_CURRENT_BINARY_DIR}/generated)
add_custom_command(OUTPUT ${generated}/custodex-cli.1
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
        ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:custodex-cli> -DVERSION=${PROJECT_VERSION}
        -DOUTPUT=${generated}/custodex-cli.1 -P ${CMAKE_SOURCE_DIR}/cmake/CliManPage.cmake
    DEPENDS custodex-cli ${CMAKE_SOURCE_DIR}/cmake/CliManPage.cmake
    COMMENT "Writing the manual page of custodex-cli from its help texts"
    VERBATIM)
configure_file(${CMAKE_SOURCE_DIR}/cmake/deb/changelog.in ${generated}/changelog @ONLY)

set(compressed "")
foreach(source IN ITEMS ${generated}/custodex-cli.1
                        ${CMAKE_SOURCE_DIR}/docs/custodex-calendar.1
                        ${CMAKE_SOURCE_DIR}/docs/custodex-list-builder.1
                        ${generated}/changelog)
    get_filename_component(name ${source} NAME)
    add_custom_command(OUTPUT ${generated}/gz/${name}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${generated}/gz/${name}
        COMMAND ${CUSTODEX_GZIP} -9nf ${generated}/gz/${name}
        DEPENDS ${source}
        VERBATIM)
    list(APPEND compressed ${generated}/gz/${name}.gz)
endforeach()
add_custom_target(custodex_documents ALL DEPENDS ${compressed})

install(FILES ${generated}/gz/custodex-cli.1.gz ${generated}/gz/custodex-calendar.1.gz
    ${generated}/gz/custodex-list-builder.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${generated}/gz/changelog.gz ${CMAKE_SOURCE_DIR}/cmake/deb/copyright
    DESTINATION ${CUSTODEX_DOC_DIR})

# The Debian package: `cpack -G DEB` in a Release build (scripts/build-deb.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME custodex-calendar)
set(CPACK_PACKAGE_VENDOR "The Custodex Calendar developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${CUSTODEX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CUSTODEX_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${CUSTODEX_HOMEPAGE})
# The libraries the programs link come from dpkg-shlibdeps; the Arial-compatible font the
# calendar pages are laid out with is recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plan and count a child's custody time")
# The summary is the first line of the Description field, this text the lines after it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Custodex Calendar is a desktop program for family-law professionals who plan
and count the time a child spends with the non-custodial parent. Each client
has one calendar of 24 consecutive months; every day can carry an overnight
stay and a day visit, each with a reason, pickup and dropoff times and a
no-nap marker. From the marks the program keeps counters and percentages for
each year of the span and for both years.
.
The package also holds custodex-cli, a command-line companion that reads,
creates and rewrites the calendar files (.cdb) for scripts.")
include(CPack)
