# Turns one language source (UTF-8, one language line per text line) into the
# language file the program reads: UTF-16LE with a byte-order mark, lines
# ended by CR LF, no line ending after the last line.
#
#   cmake -DSOURCE=<English.txt> -DTARGET=<English.ini> -DICONV=<iconv> -P lang_ini.cmake
#
# CMake cannot write the zero bytes of UTF-16 itself, so iconv does the
# encoding; the line endings and the mark are put in here.
file(READ "${SOURCE}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REGEX REPLACE "\n+$" "" text "${text}")
string(REGEX MATCHALL "\n" breaks "${text}")
list(LENGTH breaks count)
math(EXPR count "${count} + 1")
if(count LESS 59)
  message(FATAL_ERROR "${SOURCE}: ${count} lines; a language file needs at least 59")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 mark)  # U+FEFF in UTF-8; the reader drops it
file(WRITE "${TARGET}.utf8" "${mark}${text}")
execute_process(COMMAND "${ICONV}" -f UTF-8 -t UTF-16LE
                INPUT_FILE "${TARGET}.utf8" OUTPUT_FILE "${TARGET}" RESULT_VARIABLE status)
file(REMOVE "${TARGET}.utf8")
if(NOT status EQUAL 0)
  file(REMOVE "${TARGET}")
  message(FATAL_ERROR "${SOURCE}: not valid UTF-8 (iconv: ${status})")
endif()
