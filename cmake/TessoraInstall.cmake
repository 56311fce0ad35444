# Install rules shared by the subsystems.

# Installs a relative symbolic link <folder>/<name> to the installed file or
# folder <target> (both given relative to the install prefix), so that the
# installed tree can be moved or unpacked anywhere.
function(tessora_install_link target folder name)
    file(RELATIVE_PATH relative /${folder} /${target})
    set(link ${CMAKE_BINARY_DIR}/install-links/${folder}/${name})
    get_filename_component(link_folder ${link} DIRECTORY)
    file(MAKE_DIRECTORY ${link_folder})
    file(CREATE_LINK ${relative} ${link} SYMBOLIC)
    install(FILES ${link} DESTINATION ${folder})
endfunction()

# Installs a data folder of the build (below TESSORA_DATA_OUTPUT_DIR) under
# share/ and links it from the program's folder.
function(tessora_install_data_folder folder)
    install(DIRECTORY ${TESSORA_DATA_OUTPUT_DIR}/${folder} DESTINATION ${TESSORA_DATA_INSTALL_DIR})
    tessora_install_link(${TESSORA_DATA_INSTALL_DIR}/${folder} ${TESSORA_INSTALL_DIR} ${folder})
endfunction()
