# Turns a binary file into a C++ source that defines `std::span<const std::byte> NAME()`.
# Runs at build time: cmake -DINPUT=... -DOUTPUT=... -DNAME=... -P EmbedResource.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "std::byte{0x\\1}," bytes "${hex}")
file(WRITE "${OUTPUT}"
  "#include \"resources/resources.h\"\n\n"
  "namespace resources {\n"
  "namespace {\nconstexpr std::byte kBytes[${size}] = {${bytes}};\n}  // namespace\n\n"
  "std::span<const std::byte> ${NAME}() { return kBytes; }\n\n"
  "}  // namespace resources\n")
