# How what ships is built, for every preset.
#
# ravo_product(<target>...)
#   Compiles and links the targets the way they ship: optimised for size,
#   unused functions and data dropped by the linker, no exceptions and no
#   RTTI (nothing throws, catches or asks for a type), debug information in
#   the build tree, warnings as errors. Static libraries get the compile
#   flags; whoever links them (tests too) runs the same code.
#
# ravo_strip(<target>...)
#   After each link, moves the debug information of an executable or DLL
#   into <file>.debug beside it and leaves the file itself stripped, with a
#   debug link to that file (GCC and clang; MSVC keeps its .pdb). What the
#   build folder holds is then what ships; a debugger or addr2line finds the
#   symbols through the link or from the .debug file directly.
include_guard(GLOBAL)

# Visual Studio's release configurations optimise for size too (/O1 instead
# of /O2), so that the per-target options below need not override them.
if(MSVC)
  foreach(lang C CXX)
    foreach(config RELEASE RELWITHDEBINFO MINSIZEREL)
      string(REPLACE "/O2" "/O1" CMAKE_${lang}_FLAGS_${config} "${CMAKE_${lang}_FLAGS_${config}}")
    endforeach()
  endforeach()
endif()

function(ravo_product)
  foreach(target IN LISTS ARGN)
    get_target_property(type ${target} TYPE)
    set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR ON)
    if(MSVC)
      target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:C,CXX>:/Gy /Gw /GR- /EHs-c- /Zi>)
      target_compile_definitions(${target} PRIVATE _HAS_EXCEPTIONS=0)
      if(NOT type STREQUAL "STATIC_LIBRARY")
        target_link_options(${target} PRIVATE /DEBUG /OPT:REF /OPT:ICF)
      endif()
    else()
      target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:C,CXX>:-Os -g -Wpedantic -ffunction-sections -fdata-sections
          -fno-asynchronous-unwind-tables $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>>)
      if(NOT type STREQUAL "STATIC_LIBRARY")
        target_link_options(${target} PRIVATE -Wl,--gc-sections)
        # The link map says which object and function each byte comes from
        # (scripts/sizes reads it).
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
          target_link_options(${target} PRIVATE -Wl,-Map=$<TARGET_FILE:${target}>.map)
        endif()
      endif()
    endif()
  endforeach()
endfunction()

function(ravo_strip)
  if(MSVC)
    return()
  endif()
  if(NOT CMAKE_OBJCOPY)
    message(FATAL_ERROR "ravo_strip: no objcopy for this toolchain")
  endif()
  foreach(target IN LISTS ARGN)
    # objcopy writes the debug link with the name only; the .debug file
    # lives beside the binary, where debuggers look first.
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
      COMMAND ${CMAKE_OBJCOPY} --strip-all $<TARGET_FILE:${target}>
      COMMAND ${CMAKE_COMMAND} -E chdir $<TARGET_FILE_DIR:${target}>
              ${CMAKE_OBJCOPY} --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug $<TARGET_FILE_NAME:${target}>
      VERBATIM)
  endforeach()
endfunction()
