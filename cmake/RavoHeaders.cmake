# Include layering. A library's headers are reached as "<folder>/<file>.h"
# only through an include folder of its own in the build tree, which holds a
# one-line forwarding header per header of the library. A target sees its own
# folder and those of the libraries it links, and no other: an include of a
# library above it fails to compile.

# ravo_headers(<target> [INTERFACE])
# Publishes the headers of the current source folder under its folder name
# and gives them to <target> and everything that links it.
function(ravo_headers target)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(root ${CMAKE_BINARY_DIR}/include/${folder})
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(header IN LISTS headers)
    file(CONFIGURE OUTPUT ${root}/${folder}/${header}
         CONTENT "#include \"${CMAKE_CURRENT_SOURCE_DIR}/${header}\"\n" @ONLY)
  endforeach()
  if(ARGV1 STREQUAL "INTERFACE")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
