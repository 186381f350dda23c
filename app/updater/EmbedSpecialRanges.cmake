# Writes OUTPUT, a C++ source defining SpecialRangesText() over the bytes of INPUT (the special
# ranges' UTF-8 source, kept as bytes: narrow literals would become GBK).
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}" "// Generated from resources/qqwry/sample.txt by EmbedSpecialRanges.cmake.\n"
    "#include \"app/updater/SpecialRanges.h\"\n\nnamespace {\nconst unsigned char Text[${size}] = {${bytes}};\n}\n\n"
    "std::string_view SpecialRangesText() {\n    return {reinterpret_cast<const char*>(Text), sizeof Text};\n}\n")
