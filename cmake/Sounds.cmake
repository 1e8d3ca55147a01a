# Sounds: resources/sounds/<name>.wav (written by tools/make-sounds.py) become raw-data
# (RCDATA) resources named <name> of the Windows programs that play them, which add
# QUILLORA_SOUNDS_RC to their sources. Adding a sound file re-runs the configuration.
set(QUILLORA_SOUNDS_RC)
if(WIN32)
  file(GLOB QUILLORA_SOUND_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/sounds/*.wav)
  set(QUILLORA_SOUNDS_RC ${CMAKE_BINARY_DIR}/generated/sounds/Sounds.rc)
  set(_quillora_sounds "// Generated from resources/sounds: the wave sounds, played from memory.\n")
  foreach(file IN LISTS QUILLORA_SOUND_FILES)
    get_filename_component(name ${file} NAME_WE)
    string(APPEND _quillora_sounds "${name} RCDATA \"${file}\"\n")
  endforeach()
  file(CONFIGURE OUTPUT ${QUILLORA_SOUNDS_RC} CONTENT "${_quillora_sounds}")
  # The resource compiler's output depends on the files it reads in.
  set_source_files_properties(${QUILLORA_SOUNDS_RC} PROPERTIES OBJECT_DEPENDS "${QUILLORA_SOUND_FILES}")
endif()
