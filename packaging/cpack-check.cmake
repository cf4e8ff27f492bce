# Read by cpack for every generator: a Debian package is made only from a
# build in the Debian games layout, never from a plain install's layout.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_TUMBLENOOK_DEBIAN_LAYOUT)
  message(FATAL_ERROR "This build has the plain install layout (bin/, "
          "share/tumblenook/). Make the package with `cmake --workflow "
          "--preset deb`, or configure with -DTUMBLENOOK_DEBIAN_LAYOUT=ON.")
endif()
