# The sounds are synthesised at build time by our own generator and compiled into tess_gui.
# They live only in the build folder, never in the source tree.
add_executable(tess_gen_sounds ${CMAKE_CURRENT_LIST_DIR}/gen_sounds.cpp)
tess_target(tess_gen_sounds)
set_target_properties(tess_gen_sounds PROPERTIES AUTOMOC OFF)

set(TESS_SOUND_DIR ${CMAKE_BINARY_DIR}/sounds)
set(TESS_SOUND_FILES)
foreach(sound AUTOPLAY CARDDOWN CARDUP SEL START STOCK UNDO WIN)
  list(APPEND TESS_SOUND_FILES ${TESS_SOUND_DIR}/${sound}.wav)
endforeach()

add_custom_command(
  OUTPUT ${TESS_SOUND_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TESS_SOUND_DIR}
  COMMAND tess_gen_sounds ${TESS_SOUND_DIR}
  DEPENDS tess_gen_sounds
  COMMENT "Synthesising the sounds"
  VERBATIM)
set_source_files_properties(${TESS_SOUND_FILES} PROPERTIES GENERATED TRUE)

# The target form: a .qrc compiled into a static library would lose its files at link time.
qt_add_resources(tess_gui "sounds" PREFIX "/sounds" BASE ${TESS_SOUND_DIR} FILES ${TESS_SOUND_FILES})
