# ravo_add_installer(<target> VERSION <v> OUTPUT <file> [ALL]
#                    [SIGN_CERT <cert> [SIGN_KEY <key>]] [DEFINES <NAME=value>...])
#
# Builds an installer of the program with makensis: stages Ravo.exe,
# OBRA.dll and ShellStart.exe (target ravo_shell_start, which the installer
# runs to start the program) as the build leaves them, stripped (their debug
# information stays in the .debug files beside them in the build folder), in
# a folder of the target's own, signs them when a certificate is given (the
# uninstaller and the installer are then signed by makensis through
# installer/sign.sh), and writes <file>. VERSION is what the installer
# records as the product version; the program's About box reads at most 19
# characters. A signed installer packs the program that asks for UI access
# (unless RAVO_DEV_MANIFEST is on) and accepts only protected install
# folders; an unsigned one packs the program without UI access (target
# ravo_unsigned), as Windows would not start an unsigned program asking for it.
# The installer of an x86_64 build is a 64-bit one (for the tests on
# machines that run no 32-bit programs); what ships is the i686 one.
include_guard(GLOBAL)

find_program(RAVO_MAKENSIS makensis)

function(ravo_add_installer target)
  cmake_parse_arguments(ARG "ALL" "VERSION;OUTPUT;SIGN_CERT;SIGN_KEY" "DEFINES" ${ARGN})
  if(NOT RAVO_MAKENSIS)
    message(FATAL_ERROR "ravo_add_installer: makensis not found")
  endif()
  string(LENGTH "${ARG_VERSION}" length)
  if(length EQUAL 0 OR length GREATER 19)
    message(FATAL_ERROR "Installer version '${ARG_VERSION}' must have 1 to 19 characters")
  endif()
  # The version block of the installer wants four numbers.
  string(REGEX MATCHALL "[0-9]+" parts "${ARG_VERSION}")
  list(APPEND parts 0 0 0 0)
  list(SUBLIST parts 0 4 parts)
  list(JOIN parts "." quad)

  set(stage ${CMAKE_CURRENT_BINARY_DIR}/${target}-stage)
  set(nsi ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/Ravo.nsi)
  set(sign ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/sign.sh)
  set(icon ${PROJECT_SOURCE_DIR}/src/res/icons/ravo.ico)

  set(defines -DVERSION=${ARG_VERSION} -DVERSION_QUAD=${quad} -DSTAGE_DIR=${stage}
              -DOUT_FILE=${ARG_OUTPUT} -DICON=${icon})
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    list(APPEND defines -DTARGET_AMD64)
  endif()
  set(program Ravo)
  set(ui_access 0)
  if(NOT RAVO_DEV_MANIFEST)
    if(ARG_SIGN_CERT)
      set(ui_access 1)
      list(APPEND defines -DUI_ACCESS)
    else()
      set(program ravo_unsigned)
    endif()
  endif()
  foreach(define IN LISTS ARG_DEFINES)
    list(APPEND defines -D${define})
  endforeach()
  set(sign_steps)
  set(depends ${program} obra ravo_shell_start ${nsi} ${icon})
  if(ARG_SIGN_CERT)
    list(APPEND defines -DSIGN_SCRIPT=${sign} -DSIGN_CERT=${ARG_SIGN_CERT} -DSIGN_KEY=${ARG_SIGN_KEY})
    set(sign_steps
      COMMAND sh ${sign} ${ARG_SIGN_CERT} "${ARG_SIGN_KEY}" ${stage}/Ravo.exe
      COMMAND sh ${sign} ${ARG_SIGN_CERT} "${ARG_SIGN_KEY}" ${stage}/OBRA.dll
      COMMAND sh ${sign} ${ARG_SIGN_CERT} "${ARG_SIGN_KEY}" ${stage}/ShellStart.exe)
    list(APPEND depends ${sign} ${ARG_SIGN_CERT})
  endif()

  add_custom_command(OUTPUT ${ARG_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${program}> $<TARGET_FILE:obra>
            $<TARGET_FILE:ravo_shell_start> ${stage}
    ${sign_steps}
    COMMAND ${RAVO_MAKENSIS} -NOCD -V2 ${defines} ${nsi}
    DEPENDS ${depends}
    COMMENT "Building installer ${ARG_OUTPUT}"
    VERBATIM)
  if(ARG_ALL)
    add_custom_target(${target} ALL DEPENDS ${ARG_OUTPUT})
  else()
    add_custom_target(${target} DEPENDS ${ARG_OUTPUT})
  endif()
  # For the tests: the program it packs, and whether that one asks for UI
  # access.
  set_target_properties(${target} PROPERTIES
    RAVO_PROGRAM_FILE $<TARGET_FILE:${program}> RAVO_UI_ACCESS ${ui_access})
endfunction()
