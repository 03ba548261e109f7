# Runs audiogen for the `audio` target, but only when the generator's bytes or the catalogue
# really changed: the program is relinked whenever the game library changes.
# Expects AUDIOGEN, CATALOGUE, OUT, HASH_FILE and STAMP.
file(SHA256 ${AUDIOGEN} generator_hash)
file(SHA256 ${CATALOGUE} catalogue_hash)
set(key "${generator_hash} ${catalogue_hash}")
set(previous "")
if(EXISTS ${HASH_FILE})
  file(READ ${HASH_FILE} previous)
endif()
if(NOT previous STREQUAL key OR NOT EXISTS ${OUT})
  execute_process(
    COMMAND ${AUDIOGEN} --catalogue ${CATALOGUE} --out ${OUT} --report
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    file(REMOVE ${HASH_FILE})
    message(FATAL_ERROR "audiogen failed (${result})")
  endif()
  file(WRITE ${HASH_FILE} "${key}")
else()
  message(STATUS "Sounds are up to date in ${OUT}")
endif()
file(TOUCH ${STAMP})
