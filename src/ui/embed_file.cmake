# Writes OUTPUT, a C++ source whose function FUNCTION returns the bytes of
# INPUT as a std::string_view: files built into the program without Qt.
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE ${OUTPUT}.new "// Made from ${FILE_NAME} when it changes; do not edit.\n"
     "#include <string_view>\n\n"
     "std::string_view ${FUNCTION}() {\n"
     "    static const unsigned char bytes[] = {${bytes}0};\n"
     "    return {reinterpret_cast<const char*>(bytes), sizeof bytes - 1};\n"
     "}\n")
file(RENAME ${OUTPUT}.new ${OUTPUT})
