# Writes OUTPUT, a C++ source defining DefaultSkinArchive() over the bytes of INPUT.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}" "// Generated from the default skin by EmbedSkin.cmake.\n"
    "#include \"skin/data/DefaultSkin.h\"\n\nnamespace {\nconst std::uint8_t Archive[${size}] = {${bytes}};\n}\n\n"
    "std::span<const std::uint8_t> DefaultSkinArchive() {\n    return Archive;\n}\n")
