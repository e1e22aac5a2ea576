# libwebp for the WebP decoder, with its demuxer for animations: Debian's
# package in the native build, for Windows a static cross build of Debian's
# source package made by scripts/mingw-deps.sh (the decoder-only library:
# the program never writes WebP).
add_library(lumora_webp INTERFACE)
if(WIN32)
  set(LUMORA_WEBP_PREFIX ${CMAKE_SOURCE_DIR}/build/deps/${LUMORA_WIN_ARCH}/libwebp CACHE PATH
      "the cross-built libwebp")
  if(NOT EXISTS ${LUMORA_WEBP_PREFIX}/lib/libwebpdecoder.a)
    message(FATAL_ERROR "no libwebp in ${LUMORA_WEBP_PREFIX}: run scripts/mingw-deps.sh ${LUMORA_WIN_ARCH}")
  endif()
  target_include_directories(lumora_webp SYSTEM INTERFACE ${LUMORA_WEBP_PREFIX}/include)
  target_link_libraries(lumora_webp INTERFACE ${LUMORA_WEBP_PREFIX}/lib/libwebpdemux.a
                        ${LUMORA_WEBP_PREFIX}/lib/libwebpdecoder.a)
else()
  find_path(LUMORA_WEBP_INCLUDE webp/demux.h REQUIRED)
  find_library(LUMORA_WEBP_LIBRARY webp REQUIRED)
  find_library(LUMORA_WEBPDEMUX_LIBRARY webpdemux REQUIRED)
  target_include_directories(lumora_webp SYSTEM INTERFACE ${LUMORA_WEBP_INCLUDE})
  target_link_libraries(lumora_webp INTERFACE ${LUMORA_WEBPDEMUX_LIBRARY} ${LUMORA_WEBP_LIBRARY})
endif()
