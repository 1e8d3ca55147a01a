# String tables: generated from resources/strings by tools/gen-strings.py.
set(QUILLORA_STRINGTABLE_CPP)
set(QUILLORA_STRINGTABLE_RC)
