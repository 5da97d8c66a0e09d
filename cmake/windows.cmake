# The Windows executable's own icon and version information, compiled in as a resource. The
# icon file is put together from the artwork generator's icon sizes.
enable_language(RC)

# On Windows "convert" is a system command for file systems, not ImageMagick's.
if(CMAKE_HOST_WIN32)
  find_program(SIGHT_MAGICK NAMES magick REQUIRED)
else()
  find_program(SIGHT_MAGICK NAMES magick convert REQUIRED)
endif()

set(SIGHT_ICO ${CMAKE_BINARY_DIR}/sight-trainer.ico)
set(SIGHT_ICON_SIZES)
foreach(picture icon_16.png icon.png icon_48.png icon_64.png icon_128.png icon_256.png)
  list(APPEND SIGHT_ICON_SIZES ${CMAKE_SOURCE_DIR}/assets/${picture})
endforeach()
add_custom_command(OUTPUT ${SIGHT_ICO}
  COMMAND ${SIGHT_MAGICK} ${SIGHT_ICON_SIZES} ${SIGHT_ICO}
  DEPENDS ${SIGHT_ICON_SIZES}
  COMMENT "Putting the icon sizes together into sight-trainer.ico"
  VERBATIM)

configure_file(${SIGHT_PACKAGING_DIR}/windows/sight-trainer.rc.in
  ${CMAKE_BINARY_DIR}/sight-trainer.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/sight-trainer.rc PROPERTIES
  OBJECT_DEPENDS ${SIGHT_ICO})
target_sources(sight-trainer PRIVATE ${CMAKE_BINARY_DIR}/sight-trainer.rc)
