# Fails when a source file differs from what clang-format makes of it.
file(GLOB_RECURSE files ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/tests/*.cpp
  ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/tools/*.cpp ${SOURCE_DIR}/tools/*.h
  ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "clang-format finds files to reformat (run clang-format -i on them)")
endif()
