# Runs one test program under wine: cmake -DEMULATOR=wine64 -DPROGRAM=x.exe [-DPLATFORM=offscreen]
# -P wine-test.cmake. Qt's test log does not come through wine's console pipes, so the
# program writes it to a file, printed here.
set(log ${PROGRAM}.log)
file(REMOVE ${log})
set(args)
if(PLATFORM)
    set(args -platform ${PLATFORM})
endif()
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${args} -o ${log},txt RESULT_VARIABLE result)
if(EXISTS ${log})
    file(READ ${log} text)
    message("${text}")
endif()
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ended with ${result}")
endif()
