#!/usr/bin/env python3
"""Marks the application-object classes of a type library as predeclared.

A global class of an automation library has both flags: the application object
(TYPEFLAG_FAPPOBJECT) and a predeclared instance (TYPEFLAG_FPREDECLID), which lets a client
that references the library use the class's members without creating an object itself.
widl writes the first flag but has no attribute for the second, so this sets it in the
type-info table of the compiled library (the MSFT format of oleaut32).

usage: predeclared_type_library.py input.tlb output.tlb
"""
import struct
import sys

TKIND_COCLASS = 5
TYPEFLAG_FAPPOBJECT = 0x1
TYPEFLAG_FPREDECLID = 0x8
HELPDLL_FLAG = 0x100
HEADER_SIZE = 0x54
TYPEINFO_SIZE = 0x64
TYPEINFO_FLAGS = 0x30


def main(source, target):
    data = bytearray(open(source, "rb").read())
    magic, _, _, _, _, varflags, _, _, typeinfo_count = struct.unpack_from("<9i", data, 0)
    if magic != 0x5446534D:
        sys.exit(f"{source}: not an MSFT type library")
    # The header, the optional help-DLL offset and the type-info offsets come before the
    # segment directory, whose first segment is the table of type infos.
    directory = HEADER_SIZE + (4 if varflags & HELPDLL_FLAG else 0) + 4 * typeinfo_count
    table, = struct.unpack_from("<i", data, directory)
    marked = 0
    for index in range(typeinfo_count):
        base = table + index * TYPEINFO_SIZE
        kind, = struct.unpack_from("<i", data, base)
        flags, = struct.unpack_from("<i", data, base + TYPEINFO_FLAGS)
        if kind & 0xF == TKIND_COCLASS and flags & TYPEFLAG_FAPPOBJECT:
            struct.pack_into("<i", data, base + TYPEINFO_FLAGS, flags | TYPEFLAG_FPREDECLID)
            marked += 1
    if marked == 0:
        sys.exit(f"{source}: no application-object class")
    open(target, "wb").write(data)


if __name__ == "__main__":
    main(*sys.argv[1:3])
