# Installs the build into a staging folder and checks what a desktop needs of it.
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${STAGE}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
set(id org.korvane.KorvanePC)
foreach(f bin/korvane bin/korvane-sim share/applications/${id}.desktop
          share/icons/hicolor/scalable/apps/${id}.svg share/metainfo/${id}.metainfo.xml)
    if(NOT EXISTS "${STAGE}/${f}")
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
execute_process(COMMAND desktop-file-validate "${STAGE}/share/applications/${id}.desktop"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${rc} ${out}")
endif()
execute_process(COMMAND appstreamcli validate --no-net "${STAGE}/share/metainfo/${id}.metainfo.xml"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate: ${rc} ${out}")
endif()
execute_process(COMMAND "${STAGE}/bin/korvane" --version RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "Korvane PC")
    message(FATAL_ERROR "the installed station does not run: ${rc} ${out}")
endif()
