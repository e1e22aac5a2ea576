# stb_image and stb_image_write come from the libstb-dev package. Its 2022
# snapshot crashes on some hostile files, so the build compiles copies of the
# package's headers with our small fixes (cmake/<header>.patch) applied. Only
# core/stb_impl.cpp and core/stb_adapter.cpp see the copies; the package stays
# the dependency.
set(LUMORA_STB_SOURCE_DIR /usr/include/stb CACHE PATH "the packaged stb headers")
set(LUMORA_STB_DIR ${CMAKE_BINARY_DIR}/stb)

find_program(LUMORA_PATCH_TOOL patch REQUIRED)
set(lumora_stb_work ${CMAKE_BINARY_DIR}/stb-work)
file(REMOVE_RECURSE ${lumora_stb_work})
file(MAKE_DIRECTORY ${lumora_stb_work} ${LUMORA_STB_DIR})
foreach(header stb_image stb_image_write)
  set(patch_file ${CMAKE_SOURCE_DIR}/cmake/${header}.patch)
  file(COPY_FILE ${LUMORA_STB_SOURCE_DIR}/${header}.h ${lumora_stb_work}/${header}.h)
  execute_process(
    COMMAND ${LUMORA_PATCH_TOOL} --forward --batch --quiet --no-backup-if-mismatch
            ${lumora_stb_work}/${header}.h ${patch_file}
    RESULT_VARIABLE patch_result
    OUTPUT_VARIABLE patch_output ERROR_VARIABLE patch_output)
  if(NOT patch_result EQUAL 0)
    message(FATAL_ERROR "${patch_file} does not apply to ${LUMORA_STB_SOURCE_DIR}/${header}.h:\n${patch_output}")
  endif()
  # Only a changed result touches the copy, so a reconfigure rebuilds nothing.
  file(COPY_FILE ${lumora_stb_work}/${header}.h ${LUMORA_STB_DIR}/${header}.h ONLY_IF_DIFFERENT)
  # A new package header or a changed patch makes the next build copy and patch again.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${patch_file} ${LUMORA_STB_SOURCE_DIR}/${header}.h)
endforeach()
file(REMOVE_RECURSE ${lumora_stb_work})

# The library is someone else's code: no warnings of ours on it.
set_source_files_properties(${CMAKE_SOURCE_DIR}/core/stb_impl.cpp PROPERTIES
  INCLUDE_DIRECTORIES ${LUMORA_STB_DIR} COMPILE_OPTIONS -w)
set_source_files_properties(${CMAKE_SOURCE_DIR}/core/stb_adapter.cpp PROPERTIES
  INCLUDE_DIRECTORIES ${LUMORA_STB_DIR})
