# Writes the compiled catalogue IN as a C++ source OUT that defines its bytes as NAME.
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUT}" "// Made by the build from ${IN}.\n#include <cstddef>\n"
     "extern const unsigned char ${NAME}[] = {${bytes}};\n"
     "extern const std::size_t ${NAME}Size = ${size};\n")
