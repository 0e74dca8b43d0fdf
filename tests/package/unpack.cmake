# Unpacks the package DEB into the empty folder UNPACKED with dpkg-deb, as an installation would
# lay it out under /.
file(REMOVE_RECURSE ${UNPACKED})
file(MAKE_DIRECTORY ${UNPACKED})
execute_process(COMMAND dpkg-deb -x ${DEB} ${UNPACKED} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -x ${DEB} failed: ${status}")
endif()
