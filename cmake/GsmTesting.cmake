# GoogleTest from Debian's source package, built in both flavours, and one
# helper to declare a test executable.
set(GSM_GTEST_SRC /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${GSM_GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# gsm_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
# Builds one test executable and registers each of its tests with CTest. Under
# the win32 flavour CTest runs it through Wine (CMAKE_CROSSCOMPILING_EMULATOR).
function(gsm_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set(labels ${T_LABELS})
  if(GSM_WIN32)
    list(APPEND labels wine)
  else()
    list(APPEND labels native)
  endif()
  # An empty label list would swallow the TIMEOUT keyword below.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 300
    PROPERTIES LABELS "${labels}" TIMEOUT 600)
endfunction()
