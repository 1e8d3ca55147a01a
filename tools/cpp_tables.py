"""Writes a C++ table of items (their initializers as text) to stdout, wrapped at 100 columns:
    constexpr TYPE NAME[] = {
        {..}, {..}, ...
    };
"""


def print_table(type_name, name, items):
    print(f"constexpr {type_name} {name}[] = {{")
    line = "   "
    for item in items:
        item = f" {item},"
        if len(line) + len(item) > 100:
            print(line)
            line = "   "
        line += item
    print(line)
    print("};")
