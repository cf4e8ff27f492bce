# Removes what `cmake --install` put in place, as listed in the build's
# install_manifest.txt, and the game's own folders that this leaves empty.
# The players' gardens are never in the installed tree, so they stay.
#
# Usage: cmake -D MANIFEST=BUILD_DIR/install_manifest.txt -P uninstall.cmake
# (the `uninstall` target of a build runs it on that build's last install).

if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} is not there "
                      "(it is written by cmake --install).")
endif()

file(STRINGS "${MANIFEST}" installed)
set(folders)
foreach(file IN LISTS installed)
  if(EXISTS "${file}" OR IS_SYMLINK "${file}")
    message(STATUS "Removing ${file}")
    file(REMOVE "${file}")
    if(EXISTS "${file}" OR IS_SYMLINK "${file}")
      message(FATAL_ERROR "Could not remove ${file}")
    endif()
  endif()
  get_filename_component(folder "${file}" DIRECTORY)
  get_filename_component(name "${folder}" NAME)
  if(name STREQUAL "tumblenook")
    list(APPEND folders "${folder}")
  endif()
endforeach()

# Only the game's own folders (share/tumblenook/ and the like) and only when
# empty: bin/ or share/ may hold other programs' files.
list(REMOVE_DUPLICATES folders)
foreach(folder IN LISTS folders)
  file(GLOB left "${folder}/*")
  if(IS_DIRECTORY "${folder}" AND NOT left)
    message(STATUS "Removing ${folder}/")
    file(REMOVE_RECURSE "${folder}")
  endif()
endforeach()
