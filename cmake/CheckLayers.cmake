# Checks the layer rule of src/: a file includes only its own folder and the folders its layer may use,
# and no two units (a header and its source count as one) include each other, except the pairs named
# below. Run as: cmake -DSRC=<folder holding the layers> [-DTESTS=ON] -P CheckLayers.cmake
# With TESTS, SRC holds the tests: a layer's tests keep to the layer's rule and may also use the shared
# test support in common/; the tests of the programs and the plugin may use everything.
# Prints every offending include and fails; prints a summary and succeeds otherwise.

cmake_minimum_required(VERSION 3.25)

# What each layer may use besides itself.
set(_may_base "")
set(_may_gdi base)
set(_may_metafile gdi base)
set(_may_print gdi base)
set(_may_db base)
set(_may_types base gdi metafile print db)
set(_may_barcode types base)
set(_may_elements barcode types base gdi metafile db)
set(_may_label elements barcode types base gdi metafile print db)
set(_may_designer label elements barcode types base gdi metafile print db)
set(_may_controls base)
set(_may_dialogs designer label elements barcode types base gdi metafile print db controls)

# Units that include each other on purpose, in either order:
# - a collection and its items, which know their collection;
# - a table and its fields, which read the table's current record;
# - a recorded page and the EMF writer, which the page saves itself through and which reads its records.
set(_pairs
    "label/KxCollection|label/KxCollectionItem"
    "label/KxAlias|label/KxAliasItem"
    "label/KxAliasItem|label/KxTables"
    "label/KxTableItem|label/KxTables"
    "db/Field|db/Table"
    "metafile/EmfWriter|metafile/Metafile")

if(TESTS)
    set(_layers base gdi metafile print db types barcode elements label designer controls dialogs)
    foreach(layer IN LISTS _layers)
        list(APPEND _may_${layer} common)
    endforeach()
    set(_may_common ${_layers})
    set(_may_headless common label elements barcode types base gdi metafile print db)
    foreach(whole apps kxdesigner plugin)
        set(_may_${whole} common ${_layers})
    endforeach()
endif()

if(NOT SRC)
    message(FATAL_ERROR "CheckLayers: set SRC to the folder that holds the layers")
endif()
file(GLOB _files RELATIVE ${SRC} ${SRC}/*/*.h ${SRC}/*/*.cpp)
set(_bad 0)
set(_edges "")
foreach(file IN LISTS _files)
    get_filename_component(layer ${file} DIRECTORY)
    if(NOT DEFINED _may_${layer})
        message("${file}: folder \"${layer}\" is not a known layer")
        math(EXPR _bad "${_bad} + 1")
        continue()
    endif()
    get_filename_component(name ${file} NAME_WE)
    file(STRINGS ${SRC}/${file} _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/[^\"]+\"")
    foreach(line IN LISTS _includes)
        string(REGEX REPLACE ".*\"([^\"/]+)/([^\"]+)\".*" "\\1;\\2" _target "${line}")
        list(GET _target 0 to_layer)
        list(GET _target 1 to_file)
        if(NOT to_layer STREQUAL layer AND NOT to_layer IN_LIST _may_${layer})
            message("${file}: includes \"${to_layer}/${to_file}\", but ${layer} may not use ${to_layer}")
            math(EXPR _bad "${_bad} + 1")
        endif()
        get_filename_component(to_name ${to_file} NAME_WE)
        if(NOT "${layer}/${name}" STREQUAL "${to_layer}/${to_name}")
            list(APPEND _edges "${layer}/${name}>${to_layer}/${to_name}")
        endif()
    endforeach()
endforeach()

list(REMOVE_DUPLICATES _edges)
foreach(edge IN LISTS _edges)
    string(REPLACE ">" ";" _ends "${edge}")
    list(GET _ends 0 from)
    list(GET _ends 1 to)
    if(from STRLESS to AND "${to}>${from}" IN_LIST _edges)
        if(NOT "${from}|${to}" IN_LIST _pairs AND NOT "${to}|${from}" IN_LIST _pairs)
            message("${from} and ${to} include each other")
            math(EXPR _bad "${_bad} + 1")
        endif()
    endif()
endforeach()

list(LENGTH _files _count)
if(_bad GREATER 0)
    message(FATAL_ERROR "CheckLayers: ${_bad} forbidden include(s) in ${_count} files")
endif()
message("CheckLayers: ${_count} files keep to their layers")
