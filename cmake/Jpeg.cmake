# libjpeg-turbo for the JPEG decoder: Debian's package in the native build,
# for Windows a static cross build of Debian's source package made by
# scripts/mingw-deps.sh (which scripts/build.sh runs first). lumora_jpeg
# carries its headers and libjpeg; lumora_turbojpeg adds the TurboJPEG
# library, which only the benchmarks use.
add_library(lumora_jpeg INTERFACE)
add_library(lumora_turbojpeg INTERFACE)
if(WIN32)
  set(LUMORA_JPEG_PREFIX ${CMAKE_SOURCE_DIR}/build/deps/${LUMORA_WIN_ARCH}/libjpeg-turbo CACHE PATH
      "the cross-built libjpeg-turbo")
  if(NOT EXISTS ${LUMORA_JPEG_PREFIX}/lib/libjpeg.a)
    message(FATAL_ERROR "no libjpeg-turbo in ${LUMORA_JPEG_PREFIX}: run scripts/mingw-deps.sh ${LUMORA_WIN_ARCH}")
  endif()
  target_include_directories(lumora_jpeg SYSTEM INTERFACE ${LUMORA_JPEG_PREFIX}/include)
  target_link_libraries(lumora_jpeg INTERFACE ${LUMORA_JPEG_PREFIX}/lib/libjpeg.a)
  target_link_libraries(lumora_turbojpeg INTERFACE lumora_jpeg ${LUMORA_JPEG_PREFIX}/lib/libturbojpeg.a)
else()
  find_package(JPEG REQUIRED)
  target_link_libraries(lumora_jpeg INTERFACE JPEG::JPEG)
  find_library(LUMORA_TURBOJPEG_LIBRARY turbojpeg)
  if(LUMORA_TURBOJPEG_LIBRARY)
    target_link_libraries(lumora_turbojpeg INTERFACE ${LUMORA_TURBOJPEG_LIBRARY})
    target_compile_definitions(lumora_turbojpeg INTERFACE LUMORA_BENCH_TURBOJPEG)
  endif()
endif()
