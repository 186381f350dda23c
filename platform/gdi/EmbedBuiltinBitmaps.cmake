# Writes OUTPUT, a C++ source holding the text of each file of INPUTS ('|'-separated) as a
# NUL-terminated byte array, for the built-in bitmaps of platform/gdi.
string(REPLACE "|" ";" inputs "${INPUTS}")
set(arrays "")
set(entries "")
set(index 0)
foreach(input IN LISTS inputs)
    file(READ "${input}" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    get_filename_component(name "${input}" NAME)
    string(APPEND arrays "const unsigned char Text${index}[] = {${bytes}0x00};\n")
    string(APPEND entries "    {\"${name}\", reinterpret_cast<const char*>(Text${index})},\n")
    math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}" "// Generated from resources/bitmaps by EmbedBuiltinBitmaps.cmake.\n"
    "#include \"platform/gdi/BuiltinBitmaps.h\"\n\nnamespace platform {\n\nnamespace {\n${arrays}} // namespace\n\n"
    "const BuiltinBitmapText BuiltinBitmapTexts[] = {\n${entries}};\n"
    "const std::size_t BuiltinBitmapTextCount = ${index};\n\n} // namespace platform\n")
