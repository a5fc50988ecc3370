# Native build: the headless backend, the simulated machine and the tests.
norvane_sources(SIM_SOURCES src/ui/headless src/platform/sim)
add_library(norvane_sim STATIC ${SIM_SOURCES})
target_link_libraries(norvane_sim PUBLIC norvane_core)

enable_testing()
find_package(GTest REQUIRED)
norvane_sources(TEST_SOURCES tests tests/support)
add_executable(norvane_tests ${TEST_SOURCES})
target_include_directories(norvane_tests PRIVATE tests)
target_link_libraries(norvane_tests PRIVATE norvane_sim GTest::gtest GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(norvane_tests DISCOVERY_TIMEOUT 60)

# The program's pictures, drawn by our own generator at build time into
# ${CMAKE_BINARY_DIR}/assets (BMP files, norvane.ico and assets.rc).
file(GLOB ASSETGEN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/assetgen/*.cpp)
list(FILTER ASSETGEN_SOURCES EXCLUDE REGEX "/main\\.cpp$")
add_library(norvane_assetgen_lib STATIC ${ASSETGEN_SOURCES})
target_include_directories(norvane_assetgen_lib PUBLIC ${CMAKE_SOURCE_DIR}/tools)
add_executable(norvane_assetgen ${CMAKE_SOURCE_DIR}/tools/assetgen/main.cpp)
target_link_libraries(norvane_assetgen PRIVATE norvane_assetgen_lib)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/assets/assets.rc
                   COMMAND norvane_assetgen ${CMAKE_BINARY_DIR}/assets
                   DEPENDS norvane_assetgen
                   COMMENT "Drawing Norvane's pictures")
add_custom_target(norvane_assets ALL DEPENDS ${CMAKE_BINARY_DIR}/assets/assets.rc)
target_link_libraries(norvane_tests PRIVATE norvane_assetgen_lib)

# The cleaner's clip Kit\Brisa.bmp (an AVI), drawn by our own generator into
# the same assets folder; the Windows build copies it into dist/Kit.
file(GLOB CLIPGEN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/clipgen/*.cpp)
list(FILTER CLIPGEN_SOURCES EXCLUDE REGEX "/main\\.cpp$")
add_library(norvane_clipgen_lib STATIC ${CLIPGEN_SOURCES})
target_link_libraries(norvane_clipgen_lib PUBLIC norvane_assetgen_lib)
add_executable(norvane_clipgen ${CMAKE_SOURCE_DIR}/tools/clipgen/main.cpp)
target_link_libraries(norvane_clipgen PRIVATE norvane_clipgen_lib)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/assets/Brisa.bmp
                   COMMAND norvane_clipgen ${CMAKE_BINARY_DIR}/assets/Brisa.bmp
                   DEPENDS norvane_clipgen
                   COMMENT "Drawing the cleaner's clip")
add_custom_target(norvane_clip ALL DEPENDS ${CMAKE_BINARY_DIR}/assets/Brisa.bmp)
target_link_libraries(norvane_tests PRIVATE norvane_clipgen_lib)

find_package(benchmark QUIET)
if(benchmark_FOUND)
  norvane_sources(BENCH_SOURCES bench)
  if(BENCH_SOURCES)
    add_executable(norvane_bench ${BENCH_SOURCES})
    target_include_directories(norvane_bench PRIVATE tests)
    target_link_libraries(norvane_bench PRIVATE norvane_sim benchmark::benchmark)
  endif()
endif()

# End-to-end tests of the Windows build under Wine, when a dist folder is given.
set(NORVANE_DIST "" CACHE PATH "dist folder of the Windows build, for the end-to-end tests")
if(NORVANE_DIST)
  include(${CMAKE_SOURCE_DIR}/tests/e2e/e2e.cmake)
endif()
