# Writes the parser's token vocabulary (NAME=number lines) from the one list
# of token types, so that the generated parser numbers its tokens exactly as
# the rest of the program does.
#   cmake -DINPUT=<TokenTypes.def> -DOUTPUT=<KestrinTokenTypes.txt> -P MakeVocabulary.cmake
file(READ "${INPUT}" content)
# Square brackets and semicolons would upset CMake's lists; the fields read
# here (number and name) never contain them.
string(REPLACE "[" "(" content "${content}")
string(REPLACE "]" ")" content "${content}")
string(REPLACE ";" "," content "${content}")
string(REPLACE "\n" ";" lines "${content}")
set(text "Kestrin    // token vocabulary, generated from TokenTypes.def\n")
foreach(line IN LISTS lines)
    if(line MATCHES "^KESTRIN_TOKEN\\(([0-9]+), *[A-Za-z_0-9]+, *\"([^\"]+)\"")
        set(value "${CMAKE_MATCH_1}")
        set(name "${CMAKE_MATCH_2}")
        # 0..3 are the parser's own (invalid, EOF, invalid, tree lookahead).
        if(value GREATER_EQUAL 4)
            string(APPEND text "${name}=${value}\n")
        endif()
    endif()
endforeach()
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
    if(old STREQUAL text)
        return()
    endif()
endif()
file(WRITE "${OUTPUT}" "${text}")
