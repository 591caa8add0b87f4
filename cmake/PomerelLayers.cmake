# Each layer of the program is a library whose headers are reached as "<layer>/<name>.h".
# A library's include folder holds only its own layer (a link to the layer's source folder),
# so a source sees the headers of the layers it links and no others: including a header from
# a layer above, or from one not linked, fails to build.
function(pomerel_expose_layer target layer source_dir)
    set(root ${CMAKE_BINARY_DIR}/layers/${layer})
    set(link ${root}/${layer})
    file(MAKE_DIRECTORY ${root})
    if(NOT IS_SYMLINK ${link})
        file(CREATE_LINK ${source_dir} ${link} RESULT failure SYMBOLIC)
    endif()
    if(IS_SYMLINK ${link})
        target_include_directories(${target} PUBLIC ${root})
    else()
        # Without links (Windows without the right to make them) every layer is visible, and
        # only the builds made elsewhere check the layering.
        message(STATUS "${layer}: no link to its folder (${failure}), layering not checked")
        get_filename_component(parent ${source_dir} DIRECTORY)
        target_include_directories(${target} PUBLIC ${parent})
    endif()
endfunction()
