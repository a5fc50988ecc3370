# End-to-end tests: the Windows build in NORVANE_DIST run under Wine and Xvfb.
# Included by the native build when NORVANE_DIST is set (scripts/test.sh sets
# it). Every tests/e2e/test_*.sh is one test; a script may set its own timeout
# with a line "# timeout: <seconds>". The tests share one Wine prefix in
# <build>/e2e/prefix, so they never run at the same time (RESOURCE_LOCK).
set(E2E_OUT ${CMAKE_BINARY_DIR}/e2e)
set(E2E_ENV "NORVANE_DIST=${NORVANE_DIST}" "E2E_OUT=${E2E_OUT}")

file(GLOB E2E_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/test_*.sh)
foreach(script ${E2E_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  string(REGEX REPLACE "^test_" "" name ${name})
  set(timeout 300)
  file(STRINGS ${script} timeout_line REGEX "^# timeout: [0-9]+$" LIMIT_COUNT 1)
  if(timeout_line)
    string(REGEX REPLACE "^# timeout: " "" timeout "${timeout_line}")
  endif()
  add_test(NAME e2e.${name} COMMAND bash ${script})
  set_tests_properties(e2e.${name} PROPERTIES LABELS "e2e" TIMEOUT ${timeout}
                       RESOURCE_LOCK wine_prefix ENVIRONMENT "${E2E_ENV}")
endforeach()

# Unit tests of the Win32 layers, built by the Windows build into tests/ beside
# dist, run under Wine as one test each.
set(E2E_WINDOWS_TESTS norvane_win32_tests)
foreach(program ${E2E_WINDOWS_TESTS})
  add_test(NAME e2e.${program}
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/windows_tests.sh
                   ${NORVANE_DIST}/../tests/${program}.exe)
  set_tests_properties(e2e.${program} PROPERTIES LABELS "e2e" TIMEOUT 300
                       RESOURCE_LOCK wine_prefix ENVIRONMENT "${E2E_ENV}")
endforeach()
