#!/bin/sh
# The symbols the static library's single object keeps global: the export
# list, and the weak definitions the C++ compiler puts in section groups
# (template and inline functions of the standard library).  A program in
# C++ has groups of the same names; the linker keeps one copy of each
# group, so the library's references must stay global to find the copy
# kept.
#   static_keep_list.sh NM EXPORT_LIST OBJECT OUTPUT
nm=$1 exports=$2 object=$3 output=$4
{
    cat "$exports"
    "$nm" --defined-only "$object" | awk '$2 == "W" || $2 == "V" { print $3 }'
} >"$output"
