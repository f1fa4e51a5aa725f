# Turns a file into a C++ byte array at build time:
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DNAME=Symbol -P EmbedFile.cmake
# The generated file defines std::span<const unsigned char> resources::NAME().
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT}; do not edit.\n"
  "#include <span>\n\n"
  "namespace resources {\n"
  "namespace {\n"
  "const unsigned char kBytes[${size}] = {\n${bytes}};\n"
  "}  // namespace\n"
  "std::span<const unsigned char> ${NAME}() { return kBytes; }\n"
  "}  // namespace resources\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
