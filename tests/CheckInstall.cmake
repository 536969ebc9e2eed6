# Installs the build into PREFIX and checks what a desktop needs of it.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
foreach(file bin/tarvel bin/tarvel-cli share/applications/tarvel.desktop share/icons/hicolor/scalable/apps/tarvel.svg
             share/tarvel/help/main.html)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
find_program(VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND ${VALIDATE} ${PREFIX}/share/applications/tarvel.desktop
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR NOT output STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${output}")
endif()
file(READ ${PREFIX}/share/icons/hicolor/scalable/apps/tarvel.svg icon)
if(NOT icon MATCHES "<svg")
    message(FATAL_ERROR "the installed icon is not an SVG drawing")
endif()
