# Lays out the handheld port in STAGE and zips it into ZIP (run by packaging/portmaster's build
# step, which names every -D). The newest versioned C library symbol the programs need is read
# from their dynamic symbols: port.json and the README give it as the firmware's least glibc.
execute_process(COMMAND ${OBJDUMP} -T ${PROGRAM} ${SETUP_PROGRAM} OUTPUT_VARIABLE symbols
                COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "GLIBC_[0-9]+\\.[0-9]+(\\.[0-9]+)?" versions "${symbols}")
list(TRANSFORM versions REPLACE "GLIBC_" "")
list(REMOVE_DUPLICATES versions)
list(SORT versions COMPARE NATURAL ORDER DESCENDING)
list(GET versions 0 ZEMA_MIN_GLIBC)
set(ZEMA_ARCH ${ARCH})
set(ZEMA_VERSION ${VERSION})
message(STATUS "The port's programs need glibc ${ZEMA_MIN_GLIBC} or newer")

set(port ${STAGE}/zema)
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${port}/conf/zema)
file(COPY ${SOURCE_DIR}/packaging/portmaster/ZEMA.sh "${SOURCE_DIR}/packaging/portmaster/ZEMA Setup.sh"
     DESTINATION ${STAGE}
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                      WORLD_EXECUTE)
foreach(program ${PROGRAM} ${SETUP_PROGRAM})
  file(COPY ${program} DESTINATION ${port})
  get_filename_component(programName ${program} NAME)
  execute_process(COMMAND ${STRIP} ${port}/${programName} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
foreach(sound ${SOUNDS})
  file(COPY ${SOUND_DIR}/${sound} DESTINATION ${port})
endforeach()
file(COPY ${SOURCE_DIR}/packaging/portmaster/zema.gptk ${SOURCE_DIR}/LICENSE DESTINATION ${port})
file(COPY ${SOURCE_DIR}/packaging/portmaster/zema.conf DESTINATION ${port}/conf/zema)
configure_file(${SOURCE_DIR}/packaging/portmaster/port.json.in ${port}/port.json @ONLY)
configure_file(${SOURCE_DIR}/packaging/portmaster/README.md.in ${port}/README.md @ONLY)

# The screenshot: a frame of the clearing game at 640 x 480, the commonest handheld screen.
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
execute_process(COMMAND ${emulator} ${SIM} --mode 640x480 --seed 1 --shot 1200 ${port}/screenshot.png
                INPUT_FILE ${SOURCE_DIR}/tests/replays/clear_game.script OUTPUT_QUIET
                COMMAND_ERROR_IS_FATAL ANY)

file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ZEMA.sh "ZEMA Setup.sh" zema
                WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
