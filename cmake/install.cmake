# Installation and the Debian package.
#
# A plain install (`cmake --install ... --prefix DIR`) has the same shape as
# the build tree: the game and its launcher in bin/, the shipped catalogue in
# share/tumblenook/, the manual page in share/man/man6/ (the launcher's is a
# link to it), so that the launcher finds both relative to itself wherever
# the tree is installed.
#
# The Debian package (TUMBLENOOK_DEBIAN_LAYOUT, the `deb` preset) follows the
# games layout instead: the game and launcher in /usr/games, the catalogue in
# /usr/share/games/tumblenook, and the manual page, the changelog and the
# copyright under /usr/share, compressed the Debian way.

include(GNUInstallDirs)

option(TUMBLENOOK_DEBIAN_LAYOUT
       "Install in the Debian games layout (/usr/games, /usr/share/games)" OFF)

if(TUMBLENOOK_DEBIAN_LAYOUT)
  set(TUMBLENOOK_INSTALL_BINDIR games)
  set(TUMBLENOOK_INSTALL_DATADIR share/games/tumblenook)
else()
  set(TUMBLENOOK_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
  set(TUMBLENOOK_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/tumblenook)
endif()

install(TARGETS tumblenook RUNTIME DESTINATION ${TUMBLENOOK_INSTALL_BINDIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/tools/tumblenook-play
        DESTINATION ${TUMBLENOOK_INSTALL_BINDIR})
install(FILES ${TUMBLENOOK_DATA_FILES} DESTINATION ${TUMBLENOOK_INSTALL_DATADIR})

if(TUMBLENOOK_DEBIAN_LAYOUT)
  # Linked as Debian builds its games: relocations read-only and bound at
  # start-up.
  target_link_options(tumblenook PRIVATE -Wl,-z,relro -Wl,-z,now)
  # gzip -9n: the best compression, and no file name or time stamp in the
  # header, so that the same sources make the same package.
  set(gzipped)
  foreach(pair docs/tumblenook.6:tumblenook.6.gz packaging/changelog:changelog.gz)
    string(REPLACE ":" ";" pair ${pair})
    list(GET pair 0 source)
    list(GET pair 1 output)
    add_custom_command(OUTPUT ${output}
      COMMAND gzip -9n --stdout ${CMAKE_SOURCE_DIR}/${source} > ${output}
      DEPENDS ${CMAKE_SOURCE_DIR}/${source}
      COMMENT "Compressing ${source}")
    list(APPEND gzipped ${CMAKE_BINARY_DIR}/${output})
  endforeach()
  add_custom_target(tumblenook_debian_docs ALL DEPENDS ${gzipped})
  # The launcher's manual page is the game's.
  file(CREATE_LINK tumblenook.6.gz ${CMAKE_BINARY_DIR}/tumblenook-play.6.gz SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/tumblenook.6.gz
                ${CMAKE_BINARY_DIR}/tumblenook-play.6.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${CMAKE_BINARY_DIR}/changelog.gz
                ${CMAKE_SOURCE_DIR}/packaging/copyright
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
else()
  # The launcher's manual page is the game's, here too: `man tumblenook-play`.
  file(CREATE_LINK tumblenook.6 ${CMAKE_BINARY_DIR}/tumblenook-play.6 SYMBOLIC)
  install(FILES ${CMAKE_SOURCE_DIR}/docs/tumblenook.6
                ${CMAKE_BINARY_DIR}/tumblenook-play.6
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()

# `cmake --build BUILD_DIR --target uninstall` removes what the last
# `cmake --install` of that build put in place; gardens stay.
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -D MANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
          -P ${CMAKE_SOURCE_DIR}/cmake/uninstall.cmake
  COMMENT "Removing the installed game")

# `cpack -G DEB` in a build folder of the Debian layout (`cmake --workflow
# --preset deb`) makes tumblenook_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME tumblenook)
set(CPACK_PACKAGE_VENDOR "Tumblenook")
set(CPACK_PACKAGE_CONTACT "Tumblenook maintainers <maintainers@tumblenook.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console garden of small creatures")
set(CPACK_PACKAGE_DESCRIPTION
    "Hatch, name, feed, pet and breed up to eight small creatures, the Mirl,\n\
and watch them grow into the adult form their upbringing picks.\n\
Start it with tumblenook-play; the garden is kept per user.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
find_program(TUMBLENOOK_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TUMBLENOOK_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  # What a g++ 12 build links against, the screen's ncursesw and its
  # terminfo library included, for hosts without dpkg-dev.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libc6 (>= 2.34), libncursesw6 (>= 6), libstdc++6 (>= 12), libtinfo6 (>= 6)")
endif()
set(CPACK_TUMBLENOOK_DEBIAN_LAYOUT ${TUMBLENOOK_DEBIAN_LAYOUT})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/packaging/cpack-check.cmake)
include(CPack)
