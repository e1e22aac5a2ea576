# Linux build: the core under sanitizers with its unit tests and fuzzers, and
# an optimised copy of the core for the benchmarks.
include(${CMAKE_SOURCE_DIR}/cmake/Sanitizers.cmake)
find_package(GTest REQUIRED)
find_package(ZLIB REQUIRED)
include(GoogleTest)

add_library(lumora_core STATIC ${LUMORA_CORE_SOURCES})
target_include_directories(lumora_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(lumora_core PUBLIC lumora_jpeg lumora_deflate lumora_lcms2 lumora_webp ZLIB::ZLIB)

add_library(lumora_core_san STATIC ${LUMORA_CORE_SOURCES} ${LUMORA_PORTABLE_SOURCES})
target_include_directories(lumora_core_san PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(lumora_core_san PUBLIC lumora_jpeg lumora_deflate lumora_lcms2 lumora_webp ZLIB::ZLIB)
lumora_sanitize(lumora_core_san)

# tests/shared/: the tests both builds run.
file(GLOB LUMORA_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp ${CMAKE_SOURCE_DIR}/tests/shared/*.cpp)
add_executable(lumora_native_tests ${LUMORA_NATIVE_TESTS})
target_link_libraries(lumora_native_tests PRIVATE lumora_core_san GTest::gtest GTest::gtest_main)
lumora_sanitize(lumora_native_tests)
target_compile_definitions(lumora_native_tests PRIVATE
  LUMORA_TEST_DATA="${LUMORA_TESTDATA_DIR}"
  LUMORA_CRASHERS="${CMAKE_SOURCE_DIR}/tests/crashers"
  LUMORA_CORPUS_MANIFEST="${CMAKE_SOURCE_DIR}/tests/corpus/manifest.txt"
  LUMORA_SCRATCH="${CMAKE_BINARY_DIR}/scratch")
gtest_discover_tests(lumora_native_tests DISCOVERY_TIMEOUT 60)

# Fuzz targets need clang's libFuzzer.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  file(GLOB LUMORA_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/fuzz_*.cpp)
  add_library(lumora_core_fuzz STATIC ${LUMORA_CORE_SOURCES})
  target_include_directories(lumora_core_fuzz PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(lumora_core_fuzz PUBLIC lumora_jpeg lumora_deflate lumora_lcms2 lumora_webp ZLIB::ZLIB)
  target_compile_options(lumora_core_fuzz PRIVATE ${LUMORA_SAN_FLAGS} -fsanitize=fuzzer-no-link)
  foreach(src ${LUMORA_FUZZERS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} ${CMAKE_SOURCE_DIR}/fuzz/support/sanitizer_options.cpp)
    target_link_libraries(${name} PRIVATE lumora_core_fuzz)
    target_compile_options(${name} PRIVATE ${LUMORA_SAN_FLAGS} -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE ${LUMORA_SAN_LINK} -fsanitize=fuzzer)
  endforeach()
endif()

find_package(benchmark QUIET)
if(benchmark_FOUND)
  file(GLOB LUMORA_BENCH CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  add_executable(lumora_bench ${LUMORA_BENCH})
  target_include_directories(lumora_bench SYSTEM PRIVATE /usr/include/stb)
  target_link_libraries(lumora_bench PRIVATE lumora_core lumora_turbojpeg benchmark::benchmark benchmark::benchmark_main)
  target_compile_options(lumora_bench PRIVATE -O2)
  target_compile_definitions(lumora_bench PRIVATE LUMORA_BENCH_PHOTOS="${CMAKE_SOURCE_DIR}/build/jpeg-photos")
  # libtiff, when installed, is the peer of the TIFF and fax benchmarks.
  find_package(TIFF QUIET)
  if(TIFF_FOUND)
    target_link_libraries(lumora_bench PRIVATE TIFF::TIFF)
    target_compile_definitions(lumora_bench PRIVATE LUMORA_BENCH_LIBTIFF)
  endif()
endif()
