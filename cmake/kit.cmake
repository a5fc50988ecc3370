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
