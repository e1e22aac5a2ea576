# Windows build: lumora.exe and the Windows tests, run under Wine by ctest.
include(GoogleTest)

add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 NOMINMAX)
# Only system DLLs at run time.
add_link_options(-static -static-libgcc -static-libstdc++)
# 32-bit programs take the whole 4 GB a 64-bit Windows (or Wine) gives them:
# one large picture alone can take more than half of the 2 GB they get without.
if(LUMORA_WIN_ARCH STREQUAL "i686")
  add_link_options(-Wl,--large-address-aware)
endif()

add_library(lumora_core STATIC ${LUMORA_CORE_SOURCES})
target_include_directories(lumora_core PUBLIC ${CMAKE_SOURCE_DIR})
# zlib (TIFF Deflate) from its static archive by name: the import library
# beside it would make the program need a DLL of its own.
find_library(LUMORA_ZLIB_STATIC NAMES libz.a REQUIRED)
target_link_libraries(lumora_core PUBLIC lumora_jpeg lumora_deflate lumora_lcms2 lumora_webp ${LUMORA_ZLIB_STATIC})

# Everything but WinMain, so the tests drive the same code as the program.
file(GLOB LUMORA_APP_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/app/*.cpp
  ${CMAKE_SOURCE_DIR}/viewer/*.cpp
  ${CMAKE_SOURCE_DIR}/browser/*.cpp
  ${CMAKE_SOURCE_DIR}/print/*.cpp
  ${CMAKE_SOURCE_DIR}/ui/*.cpp
  ${CMAKE_SOURCE_DIR}/shell/*.cpp
  ${CMAKE_SOURCE_DIR}/platform/*.cpp)
set(LUMORA_RUNTIME_IMPORTS ${CMAKE_SOURCE_DIR}/platform/runtime_imports.cpp)
list(REMOVE_ITEM LUMORA_APP_SOURCES ${CMAKE_SOURCE_DIR}/app/winmain.cpp ${LUMORA_RUNTIME_IMPORTS}
  ${LUMORA_PORTABLE_SOURCES})
add_library(lumora_app STATIC ${LUMORA_APP_SOURCES} ${LUMORA_PORTABLE_SOURCES})
target_link_libraries(lumora_app PUBLIC lumora_core comctl32 comdlg32 shell32 ole32 gdi32 user32 advapi32)
# Stand-ins for imports of the compiler's libraries that Windows 95 lacks:
# objects on every program's link line, ahead of those libraries.
add_library(lumora_runtime_imports OBJECT ${LUMORA_RUNTIME_IMPORTS})
target_link_libraries(lumora_app INTERFACE $<TARGET_OBJECTS:lumora_runtime_imports>)

set(LUMORA_RESOURCES ${CMAKE_SOURCE_DIR}/res/lumora.rc)
# windres writes no dependency file: list what lumora.rc pulls in.
file(GLOB LUMORA_RESOURCE_INPUTS CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/res/*.h ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.manifest
  ${CMAKE_SOURCE_DIR}/res/icons/*.ico ${CMAKE_SOURCE_DIR}/res/toolbar/*.bmp)
set_source_files_properties(${LUMORA_RESOURCES} PROPERTIES OBJECT_DEPENDS "${LUMORA_RESOURCE_INPUTS}")

add_executable(lumora WIN32 ${CMAKE_SOURCE_DIR}/app/winmain.cpp ${LUMORA_RESOURCES})
target_link_libraries(lumora PRIVATE lumora_app)

# GoogleTest from Debian's sources, built with the cross compiler.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# The Win32 thread model has no std::mutex: GoogleTest takes the one piece
# made of it from its port header of ours.
target_include_directories(gtest BEFORE PUBLIC ${CMAKE_SOURCE_DIR}/tests/support/gtest_port)

file(GLOB LUMORA_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp ${CMAKE_SOURCE_DIR}/tests/shared/*.cpp)
add_executable(lumora_win_tests ${LUMORA_WIN_TESTS} ${LUMORA_RESOURCES})
target_link_libraries(lumora_win_tests PRIVATE lumora_app gtest gtest_main psapi)
# Where the PDF printer of scripts/printer.sh writes its pages.
target_compile_definitions(lumora_win_tests PRIVATE LUMORA_PRINT_OUT="${CMAKE_SOURCE_DIR}/build/print-out")
target_compile_definitions(lumora_win_tests PRIVATE LUMORA_TEST_DATA="Z:${LUMORA_TESTDATA_DIR}"
  LUMORA_CORPUS_MANIFEST="Z:${CMAKE_SOURCE_DIR}/tests/corpus/manifest.txt")
# A stand-in editor the Edit With tests register and start.
add_executable(argument_logger WIN32 ${CMAKE_SOURCE_DIR}/tests/stubs/argument_logger.cpp)
add_dependencies(lumora_win_tests argument_logger)
target_compile_definitions(lumora_win_tests PRIVATE LUMORA_STUB_PROGRAM="Z:$<TARGET_FILE:argument_logger>")
gtest_discover_tests(lumora_win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

# Windows benchmarks: each bench/win32/*.cpp is a program of its own, run by
# hand under Wine (not part of ./test.sh); they print their figures.
file(GLOB LUMORA_WIN_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/win32/*.cpp)
foreach(src ${LUMORA_WIN_BENCHES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src} ${LUMORA_RESOURCES})
  target_link_libraries(${name} PRIVATE lumora_app lumora_turbojpeg)
endforeach()
