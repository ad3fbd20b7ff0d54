# SPDX-License-Identifier: GPL-3.0-or-later
# Converts symbols.dat (Debian's xastir-data) into C++ data for res/Symbols.h: every named symbol
# of the primary (/) and alternate (\) tables with its picture, and the pictures of the overlay
# characters 0-9 and A-Z. The file's own markers (tables ! and ~) and the reserved symbols
# (#APRS lines, no picture) are left out.
#
#   cmake -DIN=symbols.dat -DOUT=SymbolData.cpp -P convert-symbols.cmake
#
# A CMake script, so that every build (native, the mingw cross build, Emscripten) converts on the
# build machine with the tool it already runs, and needs no host compiler or interpreter.
#
# The file, as read off it: `TABLE c` starts a section; `APRS c name` starts a symbol, followed by
# 20 rows of 20 palette characters; in column 20 of the APRS line an `l` marks a picture drawn
# facing left; text in [...] after the name is Xastir's own use of the symbol. Rows that are
# short are padded with transparent pixels; rows past the twentieth are ignored.
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED IN OR NOT DEFINED OUT)
    message(FATAL_ERROR "usage: cmake -DIN=symbols.dat -DOUT=SymbolData.cpp -P convert-symbols.cmake")
endif()

# CMake lists split at ';', take "\;" as an escaped one and keep ';' inside [...] together: those
# four characters wait as control characters (which the file does not hold) until written out.
string(ASCII 1 kSemicolon)
string(ASCII 2 kOpen)
string(ASCII 3 kClose)
string(ASCII 4 kBackslash)

file(READ "${IN}" text)
if(text MATCHES "[${kSemicolon}${kOpen}${kClose}${kBackslash}]")
    message(FATAL_ERROR "${IN}: unexpected control characters")
endif()
string(REPLACE "\r" "" text "${text}")
string(REPLACE "\\" "${kBackslash}" text "${text}")
string(REPLACE ";" "${kSemicolon}" text "${text}")
string(REPLACE "[" "${kOpen}" text "${text}")
string(REPLACE "]" "${kClose}" text "${text}")
string(REPLACE "\n" ";" lines "${text}")

# `value` as the body of a C++ string literal.
function(c_text out value)
    string(REPLACE "${kBackslash}" "\\\\" value "${value}")
    string(REPLACE "\"" "\\\"" value "${value}")
    string(REPLACE "${kSemicolon}" ";" value "${value}")
    string(REPLACE "${kOpen}" "[" value "${value}")
    string(REPLACE "${kClose}" "]" value "${value}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

# `code` as a C++ character literal.
function(c_char out code)
    if(code STREQUAL "${kBackslash}")
        set(code "\\\\")
    elseif(code STREQUAL "'")
        set(code "\\'")
    else()
        c_text(code "${code}")
    endif()
    set(${out} "'${code}'" PARENT_SCOPE)
endfunction()

set(symbols "")
set(overlays "")
set(symbolCount 0)
set(table "")
set(collecting FALSE)

# Ends the symbol being read: written out when it belongs to a table the program shows.
macro(finish_symbol)
    if(collecting)
        set(collecting FALSE)
        if(table STREQUAL "/" OR table STREQUAL "${kBackslash}")
            set(wanted "${name}")
        elseif(table STREQUAL "#" AND code MATCHES "^[0-9A-Z]$")
            set(wanted "overlay")
        else()
            set(wanted "")
        endif()
        if(NOT wanted STREQUAL "")
            if(rowCount LESS 20)
                message(FATAL_ERROR "${IN}: symbol ${code} of table ${table} has ${rowCount} rows, not 20")
            endif()
            c_char(tableLiteral "${table}")
            c_char(codeLiteral "${code}")
            c_text(nameLiteral "${name}")
            set(entry "    {${tableLiteral}, ${codeLiteral}, \"${nameLiteral}\",\n${rows}    },\n")
            if(wanted STREQUAL "overlay")
                string(APPEND overlays "${entry}")
            else()
                string(APPEND symbols "${entry}")
                math(EXPR symbolCount "${symbolCount} + 1")
            endif()
        endif()
    endif()
endmacro()

foreach(line IN LISTS lines)
    if(collecting AND NOT line MATCHES "^(APRS |#APRS|TABLE )")
        if(rowCount LESS 20)
            string(LENGTH "${line}" length)
            if(length LESS 20)
                string(REPEAT "." 20 dots)
                string(APPEND line "${dots}")
            endif()
            string(SUBSTRING "${line}" 0 20 line)
            c_text(row "${line}")
            string(APPEND rows "     \"${row}\"\n")
            math(EXPR rowCount "${rowCount} + 1")
        endif()
        continue()
    endif()
    finish_symbol()
    if(line MATCHES "^TABLE (.)")
        set(table "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^APRS (.)(.*)$")
        set(code "${CMAKE_MATCH_1}")
        set(name "${CMAKE_MATCH_2}")
        # The facing mark in column 20, then Xastir's own use and the SSID hints of the reference.
        string(REGEX REPLACE "^             l( |$)" "" name "${name}")
        string(REGEX REPLACE "${kOpen}.*$" "" name "${name}")
        string(REGEX REPLACE " *\\(SSID -[0-9]+\\)" "" name "${name}")
        string(REGEX REPLACE "  +" " " name "${name}")
        string(STRIP "${name}" name)
        set(rows "")
        set(rowCount 0)
        set(collecting TRUE)
    endif()
endforeach()
finish_symbol()

if(symbolCount EQUAL 0 OR overlays STREQUAL "")
    message(FATAL_ERROR "${IN}: no named symbols in the tables / and \\, or no overlay characters")
endif()

file(WRITE "${OUT}.new"
"// SPDX-License-Identifier: GPL-2.0-or-later
// Generated by res/convert-symbols.cmake from ${IN}
// (the APRS symbol pictures and names of Xastir); made again by every build, not kept in git.
#include \"res/Symbols.h\"

namespace wb::res {
namespace {

constexpr SymbolRecord kSymbols[] = {
${symbols}};

constexpr SymbolRecord kOverlays[] = {
${overlays}};

}  // namespace

std::span<const SymbolRecord> SymbolRecords() {
    return kSymbols;
}

std::span<const SymbolRecord> OverlayRecords() {
    return kOverlays;
}

}  // namespace wb::res
")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
