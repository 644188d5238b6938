#!/bin/sh
# Writes the large and repetitive Visual C++ and project files that imports
# are measured with (gui_bench --import-times FILE) into the folder given:
#
#   one/Lines10k.dsw, one/Lines100k.dsw   10,000 and 100,000 "Project:" lines
#                                         naming one project of 100 sources
#   many/Lines100k.dsw                    100,000 lines naming 100 projects
#   big/Ten.dsw                           a 6 KB workspace naming one 63 MiB
#                                         project ten times
#   repeat/Repeat.dsp                     60 MiB of one "SOURCE=" line
#   empty/Empty.dsp, .dsw, .vcproj        63 MiB of empty lines each
#   kst/Empty100.kst, kst/Empty250.kst    100 and 250 MiB of empty lines
#
# About 700 MB in all; nothing here belongs in the repository.
set -eu
[ $# -eq 1 ] || { echo "usage: $0 FOLDER" >&2; exit 2; }
out=$1
mkdir -p "$out/src" "$out/one" "$out/many" "$out/big" "$out/repeat" "$out/empty" "$out/kst"

# Writes $2 bytes of the line $1 (LF added) repeated, cut at a whole line.
repeat_to() {
    line=$1
    bytes=$2
    count=$((bytes / (${#line} + 1)))
    yes "$line" | head -n "$count"
}

i=0
sources=""
while [ $i -lt 100 ]; do
    name=$(printf 'f%03d' $i)
    printf 'struct S%s { int n; };\nint %s() { return %d; }\n' "$name" "$name" $i >"$out/src/$name.cpp"
    sources="$sources$(printf 'SOURCE=..\\src\\%s.cpp\r' "$name")
"
    i=$((i + 1))
done
project() {
    printf '# Microsoft Developer Studio Project File - Name="App"\r\n'
    printf '# ADD CPP /nologo /W3 /GX /O2 /D "WIN32" /D "NDEBUG" /D "_WINDOWS" /YX /FD /c\r\n'
    printf '%s' "$sources"
}
project >"$out/one/App.dsp"
i=0
while [ $i -lt 100 ]; do
    cp "$out/one/App.dsp" "$out/many/$(printf 'P%02d' $i).dsp"
    i=$((i + 1))
done

workspace_lines() { # count, name pattern
    awk -v n="$1" -v many="$2" 'BEGIN {
        printf "Microsoft Developer Studio Workspace File, Format Version 6.00\r\n"
        for (i = 0; i < n; i++) {
            name = many ? sprintf("P%02d", i % 100) : "App"
            printf "Project: \"%s\"=.\\%s.dsp - Package Owner=<4>\r\n", name, name
        }
    }'
}
workspace_lines 10000 0 >"$out/one/Lines10k.dsw"
workspace_lines 100000 0 >"$out/one/Lines100k.dsw"
workspace_lines 100000 1 >"$out/many/Lines100k.dsw"

mib=1048576
{
    project
    repeat_to '# ADD CPP /nologo /W3 /GX /O2 /D "WIN32" /D "NDEBUG" /D "_WINDOWS" /YX /FD /c' \
        $((62 * mib)) | sed 's/$/\r/'
} >"$out/big/Big.dsp"
awk 'BEGIN {
    printf "Microsoft Developer Studio Workspace File, Format Version 6.00\r\n"
    printf "# WARNING: DO NOT EDIT OR DELETE THIS WORKSPACE FILE!\r\n\r\n"
    for (i = 0; i < 10; i++) {
        printf "###############################################################################\r\n\r\n"
        printf "Project: \"Big%d\"=.\\Big.dsp - Package Owner=<4>\r\n\r\n", i
        printf "Package=<5>\r\n{{{\r\n    begin source code control\r\n    \"$/Big\", BAAAAAAA\r\n"
        printf "    .\r\n    end source code control\r\n}}}\r\n\r\nPackage=<4>\r\n{{{\r\n"
        for (d = 0; d < 3; d++)
            printf "    Begin Project Dependency\r\n    Project_Dep_Name Lib%d\r\n    End Project Dependency\r\n", d
        printf "}}}\r\n\r\n"
        printf "###############################################################################\r\n\r\n"
        printf "Global:\r\n\r\nPackage=<5>\r\n{{{\r\n}}}\r\n\r\nPackage=<3>\r\n{{{\r\n}}}\r\n\r\n"
    }
}' >"$out/big/Ten.dsw"

repeat_to 'SOURCE=..\src\f000.cpp' $((60 * mib)) >"$out/repeat/Repeat.dsp"

for ext in dsp dsw vcproj; do
    head -c $((63 * mib)) /dev/zero | tr '\0' '\n' >"$out/empty/Empty.$ext"
done
head -c $((100 * mib)) /dev/zero | tr '\0' '\n' >"$out/kst/Empty100.kst"
head -c $((250 * mib)) /dev/zero | tr '\0' '\n' >"$out/kst/Empty250.kst"
