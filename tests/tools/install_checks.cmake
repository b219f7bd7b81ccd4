# Installs the build into a staging folder, as a package build does, and checks what lands there:
# every file a desktop needs and nothing else, icons of the sizes their folders claim, and the
# desktop entry and metainfo as the freedesktop validators judge them.
# In: BUILD (the build folder), WORK (scratch folder), APP_ID, VERSION, ICON_SIZES, GUI.
set(STAGE ${WORK}/stage)
set(PREFIX usr)
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD} --prefix /${PREFIX}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}); build every target first:\n${out}\n${err}")
endif()

set(want ${PREFIX}/bin/tessaline-cli)
if(GUI)
  set(DESKTOP ${PREFIX}/share/applications/${APP_ID}.desktop)
  set(METAINFO ${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml)
  list(APPEND want ${PREFIX}/bin/tessaline ${DESKTOP} ${METAINFO}
       ${PREFIX}/share/icons/hicolor/scalable/apps/${APP_ID}.svg)
  foreach(size ${ICON_SIZES})
    list(APPEND want ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
  endforeach()
endif()

# Exactly the wanted files: a test executable, a benchmark or a build tool must not slip in.
file(GLOB_RECURSE got RELATIVE ${STAGE} ${STAGE}/*)
set(missing ${want})
if(got)
  list(REMOVE_ITEM missing ${got})
endif()
set(extra ${got})
list(REMOVE_ITEM extra ${want})
if(missing OR extra)
  message(FATAL_ERROR "installed files differ\n  missing: ${missing}\n  not wanted: ${extra}")
endif()
foreach(exe tessaline tessaline-cli)
  if(EXISTS ${STAGE}/${PREFIX}/bin/${exe} AND NOT IS_DIRECTORY ${STAGE}/${PREFIX}/bin/${exe})
    file(READ ${STAGE}/${PREFIX}/bin/${exe} magic LIMIT 4 HEX)
    if(NOT magic STREQUAL "7f454c46")
      message(FATAL_ERROR "${exe} is not an executable")
    endif()
  endif()
endforeach()
message(STATUS "installed files: ok (${got})")

if(NOT GUI)
  return()
endif()

# A PNG holds its width and height as big-endian words at bytes 16 and 20.
foreach(size ${ICON_SIZES})
  set(png ${STAGE}/${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
  file(READ ${png} head LIMIT 24 HEX)
  string(SUBSTRING "${head}" 0 16 sig)
  string(SUBSTRING "${head}" 32 8 w)
  string(SUBSTRING "${head}" 40 8 h)
  math(EXPR w "0x${w}")
  math(EXPR h "0x${h}")
  if(NOT sig STREQUAL "89504e470d0a1a0a" OR NOT w EQUAL size OR NOT h EQUAL size)
    message(FATAL_ERROR "${png}: not a ${size}x${size} PNG (${w}x${h})")
  endif()
endforeach()
message(STATUS "icon sizes: ok")

# The entry, icon and metainfo find one another by the application id.
file(STRINGS ${STAGE}/${DESKTOP} exec REGEX "^Exec=")
file(STRINGS ${STAGE}/${DESKTOP} icon REGEX "^Icon=")
if(NOT exec STREQUAL "Exec=tessaline" OR NOT icon STREQUAL "Icon=${APP_ID}")
  message(FATAL_ERROR "desktop entry: '${exec}', '${icon}'")
endif()
file(READ ${STAGE}/${METAINFO} meta)
foreach(part "<id>${APP_ID}</id>" "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
             "<release version=\"${VERSION}\" date=\"[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]\"")
  if(NOT meta MATCHES "${part}")
    message(FATAL_ERROR "metainfo lacks ${part}")
  endif()
endforeach()
message(STATUS "ids and version: ok")

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(NOT DESKTOP_FILE_VALIDATE OR NOT APPSTREAMCLI)
  message("SKIPPED: desktop-file-validate or appstreamcli is missing (scripts/bootstrap installs them)")
  return()
endif()
# The entry validator exits 0 on warnings, so any message counts as a failure.
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${STAGE}/${DESKTOP}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate (${rc}):\n${out}${err}")
endif()
# appstreamcli fails on errors and warnings and lets infos and pedantic hints pass.
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net ${STAGE}/${METAINFO}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate (${rc}):\n${out}${err}")
endif()
message(STATUS "validators: ok")
