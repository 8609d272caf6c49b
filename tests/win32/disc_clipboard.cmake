# Included by tests/win32/CMakeLists.txt: the clipboard peer process and the simulated-disc test.

# A second process for the clipboard round trips of win32_tests.
add_executable(clipboard_peer ${CMAKE_CURRENT_LIST_DIR}/clipboard_peer/clipboard_peer.cpp)
target_link_libraries(clipboard_peer PRIVATE spindrel_win32 spindrel_warnings)
target_include_directories(clipboard_peer PRIVATE ${PROJECT_SOURCE_DIR}/tests)
set_target_properties(clipboard_peer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/testbin)
add_dependencies(win32_tests clipboard_peer)

# A disc made by tools/mkdisc in the build's Wine prefix, then found through the real drive
# queries; taken away again afterwards so that it cannot win another test's scan.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(SPINDREL_MKDISC ${PROJECT_SOURCE_DIR}/tools/mkdisc/mkdisc.py)
set(disc_letter S)
add_executable(disc_wine_tests ${CMAKE_CURRENT_LIST_DIR}/disc_wine/disc_wine_test.cpp)
target_link_libraries(disc_wine_tests PRIVATE spindrel_win32 GTest::gtest_main spindrel_warnings)
target_compile_definitions(disc_wine_tests PRIVATE
  SPINDREL_TEST_DISC_LETTER='${disc_letter}'
  SPINDREL_TEST_DISC_LABEL="SPINDREL_TEST"
  SPINDREL_TEST_DISC_SERIAL=0x1A2B3C4D
  SPINDREL_TEST_DISC_IDENTITY="1A2B:3C4D"
  SPINDREL_TEST_DISC_REGION=0xF5
  SPINDREL_TEST_DISC_LIT="010100")
set_target_properties(disc_wine_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/testbin)

add_test(NAME simulated_disc_make
  COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${SPINDREL_WINEPREFIX}
          ${Python3_EXECUTABLE} ${SPINDREL_MKDISC} ${disc_letter} SPINDREL_TEST 1A2B3C4D F5)
add_test(NAME simulated_disc_found COMMAND disc_wine_tests)
add_test(NAME simulated_disc_remove
  COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${SPINDREL_WINEPREFIX}
          ${Python3_EXECUTABLE} ${SPINDREL_MKDISC} --remove ${disc_letter})
set_tests_properties(simulated_disc_make PROPERTIES FIXTURES_SETUP simulated_disc RUN_SERIAL TRUE
  TIMEOUT 120)
set_tests_properties(simulated_disc_found PROPERTIES FIXTURES_REQUIRED simulated_disc
  RUN_SERIAL TRUE TIMEOUT 60)
set_tests_properties(simulated_disc_remove PROPERTIES FIXTURES_CLEANUP simulated_disc
  RUN_SERIAL TRUE TIMEOUT 120)
