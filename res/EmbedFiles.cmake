# Writes a C++ source that holds files as byte arrays, looked up by number.
# cmake -DOUTPUT=file.cpp -DHEADER=res/Bitmaps.h -DFUNCTION=BitmapResource
#       -DENTRIES="id=path;id=path" [-DFROM=res/bitmaps/] -P EmbedFiles.cmake
if(NOT DEFINED FROM)
    set(FROM "res/bitmaps/")
endif()
set(body "")
set(cases "")
foreach(entry IN LISTS ENTRIES)
    string(REPLACE "=" ";" pair "${entry}")
    list(GET pair 0 id)
    list(GET pair 1 path)
    file(READ "${path}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR bytes "${digits} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
    # Lines of 16 bytes keep the generated file readable.
    string(REPEAT "0x..," 16 sixteen)
    string(REGEX REPLACE "(${sixteen})" "\\1\n    " hex "${hex}")
    string(APPEND body "constexpr std::array<uint8_t, ${bytes}> kFile${id} = {\n    ${hex}\n};\n\n")
    string(APPEND cases "        case ${id}:\n            return kFile${id};\n")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from ${FROM} by res/EmbedFiles.cmake; do not edit.
#include \"${HEADER}\"

#include <array>

namespace res {
namespace {

${body}}  // namespace

std::span<const uint8_t> ${FUNCTION}(int id) {
    switch (id) {
${cases}        default:
            return {};
    }
}

}  // namespace res
")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.tmp" "${OUTPUT}")
file(REMOVE "${OUTPUT}.tmp")
