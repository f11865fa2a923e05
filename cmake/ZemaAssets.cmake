# Reads the asset lists that the game is compiled from, so that the build names the same files:
# ZEMA_RESOURCE_IDS (the embedded pictures and the icon) and ZEMA_SOUND_FILES (the six WAVs).
set(pictureList ${PROJECT_SOURCE_DIR}/src/assets/picture_list.h)
set(soundList ${PROJECT_SOURCE_DIR}/src/assets/sound_list.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${pictureList} ${soundList})

# The lines end in the macros' backslashes, so the entries are matched in the whole text.
file(READ ${pictureList} pictures)
string(REGEX MATCHALL "X\\(img[A-Za-z0-9]+, *[0-9]+" pictureIds "${pictures}")
list(TRANSFORM pictureIds REPLACE "X\\(img[A-Za-z0-9]+, *" "")
string(REGEX MATCH "iconResourceId = [0-9]+" iconId "${pictures}")
string(REPLACE "iconResourceId = " "" iconId "${iconId}")
set(ZEMA_RESOURCE_IDS ${pictureIds} ${iconId})

file(READ ${soundList} sounds)
string(REGEX MATCHALL "X\\(snd[A-Za-z0-9]+, *\"[^\"]+" soundFiles "${sounds}")
list(TRANSFORM soundFiles REPLACE "X\\(snd[A-Za-z0-9]+, *\"" "")
set(ZEMA_SOUND_FILES ${soundFiles})

list(LENGTH ZEMA_RESOURCE_IDS resourceCount)
list(LENGTH ZEMA_SOUND_FILES soundCount)
if(NOT resourceCount EQUAL 16 OR NOT soundCount EQUAL 6)
  message(FATAL_ERROR "The asset lists read as ${resourceCount} pictures and ${soundCount} sounds")
endif()
