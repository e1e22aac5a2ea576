# stb_image comes from the libstb-dev package. Its 2.27 snapshot crashes on some
# hostile files, so the build compiles a copy of the package's header with our
# small fixes (cmake/stb_image.patch) applied. Only core/stb_impl.cpp and
# core/stb_adapter.cpp see the copy; the package stays the dependency.
set(LUMORA_STB_SOURCE_DIR /usr/include/stb CACHE PATH "the packaged stb headers")
set(LUMORA_STB_DIR ${CMAKE_BINARY_DIR}/stb)
set(LUMORA_STB_PATCH ${CMAKE_SOURCE_DIR}/cmake/stb_image.patch)

find_program(LUMORA_PATCH_TOOL patch REQUIRED)
set(lumora_stb_work ${CMAKE_BINARY_DIR}/stb-work)
file(REMOVE_RECURSE ${lumora_stb_work})
file(MAKE_DIRECTORY ${lumora_stb_work} ${LUMORA_STB_DIR})
file(COPY_FILE ${LUMORA_STB_SOURCE_DIR}/stb_image.h ${lumora_stb_work}/stb_image.h)
execute_process(
  COMMAND ${LUMORA_PATCH_TOOL} --forward --batch --quiet --no-backup-if-mismatch
          ${lumora_stb_work}/stb_image.h ${LUMORA_STB_PATCH}
  RESULT_VARIABLE lumora_stb_patch_result
  OUTPUT_VARIABLE lumora_stb_patch_output ERROR_VARIABLE lumora_stb_patch_output)
if(NOT lumora_stb_patch_result EQUAL 0)
  message(FATAL_ERROR "cmake/stb_image.patch does not apply to ${LUMORA_STB_SOURCE_DIR}/stb_image.h:\n${lumora_stb_patch_output}")
endif()
# Only a changed result touches the copies, so a reconfigure rebuilds nothing.
file(COPY_FILE ${lumora_stb_work}/stb_image.h ${LUMORA_STB_DIR}/stb_image.h ONLY_IF_DIFFERENT)
file(COPY_FILE ${LUMORA_STB_SOURCE_DIR}/stb_image_write.h ${LUMORA_STB_DIR}/stb_image_write.h ONLY_IF_DIFFERENT)
file(REMOVE_RECURSE ${lumora_stb_work})
# A new package header or a changed patch makes the next build copy and patch again.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${LUMORA_STB_PATCH} ${LUMORA_STB_SOURCE_DIR}/stb_image.h ${LUMORA_STB_SOURCE_DIR}/stb_image_write.h)

# The library is someone else's code: no warnings of ours on it.
set_source_files_properties(${CMAKE_SOURCE_DIR}/core/stb_impl.cpp PROPERTIES
  INCLUDE_DIRECTORIES ${LUMORA_STB_DIR} COMPILE_OPTIONS -w)
set_source_files_properties(${CMAKE_SOURCE_DIR}/core/stb_adapter.cpp PROPERTIES
  INCLUDE_DIRECTORIES ${LUMORA_STB_DIR})
