# Warnings for the targets of this project, one target at a time, so that
# third-party code built in the same tree (GoogleTest on cross builds) keeps
# its own flags.
option(ZENTAB_WERROR "Treat compiler warnings as errors" ON)

function(zentab_target_warnings target)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY" OR type STREQUAL "UTILITY")
    return()
  endif()
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion)
  if(ZENTAB_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Every target defined under dir and its subdirectories that lie in this
# project's source tree; called once at the end of the top-level list, so a
# target added anywhere cannot miss its warnings.
function(zentab_warnings_under dir)
  get_directory_property(targets DIRECTORY ${dir} BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    zentab_target_warnings(${target})
  endforeach()
  get_directory_property(subdirs DIRECTORY ${dir} SUBDIRECTORIES)
  foreach(subdir ${subdirs})
    string(FIND "${subdir}/" "${PROJECT_SOURCE_DIR}/" at)
    if(at EQUAL 0)
      zentab_warnings_under(${subdir})
    endif()
  endforeach()
endfunction()
