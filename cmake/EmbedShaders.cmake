# Writes every shaders/*.glsl into one C++ table of (name, source) pairs.
file(GLOB files ${SOURCE_DIR}/*.glsl)
list(SORT files)
set(body "")
foreach(f ${files})
  get_filename_component(stem ${f} NAME_WE)
  file(READ ${f} text)
  string(APPEND body "    {\"${stem}\", R\"qvglsl(${text})qvglsl\"},\n")
endforeach()
file(WRITE ${OUTPUT}.tmp
"// Generated from shaders/*.glsl. Do not edit.\n#include \"platform/EmbeddedShaders.h\"\n\nconst EmbeddedShader gEmbeddedShaders[] = {\n${body}    {nullptr, nullptr},\n};\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
