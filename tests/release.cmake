# Tests of what is shipped: the player's guide against the game, and the
# installed tree played through its launcher.

set_property(SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/guide_test.cc APPEND PROPERTY
             COMPILE_DEFINITIONS TUMBLENOOK_GUIDE="${PROJECT_SOURCE_DIR}/README.md")

add_test(NAME launcher_test
         COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/launcher_test.sh ${PROJECT_BINARY_DIR})
