# Windows build: the real backend and machine, the programs, and the dist
# folder laid out as the program expects it (Norvane.exe, Kit\, Lang\).
set(CMAKE_CXX_FLAGS "${CMAKE_CXX_FLAGS} -static -static-libgcc -static-libstdc++")
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
enable_language(RC)

set(NORVANE_DIST_DIR ${CMAKE_BINARY_DIR}/dist)

norvane_sources(WIN32_SOURCES src/ui/win32 src/platform/win32 src/automation/win32)
add_library(norvane_win32 STATIC ${WIN32_SOURCES})
target_link_libraries(norvane_win32 PUBLIC norvane_core comctl32 shlwapi shell32 ole32 uuid
                      gdi32 msimg32 user32 kernel32 winmm mpr advapi32)

# Norvane.exe: the GUI program.
norvane_sources(APP_SOURCES src/app/win32)
file(GLOB APP_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/win32/*.rc)
if(APP_SOURCES)
  add_executable(Norvane WIN32 ${APP_SOURCES} ${APP_RESOURCES})
  target_link_libraries(Norvane PRIVATE norvane_win32)
  set_target_properties(Norvane PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${NORVANE_DIST_DIR})
endif()

# Ascendor.exe: the elevation launcher, a program of its own that links
# nothing of Norvane.
add_executable(Ascendor WIN32 ${CMAKE_SOURCE_DIR}/src/launcher/main.cpp
                              ${CMAKE_SOURCE_DIR}/src/launcher/ascendor.rc)
target_include_directories(Ascendor PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(Ascendor PRIVATE shell32 user32 kernel32)
set_target_properties(Ascendor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${NORVANE_DIST_DIR})

# echoargs.exe writes the command line it was given beside itself, for the
# launcher's end-to-end test; it stays out of what ships.
add_executable(echoargs WIN32 ${CMAKE_SOURCE_DIR}/tests/e2e/echoargs/main.cpp)
set_target_properties(echoargs PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The pictures drawn by the native target norvane_assets: give its folder as
# NORVANE_ASSETS. Its script also lists the program icon, unless one of the
# program's own resource scripts embeds norvane.ico already.
set(NORVANE_ASSETS "" CACHE PATH "folder with assets.rc from the native norvane_assets target")
if(TARGET Norvane AND NORVANE_ASSETS AND EXISTS ${NORVANE_ASSETS}/assets.rc)
  target_sources(Norvane PRIVATE ${NORVANE_ASSETS}/assets.rc)
  foreach(rc ${APP_RESOURCES})
    file(STRINGS ${rc} icon_lines REGEX "norvane\\.ico")
    if(icon_lines)
      set_property(SOURCE ${NORVANE_ASSETS}/assets.rc APPEND
                   PROPERTY COMPILE_DEFINITIONS NORVANE_ICON_ELSEWHERE)
    endif()
  endforeach()
endif()

# Console helpers for tests and administrators.
foreach(tool automate plugdrive holdfile)
  norvane_sources(TOOL_SOURCES tools/${tool})
  if(TOOL_SOURCES)
    set(name ${tool})
    set(out ${NORVANE_DIST_DIR})
    if(tool STREQUAL automate)
      set(name norvane-automate)
    else()
      set(out ${CMAKE_BINARY_DIR})  # test tools stay out of what ships
    endif()
    add_executable(${name} ${TOOL_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PRIVATE user32 kernel32 shell32)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${out})
  endif()
endforeach()

include(${CMAKE_SOURCE_DIR}/cmake/kit.cmake OPTIONAL)

# Tests of the real machine layer, run under Wine by the end-to-end suite.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  norvane_sources(WIN32_TEST_SOURCES tests/win32)
  add_executable(norvane_win32_tests ${WIN32_TEST_SOURCES})
  target_link_libraries(norvane_win32_tests PRIVATE norvane_win32 gtest gtest_main)
  set_target_properties(norvane_win32_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endif()
