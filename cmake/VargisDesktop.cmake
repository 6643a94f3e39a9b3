# The desktop integration of the program: its identity, the icon rendered from
# the SVG drawn for it, the menu entry, the AppStream metainfo and the Debian
# package built by CPack.
#
#   vargis_add_icon_resources(<target>)   from the directory of the Qt program:
#       renders the PNG icons at build time, embeds them in <target> as
#       :/icons/<size>/apps/<id>.png (the window icon) and installs them.
#   vargis_add_packaging()                after every target exists: the
#       install rules and the CPack DEB package vargis-loto_VERSION_ARCH.deb.

include(GNUInstallDirs)

set(VARGIS_APP_ID "org.example.VargisLoto")
set(VARGIS_PACKAGE_NAME "vargis-loto")
set(VARGIS_PACKAGING_DIR "${PROJECT_SOURCE_DIR}/packaging/linux")
set(VARGIS_ICON_SVG "${VARGIS_PACKAGING_DIR}/${VARGIS_APP_ID}.svg")
set(VARGIS_ICON_SIZES 48 256)

function(vargis_add_icon_resources target)
    find_program(VARGIS_RSVG_CONVERT rsvg-convert)
    if(NOT VARGIS_RSVG_CONVERT)
        message(FATAL_ERROR "rsvg-convert (Debian package librsvg2-bin) renders the program's "
                            "icon; scripts/install-deps.sh installs it")
    endif()
    set(pngs "")
    foreach(size IN LISTS VARGIS_ICON_SIZES)
        set(dir "${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/apps")
        set(png "${dir}/${VARGIS_APP_ID}.png")
        add_custom_command(OUTPUT "${png}"
            COMMAND ${CMAKE_COMMAND} -E make_directory "${dir}"
            COMMAND "${VARGIS_RSVG_CONVERT}" -w ${size} -h ${size} -o "${png}" "${VARGIS_ICON_SVG}"
            DEPENDS "${VARGIS_ICON_SVG}"
            COMMENT "Rendering the ${size} px icon"
            VERBATIM)
        list(APPEND pngs "${png}")
        install(FILES "${png}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
    endforeach()
    qt_add_resources(${target} vargis_icons PREFIX "/icons"
        BASE "${CMAKE_CURRENT_BINARY_DIR}/icons" FILES ${pngs})
    target_compile_definitions(${target} PUBLIC VARGIS_APP_ID="${VARGIS_APP_ID}")
endfunction()

# Compressed as Debian wants documentation: gzip -9n, so the bytes do not
# depend on the time of the build.
function(vargis_gzip_for_install source output destination)
    add_custom_command(OUTPUT "${output}"
        COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" gzip "${source}" "${output}"
        DEPENDS "${source}"
        VERBATIM)
    install(FILES "${output}" DESTINATION "${destination}")
    set_property(GLOBAL APPEND PROPERTY VARGIS_GZIPPED "${output}")
endfunction()

function(vargis_add_packaging)
    # The installed programs find the bundled folder relative to their own
    # folder, so the package also works extracted under another root.
    file(RELATIVE_PATH from_bindir "${CMAKE_INSTALL_FULL_BINDIR}"
         "${CMAKE_INSTALL_FULL_DATADIR}/${VARGIS_PACKAGE_NAME}")
    set_property(SOURCE "${PROJECT_SOURCE_DIR}/src/app/WorkingFolder.cpp"
        TARGET_DIRECTORY vargis_app APPEND PROPERTY
        COMPILE_DEFINITIONS "VARGIS_BUNDLED_FROM_BINDIR=\"${from_bindir}\"")

    install(TARGETS vargis-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
    # Read-only for the user; the program copies it to the user's working folder.
    install(DIRECTORY "${PROJECT_SOURCE_DIR}/data/"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/${VARGIS_PACKAGE_NAME}"
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                              WORLD_READ WORLD_EXECUTE
        PATTERN ".gitkeep" EXCLUDE)

    # The version is the one of src/base/ProductInfo.h; the manual pages and
    # the newest release of the metainfo must carry it too.
    foreach(file vargis.1 vargis-cli.1 ${VARGIS_APP_ID}.metainfo.xml)
        file(READ "${VARGIS_PACKAGING_DIR}/${file}" text)
        if(NOT text MATCHES "\"vargis-loto ${PROJECT_VERSION}\"|<release version=\"${PROJECT_VERSION}\"")
            message(FATAL_ERROR "packaging/linux/${file} does not carry the version ${PROJECT_VERSION} "
                                "of src/base/ProductInfo.h")
        endif()
    endforeach()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
        "${VARGIS_PACKAGING_DIR}/vargis.1" "${VARGIS_PACKAGING_DIR}/vargis-cli.1"
        "${VARGIS_PACKAGING_DIR}/${VARGIS_APP_ID}.metainfo.xml")

    set(doc "${CMAKE_INSTALL_DATADIR}/doc/${VARGIS_PACKAGE_NAME}")
    set(gz "${PROJECT_BINARY_DIR}/packaging")
    file(MAKE_DIRECTORY "${gz}")
    install(FILES "${VARGIS_PACKAGING_DIR}/copyright" DESTINATION "${doc}")
    vargis_gzip_for_install("${VARGIS_PACKAGING_DIR}/changelog" "${gz}/changelog.gz" "${doc}")
    vargis_gzip_for_install("${VARGIS_PACKAGING_DIR}/vargis-cli.1" "${gz}/vargis-cli.1.gz"
                            "${CMAKE_INSTALL_MANDIR}/man1")

    if(TARGET vargis)
        install(TARGETS vargis RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
        install(FILES "${VARGIS_PACKAGING_DIR}/${VARGIS_APP_ID}.desktop"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
        install(FILES "${VARGIS_PACKAGING_DIR}/${VARGIS_APP_ID}.metainfo.xml"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
        install(FILES "${VARGIS_ICON_SVG}"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
        vargis_gzip_for_install("${VARGIS_PACKAGING_DIR}/vargis.1" "${gz}/vargis.1.gz"
                                "${CMAKE_INSTALL_MANDIR}/man1")
    endif()
    get_property(gzipped GLOBAL PROPERTY VARGIS_GZIPPED)
    add_custom_target(vargis_packaging_docs ALL DEPENDS ${gzipped})

    # The package is the desktop program's; a build without Qt installs the
    # command-line tool and the data only.
    if(NOT TARGET vargis)
        return()
    endif()

    set(CPACK_GENERATOR "DEB")
    set(CPACK_PACKAGE_NAME "${VARGIS_PACKAGE_NAME}")
    set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
    set(CPACK_PACKAGE_VENDOR "Vargis developers")
    set(CPACK_PACKAGE_CONTACT "Vargis developers <maintainers@vargis-loto.example.org>")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analyser of the 5-of-36 number lottery")
    # Lines of the extended description stay within 80 columns.
    string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
        "Keeps the table of the last 50 draws, shows each numeric filter as a curve"
        "over the history and strikes out every one of the 376 992 combinations"
        "that fails one of the filters the user enables. The interface is in"
        "Russian."
        ""
        "The package holds the desktop program vargis, with its menu entry, and"
        "the command-line tool vargis-cli. The program keeps the user's draws and"
        "settings in ~/.local/share/vargis-loto, filled from the installed copy"
        "on the first start.")
    set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
    set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
    set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
    set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vargis-loto.example.org/")
    # The libraries' packages, Qt's among them, as dpkg-shlibdeps finds them.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_STRIP_FILES ON)
    set(CPACK_SOURCE_IGNORE_FILES "/build" "/\\\\.git/")
    include(CPack)
endfunction()
