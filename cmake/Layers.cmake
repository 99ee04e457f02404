# tavi_add_layer(<library> <folder> SOURCES <files...> LINKS <libraries...>)
#
# The folder may be nested (core/numbers): the link keeps its whole path, so its headers are
# included as "core/numbers/NumberText.h" and only by libraries that link it.
#
# One static library per layer, built from the files its folder lists. Each layer's headers
# are reachable only through an include folder of its own in the build tree, which holds one
# link named after the layer's source folder (build/layers/frame/frame -> frame/). A library
# sees the include folders of the layers it links, and its own; an include that points to a
# layer above finds no file, and the build stops there.
#
# TAVI_ROOT, where the folders are, defaults to the project's source folder; the fuzz project,
# which builds the core again from its own folder, sets it.
if(NOT DEFINED TAVI_ROOT)
    set(TAVI_ROOT ${PROJECT_SOURCE_DIR})
endif()

function(tavi_add_layer library folder)
    cmake_parse_arguments(PARSE_ARGV 2 LAYER "" "" "SOURCES;LINKS")
    add_library(${library} STATIC ${LAYER_SOURCES})
    set(root ${PROJECT_BINARY_DIR}/layers/${folder})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${TAVI_ROOT}/${folder} ${root}/${folder} SYMBOLIC)
    target_include_directories(${library} PUBLIC ${root})
    target_link_libraries(${library} PUBLIC ${LAYER_LINKS})
endfunction()
