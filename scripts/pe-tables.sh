# Readers of a Windows image's tables through objdump, for the check
# scripts to source.  Each takes the objdump to use and the image.

# "ordinal name" for every named export.  objdump lists the name table as
# "[index] name" with the index counted from the ordinal base.
pe_exports() {
    "$1" -p "$2" | awk '
        /^Export Address Table -- Ordinal Base/ { base = $NF }
        /^\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
        names && /^[ \t]*\[ *[0-9]+\]/ {
            line = $0; sub(/^[ \t]*\[ */, "", line)
            idx = line; sub(/\].*/, "", idx)
            name = line; sub(/^[0-9]+\] */, "", name)
            print idx + base, name
            next
        }
        names && /^[ \t]*$/ { names = 0 }'
}

# The exported names alone, sorted.
pe_export_names() { pe_exports "$1" "$2" | awk '{ print $2 }' | sort; }

# The modules the image imports from, one a line.
pe_import_modules() { "$1" -p "$2" | awk '/DLL Name:/ { print $NF }'; }

# The names the image imports from one module ($3), sorted.
pe_imported_names() {
    "$1" -p "$2" | awk -v module="$3" '$0 ~ "DLL Name: " module "$" { k = 1; next }
        /DLL Name:/ { k = 0 } k && /^[ \t]+[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z_]/ { print $3 }' |
        sort -u
}
