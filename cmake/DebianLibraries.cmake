# The libraries the core links beside libjpeg-turbo: Debian's packages in the
# native build; for Windows the static cross builds of Debian's source
# packages that scripts/mingw-deps.sh makes into build/deps/<arch>/<package>.
#
#   lumora_debian_library(TARGET PACKAGE HEADER ARCHIVES a.a... NATIVE name...)
# TARGET: the interface library made; HEADER: one header the native search
# looks for; ARCHIVES: the cross build's archives, in link order; NATIVE: the
# libraries' names for the native search, in link order.
function(lumora_debian_library target package header)
  cmake_parse_arguments(L "" "" "ARCHIVES;NATIVE" ${ARGN})
  add_library(${target} INTERFACE)
  if(WIN32)
    set(prefix ${CMAKE_SOURCE_DIR}/build/deps/${LUMORA_WIN_ARCH}/${package})
    foreach(archive ${L_ARCHIVES})
      if(NOT EXISTS ${prefix}/lib/${archive})
        message(FATAL_ERROR "no ${package} in ${prefix}: run scripts/mingw-deps.sh ${LUMORA_WIN_ARCH}")
      endif()
      target_link_libraries(${target} INTERFACE ${prefix}/lib/${archive})
    endforeach()
    target_include_directories(${target} SYSTEM INTERFACE ${prefix}/include)
  else()
    find_path(LUMORA_${target}_INCLUDE ${header} REQUIRED)
    target_include_directories(${target} SYSTEM INTERFACE ${LUMORA_${target}_INCLUDE})
    foreach(name ${L_NATIVE})
      find_library(LUMORA_${target}_${name} ${name} REQUIRED)
      target_link_libraries(${target} INTERFACE ${LUMORA_${target}_${name}})
    endforeach()
  endif()
endfunction()

# Deflate: the fast whole-buffer inflate of TIFF strips (zlib still reads
# what it refuses, as far as it goes).
lumora_debian_library(lumora_deflate libdeflate libdeflate.h ARCHIVES libdeflate.a NATIVE deflate)
# LittleCMS 2 for embedded colour profiles.
lumora_debian_library(lumora_lcms2 lcms2 lcms2.h ARCHIVES liblcms2.a NATIVE lcms2)
# libwebp with its demuxer for animations (for Windows the decoder-only
# library: the program never writes WebP).
lumora_debian_library(lumora_webp libwebp webp/demux.h ARCHIVES libwebpdemux.a libwebpdecoder.a
                      NATIVE webpdemux webp)
