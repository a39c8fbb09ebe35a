# Each library shows its users its own headers and no others, so that an
# include across the layers (core reaching into text/, say) fails to compile
# unless the library links what it includes. Sources keep writing
# "core/frame_core.h": the target's include folder in the build tree holds a
# symbolic link named like the source path.

# zentab_public_headers(target path...): each path, relative to the project
# root, a folder or a single header, becomes visible to target and its users
# under the same name.
function(zentab_public_headers target)
  set(dir ${CMAKE_BINARY_DIR}/include/${target})
  foreach(path ${ARGN})
    get_filename_component(parent ${dir}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${dir}/${path} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${dir}>)
endfunction()
