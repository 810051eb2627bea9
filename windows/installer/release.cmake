# The release artefacts of the Windows edition, made by `cmake --build <dir> --target release`
# into <dir>/release: the per-user installer (makensis from Debian's nsis package runs our
# own quivanto.nsi) and the portable zip. Both carry the same three files, staged once: the
# stripped program, Help.html, and License.txt with Windows line ends for older Notepads.
# The program's target must be defined before this file is included.
if(NOT TARGET quivanto)
  message(WARNING "No quivanto target yet: the installer and the zip are left out")
  return()
endif()
find_program(QUIVANTO_MAKENSIS makensis REQUIRED)

set(QUIVANTO_RELEASE_STAGE ${CMAKE_BINARY_DIR}/release-stage)
set(QUIVANTO_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
set(QUIVANTO_SETUP ${QUIVANTO_RELEASE_DIR}/quivanto-${QUIVANTO_VERSION}-setup.exe)
set(QUIVANTO_ZIP ${QUIVANTO_RELEASE_DIR}/quivanto-${QUIVANTO_VERSION}-windows-x64.zip)
set(QUIVANTO_NSI ${CMAKE_CURRENT_LIST_DIR}/quivanto.nsi)
set(quivanto_release_files quivanto.exe Help.html License.txt)

configure_file(${QUIVANTO_ROOT}/resources/Help.html ${QUIVANTO_RELEASE_STAGE}/Help.html COPYONLY)
configure_file(${QUIVANTO_ROOT}/resources/License.txt ${QUIVANTO_RELEASE_STAGE}/License.txt
  @ONLY NEWLINE_STYLE CRLF)

add_custom_command(OUTPUT ${QUIVANTO_RELEASE_STAGE}/quivanto.exe
  COMMAND ${CMAKE_STRIP} -o ${QUIVANTO_RELEASE_STAGE}/quivanto.exe $<TARGET_FILE:quivanto>
  DEPENDS quivanto
  COMMENT "Staging the stripped quivanto.exe")

set(quivanto_staged ${quivanto_release_files})
list(TRANSFORM quivanto_staged PREPEND ${QUIVANTO_RELEASE_STAGE}/)

add_custom_command(OUTPUT ${QUIVANTO_SETUP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUIVANTO_RELEASE_DIR}
  COMMAND ${QUIVANTO_MAKENSIS} -V2 -NOCD -DVERSION=${QUIVANTO_VERSION}
          -DSTAGE=${QUIVANTO_RELEASE_STAGE} -DOUTFILE=${QUIVANTO_SETUP}
          -DICON=${QUIVANTO_RESOURCE_DIR}/quivanto.ico ${QUIVANTO_NSI}
  DEPENDS ${QUIVANTO_NSI} ${quivanto_staged} ${QUIVANTO_RESOURCE_DIR}/quivanto.ico quivanto_images
  COMMENT "Building quivanto-${QUIVANTO_VERSION}-setup.exe")

# The files at the top of the archive, so it unpacks to exactly them.
add_custom_command(OUTPUT ${QUIVANTO_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUIVANTO_RELEASE_DIR}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${QUIVANTO_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${QUIVANTO_ZIP} --format=zip ${quivanto_release_files}
  WORKING_DIRECTORY ${QUIVANTO_RELEASE_STAGE}
  DEPENDS ${quivanto_staged}
  COMMENT "Building quivanto-${QUIVANTO_VERSION}-windows-x64.zip")

add_custom_target(release ALL DEPENDS ${QUIVANTO_SETUP} ${QUIVANTO_ZIP})
