# Installation and the Debian package.
#
# The installed tree has the same shape as the build tree: the game and its
# launcher in bin/, the shipped catalogue in share/tumblenook/, so that the
# launcher finds both relative to itself wherever the tree is installed.

include(GNUInstallDirs)

install(TARGETS tumblenook RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/tools/tumblenook-play
        DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TUMBLENOOK_DATA_FILES}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tumblenook)
install(FILES ${CMAKE_SOURCE_DIR}/docs/tumblenook.6
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# `cpack -G DEB` in a build folder makes tumblenook_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME tumblenook)
set(CPACK_PACKAGE_VENDOR "Tumblenook")
set(CPACK_PACKAGE_CONTACT "Tumblenook maintainers <maintainers@tumblenook.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
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
  # What a g++ 12 build links against, for hosts without dpkg-dev.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), libstdc++6 (>= 12)")
endif()
include(CPack)
