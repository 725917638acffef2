# Compiles the Windows resource script with the MinGW resource compiler, decompiles the result and
# checks the version record and the icon in it.
# cmake -DWINDRES=... -DRC=zornet.rc -DWORK=dir -P windows_resource.cmake
execute_process(
    COMMAND ${WINDRES} --preprocessor=cpp -i ${RC} -o ${WORK}/zornet.res -O res
    RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "the resource script does not compile")
endif()
execute_process(
    COMMAND ${WINDRES} -i ${WORK}/zornet.res -J res -O rc
    OUTPUT_VARIABLE decompiled
    RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "the compiled resources cannot be read back")
endif()

# Зорнет in UTF-16, as windres writes a wide string back.
set(name [[L"\x0417\x043e\x0440\x043d\x0435\x0442]])
set(expected
    [[BLOCK "040904B0"]]
    [[VALUE "Translation", 0x409, 1200]]
    [[VALUE "FileVersion", "1.00"]]
    [[VALUE "ProductVersion", "1.00"]]
    "VALUE \"ProductName\", ${name}\""
    "VALUE \"InternalName\", ${name}\""
    "VALUE \"OriginalFilename\", ${name}.exe\""
    [[1 VERSIONINFO]]
    [[1 3 /* RT_ICON */]]
    [[2 3 /* RT_ICON */]]
    [[3 3 /* RT_ICON */]]
    [[/* RT_GROUP_ICON */]])
foreach(line IN LISTS expected)
    string(FIND "${decompiled}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "missing from the compiled resources: ${line}\n${decompiled}")
    endif()
endforeach()
