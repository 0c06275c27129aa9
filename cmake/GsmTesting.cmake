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

# gsm_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>]
#              [TIMEOUT <seconds>])
# Builds one test executable and registers each of its tests with CTest. Under
# the win32 flavour CTest runs it through Wine (CMAKE_CROSSCOMPILING_EMULATOR).
# A test case that runs longer than TIMEOUT has hung: the default gives a
# case a minute natively and three under Wine, whose first start in a new
# prefix takes a while.
function(gsm_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set(labels ${T_LABELS})
  if(GSM_WIN32)
    list(APPEND labels wine)
    set(timeout 180)
  else()
    list(APPEND labels native)
    set(timeout 60)
  endif()
  if(T_TIMEOUT)
    set(timeout ${T_TIMEOUT})
  endif()
  if("threads" IN_LIST labels)
    add_dependencies(gsm_threaded_tests ${name})
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
