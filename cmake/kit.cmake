# What ships beside Norvane.exe in the dist folder, one section per kind.
# Included by the Windows build (cmake/windows.cmake), which sets
# NORVANE_DIST_DIR.

# ---- Language files: kit/lang/<Name>.txt -> dist/Lang/<Name>.ini ----------
# The sources are UTF-8 so that they read well in git; the program reads
# UTF-16LE with CR LF lines (see lang_ini.cmake).
find_program(NORVANE_ICONV iconv REQUIRED)
file(GLOB NORVANE_LANG_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/kit/lang/*.txt)
set(NORVANE_LANG_FILES)
foreach(source ${NORVANE_LANG_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  set(target ${NORVANE_DIST_DIR}/Lang/${name}.ini)
  add_custom_command(
    OUTPUT ${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${NORVANE_DIST_DIR}/Lang
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${source} -DTARGET=${target} -DICONV=${NORVANE_ICONV}
            -P ${CMAKE_SOURCE_DIR}/cmake/lang_ini.cmake
    DEPENDS ${source} ${CMAKE_SOURCE_DIR}/cmake/lang_ini.cmake
    COMMENT "Language file Lang\\${name}.ini")
  list(APPEND NORVANE_LANG_FILES ${target})
endforeach()
add_custom_target(norvane_lang ALL DEPENDS ${NORVANE_LANG_FILES})

# ---- Detection lists: kit/lists/<Name>.txt -> dist/Kit/<Name>.exe ----------
# Plain text despite the extension, copied byte for byte (see kit/lists).
set(NORVANE_LIST_FILES)
foreach(name Varko Lunet)
  set(source ${CMAKE_SOURCE_DIR}/kit/lists/${name}.txt)
  set(target ${NORVANE_DIST_DIR}/Kit/${name}.exe)
  add_custom_command(
    OUTPUT ${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${NORVANE_DIST_DIR}/Kit
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${target}
    DEPENDS ${source}
    COMMENT "Detection list Kit\\${name}.exe")
  list(APPEND NORVANE_LIST_FILES ${target})
endforeach()
add_custom_target(norvane_lists ALL DEPENDS ${NORVANE_LIST_FILES})

# ---- Kit tools: Kit\Ombra.exe (TEMP) and Kit\Sedil.exe (Prefetch) -----------
# Small windowless programs over the real machine layer; the emptying logic
# itself is src/cleaner/emptying.* (tested natively).
foreach(tool Ombra Sedil)
  string(TOLOWER ${tool} folder)
  add_executable(${tool} WIN32 ${CMAKE_SOURCE_DIR}/kit/tools/${folder}/main.cpp
                               ${CMAKE_SOURCE_DIR}/kit/tools/common/kit_tool.cpp
                               ${CMAKE_SOURCE_DIR}/src/platform/win32/machine.cpp)
  target_include_directories(${tool} PRIVATE ${CMAKE_SOURCE_DIR}/kit/tools/common)
  target_link_libraries(${tool} PRIVATE norvane_core shell32 mpr advapi32 kernel32)
  set_target_properties(${tool} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${NORVANE_DIST_DIR}/Kit)
endforeach()

# ---- The cleaner's clip: Kit\Brisa.bmp --------------------------------------
# An uncompressed 8-bit AVI (the name is historical) drawn by the native
# target norvane_clip into the assets folder given as NORVANE_ASSETS.
if(NORVANE_ASSETS AND EXISTS ${NORVANE_ASSETS}/Brisa.bmp)
  add_custom_command(
    OUTPUT ${NORVANE_DIST_DIR}/Kit/Brisa.bmp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${NORVANE_DIST_DIR}/Kit
    COMMAND ${CMAKE_COMMAND} -E copy ${NORVANE_ASSETS}/Brisa.bmp ${NORVANE_DIST_DIR}/Kit/Brisa.bmp
    DEPENDS ${NORVANE_ASSETS}/Brisa.bmp
    COMMENT "Cleaner clip Kit\\Brisa.bmp")
  add_custom_target(norvane_clip_copy ALL DEPENDS ${NORVANE_DIST_DIR}/Kit/Brisa.bmp)
elseif(NORVANE_ASSETS)
  message(WARNING "${NORVANE_ASSETS}/Brisa.bmp is missing: build the native norvane_clip first")
endif()
