# Makes the MSI package from the files cpack has staged, for cpack's External generator. wixl lays
# out the database; it can carry only ASCII strings, so the Russian names and texts follow in one
# step of msibuild, in code page 1251 (wixl would leave them empty, or crash on a Cyrillic
# shortcut target); msisummary then writes the summary information in Russian, which neither tool
# can. Every code is derived, never random: the same files and version give the same package.
#
# A test runs it on its own to make a package of another version from staged files:
#   cmake -DZORNET_CPACK_CONFIG=BUILD/CPackConfig.cmake -DCPACK_TEMPORARY_DIRECTORY=STAGED
#         -DZORNET_MSI_VERSION=9.99 -DZORNET_MSI_OUTPUT=OUT.msi -P cmake/windows/msi.cmake
cmake_policy(VERSION 3.25)
if(DEFINED ZORNET_CPACK_CONFIG)
    include(${ZORNET_CPACK_CONFIG})
endif()
if(NOT DEFINED ZORNET_MSI_VERSION)
    set(ZORNET_MSI_VERSION ${CPACK_PACKAGE_VERSION})
endif()
if(NOT DEFINED ZORNET_MSI_OUTPUT)
    set(ZORNET_MSI_OUTPUT ${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi)
endif()

set(name ${CPACK_ZORNET_DISPLAY_NAME})
set(ascii_name ${CPACK_ZORNET_ASCII_NAME})
set(publisher ${CPACK_PACKAGE_VENDOR})
set(program ${name}.exe)
set(staged ${CPACK_TEMPORARY_DIRECTORY})
set(upgrade_code ${CPACK_ZORNET_MSI_UPGRADE_CODE})
set(work ${ZORNET_MSI_OUTPUT}.work)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
# Cabinet files keep local times.
set(ENV{TZ} UTC)

function(run what)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${work}
        RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(failed)
        message(FATAL_ERROR "Making the MSI package: ${what} failed (${failed}):\n${output}")
    endif()
endfunction()

# The product code changes with the version, so that a newer version is a major upgrade of an
# older one; each component keeps its code for as long as its file keeps its name.
string(UUID product_code NAMESPACE ${upgrade_code} NAME "ProductCode ${ZORNET_MSI_VERSION}" TYPE SHA1 UPPER)

# wixl finds files only by paths relative to where it runs.
file(RELATIVE_PATH from_work ${work} ${staged})
file(COPY_FILE ${CPACK_ZORNET_ICON} ${work}/program.ico)
file(GLOB files LIST_DIRECTORIES true RELATIVE ${staged} ${staged}/*)
list(SORT files)
set(components)
set(references)
set(updates)
set(fingerprint "${ZORNET_MSI_VERSION}")
set(index 0)
foreach(file IN LISTS files)
    if(IS_DIRECTORY ${staged}/${file})
        message(FATAL_ERROR "The MSI package takes files at the top of the install folder only, not ${file}/")
    endif()
    math(EXPR index "${index} + 1")
    string(UUID guid NAMESPACE ${upgrade_code} NAME "Component ${file}" TYPE SHA1 UPPER)
    file(SHA256 ${staged}/${file} hash)
    string(APPEND fingerprint " ${file} ${hash}")

    # wixl gets an ASCII name; every name that is not a valid short name gets one (Windows asks
    # for both), and the long names are put back in the step below. A name in other letters than
    # the program's (the guide's Учителю.html) is given one of its own for wixl.
    string(REPLACE "${name}" "${ascii_name}" ascii "${file}")
    if(NOT ascii MATCHES "^[A-Za-z0-9._-]+$")
        get_filename_component(extension "${file}" LAST_EXT)
        if(NOT extension MATCHES "^\\.[A-Za-z0-9]+$")
            message(FATAL_ERROR "The MSI package cannot name ${file}: its extension is not ASCII letters and digits")
        endif()
        set(ascii "file${index}${extension}")
    endif()
    get_filename_component(stem "${ascii}" NAME_WLE)
    get_filename_component(extension "${ascii}" LAST_EXT)
    string(LENGTH "${stem}" stem_length)
    string(LENGTH "${extension}" extension_length)
    if(NOT file MATCHES "^[A-Za-z0-9_]+(\\.[A-Za-z0-9]+)?$" OR stem_length GREATER 8 OR extension_length GREATER 4)
        string(REGEX REPLACE "[^A-Za-z0-9]" "" stem "${stem}")
        string(SUBSTRING "${stem}" 0 6 stem)
        # A short name's extension has three letters at most: .html is .HTM.
        string(SUBSTRING "${extension}" 0 4 extension)
        string(TOUPPER "${stem}~${index}${extension}" short)
        list(APPEND updates "UPDATE `File` SET `FileName` = '${short}|${file}' WHERE `File` = 'f${index}'")
    endif()

    set(shortcut)
    if(file STREQUAL program)
        set(shortcut "
            <Shortcut Id=\"menu\" Directory=\"ProgramMenuFolder\" Name=\"${ascii_name}\" Target=\"[#f${index}]\"
                      Icon=\"program.ico\" WorkingDirectory=\"INSTALLDIR\"/>")
    endif()
    string(APPEND components "
          <Component Id=\"c${index}\" Guid=\"${guid}\" Win64=\"yes\">
            <File Id=\"f${index}\" Name=\"${ascii}\" Source=\"${from_work}/${file}\" KeyPath=\"yes\"/>${shortcut}
          </Component>")
    string(APPEND references "
      <ComponentRef Id=\"c${index}\"/>")
endforeach()
if(NOT program IN_LIST files)
    message(FATAL_ERROR "The MSI package would lack ${program}: it is not among the staged files ${files}")
endif()
# The package code names this very package: the same files, version and making, the same code.
foreach(input ${CPACK_ZORNET_ICON} ${CMAKE_CURRENT_LIST_FILE} ${CMAKE_CURRENT_LIST_DIR}/msisummary.c)
    file(SHA256 ${input} hash)
    string(APPEND fingerprint " ${hash}")
endforeach()
string(UUID package_code NAMESPACE ${upgrade_code} NAME "Package ${fingerprint}" TYPE SHA1 UPPER)

file(WRITE ${work}/package.wxs "<?xml version=\"1.0\" encoding=\"utf-8\"?>
<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">
  <Product Id=\"${product_code}\" UpgradeCode=\"${upgrade_code}\" Version=\"${ZORNET_MSI_VERSION}\"
           Name=\"${ascii_name}\" Manufacturer=\"${ascii_name}\" Language=\"1049\" Codepage=\"1251\">
    <Package InstallerVersion=\"500\" Compressed=\"yes\" InstallScope=\"perMachine\"/>
    <MajorUpgrade DowngradeErrorMessage=\"A newer version is installed.\"/>
    <Media Id=\"1\" Cabinet=\"program.cab\" EmbedCab=\"yes\"/>
    <Icon Id=\"program.ico\" SourceFile=\"program.ico\"/>
    <Property Id=\"ARPPRODUCTICON\" Value=\"program.ico\"/>
    <Property Id=\"ARPNOMODIFY\" Value=\"1\"/>
    <Directory Id=\"TARGETDIR\" Name=\"SourceDir\">
      <Directory Id=\"ProgramFiles64Folder\">
        <Directory Id=\"INSTALLDIR\" Name=\"${ascii_name}\">${components}
        </Directory>
      </Directory>
      <Directory Id=\"ProgramMenuFolder\"/>
    </Directory>
    <Feature Id=\"Program\" Level=\"1\">${references}
    </Feature>
  </Product>
</Wix>
")
run("wixl" wixl --arch x64 --output package.msi package.wxs)

# The Russian strings, in the database's code page 1251: it is set first, the strings follow as
# UTF-8 and are stored converted.
string(TOUPPER "${ascii_name}" short_name)
list(APPEND updates
    "UPDATE `Directory` SET `DefaultDir` = '${short_name}|${name}' WHERE `Directory` = 'INSTALLDIR'"
    "UPDATE `Shortcut` SET `Name` = '${short_name}|${name}' WHERE `Shortcut` = 'menu'"
    "UPDATE `Property` SET `Value` = '${name}' WHERE `Property` = 'ProductName'"
    "UPDATE `Property` SET `Value` = '${publisher}' WHERE `Property` = 'Manufacturer'"
    "UPDATE `LaunchCondition` SET `Description` = 'Уже установлена более новая версия программы «${name}». Чтобы установить эту версию, сначала удалите новую в «Программах и компонентах».' WHERE `Condition` = 'NOT WIX_DOWNGRADE_DETECTED'")
file(WRITE ${work}/codepage.idt "\r\n\r\n1251\t_ForceCodepage\r\n")
set(queries)
foreach(update IN LISTS updates)
    list(APPEND queries -q "${update}")
endforeach()
run("msibuild" msibuild package.msi -i codepage.idt ${queries})

execute_process(COMMAND pkg-config --cflags --libs libmsi-1.0
    OUTPUT_VARIABLE libmsi OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_VARIABLE libmsi)
if(failed)
    message(FATAL_ERROR "Making the MSI package: libmsi-dev is missing (sh tools/setup --windows): ${libmsi}")
endif()
separate_arguments(libmsi UNIX_COMMAND "${libmsi}")
run("building msisummary" cc -O2 -Wall -Wextra -Wpedantic -o msisummary ${CMAKE_CURRENT_LIST_DIR}/msisummary.c ${libmsi})
run("msisummary" ./msisummary package.msi 1251 ${CPACK_ZORNET_SOURCE_DATE_EPOCH}
    "title=База данных установки"
    "subject=${name} ${ZORNET_MSI_VERSION}"
    "author=${publisher}"
    "keywords=${name}, деление, тренажёр, установщик"
    "comments=Устанавливает ${name}: тренажёр, в котором школьники упражняются в делении целых чисел."
    "template=x64\;1049"
    "revision={${package_code}}")

file(RENAME ${work}/package.msi ${ZORNET_MSI_OUTPUT})
file(REMOVE_RECURSE ${work})
set(CPACK_EXTERNAL_BUILT_PACKAGES ${ZORNET_MSI_OUTPUT})
