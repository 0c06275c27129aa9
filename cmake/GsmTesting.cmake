# GoogleTest from Debian's source package, built in both flavours, and one
# helper to declare a test executable.
set(GSM_GTEST_SRC /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${GSM_GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# Every test executable labelled "threads" (code that runs threads of its
# own): the ThreadSanitizer run builds this target and runs that label.
add_custom_target(gsm_threaded_tests)

if(GSM_WIN32)
  set(GSM_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)
endif()

# gsm_wine_test_properties(<test> [DESKTOP] [ALONE]): a test that runs under Wine.
# It needs the prefix and the display that the fixture "wine" prepares
# (tests/CMakeLists.txt); with DESKTOP it shows windows on the shared display
# (takes the focus, moves the pointer or reads the screen), and such tests
# run one at a time. Tests without DESKTOP run beside them. ALONE: the
# test times a serial link against the simulator (a unit's reply within its
# time limit), which a second Wine test on two cores can starve; it runs
# with no other test beside it.
function(gsm_wine_test_properties test)
  cmake_parse_arguments(W "DESKTOP;ALONE" "" "" ${ARGN})
  set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED wine)
  if(W_DESKTOP)
    set_tests_properties(${test} PROPERTIES RESOURCE_LOCK wine_desktop)
  endif()
  if(W_ALONE)
    set_tests_properties(${test} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

# gsm_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>]
#              [TIMEOUT <seconds>] [DESKTOP])
# Builds one test executable and registers it with CTest.
# Natively each test case is a CTest test of its own; a case that runs
# longer than TIMEOUT (default a minute) has hung.
# Under the win32 flavour the program runs once under Wine, all its cases in
# one process (starting a Wine process costs about a second), as one CTest
# test named after the program; its report names the failed cases. TIMEOUT
# then bounds the whole program (default 25 minutes). DESKTOP: the program
# shows windows (see gsm_wine_test_properties).
function(gsm_add_test name)
  cmake_parse_arguments(T "DESKTOP" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set(labels ${T_LABELS})
  if("threads" IN_LIST labels)
    add_dependencies(gsm_threaded_tests ${name})
  endif()
  if(GSM_WIN32)
    list(APPEND labels wine)
    add_test(NAME ${name}
      COMMAND python3 ${PROJECT_SOURCE_DIR}/scripts/gtest-program.py
              ${CMAKE_CURRENT_BINARY_DIR}/${name}.xml -- ${GSM_WINE_RUN} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES LABELS "${labels}" TIMEOUT 1500
      ENVIRONMENT "GSM_BUILD_DIR=${CMAKE_BINARY_DIR}")
    if(T_DESKTOP)
      gsm_wine_test_properties(${name} DESKTOP)
    else()
      gsm_wine_test_properties(${name})
    endif()
    return()
  endif()
  list(APPEND labels native)
  set(timeout 60)
  if(T_TIMEOUT)
    set(timeout ${T_TIMEOUT})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 180
    PROPERTIES TIMEOUT ${timeout})
  # The discovered properties travel as one flat list, where a list of
  # labels would fall apart: the labels are set by a script of their own
  # that CTest reads after the discovered tests.
  set(label_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake)
  file(WRITE ${label_script}
       "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${labels}\")\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${label_script})
endfunction()
