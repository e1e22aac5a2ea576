# libdeflate, the fast whole-buffer inflate of TIFF Deflate strips (zlib
# still reads what it refuses, as far as it goes): Debian's package in the
# native build, for Windows a static cross build of Debian's source package
# made by scripts/mingw-deps.sh.
add_library(lumora_deflate INTERFACE)
if(WIN32)
  set(LUMORA_DEFLATE_PREFIX ${CMAKE_SOURCE_DIR}/build/deps/${LUMORA_WIN_ARCH}/libdeflate CACHE PATH
      "the cross-built libdeflate")
  if(NOT EXISTS ${LUMORA_DEFLATE_PREFIX}/lib/libdeflate.a)
    message(FATAL_ERROR "no libdeflate in ${LUMORA_DEFLATE_PREFIX}: run scripts/mingw-deps.sh ${LUMORA_WIN_ARCH}")
  endif()
  target_include_directories(lumora_deflate SYSTEM INTERFACE ${LUMORA_DEFLATE_PREFIX}/include)
  target_link_libraries(lumora_deflate INTERFACE ${LUMORA_DEFLATE_PREFIX}/lib/libdeflate.a)
else()
  find_path(LUMORA_DEFLATE_INCLUDE libdeflate.h REQUIRED)
  find_library(LUMORA_DEFLATE_LIBRARY deflate REQUIRED)
  target_include_directories(lumora_deflate SYSTEM INTERFACE ${LUMORA_DEFLATE_INCLUDE})
  target_link_libraries(lumora_deflate INTERFACE ${LUMORA_DEFLATE_LIBRARY})
endif()
