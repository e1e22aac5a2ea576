# LittleCMS 2 for embedded colour profiles: Debian's package in the native
# build, for Windows a static cross build of Debian's source package made by
# scripts/mingw-deps.sh (built by cmake/deps/lcms2/CMakeLists.txt).
add_library(lumora_lcms2 INTERFACE)
if(WIN32)
  set(LUMORA_LCMS2_PREFIX ${CMAKE_SOURCE_DIR}/build/deps/${LUMORA_WIN_ARCH}/lcms2 CACHE PATH "the cross-built lcms2")
  if(NOT EXISTS ${LUMORA_LCMS2_PREFIX}/lib/liblcms2.a)
    message(FATAL_ERROR "no lcms2 in ${LUMORA_LCMS2_PREFIX}: run scripts/mingw-deps.sh ${LUMORA_WIN_ARCH}")
  endif()
  target_include_directories(lumora_lcms2 SYSTEM INTERFACE ${LUMORA_LCMS2_PREFIX}/include)
  target_link_libraries(lumora_lcms2 INTERFACE ${LUMORA_LCMS2_PREFIX}/lib/liblcms2.a)
else()
  find_path(LUMORA_LCMS2_INCLUDE lcms2.h REQUIRED)
  find_library(LUMORA_LCMS2_LIBRARY lcms2 REQUIRED)
  target_include_directories(lumora_lcms2 SYSTEM INTERFACE ${LUMORA_LCMS2_INCLUDE})
  target_link_libraries(lumora_lcms2 INTERFACE ${LUMORA_LCMS2_LIBRARY})
endif()
