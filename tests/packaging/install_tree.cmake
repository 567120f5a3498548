cmake_minimum_required(VERSION 3.25)
# Installs the build with prefix /usr into an empty DESTDIR and checks the
# tree a distribution would package: exactly the program, its desktop entry,
# metainfo and icons under one id, the manual page and the licence, and both
# validators content with them.
#   cmake -DBUILD_DIR=... -DSTAGE=... -DAPP_ID=... -DDESKTOP_FILE_VALIDATE=...
#         -DAPPSTREAMCLI=... -P install_tree.cmake

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command} failed (${status}):\n${out}")
  endif()
endfunction()

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
run(${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr)

set(icons)
foreach(size 16 32 48 128 256)
  list(APPEND icons usr/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
set(expected
  usr/bin/quillamon
  usr/share/applications/${APP_ID}.desktop
  usr/share/metainfo/${APP_ID}.metainfo.xml
  ${icons}
  usr/share/man/man6/quillamon.6
  usr/share/doc/quillamon/LICENSE)
list(SORT expected)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT installed)
if(NOT installed STREQUAL expected)
  string(REPLACE ";" "\n  " got "${installed}")
  string(REPLACE ";" "\n  " want "${expected}")
  message(FATAL_ERROR "installed:\n  ${got}\nexpected:\n  ${want}")
endif()

# The program: an executable ELF file.
run(test -x ${STAGE}/usr/bin/quillamon)
file(READ ${STAGE}/usr/bin/quillamon magic LIMIT 4 HEX)
if(NOT magic STREQUAL "7f454c46")
  message(FATAL_ERROR "usr/bin/quillamon is not an ELF executable")
endif()

# Each icon is a PNG image of the size its folder names.
foreach(size 16 32 48 128 256)
  set(icon ${STAGE}/usr/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
  file(READ ${icon} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 32 8 width_hex)
  string(SUBSTRING "${header}" 40 8 height_hex)
  math(EXPR width "0x${width_hex}")
  math(EXPR height "0x${height_hex}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "${icon}: expected a ${size} x ${size} PNG image, found ${width} x ${height} (${signature})")
  endif()
endforeach()

# The desktop entry starts the installed program and names the icon by the id.
file(STRINGS ${STAGE}/usr/share/applications/${APP_ID}.desktop entry)
foreach(line "Exec=quillamon" "Icon=${APP_ID}")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "the desktop entry lacks the line ${line}")
  endif()
endforeach()
run(${DESKTOP_FILE_VALIDATE} ${STAGE}/usr/share/applications/${APP_ID}.desktop)

# The metainfo on its own, then with the tree around it: its desktop entry
# and icons must be where it says.
run(${APPSTREAMCLI} validate --no-net --pedantic ${STAGE}/usr/share/metainfo/${APP_ID}.metainfo.xml)
run(${APPSTREAMCLI} validate-tree --no-net --pedantic ${STAGE})

file(STRINGS ${STAGE}/usr/share/man/man6/quillamon.6 title REGEX "^\\.TH ")
if(NOT title MATCHES "^\\.TH QUILLAMON 6 ")
  message(FATAL_ERROR "the manual page has no title line for section 6: '${title}'")
endif()
