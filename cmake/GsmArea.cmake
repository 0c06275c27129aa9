# One helper for the libraries of the source areas (src/<area>).
#
# gsm_add_area_library(<name> [DIR <dir>] [PLATFORM_DIR <subdir>]
#                      [EXCLUDE <files...>] [LIBS <targets...>]
#                      [WIN32_LIBS <libs...>] [HOST_LIBS <libs...>])
# A static library of every .cpp in DIR (default: the calling folder) and in
# its platform folder DIR/PLATFORM_DIR, less the EXCLUDE files (named relative
# to DIR). Its headers are included from src/ ("area/file.h"). LIBS are its
# public dependencies on both flavours, WIN32_LIBS those of the win32 flavour
# only (system libraries), HOST_LIBS those of the native flavour only.
#
# The platform folder is one of the two chosen once in the top CMakeLists.txt:
# ${GSM_WIDGETSET} (win32 or headless) for code that draws or runs windows,
# ${GSM_PLATFORM} (win32 or posix) for code that calls the operating system.
function(gsm_add_area_library name)
  cmake_parse_arguments(A "" "DIR;PLATFORM_DIR" "EXCLUDE;LIBS;WIN32_LIBS;HOST_LIBS" ${ARGN})
  if(A_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "gsm_add_area_library(${name}): unknown arguments ${A_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT A_DIR)
    set(A_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(patterns ${A_DIR}/*.cpp)
  if(A_PLATFORM_DIR)
    list(APPEND patterns ${A_DIR}/${A_PLATFORM_DIR}/*.cpp)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${patterns})
  foreach(file IN LISTS A_EXCLUDE)
    list(REMOVE_ITEM sources ${A_DIR}/${file})
  endforeach()

  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${A_LIBS})
  if(GSM_WIN32)
    target_link_libraries(${name} PUBLIC ${A_WIN32_LIBS})
  else()
    target_link_libraries(${name} PUBLIC ${A_HOST_LIBS})
  endif()
endfunction()
